#!/bin/sh
# Builds the sample database from data/sample/sample.sql (when it is missing or
# older than the SQL) and registers it as the user data source TabloomSample
# for the SQLite3 ODBC driver in ~/.odbc.ini. Touches no system file; says
# nothing when everything is already in place.
set -eu

HERE=$(cd "$(dirname "$0")/.." && pwd)
SQL=$HERE/data/sample/sample.sql
DIR=${XDG_DATA_HOME:-$HOME/.local/share}/tabloom
DB=$DIR/sample.db
INI=$HOME/.odbc.ini
DSN=TabloomSample

build() {
    if [ -f "$DB" ] && [ ! "$SQL" -nt "$DB" ]; then return 0; fi
    mkdir -p "$DIR"
    rm -f "$DB.new"
    sqlite3 -bail "$DB.new" <"$SQL"
    mv "$DB.new" "$DB"
    echo "Built the sample database $DB"
}

wanted_section() {
    printf '[%s]\nDescription=Tabloom sample database\nDriver=SQLite3\nDatabase=%s\n' "$DSN" "$DB"
}

# The lines of our section as it stands in the file, blank lines left out.
current_section() {
    [ -f "$INI" ] || return 0
    awk -v head="[$DSN]" '
        /^[[:space:]]*\[/ { inside = ($0 == head) }
        inside && NF { print }' "$INI"
}

register() {
    if [ "$(current_section)" = "$(wanted_section)" ]; then return 0; fi
    touch "$INI"
    # Drop an outdated section of ours, keep every other source as it is;
    # ours follows after one blank line.
    awk -v head="[$DSN]" '
        /^[[:space:]]*\[/ { inside = ($0 == head) }
        inside { next }
        !NF { blanks = blanks "\n"; next }
        { printf "%s%s\n", blanks, $0; blanks = ""; printed = 1 }
        END { if (printed) print "" }' "$INI" >"$INI.new"
    wanted_section >>"$INI.new"
    mv "$INI.new" "$INI"
    echo "Registered the ODBC data source $DSN in $INI"
}

build
register
