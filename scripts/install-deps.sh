#!/usr/bin/env bash
# Installs the Debian packages the project needs; quiet when all are there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libboost-context-dev
  unixodbc unixodbc-dev odbc-postgresql odbc-mariadb libsqliteodbc
  postgresql mariadb-server sqlite3 libsqlite3-dev
  libjpeg-dev libxcb1-dev
  libgtest-dev libgmock-dev
  fonts-liberation xvfb xauth xdg-utils
  espeak-ng
  locales
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# The program's second language; tests check that numbers ignore its locale.
ensure_dutch_locale() {
  locale -a 2>/dev/null | grep -qix 'nl_NL.utf8' && return 0
  $sudo localedef -i nl_NL -c -f UTF-8 nl_NL.UTF-8
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
ensure_dutch_locale
