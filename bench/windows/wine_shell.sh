#!/usr/bin/env bash
# The Windows build under Wine against a bare Qt tray program built with the same MinGW toolchain
# and run beside it on the same Qt DLLs: start-up from the process start to the sign-in request
# ("ComCheck2.asp" at the reference service) against start-up until the bare program's tray icon
# is shown (its GET to the service once QSystemTrayIcon::show() returned), and the resident
# memory (VmRSS of the Wine process) of each after it settled in the tray. Prints each run, the
# medians and their ratios (goal 1.3). Runs alternate between the two.
# Usage: bench/windows/wine_shell.sh [runs] [settle seconds]   (from the repository)
# BUILD (default build) holds quillane-service and bench-windows/BareTray.exe; the Windows
# program folder is WINDOWS_PROGRAM (default build-windows/Quillane, made by scripts/windows.sh).
# With QUILLANE_MINGW_PREFIX naming the toolchain prefix of scripts/windows.sh it builds
# BareTray.exe first (see bench/windows/CMakeLists.txt). The Wine prefix is kept in
# BUILD/bench-windows/wine and made on first use; the programs run on an Xvfb of their own.
cd "$(dirname "$0")/../.."
BUILD=${BUILD:-build}
WINDOWS_PROGRAM=${WINDOWS_PROGRAM:-build-windows/Quillane}
BARE_BUILD=$BUILD/bench-windows
BARE_EXE=$BARE_BUILD/BareTray.exe

if [[ ! -e $BARE_EXE && -n ${QUILLANE_MINGW_PREFIX:-} ]]; then
    cmake -S bench/windows -B "$BARE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/MinGWToolchain.cmake" \
        -DQUILLANE_MINGW_PREFIX="$QUILLANE_MINGW_PREFIX" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >/dev/null &&
        cmake --build "$BARE_BUILD" >/dev/null
fi
for needed in "$WINDOWS_PROGRAM/Quillane.exe" "$BARE_EXE" "$BUILD/service/quillane-service"; do
    if [[ ! -e $needed ]]; then
        echo "skipped: $needed is missing (bash scripts/windows.sh builds the program," \
            "QUILLANE_MINGW_PREFIX=<toolchain prefix> the bare program, the native build the service)"
        exit 0
    fi
done

source bench/shell_bench_lib.sh
RUNS=${1:-5}
SETTLE=${2:-5}
WINE_FOLDER=$(realpath -m "$BARE_BUILD/wine")
FOLDER=$WINE_FOLDER/prefix/drive_c/Quillane
XVFB_PID=

export WINEPREFIX=$WINE_FOLDER/prefix HOME=$WINE_FOLDER/home WINEDEBUG=-all
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
export WINEDLLOVERRIDES='mscoree,mshtml=;winemenubuilder.exe=d'
export LANG=ko_KR.UTF-8 LC_ALL=ko_KR.UTF-8
export QUILLANE_SERVICE_HOST=127.0.0.1:$PORT QUILLANE_CONTEST_HOST=127.0.0.1:$PORT
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)

EndAll()
{
    wineserver -k 2>/dev/null || true
    [[ -z $XVFB_PID ]] || kill "$XVFB_PID" 2>/dev/null || true
    CleanUp
}
trap EndAll EXIT

StartScreen()
{
    Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$WORK/display" 2>/dev/null &
    XVFB_PID=$!
    for _ in $(seq 100); do
        [[ -s $WORK/display ]] && break
        sleep 0.1
    done
    DISPLAY=:$(cat "$WORK/display")
    export DISPLAY
}

# The prefix on first use; the program folder copied anew with the bare program beside it.
PreparePrefix()
{
    if [[ ! -e $WINE_FOLDER/ready ]]; then
        rm -rf "$WINE_FOLDER"
        mkdir -p "$HOME"
        "$WINE" wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$WINE_FOLDER/ready"
    fi
    rm -rf "$FOLDER"
    cp -r "$WINDOWS_PROGRAM" "$FOLDER"
    cp "$BARE_EXE" "$FOLDER/"
}

# quillane.ini of a program that signed in before as the demo member 김똘이 (licence 12345), so
# the start opens no window.
WriteDemoOwner()
{
    printf '[기본정보]\r\n개국약사명=김똘이\r\n개국약사면허번호=12345\r\n푸른등대=COUNTER-PC\r\n자동체크=Y\r\n' |
        iconv -f UTF-8 -t CP949 >"$FOLDER/quillane.ini"
}

# Starts a program of the folder; STARTED_PID is the Wine process that runs it (wine64 becomes
# it, its command line then the Windows path).
StartWindows()
{
    "$WINE" "C:\\Quillane\\$1" >/dev/null 2>&1 &
    STARTED_PID=$!
}

EndWindows()
{
    kill -TERM "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

Milliseconds()
{
    awk -v a="$1" -v s="$2" 'BEGIN { printf "%.0f", (a - s) * 1000 }'
}

StartScreen
StartService
PreparePrefix
# One wine server for all starts, and one start of each not counted, so both find it running
# and read the DLLs from the page cache.
wineserver -p
WriteDemoOwner
StartWindows Quillane.exe
WaitForRequest 0 ComCheck2.asp >/dev/null
EndWindows "$STARTED_PID"
QUILLANE_BENCH_SHOWN_URL=http://127.0.0.1:$PORT/bare-tray-shown StartWindows BareTray.exe
WaitForRequest 0 bare-tray-shown >/dev/null
EndWindows "$STARTED_PID"

for run in $(seq "$RUNS"); do
    WriteDemoOwner
    after=$(ServiceLogLines)
    start=$EPOCHREALTIME
    StartWindows Quillane.exe
    program_ms=$(Milliseconds "$(WaitForRequest "$after" ComCheck2.asp)" "$start")
    sleep "$SETTLE"
    program_kb=$(ResidentKb "$STARTED_PID")
    EndWindows "$STARTED_PID"

    after=$(ServiceLogLines)
    start=$EPOCHREALTIME
    QUILLANE_BENCH_SHOWN_URL=http://127.0.0.1:$PORT/bare-tray-shown StartWindows BareTray.exe
    bare_ms=$(Milliseconds "$(WaitForRequest "$after" bare-tray-shown)" "$start")
    EndWindows "$STARTED_PID"

    # The memory floor without the bare program's socket and network DLL.
    StartWindows BareTray.exe
    sleep "$SETTLE"
    bare_kb=$(ResidentKb "$STARTED_PID")
    EndWindows "$STARTED_PID"

    echo "run $run: Quillane.exe to sign-in ${program_ms} ms, ${program_kb} kB;" \
        "BareTray.exe to tray icon ${bare_ms} ms, ${bare_kb} kB"
    echo "$program_ms" >>"$WORK/program.ms"
    echo "$bare_ms" >>"$WORK/bare.ms"
    echo "$program_kb" >>"$WORK/program.kb"
    echo "$bare_kb" >>"$WORK/bare.kb"
done

awk -v pm="$(Median <"$WORK/program.ms")" -v bm="$(Median <"$WORK/bare.ms")" \
    -v pk="$(Median <"$WORK/program.kb")" -v bk="$(Median <"$WORK/bare.kb")" 'BEGIN {
    printf "median start-up: Quillane.exe to sign-in %d ms, BareTray.exe to tray icon %d ms, ratio %.2f (goal 1.3)\n",
        pm, bm, pm / bm
    printf "median VmRSS in the tray: Quillane.exe %.1f MB, BareTray.exe %.1f MB, ratio %.2f (goal 1.3)\n",
        pk / 1024, bk / 1024, pk / bk }'
