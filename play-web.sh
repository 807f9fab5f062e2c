#!/usr/bin/env bash
# Installs what is missing, builds the game's web page (build/web, with Emscripten) and serves it
# on 127.0.0.1; open the address it prints in a browser. Ctrl+C stops the server.
#   ./play-web.sh [--port N]     build and serve (port 8000 by default)
#   ./play-web.sh --build-only   only build
set -euo pipefail
cd "$(dirname "$0")"
build_only=false
port=8000
while [ $# -gt 0 ]; do
  case "$1" in
    --build-only) build_only=true ;;
    --port) port=${2:?--port needs a number}; shift ;;
    -h|--help) sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "play-web.sh: unknown option $1 (--build-only, --port N)" >&2; exit 2 ;;
  esac
  shift
done
tools/install-deps.sh web
tools/build-web.sh build/web
$build_only && exit 0
echo "Murkvault is served at http://127.0.0.1:$port/ (open it in a browser; Ctrl+C stops)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
