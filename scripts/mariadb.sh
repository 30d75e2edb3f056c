#!/bin/sh
# A private MariaDB server for the ODBC tests: its own data folder, socket and
# port on 127.0.0.1, and a fresh server with the same databases on every
# start. Root runs it as the ordinary `mysql` user, anyone else as themselves.
# `start` leaves the tests' ODBC connect string in $ROOT/connect; `stop` is
# harmless when nothing runs.
set -eu

ROOT=${TABLOOM_MARIADB_ROOT:-/tmp/tabloom-mariadb}
PORT=${TABLOOM_MARIADB_PORT:-33329}
DATA=$ROOT/data
SOCKET=$ROOT/server.sock
PIDFILE=$ROOT/server.pid
DATABASE=tabloom_test
# Writes need not survive a crash of a server that lives for one test run.
SERVER_OPTIONS="--no-defaults --datadir=$DATA --skip-name-resolve --innodb-flush-log-at-trx-commit=0
    --innodb-doublewrite=0 --innodb-buffer-pool-size=32M"

is_root() { [ "$(id -u)" -eq 0 ]; }

as_server_user() {
    # From a folder the server's user may enter.
    if is_root; then (cd / && runuser -u mysql -- "$@"); else "$@"; fi
}

sql_as_root() {
    as_server_user mariadb --no-defaults -S "$SOCKET" -u root "$@"
}

running() {
    [ -S "$SOCKET" ] && as_server_user mariadb-admin --no-defaults -S "$SOCKET" -u root ping >/dev/null 2>&1
}

create_databases() {
    # An ordinary user who can see a second database: the catalogue must list
    # only the one it connected to. Tables Item and item differ in case only,
    # and several indexes are named after their first column, as the server
    # names an index (a foreign key's too) that is given no name.
    sql_as_root <<'SQL'
CREATE DATABASE tabloom_test CHARACTER SET utf8mb4;
CREATE DATABASE tabloom_other CHARACTER SET utf8mb4;
CREATE USER 'tabloom'@'127.0.0.1' IDENTIFIED BY 'secret';
GRANT ALL ON tabloom_test.* TO 'tabloom'@'127.0.0.1';
GRANT ALL ON tabloom_other.* TO 'tabloom'@'127.0.0.1';
CREATE TABLE tabloom_other.elsewhere (n INT PRIMARY KEY);
USE tabloom_test;
CREATE TABLE kinds (
  id INT PRIMARY KEY,
  tiny TINYINT, tiny_u TINYINT UNSIGNED, small SMALLINT, small_u SMALLINT UNSIGNED,
  medium MEDIUMINT, medium_u MEDIUMINT UNSIGNED, regular INT, regular_u INT UNSIGNED,
  big BIGINT, big_u BIGINT UNSIGNED,
  amount DECIMAL(10,2), whole NUMERIC(12), wide DECIMAL(65,30),
  ratio FLOAT, precise DOUBLE, flag BIT, flags BIT(12), made YEAR,
  day DATE, moment TIME, stamp DATETIME, changed TIMESTAMP NULL,
  code CHAR(4), name VARCHAR(40), short_note TINYTEXT, note TEXT, long_note MEDIUMTEXT, huge_note LONGTEXT,
  small_blob TINYBLOB, data BLOB, medium_blob MEDIUMBLOB, long_blob LONGBLOB,
  fixed_bytes BINARY(16), bytes VARBINARY(100),
  colour ENUM('red','green'), tags SET('a','b'), doc JSON, ident UUID, address INET6
);
CREATE TABLE Item (ItemID INT PRIMARY KEY, Title VARCHAR(40));
CREATE TABLE item (item_no INT PRIMARY KEY, label VARCHAR(20), INDEX (label));
CREATE TABLE shipments (ShipmentID INT PRIMARY KEY, OrderID INT NOT NULL, LineNo INT NOT NULL, ItemID INT,
  INDEX OrderID (OrderID, LineNo), FOREIGN KEY (ItemID) REFERENCES Item (ItemID));
CREATE TABLE a (a_id INT PRIMARY KEY, name VARCHAR(20));
CREATE TABLE b (b_id INT PRIMARY KEY, a_id INT, INDEX a_id (a_id), FOREIGN KEY (a_id) REFERENCES a (a_id));
CREATE TABLE notes (id INT PRIMARY KEY, body VARCHAR(40));
INSERT INTO notes VALUES (1, 'O''Brien\\'), (2, 'O''Brien'), (3, 'tab\\tstop');
SQL
}

launch() {
    rm -rf "$DATA"
    mkdir -p "$ROOT"
    if is_root; then chown mysql: "$ROOT"; fi
    chmod 0755 "$ROOT"
    # shellcheck disable=SC2086
    as_server_user mariadb-install-db $SERVER_OPTIONS --auth-root-authentication-method=normal --skip-test-db \
        >"$ROOT/install.log" 2>&1 || { cat "$ROOT/install.log" >&2; exit 1; }
    rm -f "$ROOT/server.log"
    # shellcheck disable=SC2086
    as_server_user mariadbd $SERVER_OPTIONS --socket="$SOCKET" --port="$PORT" --bind-address=127.0.0.1 \
        --pid-file="$PIDFILE" --log-error="$ROOT/server.log" >/dev/null 2>&1 &
    tries=0
    until running; do
        tries=$((tries + 1))
        if [ "$tries" -gt 300 ]; then
            cat "$ROOT/server.log" >&2
            exit 1
        fi
        sleep 0.1
    done
    create_databases
}

start() {
    # A fresh server each time, so the tests always meet the same databases.
    stop
    launch
    printf 'DRIVER={MariaDB Unicode};SERVER=127.0.0.1;PORT=%s;DATABASE=%s;UID=tabloom;PWD=secret;\n' \
        "$PORT" "$DATABASE" >"$ROOT/connect"
}

stop() {
    if running; then
        as_server_user mariadb-admin --no-defaults -S "$SOCKET" -u root shutdown >/dev/null
    fi
    rm -rf "$DATA" "$ROOT/connect"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    *) echo "usage: $0 start|stop" >&2; exit 2 ;;
esac
