#!/usr/bin/env bash
# The tag generator of the symbol list: Debian's exuberant-ctags source package (SHA-256 checked),
# cross-built once as a Windows ctags.exe and kept in the cache, then handed to the build folder's
# CMake cache as KELPO_CTAGS_EXE. Its source is never part of the repository.
# Usage: ctags.sh CACHE_DIR BUILD_DIR
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
cache="$1"
build="$2"
version="5.9~svn20110310"
tarball="exuberant-ctags_${version}.orig.tar.gz"
tarball_sha256="7348e21502454a1331c58d5eec5c18a546395acd5628599a7a55dc77b48ffd2f"
# The folder's suffix changes whenever what the setup adds to the source changes.
exe="$cache/tools/ctags-5.9-stdio/ctags.exe"

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

build_ctags() {
    local work="$cache/src/ctags"
    mkdir -p "$work" "$(dirname "$exe")"
    (
        cd "$work"
        if [ ! -f "$tarball" ]; then
            echo "setup: downloading the exuberant-ctags source package"
            apt-get source --download-only exuberant-ctags >/dev/null 2>&1 \
                || apt-get source --download-only exuberant-ctags
        fi
        echo "$tarball_sha256  $tarball" | sha256sum -c --quiet - \
            || { echo "setup: checksum of $tarball does not match" >&2; rm -f "$tarball"; exit 1; }
        rm -rf "ctags-$version"
        tar xzf "$tarball"
        cd "ctags-$version"
        # The two GCC attribute shorthands clash with the MinGW headers; without them the code is
        # plain C. -fcommon keeps the tentative definitions the sources share between files.
        sed -i -e 's/^# define __unused__  __attribute__((unused))$/# define __unused__/' \
               -e 's/^# define __printf__(s,f)  __attribute__((format (printf, s, f)))$/# define __printf__(s,f)/' \
               general.h
        # Fewer system calls per line and per output byte (scripts/deps/ctags/kelpo_stdio.h).
        cp "$repo/scripts/deps/ctags/kelpo_stdio.h" "$repo/scripts/deps/ctags/kelpo_stdio.c" .
        echo "SOURCES += kelpo_stdio.c" >> source.mak
        command -v make >/dev/null || as_root apt-get install -y -qq --no-install-recommends make >/dev/null
        echo "setup: building ctags.exe"
        make -s -f mk_mingw.mak CC=x86_64-w64-mingw32-gcc CFLAGS="-w -fcommon -s -include kelpo_stdio.h" \
            ctags.exe >/dev/null
        cp ctags.exe "$exe.tmp"
        mv "$exe.tmp" "$exe"
        cd .. && rm -rf "ctags-$version"
    )
}

[ -f "$exe" ] || build_ctags
cmake -S "$repo" -B "$build" -DKELPO_CTAGS_EXE="$exe" >/dev/null
