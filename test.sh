#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (SQLite and PostgreSQL).
set -euo pipefail
cd "$(dirname "$0")"
root=$PWD
scripts/install-deps.sh
scripts/build.sh

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)}
chmod 700 "$XDG_RUNTIME_DIR"

pgdir=$(mktemp -d /tmp/orb-pg.XXXXXX)
cleanup() { "$root/scripts/pg-test-cluster.sh" stop "$pgdir"; rm -rf "$pgdir"; }
trap cleanup EXIT
ORB_TEST_PG=$(scripts/pg-test-cluster.sh start "$pgdir")
export ORB_TEST_PG
export ORB_REQUIRE_PG=1

cd build
ctest --output-on-failure -j2 "$@"
