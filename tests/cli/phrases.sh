#!/usr/bin/env bash
# sorrowline-db add, derive and delete end to end:
#   phrases.sh [RUNNER...] SORROWLINE-DB
# On an SQLite source of its own, or on PostgreSQL when
# SORROWLINE_PHRASES_PG=1 and the SORROWLINE_TEST_PG_* variables name a
# server: forms derived as the dialog derives them, duplicates refused, texts
# cut to 255 characters, the permission rule on deletion, user names that
# hold quotes. Works in a temporary folder, removed afterwards.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")
start_cli_test

fail() { echo "phrases: $*" >&2; exit 1; }
# A command that fails where none should stops the test with its reason.
run() {
  "${db[@]}" "$@" 2>"$work/stderr" | tr -d '\r' && return
  echo "phrases: sorrowline-db $* failed: $(cat "$work/stderr")" >&2
  return 1
}
expect_status() {
  local want=$1 got=0
  shift
  "${db[@]}" "$@" >"$work/out" 2>"$work/stderr" || got=$?
  ((got == want)) || fail "sorrowline-db $* exited $got, not $want: $(cat "$work/stderr")"
}
# SQL on the SQLite file behind the program's back, waiting out its locks as the program does.
sql() { sqlite3 -cmd ".timeout 5000" "$work/phrases.db" "$@"; }
# One column of the phrase of a number: 2 type, 4 author, 5-8 the forms.
field() { run list | awk -F'\t' -v n="$1" -v f="$2" '$1 == n { print $f }'; }
count() { run list | wc -l | tr -d ' '; }

echo "$scratch_marker" >"$work/odbc.ini"
test_source_entry "${SORROWLINE_PHRASES_PG:-}" "$work/phrases.db" phrases >>"$work/odbc.ini"
export ODBCINI=$work/odbc.ini
# The owner is whoever made the row: the user of this run.
run init >/dev/null

# derive prints the given form and each lower one.
[[ $(run derive "was eating its dinner") == $'it\twas eating its dinner\nhe\twas eating his dinner\nshe\twas eating her dinner\nthey\twere eating their dinner' ]] ||
  fail "derive from it: $(run derive "was eating its dinner")"
[[ $(run derive "hums to himself softly" --from he) == $'he\thums to himself softly\nshe\thums to herself softly\nthey\thums to themselves softly' ]] ||
  fail "derive from he"
expect_status 2 derive "x" --from they

# add verb: missing forms come from the nearest given form above them.
verb=$(run add verb "washes its car" --she "polishes her car" --user "Ann")
[[ $(field "$verb" 2) == 4 && $(field "$verb" 4) == Ann ]] || fail "verb $verb: type or author"
[[ $(field "$verb" 6) == "washes his car" && $(field "$verb" 8) == "polishes their car" ]] ||
  fail "verb $verb forms: $(run list)"

# A duplicate is refused unless asked for.
expect_status 1 add verb "washes its car" --user "Ann"
grep -q "there already" "$work/stderr" || fail "no duplicate message"
expect_status 0 add verb "washes its car" --duplicate --user "Ann"
noun=$(run add noun he "the old king" --user "Ann")
expect_status 1 add noun they "the old king" --user "Ann"
expect_status 2 add noun him "a cat"
expect_status 2 add verb ""
expect_status 2 add noun it ""
expect_status 2 add verb "runs" --they ""
expect_status 2 derive ""

# Texts are single lines: a control character anywhere is refused and nothing stored.
before=$(count)
expect_status 2 add noun it $'a big\r\ndog'
expect_status 2 add noun it $'a\x01b'
expect_status 2 add verb "runs" --she $'runs\tfast'
expect_status 2 add adverb $'slowly\n'
grep -q "control characters" "$work/stderr" || fail "no reason for the refusal: $(cat "$work/stderr")"
[[ $(count) == "$before" ]] || fail "a text with a control character was stored"
run export "$work/after-refusals.Sorrow" >/dev/null

# derive reads nothing: it works where no data source is set up.
echo "$scratch_marker" >"$work/none.ini"
[[ $(ODBCINI=$work/none.ini "${db[@]}" derive "hid its face" 2>"$work/stderr" | tr -d '\r') == *$'they\thid their face' ]] ||
  fail "derive without a data source: $(cat "$work/stderr")"

# A store the database refuses (a name longer than its column) is a failure.
expect_status 1 add noun it "x" --user "$(printf 'n%.0s' $(seq 256))"
grep -q "Cannot create phrase" "$work/stderr" || fail "no failure message: $(cat "$work/stderr")"

# A text of 300 characters is stored as its first 255, and checked as those.
long=$(printf 'a%.0s' $(seq 300))
cut=$(run add noun it "$long" --user "Ann")
[[ $(field "$cut" 5) == "${long:0:255}" ]] || fail "long text not cut to 255"
expect_status 1 add noun it "${long:0:255}b" --user "Ann"

# Names with quotes are data, never part of a query: each finds its own phrase.
quoted=$(run add noun she "my aunt" --user "o'brien")
crafted=$(run add noun it "a trick" --user "x' OR '1'='1")
[[ $(field "$quoted" 4) == "o'brien" && $(field "$quoted" 5) == "my aunt" ]] || fail "o'brien's phrase is $quoted"
[[ $(field "$crafted" 5) == "a trick" ]] || fail "the crafted name found $crafted"

# Deleting: the author (in any capitals) and the owner may, a stranger may not;
# refused and missing numbers are reported, the others deleted.
before=$(count)
expect_status 1 delete "$verb" "$quoted" 999999 --user "o'brien"
grep -q "phrase $verb: You do not have permission" "$work/stderr" || fail "no refusal: $(cat "$work/stderr")"
grep -q "phrase 999999:" "$work/stderr" || fail "missing number not reported"
[[ -z $(field "$quoted" 5) && -n $(field "$verb" 5) && $(count) == $((before - 1)) ]] ||
  fail "delete as o'brien"
# A refusal alone is a failure too.
expect_status 1 delete "$verb" --user "o'brien"
[[ -n $(field "$verb" 5) ]] || fail "o'brien deleted Ann's verb"
expect_status 0 delete "$verb" --user "ANN"
expect_status 0 delete "$noun" "$crafted"  # the owner deletes anyone's
[[ $(count) == $((before - 4)) ]] || fail "deleted $((before - $(count))) of 4"
expect_status 2 delete 12x

# empty: the owner only, asked first unless --yes; without a terminal it refuses to ask.
left=$(count)
((left > 0)) || fail "nothing left to empty"
expect_status 1 empty --yes --user "Ann"
[[ $(count) == "$left" ]] || fail "a stranger emptied the database"
expect_status 2 empty </dev/null
[[ $(count) == "$left" ]] || fail "empty without an answer deleted"
# Phrases the database refuses to delete are reported.
if [[ -z ${SORROWLINE_PHRASES_PG:-} ]]; then
  sql "CREATE TRIGGER KeepOne BEFORE DELETE ON Phrase
    WHEN OLD.PhraseNumber = (SELECT MIN(PhraseNumber) FROM Phrase) BEGIN SELECT RAISE(ABORT, 'kept'); END"
  expect_status 1 empty --yes
  grep -q "Cannot empty database" "$work/stderr" || fail "no empty failure: $(cat "$work/stderr")"
  [[ $(count) == 1 ]] || fail "$(count) phrases left after a refused empty"
  sql "DROP TRIGGER KeepOne"
fi
expect_status 0 empty --yes
[[ $(count) == 0 ]] || fail "$(count) phrases left after empty"
[[ $(run recount) == *$'Nouns: 0\nVerbs: 0\nAdverbs: 0'* ]] || fail "counts after empty: $(run recount)"
echo "phrases: passed"
