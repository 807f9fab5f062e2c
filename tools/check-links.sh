#!/bin/sh
# Fails when any of the given static libraries or programs needs SFML or X11:
#   a library: an undefined symbol of SFML (sf::...), Xlib (X...), GLX or OpenAL (al...);
#   a program: a shared library of SFML, X11, GL or OpenAL it is linked with (ldd).
# Prints what it found. Usage: check-links.sh FILE...
set -eu
status=0
for file in "$@"; do
  case "$file" in
    *.a)
      found=$(nm -C --undefined-only "$file" 2>/dev/null |
              grep -E ' U (sf::|X[A-Z][A-Za-z]+$|glX|al[A-Z]|alc[A-Z])' || true) ;;
    *)
      found=$(ldd "$file" | grep -Ei 'libsfml|libX11|libGL|libopenal' || true) ;;
  esac
  if [ -n "$found" ]; then
    echo "$file needs SFML or X11:"
    echo "$found"
    status=1
  else
    echo "$file: no SFML, no X11"
  fi
done
exit $status
