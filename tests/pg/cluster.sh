#!/bin/sh
# Runs a command against a throw-away PostgreSQL cluster of its own: initdb
# into a temporary folder as an unprivileged user, a Unix socket in that
# folder and no TCP port, stopped and removed at the end whatever happens.
# The command finds the server in ZOLMAR_TEST_PG.
set -eu
bin=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)
[ -x "$bin/initdb" ] || { echo "PostgreSQL is not installed (make deps)" >&2; exit 2; }
dir=$(mktemp -d /tmp/zolmar-pg.XXXXXX)
as=""
if [ "$(id -u)" = 0 ]; then
  chown postgres "$dir"
  as="runuser -u postgres --"
fi
stop() {
  $as "$bin/pg_ctl" -D "$dir/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$dir"
}
trap stop EXIT INT TERM
$as "$bin/initdb" -D "$dir/data" -A trust -U zolmar -E UTF8 --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 ||
  { cat "$dir/initdb.log" >&2; exit 1; }
$as "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w \
  -o "-k $dir -c listen_addresses= -c fsync=off" start >/dev/null ||
  { cat "$dir/server.log" >&2; exit 1; }
export ZOLMAR_TEST_PG="postgresql://zolmar@/postgres?host=$dir"
"$@"
