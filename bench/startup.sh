#!/usr/bin/env bash
# Start-up to the sign-in request on the wire: from the program's process start until the
# reference service receives "ComCheck2.asp" (connectivity page answered at once, no update),
# against the floor, a bare Qt Widgets program from its start until it has shown a tray icon
# and ended. Prints each run, the medians and their ratio. Runs alternate between the two.
# Usage: bench/startup.sh [runs]   (from the repository; BUILD=build-bench, QT_QPA_PLATFORM=offscreen)
# Offscreen there is no tray, so the program shows its main screen at start; to measure the
# usual start into the tray, run under an X server with a tray host (Xvfb + trayer) and
# QT_QPA_PLATFORM=xcb DISPLAY=:N.
cd "$(dirname "$0")/.."
source bench/shell_bench_lib.sh
RUNS=${1:-15}

StartService

# One start of each, not counted, so both read the libraries from the page cache.
StartProgram "$(NewSandbox)"
WaitForSignIn 0 >/dev/null
EndProgram
"$BARE" 2>/dev/null

for run in $(seq "$RUNS"); do
    box=$(NewSandbox)
    after=$(ServiceLogLines)
    start=$EPOCHREALTIME
    StartProgram "$box"
    arrived=$(WaitForSignIn "$after")
    EndProgram
    program_ms=$(awk -v a="$arrived" -v s="$start" 'BEGIN { printf "%.0f", (a - s) * 1000 }')

    start=$EPOCHREALTIME
    "$BARE" 2>/dev/null
    end=$EPOCHREALTIME
    bare_ms=$(awk -v e="$end" -v s="$start" 'BEGIN { printf "%.1f", (e - s) * 1000 }')

    echo "run $run: program to sign-in ${program_ms} ms, bare tray program ${bare_ms} ms"
    echo "$program_ms" >>"$WORK/program.ms"
    echo "$bare_ms" >>"$WORK/bare.ms"
done

program=$(Median <"$WORK/program.ms")
bare=$(Median <"$WORK/bare.ms")
echo "median start-up to sign-in: ${program} ms; median bare tray program: ${bare} ms;" \
    "ratio $(awk -v p="$program" -v b="$bare" 'BEGIN { printf "%.2f", p / b }') (goal 1.5)"
