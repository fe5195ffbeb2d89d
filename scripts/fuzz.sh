#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ (libFuzzer with the
# address and undefined-behaviour sanitizers; the core library built with
# the fuzzer's coverage hooks) and runs them, one after another.
# Usage: scripts/fuzz.sh [TARGET] [SECONDS]
#   TARGET   stream, ini, settings, rtf, metafile, picture, csv, vcard, or all (default)
#   SECONDS  longest run per target (default 1800); a run also ends after a
#            million inputs or at the first finding
# New inputs go to build-fuzz/corpus/TARGET (the committed seeds in
# tests/fuzz/corpus/TARGET are only read), findings to
# build-fuzz/findings/TARGET, the fuzzer's output to build-fuzz/logs/TARGET.log.
# The last lines are a table: target, inputs run, findings.
set -euo pipefail
cd "$(dirname "$0")/.."

ALL=(stream ini settings rtf metafile picture csv vcard)
target=${1:-all}
seconds=${2:-1800}
if [[ $target == all ]]; then
    targets=("${ALL[@]}")
elif [[ " ${ALL[*]} " == *" $target "* ]]; then
    targets=("$target")
else
    echo "unknown target '$target' (one of: ${ALL[*]} all)" >&2
    exit 2
fi

command -v clang++ >/dev/null || { echo "clang++ is missing: apt-get install clang libclang-rt-14-dev" >&2; exit 1; }
jobs=${FUZZ_BUILD_JOBS:-2}
if [[ ! -f build-fuzz/build.ninja ]]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBUILD_TESTING=OFF -DKARVELLO_CHECK_HEADERS=OFF -DKARVELLO_FUZZ=ON >/dev/null
fi
cmake --build build-fuzz -j"$jobs" --target "${targets[@]/#/fuzz_}"

# The longest input each target is given: what its files are like.
declare -A maxlen=([stream]=16384 [ini]=4096 [settings]=4096 [rtf]=8192 [metafile]=32768 [picture]=16384
                  [csv]=8192 [vcard]=8192)
export QT_QPA_PLATFORM=offscreen
# Leaks are checked; fontconfig's caches, kept until exit, are not leaks of an input.
export ASAN_OPTIONS=${ASAN_OPTIONS:-allocator_may_return_null=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/scripts/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
# The readers that take file names work in memory-backed storage.
scratch_base=/dev/shm
[[ -d $scratch_base && -w $scratch_base ]] || scratch_base=${TMPDIR:-/tmp}
export KARVELLO_FUZZ_SCRATCH=$scratch_base/karvello-fuzz-$$
trap 'rm -rf "$KARVELLO_FUZZ_SCRATCH"' EXIT

declare -A ran found
for t in "${targets[@]}"; do
    corpus=build-fuzz/corpus/$t
    findings=build-fuzz/findings/$t
    log=build-fuzz/logs/$t.log
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    args=(-runs=1000000 -max_total_time="$seconds" -max_len="${maxlen[$t]}" -timeout=20
          -rss_limit_mb=2560 -print_final_stats=1 -artifact_prefix="$findings/")
    [[ -f tests/fuzz/$t.dict ]] && args+=(-dict="tests/fuzz/$t.dict")
    echo "== fuzz_$t: up to 1000000 inputs or ${seconds}s (log: $log)"
    set +e
    build-fuzz/tests/fuzz/fuzz_"$t" "${args[@]}" "$corpus" "tests/fuzz/corpus/$t" >"$log" 2>&1
    status=$?
    set -e
    ran[$t]=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' | tail -1 || true)
    [[ -n ${ran[$t]} ]] || ran[$t]=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#' || true)
    found[$t]=$(find "$findings" -type f | wc -l)
    if [[ $status -ne 0 && ${found[$t]} -eq 0 ]]; then
        found[$t]="exit $status"
    fi
    echo "   ${ran[$t]:-0} inputs, findings: ${found[$t]}"
done

echo
printf '%-10s %12s  %s\n' target inputs findings
failed=0
for t in "${targets[@]}"; do
    printf '%-10s %12s  %s\n' "$t" "${ran[$t]:-0}" "${found[$t]}"
    [[ ${found[$t]} == 0 ]] || failed=1
done
exit $failed
