#!/usr/bin/env bash
# Installs the Debian packages the project needs; quiet when all are there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libboost-context-dev
  unixodbc unixodbc-dev odbc-postgresql odbc-mariadb libsqliteodbc
  postgresql mariadb-server sqlite3 libsqlite3-dev
  libjpeg-dev
  libgtest-dev libgmock-dev
  fonts-liberation xvfb xauth xdg-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
