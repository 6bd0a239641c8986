#!/usr/bin/env bash
# CPU time idle in the tray: user plus system time of the signed-in program over the duration,
# from /proc/PID/stat, beside the bare tray program kept running over the same time.
# Usage: bench/idle_cpu.sh [seconds, default 600] [settle seconds, default 5]
#   (BUILD=build-bench, QT_QPA_PLATFORM=offscreen)
cd "$(dirname "$0")/.."
source bench/shell_bench_lib.sh
DURATION=${1:-600}
SETTLE=${2:-5}
TICKS_PER_SECOND=$(getconf CLK_TCK)

StartService
StartProgram "$(NewSandbox)"
WaitForSignIn 0 >/dev/null
"$BARE" --stay 2>/dev/null &
bare_pid=$!
sleep "$SETTLE"

program_before=$(CpuTicks "$PROGRAM_PID")
bare_before=$(CpuTicks "$bare_pid")
sleep "$DURATION"
program_ticks=$(($(CpuTicks "$PROGRAM_PID") - program_before))
bare_ticks=$(($(CpuTicks "$bare_pid") - bare_before))

kill "$bare_pid"
EndProgram
awk -v p="$program_ticks" -v b="$bare_ticks" -v t="$TICKS_PER_SECOND" -v d="$DURATION" 'BEGIN {
    printf "CPU time over %d s idle in the tray: %.2f s (goal 0.5); bare tray program: %.2f s\n",
        d, p / t, b / t }'
echo "requests the service received (the sign-in, its answer page, the reports):"
cat "$WORK/service.log"
