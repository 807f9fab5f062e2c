#!/usr/bin/env bash
# Regenerates the game's sound effects in sounds/ with SoX.
#
#   bash tools/make-sounds.sh          (needs: sox  ->  apt-get install -y sox)
#
# Every file is synthesised here, so the output is the same on each run:
# SoX runs in repeatable mode (-R), which seeds its noise generators and the
# dither with a fixed value.  Output: 16-bit PCM WAV, mono, 44100 Hz, each
# normalised to a peak of -3 dBFS.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
out="${1:-$here/../sounds}"
mkdir -p "$out"

if ! command -v sox >/dev/null 2>&1; then
    echo "make-sounds.sh: sox is not installed (apt-get install -y sox)" >&2
    exit 1
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

RATE=44100
# new mono 32-bit working file from nothing: gen FILE SECONDS TONE effects...
# (each chain starts with "gain -12" so filters and overdrive have headroom)
gen() {
    local file="$1" len="$2"; shift 2
    sox -R -n -r "$RATE" -c 1 -b 32 "$file" synth "$len" "$@"
}
# mix the given files, then normalise into the final file: mix OUT IN...
mix() {
    local dest="$1"; shift
    if [ "$#" -eq 1 ]; then
        sox -R "$1" -r "$RATE" -c 1 -b 16 -e signed-integer "$dest" norm -3
    else
        sox -R -m "$@" -r "$RATE" -c 1 -b 16 -e signed-integer "$dest" norm -3
    fi
}

# --- arrow: an airy whoosh with a short bowstring twang on top (0.3 s) -----
gen "$tmp/whoosh.wav" 0.30 whitenoise gain -12 \
    highpass 1200 lowpass 5000 tremolo 35 40 fade h 0.06 0.30 0.20 vol 0.6
gen "$tmp/twang.wav" 0.30 pluck 196 gain -12 \
    bend 0,300,0.05 lowpass 2500 fade l 0 0.30 0.26 vol 0.7
mix "$out/arrow.wav" "$tmp/whoosh.wav" "$tmp/twang.wav"

# --- zombie1: long falling "uuurgh" (0.9 s) ---------------------------------
gen "$tmp/z1a.wav" 0.9 sawtooth 120:78 gain -12 \
    tremolo 14 55 overdrive 12 gain -8 lowpass 700 fade q 0.12 0.9 0.35
gen "$tmp/z1b.wav" 0.9 brownnoise gain -12 \
    lowpass 500 tremolo 9 70 fade q 0.15 0.9 0.4 vol 0.35
mix "$out/zombie1.wav" "$tmp/z1a.wav" "$tmp/z1b.wav"

# --- zombie2: a roar that swells up then drops ("raaa-oh", 1.0 s) ----------
gen "$tmp/z2a.wav" 1.0 square 70 gain -12 \
    bend 0.05,350,0.35 0.1,-700,0.4 tremolo 22 45 overdrive 18 gain -8 \
    lowpass 900 highpass 50 fade t 0.2 1.0 0.3
gen "$tmp/z2b.wav" 1.0 pinknoise gain -12 \
    band 400 300 tremolo 22 60 fade t 0.25 1.0 0.35 vol 0.3
mix "$out/zombie2.wav" "$tmp/z2a.wav" "$tmp/z2b.wav"

# --- zombie3: short wet gurgle with a throaty rattle (0.6 s) ----------------
gen "$tmp/z3a.wav" 0.6 triangle 95:60 gain -12 \
    tremolo 32 85 overdrive 20 gain -8 lowpass 650 fade h 0.04 0.6 0.25
gen "$tmp/z3b.wav" 0.6 brownnoise gain -12 \
    lowpass 350 tremolo 7 90 fade h 0.05 0.6 0.3 vol 0.5
mix "$out/zombie3.wav" "$tmp/z3a.wav" "$tmp/z3b.wav"

# --- cash_register: drawer clack, then a two-note bell ("cha-ching") -------
gen "$tmp/clack.wav" 0.05 whitenoise gain -12 \
    highpass 2500 fade 0 0.05 0.045 pad 0 0.35 vol 0.5
gen "$tmp/ding1.wav" 0.12 sine 1319 synth 0.12 sine mix 2637 gain -12 \
    fade l 0 0.12 0.1 pad 0.03 0.25 vol 0.5
gen "$tmp/ding2.wav" 0.28 sine 2093 synth 0.28 sine mix 3136 gain -12 \
    fade l 0 0.28 0.26 pad 0.12 0 vol 0.6
mix "$out/cash_register.wav" "$tmp/clack.wav" "$tmp/ding1.wav" "$tmp/ding2.wav"

# --- death_sound: a sad tone sliding down with a slow wobble (1.0 s) -------
gen "$tmp/d1.wav" 1.0 triangle 392:98 gain -12 \
    tremolo 5 35 lowpass 1800 fade t 0.01 1.0 0.45
gen "$tmp/d2.wav" 1.0 sine 196:49 gain -12 \
    fade t 0.01 1.0 0.5 vol 0.5
mix "$out/death_sound.wav" "$tmp/d1.wav" "$tmp/d2.wav"

for f in arrow zombie1 zombie2 zombie3 cash_register death_sound; do
    printf '%-18s %ss\n' "$f.wav" "$(sox --i -D "$out/$f.wav")"
done
