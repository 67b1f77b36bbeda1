#!/usr/bin/env bash
# Renders the icon's PNG sizes from its drawing, after a change to
# packaging/icons/orvik-asigurati.svg (needs rsvg-convert, Debian's
# librsvg2-bin). The PNGs are kept in the repository, so a build needs neither.
set -euo pipefail
ICONS="$(cd "$(dirname "$0")" && pwd)/icons"
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$ICONS/orvik-asigurati.svg" -o "$ICONS/orvik-asigurati-$size.png"
done
