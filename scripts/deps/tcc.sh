#!/usr/bin/env bash
# TinyCC as a Windows program, the compiler behind the test toolchain (tests/toolchain): tcc.exe is
# cross-built from Debian's tcc source, its run-time library libtcc1.a is then built by that tcc.exe
# under Wine, and the finished folder (tcc.exe, include/, lib/) is cached. Sourced by setup.sh
# (needs $cache, $repo and $build; call build_tcc after the build folder is configured).

tcc_version="0.9.27+git20200814.62c30a4a"
tcc_tarball="tcc_${tcc_version}.orig.tar.bz2"
tcc_sha256="d63c113bcdd657f51c8ee197a0b0a24203603313e19a52b5f678d40ab7f5df35"
tcc_dir="$cache/tools/tcc-$tcc_version"

build_tcc() {
    if [ -f "$tcc_dir/lib/libtcc1.a" ]; then return; fi
    fetch_debian_source tcc "$tcc_tarball" "$tcc_sha256"
    local src="$cache/src/tcc-$tcc_version"
    if [ ! -f "$src/.extracted" ]; then
        rm -rf "$src"
        mkdir -p "$src"
        tar xjf "$cache/src/$tcc_tarball" -C "$src"
        touch "$src/.extracted"
    fi
    echo "setup: building tcc for Windows (tcc.exe, then libtcc1.a under Wine)"
    local work out
    work="$(mktemp -d "${TMPDIR:-/tmp}/kelpo-tcc.XXXXXX")"
    out="$work/tcc"
    mkdir -p "$out/include" "$out/lib" "$work/obj"
    echo "#define TCC_VERSION \"$(cat "$src/VERSION")\"" >"$work/config.h"
    # One translation unit; tcc finds include/ and lib/ beside itself.
    run_logged "$work/log" x86_64-w64-mingw32-gcc-posix -O2 -s -static -I"$work" \
        -DTCC_TARGET_PE -DTCC_TARGET_X86_64 -DONE_SOURCE=1 -o "$out/tcc.exe" "$src/tcc.c"
    cp -r "$src/win32/include/." "$out/include/"
    cp "$src/include/"*.h "$src/tcclib.h" "$out/include/"
    cp "$src/win32/lib/"*.def "$out/lib/"

    # The run-time library: start-up code, helpers and stack probes, as tcc's own Windows build makes it.
    local sources=(lib/libtcc1.c win32/lib/crt1.c win32/lib/crt1w.c win32/lib/wincrt1.c win32/lib/wincrt1w.c
                   win32/lib/dllcrt1.c win32/lib/dllmain.c win32/lib/chkstk.S lib/alloca86_64.S
                   lib/alloca86_64-bt.S)
    local file objects=()
    cp -r "$src/lib" "$src/win32" "$src/include" "$src/tcclib.h" "$work/obj/"
    # A lingering Wine server spares each of the short compiles its own start.
    WINEPREFIX="$build/wineprefix" "$build/wine-run.sh" --version >/dev/null 2>&1 </dev/null || true
    WINEPREFIX="$build/wineprefix" wineserver -p10 >/dev/null 2>&1 </dev/null || true
    for file in "${sources[@]}"; do
        objects+=("$(basename "${file%.*}").o")
        (cd "$work/obj" && run_logged "$work/log" "$build/wine-run.sh" "$out/tcc.exe" -m64 -c "$file" \
            -o "${objects[-1]}" </dev/null)
    done
    (cd "$work/obj" && run_logged "$work/log" "$build/wine-run.sh" "$out/tcc.exe" -ar libtcc1.a "${objects[@]}" \
        </dev/null)
    cp "$work/obj/libtcc1.a" "$out/lib/libtcc1.a"

    # Proof before caching: a program compiled and linked by it runs and prints.
    printf '#include <stdio.h>\nint main(void) { printf("tcc works\\n"); return 0; }\n' >"$work/obj/hello.c"
    (cd "$work/obj" && run_logged "$work/log" "$build/wine-run.sh" "$out/tcc.exe" hello.c -o hello.exe </dev/null)
    if ! (cd "$work/obj" && "$build/wine-run.sh" hello.exe </dev/null 2>&1) | grep -q 'tcc works'; then
        echo "setup: the program built by tcc.exe did not run under Wine" >&2
        return 1
    fi

    # Moved into place whole, so a build broken off half-way never looks finished; a setup running
    # beside this one may have got there first.
    mkdir -p "$(dirname "$tcc_dir")"
    local part
    part="$(mktemp -d "$tcc_dir.part.XXXXXX")"
    cp -r "$out/." "$part/"
    mv -T "$part" "$tcc_dir" 2>/dev/null || rm -rf "$part"
    rm -rf "$work"
}
