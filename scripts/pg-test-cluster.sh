#!/usr/bin/env bash
# Starts or stops a throwaway PostgreSQL cluster on 127.0.0.1 (first free port
# from 5433) for the tests.
#   pg-test-cluster.sh start DIR   prints the connection settings for ORB_TEST_PG
#   pg-test-cluster.sh stop DIR
set -euo pipefail
cmd=$1; dir=$2
bin=$(ls -d /usr/lib/postgresql/*/bin | sort -V | tail -n 1)
asuser() { if [ "$(id -u)" = 0 ]; then su postgres -s /bin/bash -c "$*"; else bash -c "$*"; fi; }
case "$cmd" in
start)
    port=5433
    while (echo > /dev/tcp/127.0.0.1/$port) 2>/dev/null; do port=$((port + 1)); done
    mkdir -p "$dir"
    [ "$(id -u)" = 0 ] && chown postgres "$dir"
    asuser "'$bin/initdb' -D '$dir/data' -U postgres -A trust -E UTF8 --no-locale >'$dir/initdb.log' 2>&1"
    asuser "'$bin/pg_ctl' -D '$dir/data' -l '$dir/server.log' -w -o \"-p $port -k '$dir' -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=60\" start >/dev/null"
    echo "host=127.0.0.1;port=$port;user=postgres;database=postgres"
    ;;
stop)
    asuser "'$bin/pg_ctl' -D '$dir/data' -m fast stop >/dev/null 2>&1" || true
    ;;
esac
