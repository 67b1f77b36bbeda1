#!/usr/bin/env bash
# The Debian package as a user's machine gets it: made by cpack from this
# build, unpacked with dpkg-deb into a throwaway root, its files checked in
# their places and its programs started from there.
#   package-test.sh BUILD_FOLDER SOURCE_FOLDER
# Needs the programs built (cpack installs what the build made).
set -euo pipefail
BUILD=$(cd "${1:?build folder}" && pwd)
SOURCE=$(cd "${2:?source folder}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvik-package.XXXXXX")
ROOT="$WORK/root"
INSTALLATION="$WORK/installation"

stop_server() {
    local pidfile="$INSTALLATION/server/mysqld.pid"
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    kill "$pid" 2> /dev/null || return 0
    for _ in $(seq 1 300); do kill -0 "$pid" 2> /dev/null || break; sleep 0.1; done
}
cleanup() {
    stop_server
    rm -rf "$WORK"
}
trap cleanup EXIT

failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}
# Stops at once: nothing after it can be checked.
fatal() {
    echo "FAILED: $*" >&2
    exit 1
}
for tool in cpack dpkg-deb dpkg-shlibdeps file desktop-file-validate lintian groff timeout; do
    command -v "$tool" > /dev/null ||
        fatal "$tool is missing (scripts/common.sh lists the packages the tests need)"
done

# The program's one version constant names the package.
version=$(sed -n 's/.*kProgramVersion *= *"\([^"]*\)".*/\1/p' "$SOURCE/src/domain/ProgramVersion.h")
[ -n "$version" ] || fatal "no version in src/domain/ProgramVersion.h"
arch=$(dpkg --print-architecture)
deb="$WORK/out/orvik-asigurati_${version}_${arch}.deb"
if ! (cd "$BUILD" && cpack -G DEB -B "$WORK/out") > "$WORK/cpack.log" 2>&1; then
    cat "$WORK/cpack.log" >&2
    fatal "cpack -G DEB failed"
fi
[ -f "$deb" ] || fatal "cpack made no $(basename "$deb"), only: $(ls "$WORK/out")"
dpkg-deb -x "$deb" "$ROOT" || fatal "dpkg-deb -x cannot unpack the package"

# Control fields: what it is, who made it, what it needs at run time (the
# libraries found by dpkg-shlibdeps and the packages named by hand).
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = orvik-asigurati ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), the program says $version"
for name in Maintainer Section Description Homepage; do
    [ -n "$(field "$name")" ] || fail "no $name field"
done
depends=", $(field Depends),"
for package in mariadb-server mariadb-client fonts-liberation2 libqt6widgets6 libqt6printsupport6 \
    libmariadb3; do
    [[ $depends == *", $package"[\ ,]* ]] || fail "Depends lacks $package: $depends"
done

# Every file in its place.
usr="$ROOT/usr"
for path in bin/orvik-asigurati bin/orvik-cli; do
    [ -x "$usr/$path" ] || fail "/usr/$path is not there or cannot be run"
    file "$usr/$path" | grep -q ", stripped" || fail "/usr/$path is not stripped"
done
for sql in schema change_log seed nomenclature users; do
    cmp -s "$SOURCE/sql/$sql.sql" "$usr/share/orvik-asigurati/sql/$sql.sql" ||
        fail "/usr/share/orvik-asigurati/sql/$sql.sql differs from sql/$sql.sql or is missing"
done
icons="$usr/share/icons/hicolor"
grep -q "<svg" "$icons/scalable/apps/orvik-asigurati.svg" 2> /dev/null ||
    fail "no SVG icon in hicolor/scalable/apps"
for size in 16 22 24 32 48 64 128 256; do
    file "$icons/${size}x${size}/apps/orvik-asigurati.png" 2> /dev/null |
        grep -q "PNG image data, $size x $size," ||
        fail "hicolor/${size}x${size}/apps/orvik-asigurati.png is not a $size px PNG"
done
# The user manual, a page for each chapter of doc/manual, once there is one.
if [ -d "$SOURCE/doc/manual" ]; then
    for chapter in "$SOURCE"/doc/manual/*.md; do
        page=$(basename "$chapter" .md).html
        [ -s "$usr/share/orvik-asigurati/manual/$page" ] ||
            fail "/usr/share/orvik-asigurati/manual/$page is not there"
    done
fi
doc="$usr/share/doc/orvik-asigurati"
grep -q "Copyright" "$doc/copyright" 2> /dev/null || fail "no copyright file"
gzip -t "$doc/changelog.gz" 2> /dev/null || fail "no changelog.gz"
for page in orvik-cli orvik-asigurati; do
    man="$WORK/$page.1"
    zcat "$usr/share/man/man1/$page.1.gz" > "$man" 2> /dev/null ||
        { fail "no manual page $page.1.gz"; continue; }
    # The version filled in, and groff reads it without a warning.
    grep -q "@ORVIK_VERSION@" "$man" && fail "$page.1 still has @ORVIK_VERSION@"
    warnings=$(LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 "$man" 2>&1) || fail "groff cannot read $page.1"
    [ -z "$warnings" ] || fail "groff on $page.1: $warnings"
done

# Both programs say who they are before anything else: no display, no
# installation, and nothing written in the empty home.
mkdir -p "$WORK/home"
# A program that waits for someone (a message box) is stopped after `limit`
# seconds and fails with status 124, instead of holding the whole run.
limit=60
run() {
    (cd "$WORK/home" &&
        timeout "$limit" env -i PATH=/usr/bin:/bin HOME="$WORK/home" QT_QPA_PLATFORM=offscreen "$@")
}
out=$(run "$usr/bin/orvik-cli" --version) || fail "orvik-cli --version exits $?"
[ "$out" = "orvik-cli (Orvik Asigurati) $version" ] || fail "orvik-cli --version said: $out"
out=$(run "$usr/bin/orvik-asigurati" --version 2>&1) || fail "orvik-asigurati --version exits $?"
[ "$out" = "Orvik Asigurati $version" ] || fail "orvik-asigurati --version said: $out"
[ -z "$(ls -A "$WORK/home")" ] || fail "--version wrote into the home: $(ls -A "$WORK/home")"

# The manual page names every command orvik-cli has.
help=$(run "$usr/bin/orvik-cli" --help) || fail "orvik-cli --help exits $?"
commands=$(sed -n 's/^  orvik-cli \([a-z][a-z-]*\) .*/\1/p' <<< "$help" | sort -u)
[ -n "$commands" ] || fail "orvik-cli --help lists no command: $help"
for command in $commands; do
    grep -q "^\.B orvik-cli $command " "$WORK/orvik-cli.1" ||
        fail "the manual page of orvik-cli does not describe '$command'"
done

# The menu entry: valid, and what it starts and shows is in the package.
desktop="$usr/share/applications/orvik-asigurati.desktop"
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate refuses the menu entry"
    grep -qx "Categories=Office;" "$desktop" || fail "the menu entry is not in Office"
    grep -qx "Exec=orvik-asigurati" "$desktop" || fail "the menu entry does not start orvik-asigurati"
    grep -qx "Icon=orvik-asigurati" "$desktop" || fail "the menu entry does not show the icon"
else
    fail "no /usr/share/applications/orvik-asigurati.desktop"
fi

# Debian's own checks: no error (warnings are printed, not failed).
if ! lintian --fail-on error "$deb" > "$WORK/lintian.log" 2>&1; then
    fail "lintian finds errors"
fi
grep -E "^[EW]: " "$WORK/lintian.log" >&2 || true

# A new installation prepared by the unpacked orvik-cli from the package's
# own files, once orvik-cli has the command.
if grep -q "^  orvik-cli installation create" <<< "$help"; then
    # The database server initialises its data: slower on a busy machine.
    limit=180
    if run "$usr/bin/orvik-cli" installation create "$INSTALLATION" --port 3407 \
        > "$WORK/create.log" 2>&1; then
        [ -f "$INSTALLATION/server/bin/my.cnf" ] || fail "installation create made no my.cnf"
        [ -d "$INSTALLATION/server/data/mysql" ] || fail "installation create made no data"
        [ "$(stat -c %a "$INSTALLATION")" = 700 ] || fail "the installation folder is not 0700"
    else
        cat "$WORK/create.log" >&2
        fail "orvik-cli installation create failed"
    fi
else
    echo "orvik-cli has no installation command: installation create left out"
fi

# The first start of the unpacked program from an empty home, as a user meets
# it: the question is answered "Da" by its key (Alt+D) in a virtual screen, the
# installation is made in the default folder and the main window comes up on
# a database at the current schema version. It uses the program's own port,
# so it is left out when something already listens there.
first_start() {
    local home="$WORK/first-home" default schema
    default="$home/.local/share/orvik-asigurati"
    mkdir -p "$home"
    if (exec 3<> /dev/tcp/127.0.0.1/3336) 2> /dev/null; then
        echo "port 3336 is in use: the first start from the package left out"
        return 0
    fi
    timeout 240 xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        env -i PATH=/usr/bin:/bin HOME="$1" DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" \
            QT_QPA_PLATFORM=xcb "$2" > "$3/first-start.log" 2>&1 &
        app=$!
        window=""
        for _ in $(seq 1 150); do
            window=$(xdotool search --onlyvisible --name "^Orvik client$" 2> /dev/null | head -1)
            [ -n "$window" ] && break
            sleep 0.2
        done
        [ -n "$window" ] || { echo "no first-start question"; kill $app; exit 1; }
        xdotool windowfocus --sync "$window"
        xdotool key --window "$window" alt+d
        for _ in $(seq 1 900); do
            xdotool search --onlyvisible --name "^Orvik Asigurati$" > /dev/null 2>&1 && break
            kill -0 $app 2> /dev/null || break
            sleep 0.2
        done
        xdotool search --onlyvisible --name "^Orvik Asigurati$" > /dev/null 2>&1 ||
            { echo "no main window after Da"; kill $app; exit 1; }
        # The main window shows first, then starts the server: ask until it answers.
        for _ in $(seq 1 300); do
            mariadb --defaults-extra-file="$4/server/bin/client.cnf" --protocol=tcp \
                -h 127.0.0.1 -P 3336 -N -e \
                "SELECT setare FROM asigurati.setari WHERE denumire=\"versiune\"" \
                > "$3/schema.txt" 2> /dev/null && break
            sleep 0.2
        done
        kill $app
        wait $app
        exit 0
    ' first-start "$home" "$usr/bin/orvik-asigurati" "$WORK" "$default" ||
        { cat "$WORK/first-start.log" >&2; fail "the first start from the package did not come up"; return 0; }
    [ -d "$default/server/data/mysql" ] || fail "the first start made no installation in $default"
    [ "$(stat -c %a "$default")" = 700 ] || fail "the first start's folder is not 0700"
    schema=$(sed -n 's/.*kCurrentSchemaVersion *= *"\([^"]*\)".*/\1/p' "$SOURCE/src/db/SchemaUpgrade.h")
    [ "$(cat "$WORK/schema.txt" 2> /dev/null)" = "$schema" ] ||
        fail "after the first start the schema is '$(cat "$WORK/schema.txt" 2> /dev/null)', not $schema"
    INSTALLATION="$default" stop_server
}
if command -v xvfb-run > /dev/null && command -v xdotool > /dev/null; then
    first_start
else
    fail "xvfb-run and xdotool are needed for the first start (scripts/common.sh lists them)"
fi

[ "$failures" -eq 0 ] || fatal "$failures checks of the package failed"
echo "package $(basename "$deb") checked"
