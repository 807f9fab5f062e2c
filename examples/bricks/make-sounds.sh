#!/usr/bin/env bash
# Makes the example's sound effects in sounds/ with SoX (apt-get install sox). SoX runs in
# repeatable mode (-R), so every run writes the same files: 16-bit mono WAV at 22050 Hz.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p sounds
# bounce: a short, low tick off a wall or the paddle.
sox -R -n -r 22050 -c 1 -b 16 sounds/bounce.wav synth 0.05 square 330 fade 0 0.05 0.03 norm -8
# brick: a bright blip as a brick breaks.
sox -R -n -r 22050 -c 1 -b 16 sounds/brick.wav synth 0.08 square 880-1320 fade 0 0.08 0.04 norm -6
# capsule: two rising notes for a life caught.
sox -R -n -r 22050 -c 1 -b 16 sounds/capsule.wav synth 0.1 sine 660 : synth 0.15 sine 990 \
  fade 0 0.15 0.08 norm -6
# lose: a tone falling away as the ball is lost.
sox -R -n -r 22050 -c 1 -b 16 sounds/lose.wav synth 0.6 triangle 440-110 fade 0 0.6 0.3 norm -4
