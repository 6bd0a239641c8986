#!/usr/bin/env bash
# Presence reports per second and latency of quillane-service against a trivial cpp-httplib server
# that answers "Y" (TrivialAnswerServer), side by side: wrk posts the program's "TimeCheck.asp"
# body (code page 949 text and its zero byte) from 50 connections, to each server in turn, RUNS
# times (wrk's 50 connections come from one address: the service lets it hold 64). After each
# service run the reports stored are counted against the answers wrk received. Each server listens
# on a port of its own (PORT and PORT + 1): the connections wrk leaves in TIME_WAIT on one port
# would keep the next server from binding it.
# Usage: bench/service_presence.sh [build folder] [seconds] [runs]
# Build first, e.g.
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-release --target quillane-service TrivialAnswerServer
set -euo pipefail

BUILD=${1:-build-release}
SECONDS_TO_RUN=${2:-10}
RUNS=${3:-2}
PORT=${PORT:-18950}
TRIVIAL_PORT=$PORT
SERVICE_PORT=$((PORT + 1))
WORK=$(mktemp -d)
SERVER_PID=
trap '[[ -z $SERVER_PID ]] || kill "$SERVER_PID" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$WORK"' EXIT

cat >"$WORK/presence.lua" <<'LUA'
wrk.method = "POST"
wrk.path = "/Quillane/TimeCheck.asp"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.body = "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00&P_Flg = on\0"
LUA

WaitForListening()
{
    for _ in $(seq 100); do
        grep -q listening "$WORK/server.log" && return
        sleep 0.05
    done
    echo "the server did not start" >&2
    exit 1
}

StopServer()
{
    kill "$SERVER_PID"
    wait "$SERVER_PID" || true
    SERVER_PID=
}

# Runs wrk against the server on the port; prints its output to the terminal and to
# $WORK/wrk.txt.
Load()
{
    local port=$1
    wrk -t2 -c50 -d"${SECONDS_TO_RUN}s" --latency -s "$WORK/presence.lua" \
        "http://127.0.0.1:$port/" | tee "$WORK/wrk.txt"
}

Summary()
{
    local name=$1
    printf '%-8s %10s reports/s  p50 %8s  p99 %8s\n' "$name" \
        "$(awk '/^Requests\/sec/ { print $2 }' "$WORK/wrk.txt")" \
        "$(awk '$1 == "50%" { print $2 }' "$WORK/wrk.txt")" \
        "$(awk '$1 == "99%" { print $2 }' "$WORK/wrk.txt")" | tee -a "$WORK/summary.txt"
}

for run in $(seq "$RUNS"); do
    echo "== run $run: trivial server"
    # Emptied here, not by the redirection: the forked server truncates it only later.
    : >"$WORK/server.log"
    "$BUILD/bench/TrivialAnswerServer" "$TRIVIAL_PORT" 2>"$WORK/server.log" &
    SERVER_PID=$!
    WaitForListening
    Load "$TRIVIAL_PORT"
    StopServer
    Summary trivial

    echo "== run $run: quillane-service"
    rm -rf "$WORK/service.db"* "$WORK/update"
    mkdir -p "$WORK/update"
    : >"$WORK/server.log"
    "$BUILD/service/quillane-service" --listen "127.0.0.1:$SERVICE_PORT" --db "$WORK/service.db" \
        --update-dir "$WORK/update" --demo --connections-per-address 64 2>"$WORK/server.log" &
    SERVER_PID=$!
    WaitForListening
    Load "$SERVICE_PORT"
    StopServer
    Summary service
    answered=$(awk '/requests in/ { print $1 }' "$WORK/wrk.txt")
    answered=$((answered - $(awk '/Non-2xx/ { print $NF }' "$WORK/wrk.txt" | grep . || echo 0)))
    stored=$(sqlite3 "$WORK/service.db" 'SELECT count(*) FROM presence_history')
    echo "answers received by wrk: $answered, reports stored: $stored" | tee -a "$WORK/summary.txt"
    # The goal: at least half the trivial server's reports per second in every run.
    tail -n 3 "$WORK/summary.txt" | awk '$1 == "trivial" { t = $2 } $1 == "service" { s = $2 }
        END { printf "service/trivial: %.0f%%\n", 100 * s / t }' | tee -a "$WORK/summary.txt"
done
echo "== summary"
cat "$WORK/summary.txt"
