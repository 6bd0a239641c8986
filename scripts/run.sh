#!/usr/bin/env bash
# Installs what is missing, builds, starts the reference service when the build has one,
# and starts Quillane against it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build_project

PROGRAM_DIR=$QUILLANE_BUILD/Quillane
SERVICE=$QUILLANE_BUILD/service/quillane-service
STATE_DIR=${XDG_STATE_HOME:-$HOME/.local/state}/quillane-demo
DEMO_FOLDER=$STATE_DIR/program
mkdir -p "$STATE_DIR/update" "$DEMO_FOLDER"

# The demo program folder keeps its settings between runs. At the first run it gets the local
# database and the settings of the service's registered demo owner (김똘이, licence 12345, check
# computer COUNTER-PC), so that the sign-in is accepted and no first-start window waits for a user.
[ -e "$DEMO_FOLDER/Quillane.MDB" ] || cp "$PROGRAM_DIR/Quillane.MDB" "$DEMO_FOLDER/"
if [ ! -e "$DEMO_FOLDER/quillane.ini" ]; then
    printf '[기본정보]\r\n개국약사명=김똘이\r\n개국약사면허번호=12345\r\n약국명=똘이약국\r\n'\
'푸른등대=COUNTER-PC\r\n자동체크=Y\r\n' | iconv -f UTF-8 -t CP949 >"$DEMO_FOLDER/quillane.ini"
fi
# The demo folder is a program folder as an installation has one: the program runs from there, so
# its autostart entry and desktop link start it there, and an update released to the demo service
# replaces its files there. The build's files are copied in when they are newer, so a new build
# replaces an updated demo program again. The autostart entry stays in the demo's configuration
# folder, so a demo run does not start at every log-in; the desktop link goes to the user's
# desktop folder.
for file in Quillane Quillane_UP.EXE Help.mht qtbase_ko.qm; do
    # Earlier demo runs linked the executable here.
    [ ! -L "$DEMO_FOLDER/$file" ] || rm "$DEMO_FOLDER/$file"
    cp -u --preserve=mode,timestamps "$PROGRAM_DIR/$file" "$DEMO_FOLDER/"
done
USER_CONFIG=${XDG_CONFIG_HOME:-$HOME/.config}
export XDG_CONFIG_HOME=$STATE_DIR/config
mkdir -p "$XDG_CONFIG_HOME"
[ ! -e "$USER_CONFIG/user-dirs.dirs" ] || cp "$USER_CONFIG/user-dirs.dirs" "$XDG_CONFIG_HOME/"
echo "Program folder: $DEMO_FOLDER (signed in as the demo owner 김똘이; delete it to start afresh)"

if [ -x "$SERVICE" ]; then
    # A session of its own: Ctrl+C or a timeout ends Quillane first, which still sends its "off"
    # reports, and the service stops after it.
    setsid "$SERVICE" --listen 127.0.0.1:8949 --db "$STATE_DIR/service.db" \
        --update-dir "$STATE_DIR/update" --demo 2>"$STATE_DIR/service.log" &
    SERVICE_PID=$!
    trap 'kill $SERVICE_PID 2>/dev/null || true' EXIT
    trap ':' INT TERM HUP
    # The program tests the connection first thing: wait until the service listens.
    for _ in $(seq 50); do
        (exec 3<>/dev/tcp/127.0.0.1/8949) 2>/dev/null && break
        kill -0 $SERVICE_PID 2>/dev/null || { cat "$STATE_DIR/service.log"; exit 1; }
        sleep 0.1
    done
    export QUILLANE_SERVICE_HOST=127.0.0.1:8949 QUILLANE_CONTEST_HOST=127.0.0.1:8949
    echo "Reference service on http://127.0.0.1:8949/ (log: $STATE_DIR/service.log)"
else
    echo "The reference service is not built yet; Quillane runs against ${QUILLANE_SERVICE_HOST:-its default host}."
fi

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display: Quillane runs offscreen (nothing is shown; stop it with Ctrl+C)."
    export QT_QPA_PLATFORM=offscreen
fi
# A login session has a runtime folder (the single-instance socket lives there); a bare shell
# may not.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR=$STATE_DIR/runtime
    mkdir -p -m 700 "$XDG_RUNTIME_DIR"
fi

# The terminal shows the program's own lines; the log keeps everything, Qt's warnings included.
echo "Program log: $STATE_DIR/quillane.log"
"$DEMO_FOLDER/Quillane" "$@" 2> >(tee -a "$STATE_DIR/quillane.log" | grep --line-buffered '^quillane\.' >&2)

# An update ends the program, and its updater starts the new version in a session of its own
# (with the same log): the demo waits for that one too before the service stops, and Ctrl+C
# ends it.
demo_program='^'$DEMO_FOLDER'/Quillane'
trap 'pkill -INT -f -- "$demo_program" || true' INT TERM HUP
while pgrep -f -- "$demo_program" >/dev/null; do
    sleep 1
done
