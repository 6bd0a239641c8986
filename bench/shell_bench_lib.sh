# Shared pieces of the application-shell benchmarks (sourced by startup.sh, tray_memory.sh and
# idle_cpu.sh): the reference service on loopback, a sandbox per program start, and medians.
# BUILD names the build folder (default build-bench, a Release build).
set -euo pipefail

BUILD=${BUILD:-build-bench}
PROGRAM=$BUILD/Quillane/Quillane
SERVICE=$BUILD/service/quillane-service
BARE=$BUILD/bench/BareTrayProgram
PORT=${PORT:-18961}
WORK=$(mktemp -d)
SERVICE_PID=
PROGRAM_PID=
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
# The bare program's runtime folder; each program start gets its own in its sandbox.
mkdir -m 700 "$WORK/runtime"
export XDG_RUNTIME_DIR=$WORK/runtime

CleanUp()
{
    [[ -z $PROGRAM_PID ]] || kill "$PROGRAM_PID" 2>/dev/null || true
    [[ -z $SERVICE_PID ]] || kill "$SERVICE_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap CleanUp EXIT

# The service with the demo members and no update; it answers the connectivity page at once.
StartService()
{
    mkdir -p "$WORK/update"
    "$SERVICE" --listen "127.0.0.1:$PORT" --db "$WORK/service.db" --update-dir "$WORK/update" \
        --demo 2>"$WORK/service.log" &
    SERVICE_PID=$!
    for _ in $(seq 100); do
        grep -q listening "$WORK/service.log" && return
        sleep 0.05
    done
    echo "the service did not start" >&2
    exit 1
}

# A fresh program folder, home, runtime and temporary folder of an installed program that signed
# in before as the demo member 김똘이 (licence 12345) on the check computer COUNTER-PC, so the
# start-up opens no window. Prints the sandbox folder.
NewSandbox()
{
    local box
    box=$(mktemp -d "$WORK/sandbox.XXXXXX")
    mkdir -p "$box/program" "$box/temp" "$box/home/config" "$box/runtime"
    chmod 700 "$box/runtime"
    cp "$BUILD/Quillane/Quillane.MDB" "$box/program/"
    printf '[기본정보]\r\n개국약사명=김똘이\r\n개국약사면허번호=12345\r\n푸른등대=COUNTER-PC\r\n자동체크=Y\r\n' |
        iconv -f UTF-8 -t CP949 >"$box/program/quillane.ini"
    echo "$box"
}

# Starts the program in the sandbox in the background; PROGRAM_PID is its process.
StartProgram()
{
    local box=$1
    XDG_RUNTIME_DIR="$box/runtime" HOME="$box/home" XDG_CONFIG_HOME="$box/home/config" \
        QUILLANE_PROGRAM_FOLDER="$box/program" QUILLANE_TEMP_DIR="$box/temp" \
        QUILLANE_SERVICE_HOST="127.0.0.1:$PORT" QUILLANE_CONTEST_HOST="127.0.0.1:$PORT" \
        "$PROGRAM" >"$box/program.log" 2>&1 &
    PROGRAM_PID=$!
}

# Waits until the service log holds a request for the page $2 after line $1; prints its time in
# seconds since the epoch (the service stamps each request to the millisecond once answered).
WaitForRequest()
{
    local after=$1 page=$2 line
    for _ in $(seq 1200); do
        line=$(tail -n +"$((after + 1))" "$WORK/service.log" | grep -m1 -F "$page" || true)
        if [[ -n $line ]]; then
            date -d "$(cut -d' ' -f1,2 <<<"$line")" +%s.%N
            return
        fi
        sleep 0.025
    done
    echo "no request for $page arrived" >&2
    exit 1
}

# The sign-in after line $1 of the service log, as WaitForRequest.
WaitForSignIn()
{
    WaitForRequest "$1" ComCheck2.asp
}

ServiceLogLines()
{
    wc -l <"$WORK/service.log"
}

# Ends the program as the session end does, and waits for it.
EndProgram()
{
    kill -TERM "$PROGRAM_PID" 2>/dev/null || true
    wait "$PROGRAM_PID" 2>/dev/null || true
    PROGRAM_PID=
}

# Median of the numbers on standard input.
Median()
{
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Resident memory of a process in kB.
ResidentKb()
{
    awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"
}

# User plus system CPU time of a process in clock ticks.
CpuTicks()
{
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}
