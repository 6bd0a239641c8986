#!/usr/bin/env bash
# Resident memory in the tray after sign-in: VmRSS a few seconds after the reference service
# received "ComCheck2.asp", against the bare tray program kept running with its icon shown.
# Prints each run and the medians in MB and their ratio.
# Usage: bench/tray_memory.sh [runs] [settle seconds]   (BUILD=build-bench, QT_QPA_PLATFORM=offscreen)
cd "$(dirname "$0")/.."
source bench/shell_bench_lib.sh
RUNS=${1:-5}
SETTLE=${2:-5}

StartService

for run in $(seq "$RUNS"); do
    StartProgram "$(NewSandbox)"
    WaitForSignIn "$(ServiceLogLines)" >/dev/null
    sleep "$SETTLE"
    program_kb=$(ResidentKb "$PROGRAM_PID")
    EndProgram

    "$BARE" --stay 2>/dev/null &
    bare_pid=$!
    sleep "$SETTLE"
    bare_kb=$(ResidentKb "$bare_pid")
    kill "$bare_pid"
    wait "$bare_pid" 2>/dev/null || true

    echo "run $run: program ${program_kb} kB, bare tray program ${bare_kb} kB"
    echo "$program_kb" >>"$WORK/program.kb"
    echo "$bare_kb" >>"$WORK/bare.kb"
done

program=$(Median <"$WORK/program.kb")
bare=$(Median <"$WORK/bare.kb")
awk -v p="$program" -v b="$bare" 'BEGIN {
    printf "median VmRSS in the tray: %.1f MB (goal 60); bare tray program: %.1f MB; ratio %.2f (goal 1.3)\n",
        p / 1024, b / 1024, p / b }'
