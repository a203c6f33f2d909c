#!/usr/bin/env bash
# dialogs-bench.sh [N...]: times the configuration side under Wine over
# temporary SQLite databases of N phrases each (default 10000 100000), made
# for the run and removed after it: the phrase manager (manager_bench: its
# start, a header click, a filter switch, select all, a deletion), the
# Database dialog's export, Empty and load (database_bench), each with its
# process's peak memory, and for comparison sorrowline-db export and import
# of the same phrases, also under Wine. Needs both builds (scripts/test
# makes them).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)
source "$root/scripts/lib.sh"
db_tool=$root/build/host/cli/sorrowline-db
windows=$root/build/windows
for tool in "$db_tool" "$windows/bench/manager_bench.exe" "$windows/bench/database_bench.exe" \
            "$windows/cli/sorrowline-db.exe"; do
  [[ -f $tool ]] || { echo "dialogs-bench: $tool is missing; build first" >&2; exit 1; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
wine_run=("$root/scripts/wine-run")

# A scratch data source of n phrases, a sixth of each PhraseType 0 to 5.
make_source() {
  local n=$1 db=$work/phrases-$1.db
  rm -f "$db"
  { echo "$scratch_marker"; data_source_entry sqlite "$db"; } >"$work/odbc.ini"
  export ODBCINI=$work/odbc.ini
  "$db_tool" init
  sqlite3 "$db" "WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < $n)
    INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType)
    SELECT 'the phrase of number ' || i, 'his ' || i, 'her ' || i, 'their ' || i,
           datetime('2020-01-01', '+' || (i * 7) || ' minutes'), 'user' || (i % 13), i % 6 FROM k"
  "$db_tool" recount >/dev/null
}

# Seconds since a start taken with date +%s%N.
seconds() {
  local ms=$((($(date +%s%N) - $1) / 1000000))
  printf '%d.%03d' $((ms / 1000)) $((ms % 1000))
}

sizes=("$@")
((${#sizes[@]})) || sizes=(10000 100000)
for n in "${sizes[@]}"; do
  echo "== $n phrases"
  make_source "$n"
  "${wine_run[@]}" "$windows/bench/manager_bench.exe"
  make_source "$n"
  "${wine_run[@]}" "$windows/bench/database_bench.exe" "Z:${work//\//\\}"
  make_source "$n"
  start=$(date +%s%N)
  "${wine_run[@]}" "$windows/cli/sorrowline-db.exe" export "Z:${work//\//\\}\\cli.Sorrow"
  echo "sorrowline-db export under Wine $(seconds "$start") s"
  sqlite3 "$work/phrases-$n.db" "DELETE FROM Phrase"
  "$db_tool" recount >/dev/null
  start=$(date +%s%N)
  "${wine_run[@]}" "$windows/cli/sorrowline-db.exe" import "Z:${work//\//\\}\\cli.Sorrow"
  echo "sorrowline-db import under Wine $(seconds "$start") s"
done
