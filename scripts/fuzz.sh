#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz/ and runs each of them.
#   bash scripts/fuzz.sh          every target over its seeds once (what the test command does)
#   bash scripts/fuzz.sh RUNS     every target for RUNS runs from its seeds, new inputs kept in
#                                 build-fuzz/corpus/<target>/; findings in build-fuzz/findings/
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

QUILLANE_FUZZ_BUILD=${QUILLANE_FUZZ_BUILD:-$QUILLANE_ROOT/build-fuzz}
runs=${1:-}

CC=clang CXX=clang++ cmake -S "$QUILLANE_ROOT" -B "$QUILLANE_FUZZ_BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLANE_FUZZ=ON \
    -DQUILLANE_BUILD_TESTS=OFF -DQUILLANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$QUILLANE_FUZZ_BUILD" --parallel "$(nproc)" --target quillane_fuzzers

# The seed files of a target: its corpus folder, and for the local database's loader the
# project's small Access fixtures.
seed_files() {
    local target=$1
    local folder=$QUILLANE_ROOT/tests/fuzz/corpus/$target
    [ ! -d "$folder" ] || find "$folder" -type f | sort
    if [ "$target" = JetLoaderFuzz ]; then
        echo "$QUILLANE_ROOT/tests/data/mdb/synthetic-korean-v2003.mdb"
        echo "$QUILLANE_ROOT/tests/data/mdb/testUnicodeCompV2003.mdb"
    fi
}

export ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen
status=0
for fuzzer in "$QUILLANE_FUZZ_BUILD"/tests/fuzz/*Fuzz; do
    target=$(basename "$fuzzer")
    mapfile -t seeds < <(seed_files "$target")
    if [ -z "$runs" ]; then
        echo "== $target: ${#seeds[@]} seeds"
        "$fuzzer" "${seeds[@]}" >"$QUILLANE_FUZZ_BUILD/$target.log" 2>&1 ||
            { status=1; tail -40 "$QUILLANE_FUZZ_BUILD/$target.log"; }
    else
        corpus=$QUILLANE_FUZZ_BUILD/corpus/$target
        findings=$QUILLANE_FUZZ_BUILD/findings/$target/
        mkdir -p "$corpus" "$findings"
        cp "${seeds[@]}" "$corpus"/
        # libmdb writes lines and byte dumps for every oddity of a damaged file: its output stays
        # out of the log (libFuzzer's own lines and the sanitizers' reports still go there).
        quiet=()
        [ "$target" != JetLoaderFuzz ] || quiet=(-close_fd_mask=3)
        echo "== $target: $runs runs"
        "$fuzzer" -runs="$runs" -artifact_prefix="$findings" -print_final_stats=1 "${quiet[@]}" \
            "$corpus" >"$QUILLANE_FUZZ_BUILD/$target.log" 2>&1 || status=1
        grep -E 'stat::number_of_executed_units|stat::peak_rss|SUMMARY|ERROR' \
            "$QUILLANE_FUZZ_BUILD/$target.log" || true
    fi
done
exit $status
