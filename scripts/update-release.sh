#!/usr/bin/env bash
# Signing of update packages.
#
#   scripts/update-release.sh keygen KEY.pem
#       makes an Ed25519 key pair: the private key in KEY.pem (keep it off the build machines)
#       and prints the public key in hex, for cmake -DQUILLANE_UPDATE_PUBLIC_KEY=<hex>.
#   scripts/update-release.sh sign KEY.pem QUILLANE_UPDATE.ZIP VERSION QUILLANE_UPDATE.sig
#       writes the signature file that goes into the service's update folder beside the package
#       and the version file: "version=N", "sha256=HEX" (the signed manifest) and
#       "signature=BASE64".
#   scripts/update-release.sh development-key
#       prints the public key of this machine's development key, making the key first when there
#       is none; a development build without QUILLANE_UPDATE_PUBLIC_KEY carries it.
#   scripts/update-release.sh sign-development QUILLANE_UPDATE.ZIP VERSION QUILLANE_UPDATE.sig
#       signs a demonstration release with the development key.
set -euo pipefail

# The development key lives outside every clone, for the user alone.
DEVELOPMENT_KEY=${XDG_DATA_HOME:-$HOME/.local/share}/quillane-development/update-key.pem

usage() {
    sed -n '2,17p' "$0" >&2
    exit 2
}

development_key() {
    if [ ! -s "$DEVELOPMENT_KEY" ]; then
        mkdir -p -m 700 "$(dirname "$DEVELOPMENT_KEY")"
        (umask 077 && openssl genpkey -algorithm ed25519 -out "$DEVELOPMENT_KEY.part" &&
            mv "$DEVELOPMENT_KEY.part" "$DEVELOPMENT_KEY")
    fi
    public_key_hex "$DEVELOPMENT_KEY"
}

public_key_hex() {
    # The DER form of an Ed25519 public key ends with the 32 raw key bytes.
    openssl pkey -in "$1" -pubout -outform DER | tail -c 32 | od -An -tx1 | tr -d ' \n'
    echo
}

keygen() {
    local key=$1
    (umask 077 && openssl genpkey -algorithm ed25519 -out "$key")
    public_key_hex "$key"
}

sign() {
    local key=$1 package=$2 version=$3 out=$4
    if ! [[ $version =~ ^[0-9]+$ ]]; then
        echo "the version must be a decimal number: $version" >&2
        exit 2
    fi
    local sha
    sha=$(sha256sum "$package" | cut -d' ' -f1)
    manifest=$(mktemp)
    trap 'rm -f "$manifest"' EXIT
    printf 'version=%s\nsha256=%s\n' "$((10#$version))" "$sha" >"$manifest"
    {
        cat "$manifest"
        printf 'signature=%s\n' \
            "$(openssl pkeyutl -sign -rawin -inkey "$key" -in "$manifest" | base64 -w0)"
    } >"$out"
}

case "${1:-}" in
keygen) [ $# -eq 2 ] || usage; keygen "$2" ;;
sign) [ $# -eq 5 ] || usage; sign "$2" "$3" "$4" "$5" ;;
development-key) [ $# -eq 1 ] || usage; development_key ;;
sign-development) [ $# -eq 4 ] || usage; development_key >/dev/null; sign "$DEVELOPMENT_KEY" "$2" "$3" "$4" ;;
*) usage ;;
esac
