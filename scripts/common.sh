# Shared steps of the run and test commands: install missing packages, configure, build.
set -euo pipefail

QUILLANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUILLANE_BUILD=${QUILLANE_BUILD:-$QUILLANE_ROOT/build}
QUILLANE_SANITIZED_BUILD=${QUILLANE_SANITIZED_BUILD:-$QUILLANE_ROOT/build-asan}
# Clones in other folders share the compiler cache.
export CCACHE_BASEDIR=$QUILLANE_ROOT CCACHE_NOHASHDIR=1

install_missing_packages() {
    local wanted missing=()
    wanted=$(grep -v '^#' "$QUILLANE_ROOT/scripts/packages.txt")
    for package in $wanted; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
    fi
}

# The Windows layer's tests run under Wine in code page 949, which needs the Korean UTF-8 locale.
generate_korean_locale() {
    if locale -a 2>/dev/null | grep -qix 'ko_KR.utf8'; then
        return
    fi
    echo "Generating the locale ko_KR.UTF-8"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -qx 'ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen
}

build_project() {
    cmake -S "$QUILLANE_ROOT" -B "$QUILLANE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build "$QUILLANE_BUILD" --parallel "$(nproc)"
}

build_sanitized_targets() {
    cmake -S "$QUILLANE_ROOT" -B "$QUILLANE_SANITIZED_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        "-DQUILLANE_SANITIZE=address;undefined"
    cmake --build "$QUILLANE_SANITIZED_BUILD" --parallel "$(nproc)" --target "$@"
}
