# Sourced by the test scripts: starts the PostgreSQL and MariaDB servers the
# ODBC tests need, stops them when the script ends, and exports their connect
# strings to the tests.
servers="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
trap '"$servers/postgres.sh" stop; "$servers/mariadb.sh" stop' EXIT
"$servers/postgres.sh" start
"$servers/mariadb.sh" start
export TABLOOM_PG_CONNECT="$(cat "${TABLOOM_PG_ROOT:-/tmp/tabloom-pg}/connect")"
export TABLOOM_MARIADB_CONNECT="$(cat "${TABLOOM_MARIADB_ROOT:-/tmp/tabloom-mariadb}/connect")"
