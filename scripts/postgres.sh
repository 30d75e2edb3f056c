#!/bin/sh
# A private PostgreSQL 15 server for the ODBC tests: its own data directory,
# socket directory and port. The server refuses root: root runs it as the
# ordinary `postgres` user, anyone else as themselves. `start` leaves the
# tests' ODBC connect string in $ROOT/connect; `stop` is harmless when
# nothing runs. `suspend` stops the server keeping its data and `resume`
# starts it again, for a test that loses its connection.
set -eu

ROOT=${TABLOOM_PG_ROOT:-/tmp/tabloom-pg}
PORT=${TABLOOM_PG_PORT:-54329}
BIN=/usr/lib/postgresql/15/bin
DATA=$ROOT/data
DATABASE=tabloom_test

is_root() { [ "$(id -u)" -eq 0 ]; }

as_server_user() {
    # From a folder the server's user may enter.
    if is_root; then (cd / && runuser -u postgres -- "$@"); else "$@"; fi
}

psql_test() {
    database=$1
    shift
    as_server_user psql -X -q -v ON_ERROR_STOP=1 -U postgres -h "$ROOT" -p "$PORT" -d "$database" "$@"
}

running() {
    [ -f "$DATA/postmaster.pid" ] && as_server_user "$BIN/pg_ctl" status -D "$DATA" >/dev/null 2>&1
}

create_database() {
    psql_test postgres -c "CREATE DATABASE $DATABASE ENCODING 'UTF8' TEMPLATE template0"
    # A user who must give a password, for the tests of a wrong one.
    psql_test postgres -c "CREATE ROLE tabloom_login LOGIN PASSWORD 'right'"
    # Users whose passwords a connect string holds only in braces.
    psql_test postgres -c "CREATE ROLE tabloom_semicolon LOGIN PASSWORD 'ab;cd'"
    psql_test postgres -c "CREATE ROLE tabloom_braces LOGIN PASSWORD '{s;e}}c}'"
    # Two schemas with tables of the same name, and names the SQLColumns
    # search pattern would otherwise match more widely.
    psql_test "$DATABASE" <<'SQL'
CREATE SCHEMA alpha;
CREATE SCHEMA beta;
CREATE TABLE alpha.items (item_id integer PRIMARY KEY, title varchar(40) NOT NULL, price numeric(9,2));
CREATE TABLE beta.items (code char(6) PRIMARY KEY, weight real, note text, stocked boolean);
CREATE INDEX items_title_desc ON alpha.items (title DESC);
CREATE TABLE alpha.orders (order_id integer PRIMARY KEY,
                           item_id integer NOT NULL REFERENCES alpha.items (item_id),
                           placed timestamp, "Straße" varchar(20));
CREATE TABLE alpha.a_b (only_in_a_b integer);
CREATE TABLE alpha.axb (only_in_axb integer);
CREATE VIEW alpha.cheap_items AS SELECT * FROM alpha.items WHERE price < 10;
-- A relation in schema shop; the schema postgres, first on the search path of
-- the tests' user, holds tables of the same names with other keys.
CREATE SCHEMA shop;
CREATE TABLE shop.customers (customer_id integer CONSTRAINT customers_key PRIMARY KEY, name varchar(40));
CREATE TABLE shop.invoices (invoice_id integer CONSTRAINT invoices_key PRIMARY KEY,
                            customer_id integer REFERENCES shop.customers (customer_id));
CREATE INDEX invoices_by_customer ON shop.invoices (customer_id);
CREATE SCHEMA postgres;
CREATE TABLE postgres.customers (code char(4) CONSTRAINT a_customer_code PRIMARY KEY, customer_id integer);
CREATE INDEX a_customer_id ON postgres.customers (customer_id);
CREATE TABLE postgres.invoices (customer_id integer);
CREATE INDEX a_invoice_customer ON postgres.invoices (customer_id);
-- Every common column type, for the dictionary's type mapping.
CREATE SCHEMA kinds;
CREATE TABLE kinds.every_type (id serial PRIMARY KEY, small int2, regular int4, big int8, single float4,
                               twice float8, flag bool, code bpchar(3), letter char, bytes bytea, day date,
                               moment time, moment_tz timetz, stamp timestamp, stamp_tz timestamptz, span interval,
                               ident uuid, doc json, docb jsonb, amount numeric(10,2), any_number numeric,
                               wide numeric(40,5), cash money, note text, name varchar(40), any_text varchar,
                               bits bit(3), address inet, tree xml, numbers int4[]);
SQL
}

launch() {
    # A fresh cluster each time, so the tests always meet the same database.
    rm -rf "$DATA"
    mkdir -p "$ROOT"
    if is_root; then chown postgres: "$ROOT"; fi
    chmod 0755 "$ROOT"
    as_server_user "$BIN/initdb" -D "$DATA" -U postgres --auth=trust -E UTF8 --locale=C.UTF-8 >"$ROOT/initdb.log" 2>&1 \
        || { cat "$ROOT/initdb.log" >&2; exit 1; }
    # Everyone is trusted but the users of the password tests.
    { echo "local all tabloom_login,tabloom_semicolon,tabloom_braces scram-sha-256"; cat "$DATA/pg_hba.conf"; } \
        >"$DATA/pg_hba.conf.new"
    mv "$DATA/pg_hba.conf.new" "$DATA/pg_hba.conf"
    serve
    create_database
}

serve() {
    as_server_user "$BIN/pg_ctl" start -w -D "$DATA" -l "$ROOT/server.log" \
        -o "-p $PORT -k $ROOT -c listen_addresses=''" >/dev/null \
        || { cat "$ROOT/server.log" >&2; exit 1; }
}

start() {
    running || launch
    printf 'DRIVER={PostgreSQL Unicode};SERVER=%s;PORT=%s;DATABASE=%s;UID=postgres;\n' \
        "$ROOT" "$PORT" "$DATABASE" >"$ROOT/connect"
}

# For a test that loses its connection: the server goes, its data stays.
suspend() {
    if running; then as_server_user "$BIN/pg_ctl" stop -w -m fast -D "$DATA" >/dev/null; fi
}

resume() {
    running || serve
}

stop() {
    if running; then as_server_user "$BIN/pg_ctl" stop -w -m fast -D "$DATA" >/dev/null; fi
    rm -rf "$DATA" "$ROOT/connect"
}

case "${1:-}" in
    start) start ;;
    stop) stop ;;
    suspend) suspend ;;
    resume) resume ;;
    *) echo "usage: $0 start|stop|suspend|resume" >&2; exit 2 ;;
esac
