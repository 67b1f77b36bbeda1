#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
source "$(dirname "$0")/common.sh"
orvik_ensure_packages $ORVIK_PACKAGES_BUILD $ORVIK_PACKAGES_RUN $ORVIK_PACKAGES_TEST
orvik_build -DORVIK_BUILD_TESTS=ON
cd "$ORVIK_BUILD"
ctest --output-on-failure -j "$(nproc)" "$@"
