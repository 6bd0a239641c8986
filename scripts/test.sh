#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
build_project
cd "$QUILLANE_BUILD"
ctest --output-on-failure --parallel "$(nproc)" "$@"
