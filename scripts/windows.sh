#!/usr/bin/env bash
# Builds the Windows program folder build-windows/Quillane/ and its installer
# build-windows/Quillane-Setup.exe: installs what is missing, builds the toolchain when it is not
# cached yet, the native build's Quillane.MDB and Quillane.ico, the cross build of the program and
# the updater; places the DLLs, Qt plugins and fonts they need beside them, checks that every DLL
# a shipped file imports is shipped or part of Windows, and packs the installer.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

WINDOWS_BUILD=${QUILLANE_WINDOWS_BUILD:-$QUILLANE_ROOT/build-windows}
PROGRAM_DIR=$WINDOWS_BUILD/Quillane
SETUP=$WINDOWS_BUILD/Quillane-Setup.exe
INSTALLER_FILE_LIST=$WINDOWS_BUILD/installer/ProgramFiles.nsh
TRIPLET=x86_64-w64-mingw32
FONT_DIR=/usr/share/fonts/truetype/nanum
FONT_LICENCE=/usr/share/doc/fonts-nanum/copyright

# What the build itself puts in the program folder.
BUILT_FILES=(Quillane.exe Quillane_UP.EXE Quillane.MDB Help.mht qtbase_ko.qm)
QT_DLLS=(Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll Qt6Network.dll Qt6Sql.dll libsqlite3-0.dll libzip.dll)
# The plugins Qt loads at run time: the window system, the native look, and the database drivers
# of the local database (SQLite) and of the management system's SQL Server (ODBC).
QT_PLUGINS=(platforms/qwindows.dll styles/qwindowsvistastyle.dll sqldrivers/qsqlite.dll
    sqldrivers/qsqlodbc.dll)
# MinGW's C++ runtime and threads, which the program and Qt's DLLs import; shipped without their
# debug information.
MINGW_DLLS=(libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
# NanumGothic for Hangul where the Windows faces are missing, NanumGothicCoding for the lists that
# ask for a fixed-width face.
FONTS=(NanumGothic.ttf NanumGothicBold.ttf NanumGothicCoding.ttf NanumGothicCodingBold.ttf)
# DLLs that Windows 10 and 11 bring along; a shipped file may import these and nothing else
# from outside the program folder.
SYSTEM_DLLS=(advapi32 authz bcrypt comdlg32 d3d11 d3d9 dnsapi dwmapi dxgi gdi32 imm32 iphlpapi
    kernel32 mpr msvcrt netapi32 odbc32 ole32 oleaut32 secur32 shcore shell32 shlwapi user32
    userenv uxtheme version winhttp winmm ws2_32 wtsapi32)

# Every file of the program folder that is shipped, relative to it; the installer installs and
# removes exactly these.
SHIPPED=("${BUILT_FILES[@]}")

log() { printf '[%s] %s\n' "$(date +%T)" "$*"; }

# The toolchain script prints the prefix last.
toolchain_prefix() {
    bash "$QUILLANE_ROOT/scripts/windows-toolchain.sh" | tail -n 1
}

# The local database and the icon are made by tools of the build machine.
build_native_files() {
    [ -e "$QUILLANE_BUILD/build.ninja" ] ||
        cmake -S "$QUILLANE_ROOT" -B "$QUILLANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$QUILLANE_BUILD" --target quillane_mdb quillane_ico
}

# A release names the association's update key (QUILLANE_UPDATE_PUBLIC_KEY in the environment);
# without it the build is a development build that takes the packages this machine's
# development key signs.
cross_build() {
    local prefix=$1 release=()
    if [ -n "${QUILLANE_UPDATE_PUBLIC_KEY:-}" ]; then
        release=(-DCMAKE_BUILD_TYPE=Release "-DQUILLANE_UPDATE_PUBLIC_KEY=$QUILLANE_UPDATE_PUBLIC_KEY")
    else
        log "No QUILLANE_UPDATE_PUBLIC_KEY: a development build with this machine's update key"
        release=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    fi
    cmake -S "$QUILLANE_ROOT" -B "$WINDOWS_BUILD" -G Ninja "${release[@]}" \
        -DCMAKE_TOOLCHAIN_FILE="$QUILLANE_ROOT/cmake/MinGWToolchain.cmake" \
        -DQUILLANE_MINGW_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQUILLANE_HOST_MDB="$QUILLANE_BUILD/Quillane/Quillane.MDB" \
        -DQUILLANE_HOST_ICON="$QUILLANE_BUILD/Quillane.ico"
    cmake --build "$WINDOWS_BUILD" --parallel "$(nproc)" --target Quillane Quillane_UP
}

# The shipped executables carry no debug information; it is kept in build-windows/symbols/,
# linked by name, for reading a crash.
move_debug_information() {
    mkdir -p "$WINDOWS_BUILD/symbols"
    for program in Quillane.exe Quillane_UP.EXE; do
        local executable=$PROGRAM_DIR/$program symbols=$WINDOWS_BUILD/symbols/$program.debug
        "$TRIPLET-objdump" -h "$executable" | grep -q '\.debug_info' || continue
        "$TRIPLET-objcopy" --only-keep-debug "$executable" "$symbols"
        "$TRIPLET-objcopy" --strip-debug --add-gnu-debuglink="$symbols" "$executable"
    done
}

check_built_files() {
    for file in "${BUILT_FILES[@]}"; do
        [ -e "$PROGRAM_DIR/$file" ] || { echo "The build left no $file in $PROGRAM_DIR" >&2; exit 1; }
    done
}

# Copies FILE to SUBFOLDER of the program folder, with its time, and counts it as shipped.
ship() {
    local file=$1 subfolder=$2
    install -D -p -m 644 "$file" "$PROGRAM_DIR/$subfolder/$(basename "$file")"
    SHIPPED+=("${subfolder:+$subfolder/}$(basename "$file")")
}

# What an earlier run placed goes first, so that the folder holds exactly this run's files.
remove_deployed_files() {
    rm -f "$PROGRAM_DIR"/*.dll "$PROGRAM_DIR"/*.ttf "$PROGRAM_DIR/Nanum-OFL.txt"
    rm -rf "$PROGRAM_DIR/platforms" "$PROGRAM_DIR/styles" "$PROGRAM_DIR/sqldrivers"
}

deploy_qt() {
    local prefix=$1
    for dll in "${QT_DLLS[@]}"; do
        ship "$prefix/bin/$dll" ""
    done
    for plugin in "${QT_PLUGINS[@]}"; do
        ship "$prefix/plugins/$plugin" "$(dirname "$plugin")"
    done
}

deploy_mingw_runtime() {
    for dll in "${MINGW_DLLS[@]}"; do
        ship "$(realpath "$("$TRIPLET-g++-posix" -print-file-name="$dll")")" ""
        "$TRIPLET-strip" --strip-debug --preserve-dates "$PROGRAM_DIR/$dll"
    done
}

deploy_fonts() {
    for font in "${FONTS[@]}"; do
        ship "$FONT_DIR/$font" ""
    done
    # The font licence, with Windows line ends for Notepad.
    sed 's/$/\r/' "$FONT_LICENCE" >"$PROGRAM_DIR/Nanum-OFL.txt"
    touch -r "$FONT_LICENCE" "$PROGRAM_DIR/Nanum-OFL.txt"
    SHIPPED+=(Nanum-OFL.txt)
}

imports_of() {
    "$TRIPLET-objdump" -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p'
}

is_system_dll() {
    local name=${1,,}
    [[ $name == api-ms-win-* ]] && return 0
    for system in "${SYSTEM_DLLS[@]}"; do
        [ "$name" = "$system.dll" ] && return 0
    done
    return 1
}

# Every DLL that a shipped executable or DLL imports is a shipped DLL beside the executables or a
# Windows DLL; every shipped DLL beside them is imported by something.
check_imports() {
    local failed=0 imported=" "
    local -A shipped_dll=()
    for file in "${SHIPPED[@]}"; do
        [[ $file == */* || $file != *.dll ]] || shipped_dll[${file,,}]=$file
    done
    for file in "${SHIPPED[@]}"; do
        [[ ${file,,} == *.exe || ${file,,} == *.dll ]] || continue
        for dll in $(imports_of "$PROGRAM_DIR/$file"); do
            imported+="${dll,,} "
            is_system_dll "$dll" || [ -n "${shipped_dll[${dll,,}]:-}" ] && continue
            echo "$file imports $dll, which is neither shipped nor part of Windows" >&2
            failed=1
        done
    done
    for dll in "${!shipped_dll[@]}"; do
        [[ $imported == *" $dll "* ]] && continue
        echo "${shipped_dll[$dll]} is shipped but nothing imports it" >&2
        failed=1
    done
    [ $failed -eq 0 ] || exit 1
    log "Imports checked: ${#SHIPPED[@]} files, every DLL they import is there"
}

# The installer's lists of the files to install and to remove: the shipped files, by name. The
# file is replaced only when the lists changed.
write_installer_file_list() {
    local list=$INSTALLER_FILE_LIST
    mkdir -p "$(dirname "$list")"
    {
        echo '!macro InstallProgramFiles'
        for file in "${SHIPPED[@]}"; do
            local folder=""
            [[ $file != */* ]] || folder="\\${file%/*}"
            echo "  SetOutPath \"\$INSTDIR$folder\""
            echo "  File \"$PROGRAM_DIR/$file\""
        done
        echo '!macroend'
        echo '!macro RemoveProgramFiles'
        for file in "${SHIPPED[@]}"; do
            echo "  Delete \"\$INSTDIR\\${file//\//\\}\""
        done
        for plugin in "${QT_PLUGINS[@]}"; do
            echo "  RMDir \"\$INSTDIR\\${plugin%/*}\""
        done | sort -u
        echo '!macroend'
    } >"$list.new"
    if cmp -s "$list.new" "$list"; then rm "$list.new"; else mv "$list.new" "$list"; fi
}

# Packing takes half a minute; an installer newer than everything it packs is kept.
installer_up_to_date() {
    [ -e "$SETUP" ] || return 1
    for file in "${SHIPPED[@]/#/$PROGRAM_DIR/}" "$QUILLANE_ROOT/installer/Quillane.nsi" \
        "$INSTALLER_FILE_LIST" "$QUILLANE_BUILD/Quillane.ico"; do
        [ "$file" -ot "$SETUP" ] || return 1
    done
}

build_installer() {
    write_installer_file_list
    if installer_up_to_date; then
        log "Installer up to date: $SETUP"
        return
    fi
    makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$(project_version)" \
        -DFILE_LIST="$INSTALLER_FILE_LIST" \
        -DPROGRAM_ICON="$QUILLANE_BUILD/Quillane.ico" \
        -DOUTPUT="$SETUP" "$QUILLANE_ROOT/installer/Quillane.nsi"
    log "Installer: $SETUP"
}

project_version() {
    sed -n 's/^project(Quillane VERSION \([0-9.]*\).*/\1/p' "$QUILLANE_ROOT/CMakeLists.txt"
}

started=$SECONDS
install_missing_packages
PREFIX=$(toolchain_prefix)
log "Toolchain: $PREFIX"
build_native_files
cross_build "$PREFIX"
check_built_files
move_debug_information
remove_deployed_files
deploy_qt "$PREFIX"
deploy_mingw_runtime
deploy_fonts
check_imports
build_installer
log "Done in $((SECONDS - started)) s"
