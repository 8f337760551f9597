#!/usr/bin/env bash
# Shared by the scripts in this folder (sourced by setup.sh): fetches a Debian source package into
# the cache and checks its pinned SHA-256 before anything is built from it.

# fetch_debian_source PACKAGE TARBALL SHA256: leaves "$cache/src/TARBALL" in place, checked.
fetch_debian_source() {
    local package="$1" tarball="$2" sha256="$3" src="$cache/src"
    mkdir -p "$src"
    if [ ! -f "$src/$tarball" ]; then
        echo "setup: downloading the $package source package"
        if ! (cd "$src" && apt-get source --download-only "$package" >/dev/null 2>&1); then
            (cd "$src" && apt-get source --download-only "$package") || true
            echo "setup: 'apt-get source $package' failed; it needs the deb-src entry" \
                 "/etc/apt/sources.list.d/kelpo-src.sources and 'apt-get update'" >&2
            return 1
        fi
    fi
    if ! echo "$sha256  $src/$tarball" | sha256sum -c --quiet - >/dev/null 2>&1; then
        echo "setup: checksum of $tarball does not match the pinned one; removed it" >&2
        rm -f "$src/$tarball"
        return 1
    fi
}

# run_logged LOG COMMAND...: runs quietly, shows the log's tail when the command fails.
run_logged() {
    local log="$1"
    shift
    if ! "$@" >>"$log" 2>&1; then
        echo "setup: failed: $*" >&2
        tail -n 30 "$log" >&2
        return 1
    fi
}
