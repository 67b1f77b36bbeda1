# Shared by the run and test commands: the Debian packages the program needs,
# and the build. Sourced, not run.
ORVIK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ORVIK_BUILD="${ORVIK_BUILD:-$ORVIK_ROOT/build}"

# libxkbcommon-dev: Qt's CMake files look for XKB and report it missing otherwise.
ORVIK_PACKAGES_BUILD="cmake ninja-build g++ pkg-config qt6-base-dev libgl-dev libxkbcommon-dev libmariadb-dev"
ORVIK_PACKAGES_RUN="mariadb-server mariadb-client fonts-liberation2"
# A virtual screen for machines without a display (xvfb-run needs xauth).
ORVIK_PACKAGES_HEADLESS="xvfb xauth"
# The package test makes the Debian package (dpkg-shlibdeps and file for its
# dependencies) and checks it (desktop-file-validate, lintian, groff).
ORVIK_PACKAGES_TEST="libgtest-dev libgmock-dev libbenchmark-dev python3 python3-stdnum python3-dbfread gdal-bin libshp-dev shapelib poppler-utils locales dpkg-dev file desktop-file-utils lintian groff-base xdotool"

orvik_missing_packages() {
    local p missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    echo "$missing"
}

# Installs what is missing when root; otherwise prints the line to run and fails.
orvik_ensure_packages() {
    local missing
    missing=$(orvik_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Lipsesc pachete. Ruleaza ca root:"
        echo "  apt-get install -y$missing"
        return 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q && apt-get install -y -q --no-install-recommends $missing
}

orvik_build() {
    cmake -S "$ORVIK_ROOT" -B "$ORVIK_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" &&
        cmake --build "$ORVIK_BUILD"
}
