#!/usr/bin/env bash
# Throwaway database server for the db tests.
#   test-server.sh start FOLDER   prepares FOLDER from sql/, starts the server on a
#                                 free port of 127.0.0.1 and writes the port to FOLDER/port
#   test-server.sh stop FOLDER    stops it and removes FOLDER
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
ACTION=${1:?start|stop}
DIR=${2:?folder}

stop_server() {
    if [ -f "$DIR/server/mysqld.pid" ]; then
        local pid
        pid=$(cat "$DIR/server/mysqld.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
}

case "$ACTION" in
start)
    stop_server
    rm -rf "$DIR"
    PORT=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
    "$ROOT/scripts/prepare-installation.sh" "$DIR" "$PORT" > /dev/null
    cd "$DIR"
    nohup ./server/bin/mysqld --defaults-file=server/bin/my.cnf > /dev/null 2>&1 &
    for _ in $(seq 1 300); do
        # The installation's own login (server/bin/client.cnf), as the program's.
        if mariadb --defaults-file=server/bin/client.cnf -h127.0.0.1 -P"$PORT" -e "SELECT 1" \
                > /dev/null 2>&1; then
            echo "$PORT" > "$DIR/port"
            echo "test server on 127.0.0.1:$PORT"
            exit 0
        fi
        sleep 0.1
    done
    echo "the test server did not start; its log:" >&2
    cat "$DIR/server/error.log" >&2 || true
    exit 1
    ;;
stop)
    stop_server
    rm -rf "$DIR"
    ;;
esac
