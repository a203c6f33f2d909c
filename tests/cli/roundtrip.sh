#!/usr/bin/env bash
# sorrowline-db export and import end to end:
#   roundtrip.sh [RUNNER...] SORROWLINE-DB
# Seeds an SQLite source, exports it, loads the file into a second source
# (SQLite, or PostgreSQL when SORROWLINE_ROUNDTRIP_PG=1 and the
# SORROWLINE_TEST_PG_* variables name a server) and compares the phrases;
# then checks that a second load adds nothing, a damaged file fails and a
# failed export keeps the earlier file.
# Works in a temporary folder, and a database of its own on the server,
# both removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")  # the program, behind its runner (wine-run) if any
start_cli_test

fail() { echo "roundtrip: $*" >&2; exit 1; }
run() { "${db[@]}" "$@" | tr -d '\r'; }
# Kind and texts only: numbers, authors and dates differ by design.
phrases() { run list | cut -f2,5- | sort; }

data_source_entry sqlite "$work/a.db" >"$work/a.ini"
test_source_entry "${SORROWLINE_ROUNDTRIP_PG:-}" "$work/b.db" roundtrip >"$work/b.ini"

export ODBCINI=$work/a.ini
run init
sqlite3 "$work/a.db" "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType) VALUES
  ('the moon', '', '', '', '2026-12-06 10:00:00', 'ann', 0),
  ('the admiral', '', '', '', '2026-12-06 10:00:01', 'ann', 1),
  ('the duchess', '', '', '', '2026-12-06 10:00:02', 'bob', 2),
  ('the seagulls', '', '', '', '2026-12-06 10:00:03', 'bob', 3),
  ('the moon', '', '', '', '2026-12-06 10:00:04', 'bob', 3),
  ('hums to itself', 'hums to himself', 'hums to herself', 'hum to themselves', '2026-12-06 10:00:05', 'ann', 4),
  ('waits', 'waits', 'waits', 'wait', '2026-12-06 10:00:06', 'ann', 4),
  ('for old times'' sake', 'for old times'' sake', 'for old times'' sake', 'for old times'' sake', '2026-12-06 10:00:07', 'ann', 5),
  ('in its sleep', 'in his sleep', 'in his sleep', 'in her sleep', '2026-12-06 10:00:08', 'ann', 5)"
run recount >/dev/null
run export "$work/all.Sorrow"
phrases >"$work/a.txt"

export ODBCINI=$work/b.ini
run init
run import "$work/all.Sorrow"
phrases >"$work/b.txt"
diff -u "$work/a.txt" "$work/b.txt" || fail "loaded phrases differ from the exported ones"
counts=$(run recount | head -3)
[[ $counts == $'Nouns: 5\nVerbs: 2\nAdverbs: 2' ]] || fail "counts after load: $counts"

run import "$work/all.Sorrow"
[[ $(run recount | head -3) == "$counts" ]] || fail "a second load changed the counts"

head -c 40 "$work/all.Sorrow" >"$work/cut.Sorrow"
if run import "$work/cut.Sorrow" 2>"$work/cut.err"; then
  fail "a cut file loaded without error"
fi
grep -q "Error loading data file" "$work/cut.err" || fail "no load error for a cut file"
phrases | diff -u "$work/a.txt" - || fail "a cut file changed the phrases"

# Failures say why, below the message, and one that happens before anything
# is read leaves the database as it was.
errors() { "${db[@]}" "$@" 2>&1 >/dev/null | tr -d '\r'; }
data_source_entry sqlite "$work/c.db" >"$work/c.ini"
export ODBCINI=$work/c.ini
err=$(errors recount) && fail "recount without tables succeeded"
[[ $err == *"sorrowline-db init creates them"* ]] || fail "no hint to run init: $err"
run init
sqlite3 "$work/c.db" "DELETE FROM Configuration"
err=$(errors import "$work/missing.Sorrow") && fail "a missing file loaded"
[[ $err == $'Error loading data file\n'"$work/missing.Sorrow: No such file or directory" ]] ||
  fail "missing file: $err"
[[ $(sqlite3 "$work/c.db" "SELECT COUNT(*) FROM Configuration") == 0 ]] ||
  fail "an import that read nothing created the configuration row"
err=$(errors export "$work/no/such/dir.Sorrow") && fail "export to a missing folder succeeded"
[[ $err == $'Error saving data file\n'"$work/no/such/dir.Sorrow: No such file or directory" ]] ||
  fail "missing folder: $err"
run import --help | grep -q '^usage: sorrowline-db' || fail "import --help shows no help"

# On a terminal the error starts on a line of its own, not after the bar.
if ((${#db[@]} == 1)) && command -v script >/dev/null; then
  shown=$(script -qec "${db[0]} import $work/cut.Sorrow" /dev/null | tr '\r' '\n') || true
  grep -q '^Error loading data file$' <<<"$shown" || fail "the error shares the bar's line: $shown"
fi
# An export that fails half way (a text holding the byte 0x01) keeps the
# earlier file as it was, and leaves nothing beside it.
export ODBCINI=$work/a.ini
cp "$work/all.Sorrow" "$work/earlier.Sorrow"
sqlite3 "$work/a.db" "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType)
  VALUES ('bad' || char(1) || 'text', '', '', '', '2026-12-06 10:00:09', 'ann', 3)"
err=$(errors export "$work/all.Sorrow") && fail "an export of a text holding 0x01 succeeded"
[[ $err == $'Error saving data file\n'*'holds the byte 0x01'* ]] || fail "failed export: $err"
cmp -s "$work/earlier.Sorrow" "$work/all.Sorrow" || fail "a failed export changed the earlier file"
left=$(cd "$work" && ls -d all.Sorrow*)
[[ $left == all.Sorrow ]] || fail "a failed export left files beside the earlier one: $left"
echo "roundtrip: ok"
