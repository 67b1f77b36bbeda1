#!/bin/bash
# Draws the manual's pictures again with the snapshot programs, on a
# throwaway installation under a virtual screen of 1024x768:
#   doc/make-screenshots.sh BUILD_FOLDER IMAGES_FOLDER [PORT]
# (the CMake target manual_screenshots runs it). The server it starts is
# stopped at the end, whatever happens.
set -euo pipefail
build=$(realpath "$1")
images=$(realpath "$2")
port=${3:-3408}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d /tmp/orvik-manual-shots.XXXXXX)
inst="$work/inst"
shots="$work/shots"
mkdir -p "$shots"

stop_server() {
    local pidfile
    pidfile="$inst/server/mysqld.pid"
    if [ -n "$pidfile" ] && [ -s "$pidfile" ]; then
        local pid
        pid=$(cat "$pidfile")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -rf "$work"
}
trap stop_server EXIT

"$source_dir/scripts/prepare-installation.sh" "$inst" "$port"
# The tools that take no port expect the server running; a tool that stops
# it at its end leaves the next one without, so it is started before each.
answers() {
    mariadb --defaults-file="$inst/server/bin/client.cnf" -h127.0.0.1 -P"$port" -e "SELECT 1" \
        > /dev/null 2>&1
}
ensure_server() {
    answers && return 0
    (cd "$inst" && nohup ./server/bin/mysqld --defaults-file=server/bin/my.cnf > /dev/null 2>&1 &)
    for _ in $(seq 1 300); do
        answers && return 0
        sleep 0.1
    done
    echo "the server of $inst did not start" >&2
    return 1
}

tools="$build/tools"
# A tool waiting on a message nobody answers is stopped after two minutes.
run() {
    ensure_server
    timeout 120 xvfb-run -a -s "-screen 0 1024x768x24" "$@" || echo "failed: $1" >&2
}
run "$tools/health_snapshot" "$inst" "$port" "$shots"
run "$tools/leave_snapshot" "$inst" "$port" "$shots"
run "$tools/certificate_snapshot" "$inst" "$shots"
run "$tools/import_snapshot" "$inst" "$shots"
run "$tools/backup_snapshot" "$inst" "$shots/backup.png"
run "$build/tests/import/verify_snapshot" "$shots"
run "$tools/missing_sums_snapshot" "$inst" "$port" "$shots"
run "$tools/manual_snapshot" "$inst" "$port" "$shots"

# picture of a tool -> picture of the manual
while read -r from to; do
    if [ -f "$shots/$from" ]; then cp "$shots/$from" "$images/$to"; else echo "missing: $from" >&2; fi
done <<'LIST'
main_window_alone.png fereastra-principala.png
health_window.png sanatate.png
company_dialog.png societate.png
insured_list.png lista-asigurati.png
report_window.png rapoarte.png
step2-after-carry.png pasul-2.png
annex_files.png pasul-4.png
leave_window.png concedii.png
declaration_editor.png declaratie.png
certificate_initial.png certificat.png
import_panel.png import.png
import_saved.png import-salvat.png
verify_annex_a_errors.png verificare.png
backup.png copie-de-siguranta.png
LIST
echo "Pictures written to $images"
