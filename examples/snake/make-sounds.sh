#!/usr/bin/env bash
# Makes the example's two sound effects in sounds/ with SoX (apt-get install sox). SoX runs in
# repeatable mode (-R), so every run writes the same files: 16-bit mono WAV at 22050 Hz.
set -euo pipefail
cd "$(dirname "$0")"
mkdir -p sounds
# eat: a short blip sliding up an octave.
sox -R -n -r 22050 -c 1 -b 16 sounds/eat.wav synth 0.12 square 440-880 fade 0 0.12 0.05 norm -6
# crash: a burst of brown noise, falling away.
sox -R -n -r 22050 -c 1 -b 16 sounds/crash.wav synth 0.5 brownnoise fade 0 0.5 0.45 norm -3
