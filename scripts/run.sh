#!/usr/bin/env bash
# Installs what is missing, builds, starts the reference service when the build has one,
# and starts Quillane against it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build_project

PROGRAM_DIR=$QUILLANE_BUILD/Quillane
SERVICE=$QUILLANE_BUILD/service/quillane-service
STATE_DIR=${XDG_STATE_HOME:-$HOME/.local/state}/quillane-demo
mkdir -p "$STATE_DIR/update"

if [ -x "$SERVICE" ]; then
    "$SERVICE" --listen 127.0.0.1:8949 --db "$STATE_DIR/service.db" \
        --update-dir "$STATE_DIR/update" --demo 2>"$STATE_DIR/service.log" &
    SERVICE_PID=$!
    trap 'kill $SERVICE_PID 2>/dev/null || true' EXIT
    export QUILLANE_SERVICE_HOST=127.0.0.1:8949 QUILLANE_CONTEST_HOST=127.0.0.1:8949
    echo "Reference service on http://127.0.0.1:8949/ (log: $STATE_DIR/service.log)"
else
    echo "The reference service is not built yet; Quillane runs against ${QUILLANE_SERVICE_HOST:-its default host}."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: Quillane runs offscreen (nothing is shown; stop it with Ctrl+C)."
    export QT_QPA_PLATFORM=offscreen
fi

"$PROGRAM_DIR/Quillane" "$@"
