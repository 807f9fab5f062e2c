#!/usr/bin/env bash
# Installs the Debian packages a task needs, when they are missing.
#   tools/install-deps.sh game   - what building and playing the game needs
#   tools/install-deps.sh web    - what building the web page needs (play-web.sh)
#   tools/install-deps.sh test   - what building and running every test needs
set -euo pipefail

game_packages=(cmake make g++ pkg-config libsfml-dev libx11-dev libcli11-dev)
# The page is built with Emscripten (CMake and CLI11's headers as for the game); python3 serves it.
web_packages=(cmake make libcli11-dev emscripten python3)
# The browser tests drive Chromium with Selenium, from Debian's python3.
test_packages=("${game_packages[@]}" libgtest-dev xvfb xauth xdotool imagemagick python3 lintian
  clang libclang-rt-14-dev libbenchmark-dev gnuplot-nox doxygen emscripten chromium
  chromium-driver python3-selenium)

case "${1:-game}" in
  game) wanted=("${game_packages[@]}") ;;
  web) wanted=("${web_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  *) echo "usage: $0 game|web|test" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
