#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang and runs them.
#   scripts/fuzz.sh [TARGET|all] [SECONDS]   run one target (session_file, theme...) or each in turn; 600 s by default
#   scripts/fuzz.sh --check                  run every target once over its seed corpus only (a quick regression run)
# Seeds (tests/fuzz/corpus/<target>) are read, never written; what the fuzzer finds goes to
# $KELPO_FUZZ_DIR/corpus/<target>, crashing inputs to $KELPO_FUZZ_DIR/artifacts/<target>/ and the
# log to $KELPO_FUZZ_DIR/logs/<target>.log (KELPO_FUZZ_DIR defaults to build-fuzz).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${KELPO_FUZZ_DIR:-$root/build-fuzz}"
target="${1:-all}"
seconds="${2:-600}"

if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DKELPO_NATIVE=ON -DKELPO_FUZZ=ON \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" --target kelpo_fuzzers -j"${KELPO_FUZZ_JOBS:-2}"

targets=()
if [[ "$target" == all || "$target" == --check ]]; then
    for source in "$root"/tests/fuzz/*_fuzz.cpp; do
        name="$(basename "$source" .cpp)"
        targets+=("${name%_fuzz}")
    done
else
    targets=("$target")
fi

status=0
for name in "${targets[@]}"; do
    program="$build/${name}_fuzz"
    seeds="$root/tests/fuzz/corpus/$name"
    [[ -x "$program" ]] || { echo "no fuzz target $name" >&2; exit 2; }
    [[ -d "$seeds" ]] || { echo "no seed corpus $seeds" >&2; exit 2; }
    options=()
    [[ -f "$root/tests/fuzz/$name.dict" ]] && options+=("-dict=$root/tests/fuzz/$name.dict")
    if [[ "$target" == --check ]]; then
        "$program" "${options[@]}" -runs=0 "$seeds" >/dev/null 2>&1 || { echo "$name: FAILED on its seeds"; status=1; }
        continue
    fi
    mkdir -p "$build/corpus/$name" "$build/artifacts/$name" "$build/logs"
    echo "$name: $seconds s, log $build/logs/$name.log"
    # The scratch corpus comes first: libFuzzer writes new inputs into the first folder only.
    nice -n 19 "$program" "${options[@]}" -max_total_time="$seconds" -timeout=120 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name/" \
        "$build/corpus/$name" "$seeds" >"$build/logs/$name.log" 2>&1 || status=1
    grep -E '^(Done|stat::number_of_executed_units)|#[0-9]+ *DONE' "$build/logs/$name.log" | tail -2 || true
done
exit "$status"
