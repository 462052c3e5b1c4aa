#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Idempotent: packages already present are skipped, apt runs only for the rest.
set -euo pipefail

PACKAGES=(
    g++ cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-5compat-dev libqt6sql6-sqlite libqt6sql6-psql libsqlite3-dev
    libgl1-mesa-dev zlib1g-dev libxlsxwriter-dev libsodium-dev
    postgresql
    fonts-noto-cjk fonts-wqy-zenhei fontconfig
    libreoffice-calc-nogui poppler-utils xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO=sudo; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
