#!/usr/bin/env bash
# sorrowline-db sentences end to end:
#   sentences.sh [RUNNER...] SORROWLINE-DB
# Over a seeded SQLite source the same seed prints the same lines, each line
# a noun, the agreeing verb and adverb; an empty source prints the fallback
# line (two lines vertical, one horizontal); bad counts are usage errors.
# Works in a temporary folder, removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "sentences: $*" >&2; exit 1; }
run() { "${db[@]}" "$@" | tr -d '\r'; }

data_source_entry sqlite "$work/s.db" >"$work/odbc.ini"
export ODBCINI=$work/odbc.ini
run init

run sentences 3 --seed 9 >"$work/empty.txt"
[[ $(sed -n 1p "$work/empty.txt") == '"Sorrowline" by Edmund Farrow' ]] || fail "no fallback line: $(cat "$work/empty.txt")"
[[ $(wc -l <"$work/empty.txt") -eq 6 ]] || fail "the vertical fallback is two lines"
[[ $(run sentences 1 --horizontal) == '"Sorrowline" by Edmund Farrow   -Data List Incomplete-' ]] ||
  fail "wrong horizontal fallback"

sqlite3 "$work/s.db" "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType) VALUES
  ('my uncle', '', '', '', '2026-12-06 10:00:00', 't', 1), ('the twins', '', '', '', '2026-12-06 10:00:00', 't', 3),
  ('x', 'lost his way', 'x', 'x', '2026-12-06 10:00:00', 't', 4), ('x', 'forgot his hat', 'x', 'lost their way', '2026-12-06 10:00:00', 't', 4),
  ('x', 'again', 'x', 'together', '2026-12-06 10:00:00', 't', 5), ('x', 'at dawn', 'x', 'at dawn', '2026-12-06 10:00:00', 't', 5)"

run sentences 5 --seed 1 >"$work/first.txt"
run sentences 5 --seed 1 >"$work/second.txt"
cmp -s "$work/first.txt" "$work/second.txt" || fail "the same seed printed different lines"
[[ $(wc -l <"$work/first.txt") -eq 5 ]] || fail "not five lines"
while IFS= read -r line; do
  [[ $line =~ ^(My\ uncle\ (lost\ his\ way|forgot\ his\ hat)\ (again|at\ dawn)|The\ twins\ (x|lost\ their\ way)\ (together|at\ dawn))\.$ ]] ||
    fail "not an agreeing sentence: $line"
done <"$work/first.txt"
run sentences 5 --seed 2 >"$work/other.txt"
cmp -s "$work/first.txt" "$work/other.txt" && fail "another seed printed the same lines"

for bad in "sentences" "sentences -1" "sentences 5 --seed" "sentences 5 --seed x" "sentences 5 6"; do
  # shellcheck disable=SC2086
  if "${db[@]}" $bad >/dev/null 2>&1; then fail "accepted: $bad"; fi
done
echo "sentences: ok"
