#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (sanitizers on, warnings as errors)
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")"

bash scripts/deps.sh

build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DVT_WERROR=ON -DVT_SANITIZE=ON -DVT_BUILD_TESTS=ON
# CMake 3.25's automoc under Ninja can miss a Q_OBJECT header added to an existing build folder;
# forgetting its stamps makes it scan again (cheap: unchanged headers are not run through moc).
find "$build" -path '*_autogen/timestamp' -delete 2>/dev/null || true
cmake --build "$build" --parallel 2

echo "Checking the formatting"
git ls-files -- '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

# The windows under test have no display; the FluidSynth test must not touch the user's audio
# setup or settings.
export QT_QPA_PLATFORM=offscreen
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1
# Only system libraries' leaks are suppressed (libdbus under a real X server), never ours.
export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp

ctest --test-dir "$build" --output-on-failure --parallel 2 --timeout 300
