#!/usr/bin/env bash
# Sets everything up, builds Kelpo and its tests, and runs every test (under Wine and Xvfb on Linux).
# Ends with the line "N passed, N failed" counted over the individual test cases.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELPO_BUILD_DIR:-$repo/build}"
export KELPO_BUILD_DIR="$build"

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$repo")}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
bash "$repo/scripts/setup.sh"
cmake --build "$build" -j"$(nproc)"

results="$build/test-results"
rm -rf "$results"
mkdir -p "$results"

# One persistent Wine server for the whole run keeps each test program's start short.
# It is started with no terminal or pipe of ours, so it never holds a test's output open.
export WINEPREFIX="$build/wineprefix"
"$build/wine-run.sh" --version >/dev/null 2>&1 </dev/null || true
wineserver -w || true
wineserver -p >/dev/null 2>&1 </dev/null || true
# Boot the session's background services now: started by the first test program instead, they
# would inherit its output pipe and CTest would wait for them.
"$build/wine-run.sh" wineboot >/dev/null 2>&1 </dev/null || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

ctest_status=0
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" --output-on-failure --timeout 900 || ctest_status=$?

python3 "$repo/scripts/count_results.py" "$build" || true
exit "$ctest_status"
