#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/deps.sh

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_BUILD_TESTS=OFF
cmake --build "$build" --parallel 2 --target vocatune

exec "$build/vocatune" "$@"
