#!/usr/bin/env bash
# manager-bench.sh [N...]: times the phrase manager under Wine over temporary
# SQLite databases of N phrases each (default 25000 50000 100000), made for
# the run and removed after it. Needs both builds (scripts/test makes them).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
source "$root/scripts/lib.sh"
db_tool=$root/build/host/cli/sorrowline-db
bench=$root/build/windows/bench/manager_bench.exe
for tool in "$db_tool" "$bench"; do
  [[ -x $tool || -f $tool ]] || { echo "manager-bench: $tool is missing; build first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=("$@")
((${#sizes[@]})) || sizes=(25000 50000 100000)
for n in "${sizes[@]}"; do
  { echo "$scratch_marker"; data_source_entry sqlite "$work/phrases-$n.db"; } >"$work/odbc.ini"
  export ODBCINI=$work/odbc.ini
  "$db_tool" init
  sqlite3 "$work/phrases-$n.db" "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < $n)
    INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType)
    SELECT 'the phrase of number ' || i, 'his ' || i, 'her ' || i, 'their ' || i,
           datetime('2020-01-01', '+' || (i * 7) || ' minutes'), 'user' || (i % 13), i % 6 FROM k"
  "$db_tool" recount >/dev/null
  echo "== $n phrases"
  "$root/scripts/wine-run" "$bench"
done
