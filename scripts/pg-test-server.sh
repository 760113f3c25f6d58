#!/usr/bin/env bash
# A throw-away PostgreSQL server for the database tests. Sourced by
# scripts/run-tests.sh, which calls pg_test_server_start before the tests and
# pg_test_server_stop on exit. The server runs from a temporary folder on a
# free loopback port, holds the catalogue schema and the demo catalogue, and
# is announced to the tests through YAQ_TEST_PG_HOST, YAQ_TEST_PG_PORT,
# YAQ_TEST_PG_DB, YAQ_TEST_PG_USER and YAQ_TEST_PG_PASSWORD.
#
# PostgreSQL refuses to run as root: as root the server runs as the system
# user "postgres" (created by the Debian package).

_pg_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
_pg_dir=""
_pg_bin=""

_pg_as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

# The first port from $1 (54330 when none) up to 54399 that no program
# listens on.
_pg_free_port() {
  local port
  for port in $(seq "${1:-54330}" 54399); do
    if ! (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
      echo "$port"
      return 0
    fi
  done
  return 1
}

pg_test_server_start() {
  _pg_bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
  if [ -z "$_pg_bin" ] || [ ! -x "$_pg_bin/initdb" ]; then
    echo "pg-test-server: PostgreSQL server programs not found; PostgreSQL tests are skipped" >&2
    return 0
  fi
  _pg_dir="$(mktemp -d /tmp/yaq-pg.XXXXXX)"
  local port=54329 user=yaq password=yaq-test db=yaqtest
  printf '%s\n' "$password" >"$_pg_dir/pwfile"
  if [ "$(id -u)" -eq 0 ]; then
    chown -R postgres:postgres "$_pg_dir"
  fi
  _pg_as_owner "$_pg_bin/initdb" -D "$_pg_dir/data" -U "$user" --pwfile="$_pg_dir/pwfile" \
    --auth-local=trust --auth-host=scram-sha-256 --locale=C -E UTF8 >"$_pg_dir/initdb.log" 2>&1 \
    || { cat "$_pg_dir/initdb.log" >&2; return 1; }
  # Another run started at the same moment may take the port found free
  # before this server binds it: then the next free port is tried.
  while :; do
    port="$(_pg_free_port $((port + 1)))" || { echo "pg-test-server: no free port" >&2; return 1; }
    if _pg_as_owner "$_pg_bin/pg_ctl" -D "$_pg_dir/data" -l "$_pg_dir/server-$port.log" -w \
      -o "-p $port -k $_pg_dir -c listen_addresses=127.0.0.1 -c fsync=off" start >/dev/null 2>&1; then
      break
    fi
    if ! grep -q "could not bind" "$_pg_dir/server-$port.log" 2>/dev/null; then
      cat "$_pg_dir/server-$port.log" >&2
      return 1
    fi
  done

  local psql=("$_pg_bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$_pg_dir" -p "$port" -U "$user")
  "${psql[@]}" -d postgres -c \
    "CREATE DATABASE $db TEMPLATE template0 ENCODING 'UTF8' LC_COLLATE 'C' LC_CTYPE 'C'" >/dev/null
  "${psql[@]}" -d "$db" -1 -f "$_pg_repo/data/schema/catalogue.sql" >/dev/null
  "${psql[@]}" -d "$db" -1 -f "$_pg_repo/data/catalogue/demo.sql" >/dev/null

  export YAQ_TEST_PG_HOST=127.0.0.1
  export YAQ_TEST_PG_PORT="$port"
  export YAQ_TEST_PG_DB="$db"
  export YAQ_TEST_PG_USER="$user"
  export YAQ_TEST_PG_PASSWORD="$password"
  echo "pg-test-server: PostgreSQL on 127.0.0.1:$port, database $db"
}

pg_test_server_stop() {
  if [ -n "$_pg_dir" ] && [ -d "$_pg_dir/data" ]; then
    _pg_as_owner "$_pg_bin/pg_ctl" -D "$_pg_dir/data" -m fast -w stop >/dev/null 2>&1 || true
  fi
  if [ -n "$_pg_dir" ]; then
    rm -rf "$_pg_dir"
  fi
  _pg_dir=""
  unset YAQ_TEST_PG_HOST YAQ_TEST_PG_PORT YAQ_TEST_PG_DB YAQ_TEST_PG_USER YAQ_TEST_PG_PASSWORD
}
