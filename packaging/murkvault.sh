#!/bin/sh
# Starts the installed Murkvault. The game reads sprites/, sounds/ and ks-font.ttf from its
# working directory and writes kestrel.log there; the installed data folder may be read-only,
# so the game runs in a per-user folder that links to the data.
set -e
bin_dir=$(dirname "$(readlink -f "$0")")
prefix=$(dirname "$bin_dir")
data="$prefix/share/murkvault"
if [ -n "$XDG_STATE_HOME" ]; then
    state="$XDG_STATE_HOME/murkvault"
elif [ -n "$HOME" ]; then
    state="$HOME/.local/state/murkvault"
else
    state="${TMPDIR:-/tmp}/murkvault-$(id -u)"
fi
mkdir -p "$state"
# The player names the files of --record and --replay from where they started the game: those
# names are made absolute before the game moves to its own folder.
here=$(pwd)
absolute() {
    case "$1" in
        /*) printf '%s' "$1" ;;
        *) printf '%s/%s' "$here" "$1" ;;
    esac
}
file_follows=
for arg do
    shift
    if [ -n "$file_follows" ]; then
        arg=$(absolute "$arg")
        file_follows=
    else
        case "$arg" in
            --record | --replay) file_follows=1 ;;
            --record=* | --replay=*) arg="${arg%%=*}=$(absolute "${arg#*=}")" ;;
        esac
    fi
    set -- "$@" "$arg"
done
for item in sprites sounds ks-font.ttf; do
    # Links are renewed each time, so a moved or reinstalled prefix is found again; a real
    # file of the user's own is left alone.
    if [ -L "$state/$item" ] || [ ! -e "$state/$item" ]; then
        ln -sfn "$data/$item" "$state/$item"
    fi
done
cd "$state"
exec "$prefix/libexec/murkvault/murkvault" "$@"
