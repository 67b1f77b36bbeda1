#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. Then builds the unit
# and db tests once more with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of their own (ORVIK_BUILD_SANITIZE), and runs them: a
# memory fault or undefined behaviour that happens to pass fails there.
# ORVIK_SANITIZE_RUN=0 leaves that second run out. Arguments go to ctest.
set -euo pipefail
source "$(dirname "$0")/common.sh"
orvik_ensure_packages $ORVIK_PACKAGES_BUILD $ORVIK_PACKAGES_RUN $ORVIK_PACKAGES_TEST $ORVIK_PACKAGES_HEADLESS
orvik_build -DORVIK_BUILD_TESTS=ON
(cd "$ORVIK_BUILD" && ctest --output-on-failure -j "$(nproc)" "$@")

if [ "${ORVIK_SANITIZE_RUN:-1}" != 0 ]; then
    ORVIK_BUILD_SANITIZE="${ORVIK_BUILD_SANITIZE:-$ORVIK_ROOT/build-sanitize}"
    # Light optimisation and line tables only: the sanitized build is compiled
    # once per run, and its reports still name file and line.
    cmake -S "$ORVIK_ROOT" -B "$ORVIK_BUILD_SANITIZE" -G Ninja -DCMAKE_BUILD_TYPE= \
        -DCMAKE_CXX_FLAGS="-O1 -g1" -DCMAKE_C_FLAGS="-O1 -g1" \
        -DORVIK_BUILD_TESTS=ON -DORVIK_SANITIZE=ON
    cmake --build "$ORVIK_BUILD_SANITIZE" --target unit_db_tests
    cd "$ORVIK_BUILD_SANITIZE"
    ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
        ctest --output-on-failure -j "$(nproc)" -L '^(unit|db)$' -E '^startup_tests$' "$@"
fi
