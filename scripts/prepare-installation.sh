#!/usr/bin/env bash
# Prepares an installation folder: the server's program and defaults file under
# server/bin, its data under server/data with the three databases at the
# current schema version, and server/bin/client.cnf with the program's login
# and this installation's own random password. An installation that already
# has its data is left exactly as it is.
#   prepare-installation.sh FOLDER [PORT]
# Everything made here is its owner's alone (folders 0700, files 0600). Run as
# root for a folder of another user, the server runs as that user; a folder of
# root's own (containers, CI) keeps a server running as root.
set -euo pipefail
umask 077
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
# The server runs as the folder's owner; only root can make it someone else.
# Who talks to the server through its socket while preparing: root's own
# account, or the owner's (mariadb-install-db makes both socket-only).
ADMIN=$(id -un)
OWNER=$ADMIN
[ "$(id -u)" -eq 0 ] && OWNER=$(stat -c %U "$DIR")
chmod 0700 "$DIR"
mkdir -p "$BIN" "$DATA"
chmod 0700 "$DIR/server" "$BIN" "$DATA"

# The server creates its files 0600 and folders 0700 (its default is 0660).
cat > "$BIN/mysqld" <<WRAPPER
#!/bin/sh
UMASK=0600 UMASK_DIR=0700 exec "$SERVER" "\$@"
WRAPPER
chmod 0700 "$BIN/mysqld"

RUN_AS=""
[ "$(id -u)" -eq 0 ] && RUN_AS="user=$OWNER"
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
innodb_buffer_pool_size=48M
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

# The program's login gets a password of its own, known only to this file.
PASSWORD=$(head -c 1024 /dev/urandom | LC_ALL=C tr -dc 'A-Za-z0-9' | cut -c 1-32)
[ ${#PASSWORD} -eq 32 ] || { echo "Nu se poate genera parola bazei de date." >&2; exit 1; }
cat > "$BIN/client.cnf" <<CNF
# The program's login on this installation's server; read by the program,
# orvik-cli and the mariadb tools (--defaults-extra-file). Keep it 0600.
[client]
user=orvik
password=$PASSWORD
CNF

fail() {
    rm -rf "$DATA" "$BIN/client.cnf"
    echo "$1" >&2
    exit 1
}
# Prepared by root for another user: everything is that user's, before the
# server (running as that user) writes its log and socket here.
own() { if [ -n "$RUN_AS" ]; then chown -R "$OWNER": "$DIR/server"; fi; }
own

# No account answers without a password: root (and the owner's own account)
# only through the socket, as that system user.
UMASK=0600 UMASK_DIR=0700 mariadb-install-db --defaults-file="$BIN/my.cnf" \
    --auth-root-authentication-method=socket --auth-root-socket-user="$OWNER" \
    ${RUN_AS:+--user="$OWNER"} --skip-test-db > "$DIR/server/install.log" 2>&1 ||
    fail "Crearea bazei de date a esuat; vezi $DIR/server/install.log"

# Load the schema through a private socket, with the network closed.
"$BIN/mysqld" --defaults-file="$BIN/my.cnf" --skip-networking > /dev/null 2>&1 &
SERVER_PID=$!
CLIENT=(mariadb --no-defaults --protocol=socket --socket="$DIR/server/mysqld.sock" -u"$ADMIN")
for _ in $(seq 1 300); do
    "${CLIENT[@]}" -e "SELECT 1" > /dev/null 2>&1 && break
    sleep 0.1
done
if ! { echo "SET @orvik_password = '$PASSWORD';"
       cat "$ROOT/sql/schema.sql" "$ROOT/sql/change_log.sql" "$ROOT/sql/seed.sql" \
           "$ROOT/sql/nomenclature.sql" "$ROOT/sql/users.sql"; } | "${CLIENT[@]}"; then
    kill "$SERVER_PID"; wait "$SERVER_PID" || true
    fail "Incarcarea schemei a esuat."
fi
mariadb-admin --no-defaults --protocol=socket --socket="$DIR/server/mysqld.sock" -u"$ADMIN" shutdown
wait "$SERVER_PID" || true
own
echo "Instalare pregatita in $DIR (port $PORT)."
