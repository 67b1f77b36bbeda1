#!/usr/bin/env bash
# Installs what is missing, builds, prepares the installation folder (only when
# it does not exist yet) and starts the program from it; without a display, in
# a virtual screen (xvfb-run). The folder is ORVIK_INSTALL_DIR when set.
set -euo pipefail
source "$(dirname "$0")/common.sh"
orvik_ensure_packages $ORVIK_PACKAGES_BUILD $ORVIK_PACKAGES_RUN
orvik_build -DORVIK_BUILD_TESTS=OFF
INSTALL_DIR="${ORVIK_INSTALL_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/orvik-asigurati}"
ORVIK_CLI="$ORVIK_BUILD/src/cli/orvik-cli" "$ORVIK_ROOT/scripts/prepare-installation.sh" "$INSTALL_DIR"
cp "$ORVIK_BUILD/src/app/orvik-asigurati" "$INSTALL_DIR/orvik-asigurati"
cd "$INSTALL_DIR"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    orvik_ensure_packages $ORVIK_PACKAGES_HEADLESS
    echo "Nu exista un ecran grafic (DISPLAY nu este setat): programul porneste"
    echo "intr-un ecran virtual (xvfb-run), fara fereastra vizibila."
    exec xvfb-run -a ./orvik-asigurati
fi
exec ./orvik-asigurati
