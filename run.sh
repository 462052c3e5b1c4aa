#!/usr/bin/env bash
# Installs what is missing, builds, creates the database link and an empty
# data directory on first run, and starts the program.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
scripts/build.sh
data=${ORB_DATA_DIR:-$HOME/.local/share/OrbCashier/Data}
./build/src/app/orbcashier-cli ensure-link --data "$data"
export FONTCONFIG_FILE=${FONTCONFIG_FILE:-$PWD/fontconfig/orb-fonts.conf}
exec ./build/src/app/orbcashier "$@"
