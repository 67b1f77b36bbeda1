#!/usr/bin/env bash
# Prepares an installation folder: the server's program and defaults file under
# server/bin, its data under server/data with the three databases at the
# current schema version. An installation that already has its data is left
# exactly as it is.
#   prepare-installation.sh FOLDER [PORT]
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/.." && pwd)
DIR=${1:?usage: prepare-installation.sh FOLDER [PORT]}
PORT=${2:-3336}
mkdir -p "$DIR"
DIR=$(cd "$DIR" && pwd)
BIN="$DIR/server/bin"
DATA="$DIR/server/data"

if [ -d "$DATA/mysql" ]; then
    echo "Instalarea din $DIR exista deja; datele ei raman neatinse."
    exit 0
fi

SERVER=$(command -v mariadbd || echo /usr/sbin/mariadbd)
[ -x "$SERVER" ] || { echo "Lipseste serverul de baze de date (mariadbd)." >&2; exit 1; }
mkdir -p "$BIN" "$DATA"
ln -sf "$SERVER" "$BIN/mysqld"

RUN_AS=""
[ "$(id -u)" -eq 0 ] && RUN_AS="user=root"
cat > "$BIN/my.cnf" <<CNF
[mysqld]
$RUN_AS
bind-address=127.0.0.1
port=$PORT
socket=$DIR/server/mysqld.sock
pid-file=$DIR/server/mysqld.pid
datadir=$DATA
log-error=$DIR/server/error.log
lower_case_table_names=1
character-set-server=latin1
collation-server=latin1_swedish_ci
sql_mode=STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION
default-storage-engine=InnoDB
innodb_buffer_pool_size=16M
innodb_log_file_size=16M
innodb_log_buffer_size=1M
key_buffer_size=1M
max_connections=20
skip-name-resolve
performance_schema=OFF
local_infile=0
secure_file_priv=$DIR/server/files
tmpdir=$DIR/server/tmp
CNF
# The server's only folders for files and temporary tables (src/db/ServerSettings.cpp
# owns the lines above from innodb_buffer_pool_size on; keep the two alike).
mkdir -p -m 0700 "$DIR/server/files" "$DIR/server/tmp"

mariadb-install-db --defaults-file="$BIN/my.cnf" --auth-root-authentication-method=normal \
    --skip-test-db > "$DIR/server/install.log" 2>&1 || {
    echo "Crearea bazei de date a esuat; vezi $DIR/server/install.log" >&2
    rm -rf "$DATA"; exit 1; }

# Load the schema through a private socket, with the network closed.
"$BIN/mysqld" --defaults-file="$BIN/my.cnf" --skip-networking > /dev/null 2>&1 &
SERVER_PID=$!
CLIENT=(mariadb --no-defaults --protocol=socket --socket="$DIR/server/mysqld.sock" -uroot)
for _ in $(seq 1 300); do
    "${CLIENT[@]}" -e "SELECT 1" > /dev/null 2>&1 && break
    sleep 0.1
done
if ! cat "$ROOT/sql/schema.sql" "$ROOT/sql/change_log.sql" "$ROOT/sql/seed.sql" \
        "$ROOT/sql/nomenclature.sql" "$ROOT/sql/users.sql" | "${CLIENT[@]}"; then
    kill "$SERVER_PID"; wait "$SERVER_PID" || true
    rm -rf "$DATA"
    echo "Incarcarea schemei a esuat." >&2
    exit 1
fi
mariadb-admin --no-defaults --protocol=socket --socket="$DIR/server/mysqld.sock" -uroot shutdown
wait "$SERVER_PID" || true
echo "Instalare pregatita in $DIR (port $PORT)."
