#!/usr/bin/env bash
# sorrowline-db on a database another program holds locked:
#   locked.sh [RUNNER...] SORROWLINE-DB
# On SQLite (the sqlite3 shell holds the lock), or on PostgreSQL when
# SORROWLINE_LOCKED_PG=1 and the SORROWLINE_TEST_PG_* variables name a
# server (psql holds it): a load says it is waiting, and for how long at
# most, then carries on once the lock is gone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")
start_cli_test

fail() { echo "locked: $*" >&2; exit 1; }

echo "$scratch_marker" >"$work/odbc.ini"
test_source_entry "${SORROWLINE_LOCKED_PG:-}" "$work/locked.db" locked >>"$work/odbc.ini"
export ODBCINI=$work/odbc.ini
"${db[@]}" init >/dev/null
# A data file of one phrase the database then lacks, for the load to wait with.
number=$("${db[@]}" add noun it "a patient phrase" | tr -d '\r')
"${db[@]}" export "$work/one.Sorrow"
"${db[@]}" delete "$number"

# The holder reads its statements from a pipe, so the test says when the lock goes.
mkfifo "$work/holder"
if [[ -n ${SORROWLINE_LOCKED_PG:-} ]]; then
  test_server_psql -d "$pg_database" -q <"$work/holder" >/dev/null &
  lock="BEGIN; LOCK TABLE phrase IN ACCESS EXCLUSIVE MODE;"
  limit="sets no time limit"
  connect="DSN=Sorrowline"
  locked() { ! test_server_psql -d "$pg_database" -c "SET lock_timeout = 1; SELECT 1 FROM phrase" >/dev/null 2>&1; }
else
  sqlite3 "$work/locked.db" <"$work/holder" 2>"$work/holder.err" &
  lock=$'.timeout 60000\nBEGIN EXCLUSIVE;'  # after whatever init left
  limit="for at most 120 s"  # the connect string's Timeout before the data source's
  connect="DSN=Sorrowline;Timeout=120000"
  locked() { ! sqlite3 "$work/locked.db" "SELECT 1 FROM Phrase" >/dev/null 2>&1; }
fi
holder=$!
exec 3>"$work/holder"
echo "$lock" >&3
for ((try = 0; try < 600; ++try)); do locked && break; sleep 0.1; done
locked || fail "the holder never took its lock: $(cat "$work/holder.err" 2>/dev/null)"

"${db[@]}" --connect "$connect" import "$work/one.Sorrow" >"$work/out" 2>"$work/stderr" &
command=$!
# Until the command says it waits (it must not end before the lock does).
until grep -q "Waiting for the database" "$work/stderr"; do
  kill -0 "$command" 2>/dev/null || fail "ended without saying it waits: $(cat "$work/stderr")"
  sleep 0.1
done
grep -q "$limit" "$work/stderr" || fail "not told how long: $(cat "$work/stderr")"

echo "COMMIT;" >&3
exec 3>&-
wait "$holder"
wait "$command" || fail "failed after the lock was gone: $(cat "$work/stderr")"
"${db[@]}" list | grep -q "a patient phrase" || fail "the phrase was not stored"
echo "locked: told of the wait ($(grep -o "Waiting.*" "$work/stderr" | head -1))"
