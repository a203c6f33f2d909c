#!/usr/bin/env bash
# sorrowline-db export and import end to end:
#   roundtrip.sh WORKDIR SORROWLINE-DB [RUNNER...]
# Seeds an SQLite source, exports it, loads the file into a second source
# (SQLite, or PostgreSQL when SORROWLINE_ROUNDTRIP_PG=1 and the
# SORROWLINE_TEST_PG_* variables name a server) and compares the phrases;
# then checks that a second load adds nothing and a damaged file fails.
set -euo pipefail
work=$1
shift
db=("$@")  # the program, behind its runner (wine-run) if any
rm -rf "$work" && mkdir -p "$work"

fail() { echo "roundtrip: $*" >&2; exit 1; }
run() { "${db[@]}" "$@" | tr -d '\r'; }
# Kind and texts only: numbers, authors and dates differ by design.
phrases() { run list | cut -f2,5- | sort; }

cat >"$work/a.ini" <<INI
[Sorrowline]
Driver=SQLite3
Database=$work/a.db
INI
if [[ ${SORROWLINE_ROUNDTRIP_PG:-} == 1 ]]; then
  if [[ -z ${SORROWLINE_TEST_PG_PORT:-} ]]; then
    [[ -n ${SORROWLINE_REQUIRE_PG:-} ]] && fail "no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)"
    echo "roundtrip: skipped, no PostgreSQL server"
    exit 77
  fi
  cat >"$work/b.ini" <<INI
[Sorrowline]
Driver=PostgreSQL ANSI
Servername=$SORROWLINE_TEST_PG_SERVER
Port=$SORROWLINE_TEST_PG_PORT
Database=$SORROWLINE_TEST_PG_DATABASE
Username=$SORROWLINE_TEST_PG_USER
ConnSettings=SET client_encoding TO 'WIN1252'
INI
  psql -q -h "$SORROWLINE_TEST_PG_SERVER" -p "$SORROWLINE_TEST_PG_PORT" \
    -U "$SORROWLINE_TEST_PG_USER" -d "$SORROWLINE_TEST_PG_DATABASE" \
    -c "DROP TABLE IF EXISTS phrase, configuration" >/dev/null
else
  printf '[Sorrowline]\nDriver=SQLite3\nDatabase=%s/b.db\n' "$work" >"$work/b.ini"
fi

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
printf '[Sorrowline]\nDriver=SQLite3\nDatabase=%s/c.db\n' "$work" >"$work/c.ini"
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
echo "roundtrip: ok"
