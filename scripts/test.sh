#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Exits non-zero on any failure.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_missing_packages
generate_korean_locale
build_project
(cd "$QUILLANE_BUILD" && ctest --output-on-failure --parallel "$(nproc)" -LE windows "$@")

# The Windows build under Wine: installed by its installer, first start, update, end of the
# session. Its toolchain takes longer to build than a run may last (docs/windows.md), so these
# run only on a machine where it is built already.
if bash "$QUILLANE_ROOT/scripts/windows-toolchain.sh" --cached >/dev/null 2>&1; then
    bash "$QUILLANE_ROOT/scripts/windows.sh"
    (cd "$QUILLANE_BUILD" && ctest --output-on-failure -L windows)
else
    echo "The Windows tests were not run: this machine has no Windows toolchain yet" \
        "(bash scripts/windows-toolchain.sh builds it; see docs/windows.md)."
fi

# The end of the session inside modal windows once more, with the program built with the address
# and undefined-behaviour sanitizers: a freed window touched on the way out aborts it.
build_sanitized_targets Quillane SessionEndInModalTest
cd "$QUILLANE_SANITIZED_BUILD"
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ctest --output-on-failure -R '^SessionEndInModalTest$'

# Every parser of outside bytes once over its fuzzing seeds, built with libFuzzer and the
# sanitizers in build-fuzz/ (scripts/fuzz.sh RUNS fuzzes for longer).
bash "$QUILLANE_ROOT/scripts/fuzz.sh"
