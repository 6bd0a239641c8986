#!/usr/bin/env bash
# The update's hand-over with a 20 MB package: from the end of the package's download (the
# service's log stamps the answered request) until the new version's sign-in arrives at the
# service. In between: the pause after the download, the signature check and the package's
# check, the pause after it, the updater started, the old program's end, the updater's own check
# and unpacking into its staging folder, the journaled swap, and the new program's start-up (with
# the version recorded) up to its sign-in. Three fixed one-second pauses of the procedure are part
# of it (after the package's download and after its check in the old version, after the version
# file's download in the new one); the
# lines also show the time without them, and the hand-over alone: from the download's end to the
# new version's first request. The updater is already in the program folder, as after the first
# update.
# Usage: bench/update_swap.sh [runs]   (from the repository; BUILD=build-bench by default)
cd "$(dirname "$0")/.."
source bench/shell_bench_lib.sh
RUNS=${1:-5}
UPDATER=$BUILD/Quillane/Quillane_UP.EXE
FIXED_PAUSES_MS=3000

# The package: the updater, 20 MB that do not compress, and a marker.
package_dir=$WORK/package
mkdir -p "$package_dir"
cp "$UPDATER" "$package_dir/Quillane_UP.EXE"
head -c 20000000 /dev/urandom >"$package_dir/payload.bin"
echo "version 53" >"$package_dir/marker.txt"
mkdir -p "$WORK/update"
(cd "$package_dir" && zip -q -X "$WORK/update/QUILLANE_UPDATE.ZIP" Quillane_UP.EXE payload.bin \
    marker.txt)
printf '[버전정보]\r\n버전=53\r\n' | iconv -f UTF-8 -t CP949 >"$WORK/update/QUILLANE_Version.INI"
# The bench's build carries this machine's development key.
bash scripts/update-release.sh sign-development "$WORK/update/QUILLANE_UPDATE.ZIP" 53 \
    "$WORK/update/QUILLANE_UPDATE.sig"
echo "package: $(stat -c %s "$WORK/update/QUILLANE_UPDATE.ZIP") bytes"
StartService

LogTime()
{
    date -d "$(cut -d' ' -f1,2 <<<"$1")" +%s.%N
}

for run in $(seq "$RUNS"); do
    box=$(NewSandbox)
    cp "$PROGRAM" "$UPDATER" "$box/program/"
    printf '[버전정보]\r\n버전=52\r\n' | iconv -f UTF-8 -t CP949 >>"$box/program/quillane.ini"
    after=$(ServiceLogLines)
    XDG_RUNTIME_DIR="$box/runtime" HOME="$box/home" XDG_CONFIG_HOME="$box/home/config" \
        QUILLANE_TEMP_DIR="$box/temp" QUILLANE_UPDATE_DIR="$box/update" \
        QUILLANE_SERVICE_HOST="127.0.0.1:$PORT" \
        QUILLANE_CONTEST_HOST="127.0.0.1:$PORT" "$box/program/Quillane" >"$box/program.log" 2>&1 &
    PROGRAM_PID=$!
    signed_in=$(WaitForSignIn "$after")
    downloaded=$(LogTime "$(tail -n +"$((after + 1))" "$WORK/service.log" |
        grep -m1 'QUILLANE_UPDATE.ZIP')")
    # The new version's first request is its connectivity test, the second of the run.
    restarted=$(LogTime "$(tail -n +"$((after + 1))" "$WORK/service.log" |
        grep 'ConTest.htm' | sed -n 2p)")
    wait "$PROGRAM_PID" 2>/dev/null || true
    # The new version runs detached; the lock names it.
    new_pid=$(head -n1 "$box/runtime/quillane-$(id -u).lock")
    PROGRAM_PID=
    kill -TERM "$new_pid"
    while kill -0 "$new_pid" 2>/dev/null; do sleep 0.05; done
    [[ $(cat "$box/program/marker.txt") == "version 53" ]] || { echo "not updated" >&2; exit 1; }
    total_ms=$(awk -v a="$signed_in" -v s="$downloaded" 'BEGIN { printf "%.0f", (a - s) * 1000 }')
    handover_ms=$(awk -v a="$restarted" -v s="$downloaded" 'BEGIN { printf "%.0f", (a - s) * 1000 }')
    echo "run $run: download end to sign-in ${total_ms} ms, without the fixed pauses" \
        "$((total_ms - FIXED_PAUSES_MS)) ms; hand-over to the new version's first request" \
        "${handover_ms} ms (2000 ms of it fixed pauses)"
    echo "$total_ms" >>"$WORK/total.ms"
done
median=$(Median <"$WORK/total.ms")
echo "median: ${median} ms, without the fixed pauses $(awk -v m="$median" -v p="$FIXED_PAUSES_MS" 'BEGIN { print m - p }') ms"
