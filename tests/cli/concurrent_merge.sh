#!/usr/bin/env bash
# Two loads of one data file at once store each phrase once:
#   concurrent_merge.sh [RUNNER...] SORROWLINE-DB
# On an SQLite source of its own, or on PostgreSQL when SORROWLINE_MERGE_PG=1
# and the SORROWLINE_TEST_PG_* variables name a server. Several rounds, each
# on an emptied table; the rows are counted per kind and text. Works in a
# temporary folder, removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")
start_cli_test

rounds=5
fail() { echo "concurrent_merge: $*" >&2; exit 1; }
import() {
  "${db[@]}" import "$work/phrases.Sorrow" >"$work/out.$1" 2>&1 ||
    fail "import $1 exited $?: $(cat "$work/out.$1")"
}
empty_table() {
  if [[ -n $pg_database ]]; then
    test_server_psql -d "$pg_database" -c "DELETE FROM phrase"
  else
    sqlite3 -cmd ".timeout 5000" "$work/merge.db" "DELETE FROM Phrase"
  fi
}

# 1,500 phrases: nouns of every form (each of the first hundred twice, as a
# file may hold them), verbs, adverbs.
LC_ALL=C awk 'BEGIN {
  for (i = 0; i < 600; i++) printf "%c%s %d\001", i % 4 + 1, "noun", i
  for (i = 0; i < 100; i++) printf "%c%s %d\001", i % 4 + 1, "noun", i
  printf "\005"
  for (i = 0; i < 450; i++) printf "\001\005verb %d\001\002\001\003\001\004\005verbs %d\001", i, i
  printf "\005"
  for (i = 0; i < 450; i++) printf "\001\005adverb %d\001\002\001\003\001\004\001", i
  printf "\005"
}' >"$work/phrases.Sorrow"

echo "$scratch_marker" >"$work/odbc.ini"
test_source_entry "${SORROWLINE_MERGE_PG:-}" "$work/merge.db" merge >>"$work/odbc.ini"
export ODBCINI=$work/odbc.ini
"${db[@]}" init >/dev/null

for ((round = 1; round <= rounds; round++)); do
  empty_table >/dev/null
  import first &
  first=$!
  import second
  wait "$first" || exit 1
  "${db[@]}" list | tr -d '\r' | cut -f2,5 | sort >"$work/keys"
  twice=$(uniq -d "$work/keys" | wc -l)
  ((twice == 0)) || fail "round $round: $twice phrases stored more than once: $(uniq -d "$work/keys" | head -3)"
  stored=$(wc -l <"$work/keys")
  ((stored == 1500)) || fail "round $round: $stored phrases stored, not 1500"
done
# The counts kept in step with the rows through both loads.
[[ $("${db[@]}" recount | tr -d '\r' | head -3 | tr '\n' ' ') == "Nouns: 600 Verbs: 450 Adverbs: 450 " ]] ||
  fail "counts: $("${db[@]}" recount)"
