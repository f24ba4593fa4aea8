#!/usr/bin/env bash
# Runs a command with a private PostgreSQL server for the tests:
#
#   bash scripts/test-server.sh ctest --output-on-failure
#
# The cluster lives in a temporary folder (its socket too), listens on a free
# port of 127.0.0.1 only, trusts the local user "postgres" and stores UTF-8.
# The command finds its address in LUMIVARET_TEST_SERVER; the cluster is
# stopped and removed when the command ends, whether it passed or not. Without
# PostgreSQL installed the command runs alone and the server tests skip.
set -euo pipefail

bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1)"
if [ -z "$bin" ] || [ ! -x "$bin/initdb" ]; then
  echo "PostgreSQL lipseste: testele cu server sunt sarite" >&2
  exec "$@"
fi

folder="$(mktemp -d /tmp/lumivaret-server.XXXXXX)"
# initdb refuses to run as root: the cluster then belongs to "postgres".
as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  chown postgres: "$folder"
  as_owner=(runuser -u postgres --)
fi

stop() {
  "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$folder"
}
trap stop EXIT

"${as_owner[@]}" "$bin/initdb" -D "$folder/data" -U postgres -A trust -E UTF8 --locale=C.UTF-8 >"$folder/initdb.log" \
  || { cat "$folder/initdb.log" >&2; exit 1; }
# One user signs in with a password, for the tests of the question asked at start; the
# file is rewritten in place, so that it stays the cluster owner's.
hba="$folder/data/pg_hba.conf"
{ echo "host all lumivaret_parola 127.0.0.1/32 scram-sha-256"; cat "$hba"; } >"$folder/hba.new"
cat "$folder/hba.new" >"$hba" && rm -f "$folder/hba.new"

# A port another program takes between the choice and the start: the next one is tried.
started=""
for attempt in 1 2 3 4 5 6 7 8 9 10; do
  port=$((20000 + RANDOM % 20000))
  if "${as_owner[@]}" "$bin/pg_ctl" -D "$folder/data" -l "$folder/server.log" -w -t 30 \
      -o "-p $port -k $folder -c listen_addresses=127.0.0.1 -c fsync=off -c max_connections=50" start >/dev/null; then
    started=yes
    break
  fi
done
if [ -z "$started" ]; then
  cat "$folder/server.log" >&2 || true
  echo "Serverul PostgreSQL de test nu porneste" >&2
  exit 1
fi

export LUMIVARET_TEST_SERVER="postgresql://postgres@127.0.0.1:$port/postgres"
echo "Server PostgreSQL de test: $LUMIVARET_TEST_SERVER"
"$@"
