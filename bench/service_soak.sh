#!/usr/bin/env bash
# Steady load on quillane-service: wrk posts presence reports at about RATE a second (each of its
# connections waits between requests) for SECONDS, while the database and WAL file sizes and the
# rows of the request log and the presence history are sampled every SAMPLE seconds. The service
# keeps KEEP_DAYS of rows (default 0.002 days, about 3 minutes, so that a 10-minute soak passes
# through the window several times); the file should stop growing once the window is full.
# Usage: bench/service_soak.sh [build folder] [seconds] [reports a second]
set -euo pipefail

BUILD=${1:-build-release}
SECONDS_TO_RUN=${2:-600}
RATE=${3:-1000}
KEEP_DAYS=${KEEP_DAYS:-0.002}
SAMPLE=${SAMPLE:-30}
CONNECTIONS=10
PORT=${PORT:-18952}
WORK=$(mktemp -d)
SERVICE_PID=
LOAD_PID=
trap '[[ -z $LOAD_PID ]] || kill "$LOAD_PID" 2>/dev/null || true; [[ -z $SERVICE_PID ]] || kill "$SERVICE_PID" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/update"
"$BUILD/service/quillane-service" --listen "127.0.0.1:$PORT" --db "$WORK/service.db" \
    --update-dir "$WORK/update" --demo --keep-days "$KEEP_DAYS" 2>/dev/null &
SERVICE_PID=$!
sleep 1

cat >"$WORK/presence.lua" <<LUA
wrk.method = "POST"
wrk.path = "/Quillane/TimeCheck.asp"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.body = "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00&P_Flg = on\0"
-- Each connection waits its share of a second, less about the millisecond an answer takes.
function delay()
    return $((CONNECTIONS * 1000 / RATE - 1))
end
LUA

wrk -t2 -c"$CONNECTIONS" -d"${SECONDS_TO_RUN}s" --latency -s "$WORK/presence.lua" \
    "http://127.0.0.1:$PORT/" >"$WORK/wrk.txt" &
LOAD_PID=$!

Size()
{
    stat -c %s "$1" 2>/dev/null || echo 0
}

printf '%8s %12s %12s %12s %12s\n' seconds db_bytes wal_bytes history_rows request_rows
start=$(date +%s)
while kill -0 "$LOAD_PID" 2>/dev/null; do
    printf '%8d %12d %12d %12s %12s\n' "$(($(date +%s) - start))" "$(Size "$WORK/service.db")" \
        "$(Size "$WORK/service.db-wal")" \
        "$(sqlite3 "$WORK/service.db" 'SELECT count(*) FROM presence_history' 2>/dev/null || echo -)" \
        "$(sqlite3 "$WORK/service.db" 'SELECT count(*) FROM requests' 2>/dev/null || echo -)"
    sleep "$SAMPLE"
done
wait "$LOAD_PID" || true
LOAD_PID=
cat "$WORK/wrk.txt"
