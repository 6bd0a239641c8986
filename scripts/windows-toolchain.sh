#!/usr/bin/env bash
# Builds what the Windows build of the program links -- Qt's base modules, SQLite, zlib, libzip,
# libsodium, gumbo and libmdb -- with MinGW-w64 (x86_64, posix threads) from Debian's source
# packages, into a prefix cached outside the clone and keyed by the versions. A prefix built
# before is reused at once. Prints the prefix last. With --cached it builds nothing and fails
# when the prefix is not built yet.
set -euo pipefail

QUILLANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Source packages, in build order: Debian 12's versions, except gumbo-parser and mdbtools, whose
# Debian 12 tarballs the archive here does not serve; theirs come from the next release.
PACKAGES=(
    "zlib 1:1.2.13.dfsg-1"
    "sqlite3 3.40.1-2+deb12u2"
    "qt6-base 6.4.2+dfsg-10"
    "libzip 1.7.3-1"
    "libsodium 1.0.18-1+deb12u1"
    "gumbo-parser 0.13.0+dfsg-2"
    "mdbtools 1.0.1-0.1"
)
NEXT_RELEASE=trixie
# Raised whenever the build steps below change what lands in the prefix.
RECIPE=1

HOST_PACKAGES=(cmake ninja-build ccache make patch autoconf automake libtool pkg-config tcl
    dpkg-dev gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools)
TRIPLET=x86_64-w64-mingw32
JOBS=$(nproc)

log() { printf '[%s] %s\n' "$(date +%T)" "$*"; }

install_missing_host_packages() {
    local missing=()
    for package in "${HOST_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return
    log "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

cache_key() {
    {
        printf '%s\n' "${PACKAGES[@]}"
        echo "recipe $RECIPE"
        "$TRIPLET-g++-posix" --version | head -n 1
        sha256sum <"$QUILLANE_ROOT/cmake/MinGWToolchain.cmake"
    } | sha256sum | cut -c 1-16
}

# deb-src lines for the archive this machine installs Debian from (both formats of apt's
# sources), and for the next release from the same archive.
write_source_list() {
    local codename
    # shellcheck disable=SC1091 # the system's file
    codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
    {
        for file in /etc/apt/sources.list.d/*.sources; do
            [ -e "$file" ] || continue
            awk 'BEGIN { RS = ""; FS = "\n" }
                /debian-archive-keyring/ && /(^|\n)Types:[^\n]*deb/ {
                    uris = suites = components = key = ""
                    for (i = 1; i <= NF; i++) {
                        field = substr($i, 1, index($i, ":") - 1)
                        value = substr($i, index($i, ":") + 1)
                        sub(/^ +/, "", value)
                        if (field == "URIs") uris = value
                        if (field == "Suites") suites = value
                        if (field == "Components") components = value
                        if (field == "Signed-By") key = value
                    }
                    n = split(suites, s, / +/)
                    for (j = 1; j <= n; j++)
                        printf "deb-src [signed-by=%s] %s %s %s\n", key, uris, s[j], components
                }' "$file"
        done
        for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
            [ -e "$file" ] || continue
            sed -n 's/^deb \(.*debian.*\)$/deb-src \1/p' "$file"
        done
    } | sort -u >"$APT_DIR/sources.list"
    local next
    next=$(awk -v c="$codename" -v next_release="$NEXT_RELEASE" '$0 ~ " " c " " {
        sub(" " c " ", " " next_release " "); print; exit }' "$APT_DIR/sources.list")
    echo "$next" >>"$APT_DIR/sources.list"
    if ! grep -q " $NEXT_RELEASE " "$APT_DIR/sources.list"; then
        echo "No Debian archive for $codename found in apt's sources" >&2
        exit 1
    fi
}

private_apt() {
    apt-get -o Dir::Etc::SourceList="$APT_DIR/sources.list" -o Dir::Etc::SourceParts=/dev/null \
        -o Dir::State::Lists="$APT_DIR/lists" -o Dir::Cache="$APT_DIR/cache" \
        -o APT::Sandbox::User=root "$@"
}

update_source_index() {
    mkdir -p "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
    write_source_list
    private_apt update -qq
}

# Unpacks NAME=VERSION into $WORK/src/NAME with Debian's patches applied. Where the archive lacks
# the .dsc, the verified upstream tarball is unpacked and the Debian patches, when their tarball
# arrived, are applied by hand.
fetch_source() {
    local name=$1 version=$2
    local download=$WORK/download/$name
    [ -d "$WORK/src/$name" ] && return
    rm -rf "$download" && mkdir -p "$download" "$WORK/src"
    if (cd "$download" && private_apt source -q "$name=$version"); then
        mv "$(find "$download" -mindepth 1 -maxdepth 1 -type d)" "$WORK/src/$name"
        return
    fi
    local upstream
    upstream=$(find "$download" -maxdepth 1 -name "*.orig.tar.*")
    if [ -z "$upstream" ]; then
        echo "The archive serves no source of $name $version" >&2
        exit 1
    fi
    log "$name: no complete source package in the archive; using its upstream tarball"
    mkdir "$download/unpacked"
    tar -xf "$upstream" -C "$download/unpacked"
    local tree
    tree=$(find "$download/unpacked" -mindepth 1 -maxdepth 1 -type d)
    for debian in "$download"/*.debian.tar.*; do
        [ -e "$debian" ] || continue
        tar -xf "$debian" -C "$tree"
        [ -f "$tree/debian/patches/series" ] || continue
        grep -v '^#' "$tree/debian/patches/series" | while read -r patch _; do
            [ -n "$patch" ] && patch -d "$tree" -p1 -s <"$tree/debian/patches/$patch"
        done
    done
    mv "$tree" "$WORK/src/$name"
}

# Each build step runs in its package's source folder; its output goes to a log of its own.
build_zlib() {
    local objects=()
    for source in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast \
        inflate inftrees trees uncompr zutil; do
        "${CC[@]}" -O2 -c "$source.c" -o "$source.o"
        objects+=("$source.o")
    done
    "$TRIPLET-ar" rcs libz.a "${objects[@]}"
    install -D -m 644 libz.a "$PREFIX/lib/libz.a"
    install -D -m 644 -t "$PREFIX/include" zlib.h zconf.h
    sed -e "s|@prefix@|$PREFIX|" -e 's|@exec_prefix@|${prefix}|' -e 's|@libdir@|${prefix}/lib|' \
        -e 's|@sharedlibdir@|${prefix}/lib|' -e 's|@includedir@|${prefix}/include|' \
        -e "s|@VERSION@|$(sed -n 's/^#define ZLIB_VERSION "\(.*\)"/\1/p' zlib.h)|" \
        zlib.pc.in | install -D -m 644 /dev/stdin "$PREFIX/lib/pkgconfig/zlib.pc"
}

# Debian's compile-time options for SQLite, less the loading of extensions.
SQLITE_CFLAGS="-O2 -fno-strict-aliasing -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA
    -DSQLITE_ENABLE_FTS3 -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_RTREE=1
    -DSQLITE_SOUNDEX=1 -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_OMIT_LOOKASIDE=1
    -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ALLOW_ROWID_IN_VIEW -DSQLITE_ENABLE_UPDATE_DELETE_LIMIT=1
    -DSQLITE_ENABLE_JSON1 -DSQLITE_LIKE_DOESNT_MATCH_BLOBS -DSQLITE_THREADSAFE=1
    -DSQLITE_USE_URI=1 -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_ENABLE_PREUPDATE_HOOK
    -DSQLITE_ENABLE_SESSION -DSQLITE_ENABLE_STMTVTAB -DSQLITE_MAX_VARIABLE_NUMBER=250000"

# The amalgamation is generated on the host (its generators run there), then compiled into a DLL
# that exports the API.
build_sqlite3() {
    mkdir -p amalgamation && cd amalgamation
    ../configure --disable-tcl --disable-readline
    make -j "$JOBS" sqlite3.c
    # shellcheck disable=SC2086 # the options are words
    "${CC[@]}" $SQLITE_CFLAGS -DSQLITE_ENABLE_FTS5 -DSQLITE_ENABLE_MATH_FUNCTIONS \
        "-DSQLITE_API=__declspec(dllexport)" -shared sqlite3.c -o libsqlite3-0.dll \
        -Wl,--out-implib,libsqlite3.dll.a
    install -D -m 755 -t "$PREFIX/bin" libsqlite3-0.dll
    install -D -m 644 -t "$PREFIX/lib" libsqlite3.dll.a
    install -D -m 644 -t "$PREFIX/include" sqlite3.h ../src/sqlite3ext.h
    local version
    version=$(sed -n 's/^#define SQLITE_VERSION *"\(.*\)"/\1/p' sqlite3.h)
    printf '%s\n' "prefix=$PREFIX" 'libdir=${prefix}/lib' 'includedir=${prefix}/include' '' \
        'Name: SQLite' 'Description: SQL database engine' "Version: $version" \
        'Libs: -L${libdir} -lsqlite3' 'Cflags: -I${includedir}' |
        install -D -m 644 /dev/stdin "$PREFIX/lib/pkgconfig/sqlite3.pc"
}

build_qt6_base() {
    # Without Direct2D, Qt 6.4.2's Gui leaves out the DirectWrite font database that the windows
    # plugin still creates when asked to; the plugin keeps to its default GDI font database then.
    sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
        src/plugins/platforms/windows/qwindowsintegration.cpp
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DQUILLANE_MINGW_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_png=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_system_sqlite=ON -DFEATURE_sql_sqlite=ON -DFEATURE_sql_odbc=ON \
        -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF -DFEATURE_sql_ibase=OFF \
        -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF -DFEATURE_icu=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_testlib=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_direct2d=OFF -DFEATURE_tuiotouch=OFF
    cmake --build build --parallel "$JOBS"
    cmake --install build
}

build_libzip() {
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN_FILE" -DQUILLANE_MINGW_PREFIX="$PREFIX" \
        -DCMAKE_INSTALL_PREFIX="$PREFIX" -DCMAKE_C_COMPILER_LAUNCHER=ccache \
        -DBUILD_SHARED_LIBS=ON -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF \
        -DENABLE_OPENSSL=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_COMMONCRYPTO=OFF \
        -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
    cmake --build build --parallel "$JOBS"
    cmake --install build
}

build_libsodium() {
    autoreconf -fi
    ./configure --host="$TRIPLET" --prefix="$PREFIX" --disable-shared --enable-static \
        CC="${CC[*]}"
    make -j "$JOBS"
    make install
}

# Its autotools files want an Autoconf newer than Debian 12's; the C sources build as they are.
build_gumbo_parser() {
    local objects=()
    for source in src/*.c; do
        "${CC[@]}" -O2 -Wall -c "$source" -o "${source%.c}.o"
        objects+=("${source%.c}.o")
    done
    "$TRIPLET-ar" rcs libgumbo.a "${objects[@]}"
    install -D -m 644 -t "$PREFIX/lib" libgumbo.a
    install -D -m 644 -t "$PREFIX/include" src/gumbo.h src/tag_enum.h
    sed -e "s|@prefix@|$PREFIX|" -e 's|@exec_prefix@|${prefix}|' -e 's|@libdir@|${prefix}/lib|' \
        -e 's|@includedir@|${prefix}/include|' -e 's|@LIBS@||' \
        -e "s|@PACKAGE_VERSION@|$(sed -n 's/^AC_INIT(\[gumbo\], \[\([^]]*\)\].*/\1/p' configure.ac)|" \
        gumbo.pc.in | install -D -m 644 /dev/stdin "$PREFIX/lib/pkgconfig/gumbo.pc"
}

# Only the library, with mdbtools' own small GLib stand-in for GLib. For MinGW its configure script
# names the POSIX locale type, which MinGW lacks (the library's Windows code uses the C runtime's
# _locale_t), and renames _spawnv for older MinGW headers, which clashes with these.
build_mdbtools() {
    sed -i 's/\[\*mingw\*\], \[LDFLAGS="$LDFLAGS -no-undefined" CFLAGS="$CFLAGS -D_spawnv=spawnv"\]/[*mingw*], [LDFLAGS="$LDFLAGS -no-undefined" LOCALE_T=_locale_t]/' \
        configure.ac
    grep -q 'LOCALE_T=_locale_t' configure.ac
    autoreconf -fi
    ./configure --host="$TRIPLET" --prefix="$PREFIX" --disable-shared --enable-static \
        --disable-glib --disable-iconv --disable-man CC="${CC[*]}"
    make -j "$JOBS" -C src/libmdb
    make -C src/libmdb install
    make -C include install
    make install-pkgconfigDATA
}

build_package() {
    local name=$1 version=$2 started=$SECONDS
    if [ -e "$WORK/done/$name" ]; then
        log "$name $version: built before"
        return
    fi
    log "$name $version: start"
    fetch_source "$name" "$version" >>"$WORK/logs/$name.log" 2>&1
    # Not a condition, so that errexit stays in force inside the build step.
    local status
    set +e
    (
        set -e
        cd "$WORK/src/$name"
        "build_${name//-/_}"
    ) >>"$WORK/logs/$name.log" 2>&1
    status=$?
    set -e
    if [ $status -ne 0 ]; then
        tail -n 30 "$WORK/logs/$name.log" >&2
        log "$name $version: FAILED, log in $WORK/logs/$name.log"
        exit 1
    fi
    touch "$WORK/done/$name"
    log "$name $version: done in $((SECONDS - started)) s"
}

install_missing_host_packages
CACHE_ROOT=${XDG_CACHE_HOME:-$HOME/.cache}/quillane/mingw-w64
KEY=$(cache_key)
PREFIX=$CACHE_ROOT/$KEY
if [ -e "$PREFIX/.complete" ]; then
    echo "$PREFIX"
    exit 0
fi
if [ "${1:-}" = --cached ]; then
    echo "The Windows toolchain is not built yet in $PREFIX" >&2
    exit 1
fi
WORK=$CACHE_ROOT/$KEY.work
APT_DIR=$CACHE_ROOT/apt
TOOLCHAIN_FILE=$PREFIX/share/quillane/MinGWToolchain.cmake
CC=(ccache "$TRIPLET-gcc-posix")
# A compiler cache of its own keeps these objects out of the program's cache.
export CCACHE_DIR=$CACHE_ROOT/ccache CCACHE_BASEDIR=$WORK CCACHE_NOHASHDIR=1 CCACHE_MAXSIZE=4G

mkdir -p "$WORK/done" "$WORK/logs" "$APT_DIR"
install -D -m 644 "$QUILLANE_ROOT/cmake/MinGWToolchain.cmake" "$TOOLCHAIN_FILE"
started=$SECONDS
log "Windows toolchain $KEY into $PREFIX"
update_source_index
for entry in "${PACKAGES[@]}"; do
    read -r name version <<<"$entry"
    build_package "$name" "$version"
done
touch "$PREFIX/.complete"
rm -rf "$WORK"
log "Windows toolchain done in $(((SECONDS - started) / 60)) min $(((SECONDS - started) % 60)) s"
echo "$PREFIX"
