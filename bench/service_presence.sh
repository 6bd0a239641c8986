#!/usr/bin/env bash
# Presence reports per second against quillane-service on loopback: wrk posts the program's
# "TimeCheck.asp" body (code page 949 text and its zero byte) from 50 connections for 10 s.
# Usage: bench/service_presence.sh [path/to/quillane-service] [seconds]
# Build the service in Release first, e.g.
#   cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release
#   cmake --build build-release --target quillane-service
set -euo pipefail

SERVICE=${1:-build-release/service/quillane-service}
SECONDS_TO_RUN=${2:-10}
PORT=${PORT:-18950}
WORK=$(mktemp -d)
trap 'kill "$SERVICE_PID" 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$WORK"' EXIT

mkdir -p "$WORK/update"
"$SERVICE" --listen "127.0.0.1:$PORT" --db "$WORK/service.db" --update-dir "$WORK/update" \
    --demo 2>"$WORK/service.log" &
SERVICE_PID=$!
for _ in $(seq 50); do
    grep -q listening "$WORK/service.log" && break
    sleep 0.1
done

cat >"$WORK/presence.lua" <<'LUA'
wrk.method = "POST"
wrk.path = "/Quillane/TimeCheck.asp"
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
wrk.body = "P_COMNAME =COUNTER-PC&P_PALICENSE =12345&P_SENDTIME =2026-12-10 10:00:00&P_Flg = on\0"
LUA

wrk -t2 -c50 -d"${SECONDS_TO_RUN}s" --latency -s "$WORK/presence.lua" "http://127.0.0.1:$PORT/"

kill "$SERVICE_PID"
wait "$SERVICE_PID" || true
echo "stored reports: $(sqlite3 "$WORK/service.db" 'SELECT count(*) FROM presence_history')"
echo "logged requests: $(sqlite3 "$WORK/service.db" 'SELECT count(*) FROM requests')"
