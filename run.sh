#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it; arguments go to the program.
#   On a desktop: the song browser (on the bundled songs at a first start) or, given a song, the
#   player on it.
#   Without a display: plays the first demo song (or the song given) for about 8 seconds on a
#   virtual screen, saves a picture of the player to build/run-screenshot.png and exits.
set -euo pipefail
caller=$PWD
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

bash scripts/deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_BUILD_TESTS=OFF
# See test.sh: automoc's stamps are dropped so that a new Q_OBJECT header is never missed.
find "$build" -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build "$build" --parallel 2 --target vocatune
program="$root/$build/vocatune"

# Songs named on the command line are the caller's, relative to the caller's folder.
cd "$caller"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    # The program presses its own Play button, ends itself on time and saves the picture itself:
    # a bare virtual screen needs no window manager nor capture tool. Its settings go to a scratch
    # folder, so a trial run leaves the user's own as they are.
    shot="$root/$build/run-screenshot.png"
    rm -f "$shot"
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    mkdir -m 700 "$scratch/run"
    if [[ $# -eq 0 ]]; then
        set -- "$root/songs/twinkle-twinkle.kar"
    fi
    XDG_CONFIG_HOME="$scratch" XDG_RUNTIME_DIR="$scratch/run" \
        xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" \
        "$program" --play --quit-after 8 --screenshot "$shot" "$@"
    if [[ ! -s "$shot" ]]; then
        echo "run.sh: the program saved no screenshot" >&2
        exit 1
    fi
    echo "Saved $shot"
    exit 0
fi

# On a first start (no start directory stored yet) the browser opens on the bundled songs: it
# starts in the current folder until the options say otherwise.
settings="${XDG_CONFIG_HOME:-$HOME/.config}/Vocatune Player 1.5.ini"
if [[ $# -eq 0 ]] && ! grep -qs '^Path=' "$settings"; then
    cd "$root/songs"
fi
exec "$program" "$@"
