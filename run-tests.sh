#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. the normal build (build/test);
#   2. the unit tests and the damaged-data end-to-end tests again in an AddressSanitizer +
#      UndefinedBehaviorSanitizer build (build/asan), failing on any report, leaks included;
#   3. the engine without SFML (build/core, -DKS_SFML=OFF): the core, the headless platform, the
#      game's library and their tests, built and run with no display, and checked to link
#      neither SFML nor X11;
#   4. a minute and a half of fuzzing the sprite loader and the sound decoder (build/fuzz,
#      clang + libFuzzer);
#   5. every test of the normal build, end-to-end tests included.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
tools/install-deps.sh test

# The tests that open the game's window get a real X display from Xvfb.
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24")

cmake -S . -B build/test >/dev/null
cmake --build build/test -j2

echo "== Sanitizer build and unit tests (build/asan)"
cmake -S . -B build/asan -DMURKVAULT_SANITIZE=ON >/dev/null
cmake --build build/asan -j2
# Mesa unloads its software GL driver at exit, before the leak check, which then cannot name the
# driver's few blocks; preloaded, it stays mapped (see tests/lsan.supp). ASan then no longer comes
# first among the libraries, which is harmless here.
gl_driver=$(ls /usr/lib/*/dri/swrast_dri.so 2>/dev/null | head -n 1 || true)
preload=()
[ -n "$gl_driver" ] && preload=(env "LD_PRELOAD=$gl_driver")
(
  cd build/asan
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:verify_asan_link_order=0
  export LSAN_OPTIONS=suppressions=$root/tests/lsan.supp:print_suppressions=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  "${xvfb[@]}" "${preload[@]}" ctest -LE e2e --output-on-failure -j2
  # The game itself on missing and garbled data files (each test starts its own X server).
  "${preload[@]}" ctest -R '^e2e_damaged_' --output-on-failure
)

echo "== The engine without SFML (build/core)"
cmake -S . -B build/core -DKS_SFML=OFF >/dev/null
cmake --build build/core -j2
(
  cd build/core
  env -u DISPLAY ctest --output-on-failure -j2
  "$root/tools/check-links.sh" libks_core.a libks_headless.a tests/*Test
)

echo "== Fuzzing the sprite loader and the sound decoder (build/fuzz)"
CC=clang CXX=clang++ cmake -S fuzz -B build/fuzz >/dev/null
cmake --build build/fuzz -j2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/sprites" "$scratch/sounds" build/fuzz/artifacts
cp sprites/*.txt "$scratch/sprites/"
cp sounds/*.wav "$scratch/sounds/"
# A crashing or leaking input is kept in build/fuzz/artifacts/ to be replayed:
#   build/fuzz/<target> build/fuzz/artifacts/<file>
fuzz() {
  build/fuzz/"$1" -max_total_time="$2" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$root/build/fuzz/artifacts/" "$3" >"$scratch/$1.log" 2>&1 ||
    { cat "$scratch/$1.log"; exit 1; }
  grep -E '^(Done|stat::(number_of_executed_units|peak_rss_mb))' "$scratch/$1.log" || true
}
fuzz SpriteLoaderFuzz 60 "$scratch/sprites"
fuzz SoundDecoderFuzz 30 "$scratch/sounds"

echo "== All tests (build/test)"
cd build/test
"${xvfb[@]}" ctest --output-on-failure -j2
