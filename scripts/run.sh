#!/usr/bin/env bash
# Installs what is missing, builds, prepares the installation folder (only when
# it does not exist yet) and starts the program from it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
orvik_ensure_packages $ORVIK_PACKAGES_BUILD $ORVIK_PACKAGES_RUN
orvik_build -DORVIK_BUILD_TESTS=OFF
INSTALL_DIR="${ORVIK_INSTALL_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/orvik-asigurati}"
"$ORVIK_ROOT/scripts/prepare-installation.sh" "$INSTALL_DIR"
cp "$ORVIK_BUILD/src/app/orvik-asigurati" "$INSTALL_DIR/orvik-asigurati"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Nu exista un ecran grafic (DISPLAY nu este setat)."
    echo "Programul se poate porni intr-un ecran virtual cu:"
    echo "  cd '$INSTALL_DIR' && xvfb-run -a ./orvik-asigurati"
    exit 1
fi
cd "$INSTALL_DIR"
exec ./orvik-asigurati
