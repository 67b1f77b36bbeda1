#!/usr/bin/env bash
# Prepares an installation folder (an existing one is left exactly as it is):
#   prepare-installation.sh FOLDER [PORT]
# The work is orvik-cli's `installation create`, the same the program's first
# start does: ORVIK_CLI when set, else the one built in the build folder
# (ORVIK_BUILD, build/ by default), else the one on PATH.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR=${1:?usage: prepare-installation.sh FOLDER [PORT]}
PORT=${2:-3336}

CLI=${ORVIK_CLI:-}
if [ -z "$CLI" ]; then
    CLI="${ORVIK_BUILD:-$ROOT/build}/src/cli/orvik-cli"
    [ -x "$CLI" ] || CLI=$(command -v orvik-cli || true)
fi
if [ -z "$CLI" ] || [ ! -x "$CLI" ]; then
    echo "Lipseste orvik-cli: construieste intai programul (./scripts/run.sh)." >&2
    exit 1
fi
exec "$CLI" installation create "$DIR" --port "$PORT"
