#!/usr/bin/env bash
# Prepares a fresh Debian machine for building and testing Kelpo: packages, the Scintilla and
# Lexilla sources (checksum verified), the outside programs of scripts/deps (built once, cached)
# and the configured build folder. Safe to run again.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELPO_BUILD_DIR:-$repo/build}"
cache="${KELPO_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/kelpo}"
scite_tarball="scite_5.3.3.orig.tar.gz"
scite_sha256="79275a4a7e01bf429ff05e0fd699b79dc016d705335b393905b4f2cc43799a64"
packages=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb xauth googletest cmake
          imagemagick x11-utils dpkg-dev python3 fonts-wine ccache)

# shellcheck source=deps/common.sh
source "$repo/scripts/deps/common.sh"
# shellcheck source=deps/ninja.sh
source "$repo/scripts/deps/ninja.sh"
# shellcheck source=deps/tcc.sh
source "$repo/scripts/deps/tcc.sh"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

source_list_present() {
    grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/kelpo-src.sources
}

install_packages() {
    local missing
    missing="$(missing_packages)"
    if [ -n "$missing" ] || ! source_list_present; then
        echo "setup: installing packages:" $missing
        # Our own deb-src entry, so the Scintilla/Lexilla source can come from Debian's archive.
        as_root install -m 0644 "$repo/scripts/kelpo-src.sources" /etc/apt/sources.list.d/kelpo-src.sources
        as_root apt-get update -qq
        # shellcheck disable=SC2086
        [ -z "$missing" ] || as_root env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends $missing >/dev/null
    fi
}

fetch_editing_component() {
    local src="$cache/src"
    if [ -f "$src/.extracted" ]; then return; fi
    mkdir -p "$src"
    (
        cd "$src"
        if [ ! -f "$scite_tarball" ]; then
            echo "setup: downloading the scite source package (for its scintilla/ and lexilla/ folders)"
            apt-get source --download-only scite >/dev/null 2>&1 || apt-get source --download-only scite
        fi
        echo "$scite_sha256  $scite_tarball" | sha256sum -c --quiet - \
            || { echo "setup: checksum of $scite_tarball does not match" >&2; rm -f "$scite_tarball"; exit 1; }
        rm -rf scintilla lexilla
        tar xzf "$scite_tarball" scintilla lexilla
        touch .extracted
    )
}

configure_build() {
    # ccache keeps compiled objects between build folders and clean clones (Scintilla and Lexilla
    # above all); paths below the clone's parent are hashed relative to it.
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    cmake -S "$repo" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw64.cmake" \
        -DKELPO_SCINTILLA_DIR="$cache/src/scintilla" -DKELPO_LEXILLA_DIR="$cache/src/lexilla" \
        -DKELPO_NINJA_EXE="$ninja_exe" -DKELPO_TCC_DIR="$tcc_dir" \
        "${launcher[@]}" >/dev/null
}

install_packages
fetch_editing_component
build_ninja
configure_build
build_tcc
bash "$repo/scripts/deps/ctags.sh" "$cache" "$build"
echo "setup: ready (build folder $build)"
