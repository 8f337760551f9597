#!/usr/bin/env bash
# Sets everything up, builds Kelpo and starts it (under Wine on Linux). Without a display it
# starts a virtual one, takes a screenshot of the window into the build folder and says where.
# Arguments are passed to kelpo.exe; those that name an existing file or folder here are given in
# their Windows form (the program would take "/home/x.c" for a switch), switches are left alone.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELPO_BUILD_DIR:-$repo/build}"
export KELPO_BUILD_DIR="$build"

export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$repo")}" CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-true}"
bash "$repo/scripts/setup.sh"
cmake --build "$build" -j"$(nproc)"

# Converted before changing folder, so that relative paths keep meaning what the caller meant.
args=()
for arg in "$@"; do
    if [[ "$arg" != -* && -e "$arg" ]]; then
        if ! converted="$("$build/wine-run.sh" winepath -w "$arg" 2>/dev/null)" || [ -z "$converted" ]; then
            echo "run.sh: cannot give $arg a Windows path" >&2
            exit 1
        fi
        arg="${converted%$'\r'}"
    fi
    args+=("$arg")
done
set -- ${args[@]+"${args[@]}"}

# The program keeps its settings beside itself: give it a folder of its own, with the files that
# ship beside it (the test tool folders of the build do not ship).
home="$build/run"
mkdir -p "$home"
for shipped in kelpo.exe tarvik.exe build.exe ninja.exe ctags.exe vc.mk build.xml cpp_win32.api; do
    if [ -f "$build/bin/$shipped" ]; then cp "$build/bin/$shipped" "$home/$shipped"; fi
done
cd "$home"

if [ -n "${DISPLAY:-}" ]; then
    exec "$build/wine-run.sh" kelpo.exe "$@"
fi

screen=1280x800
display=":$(( 90 + RANDOM % 400 ))"
Xvfb "$display" -screen 0 "${screen}x24" >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY="$display"
export WINEPREFIX="$build/wineprefix"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

# A Wine desktop window gives the program's window its frame without a window manager.
"$build/wine-run.sh" explorer "/desktop=Kelpo,$screen" kelpo.exe "$@" >/dev/null 2>&1 </dev/null &
for _ in $(seq 1 120); do
    if xwininfo -root -tree 2>/dev/null | grep -q '"Kelpo"'; then
        break
    fi
    sleep 0.5
done
sleep 3
shot="$build/kelpo-screenshot.png"
import -window root "$shot"
echo "Kelpo ran on the virtual display $display; screenshot: $shot"
