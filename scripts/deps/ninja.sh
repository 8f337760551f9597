#!/usr/bin/env bash
# Ninja for Windows, cross-built from Debian's ninja-build source and cached; it ships beside
# kelpo.exe, where the build engine runs it. Sourced by setup.sh (needs $cache and $repo).

ninja_version=1.11.1
ninja_tarball="ninja-build_${ninja_version}.orig.tar.gz"
ninja_sha256="31747ae633213f1eda3842686f83c2aa1412e0f5691d1c14dbbcc67fe7400cea"
ninja_exe="$cache/tools/ninja-$ninja_version/ninja.exe"

build_ninja() {
    if [ -f "$ninja_exe" ]; then return; fi
    fetch_debian_source ninja-build "$ninja_tarball" "$ninja_sha256"
    local src="$cache/src/ninja-$ninja_version"
    if [ ! -f "$src/.extracted" ]; then
        rm -rf "$src"
        tar xzf "$cache/src/$ninja_tarball" -C "$cache/src"
        touch "$src/.extracted"
    fi
    echo "setup: building ninja $ninja_version for Windows"
    local work
    work="$(mktemp -d "${TMPDIR:-/tmp}/kelpo-ninja.XXXXXX")"
    # No re2c (the generated lexers are in the tarball), no tests; optimised without LTO to keep it short.
    run_logged "$work/log" cmake -S "$src" -B "$work/build" \
        -DCMAKE_TOOLCHAIN_FILE="$repo/cmake/toolchain-mingw64.cmake" -DCMAKE_BUILD_TYPE= \
        -DCMAKE_CXX_FLAGS="-O2 -DNDEBUG" -DCMAKE_C_FLAGS="-O2 -DNDEBUG" \
        -DCMAKE_EXE_LINKER_FLAGS="-static -s" -DBUILD_TESTING=OFF -DRE2C=RE2C-NOTFOUND
    run_logged "$work/log" cmake --build "$work/build" --target ninja -j2
    mkdir -p "$(dirname "$ninja_exe")"
    # Copied under another name first, so a build broken off half-way never looks finished.
    cp "$work/build/ninja.exe" "$ninja_exe.part.$$"
    mv "$ninja_exe.part.$$" "$ninja_exe"
    rm -rf "$work"
}
