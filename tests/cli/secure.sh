#!/usr/bin/env bash
# sorrowline-db secure end to end:
#   secure.sh [RUNNER...] SORROWLINE-DB
# On SQLite it does nothing and says so. On PostgreSQL (SORROWLINE_SECURE_PG=1
# and the SORROWLINE_TEST_PG_* variables naming a server): a database of an
# owner role, secured, with two member roles; what a member may do works,
# what the owner rule forbids is refused by the server, through sorrowline-db
# whatever --user says and through plain SQL; a second secure changes
# nothing; four init at once all succeed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=("$@")
start_cli_test

fail() { echo "secure: $*" >&2; exit 1; }

if [[ -z ${SORROWLINE_SECURE_PG:-} ]]; then
  { echo "$scratch_marker"; data_source_entry sqlite "$work/secure.db"; } >"$work/odbc.ini"
  export ODBCINI=$work/odbc.ini
  "${db[@]}" init >/dev/null
  got=0
  "${db[@]}" secure >"$work/out" 2>"$work/stderr" || got=$?
  ((got == 2)) || fail "secure on SQLite exited $got, not 2"
  grep -q "nothing done" "$work/stderr" || fail "no reason given: $(cat "$work/stderr")"
  echo "secure: passed (SQLite)"
  exit 0
fi
if [[ -z ${SORROWLINE_TEST_PG_PORT:-} ]]; then
  echo "secure: no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)" >&2
  [[ -n ${SORROWLINE_REQUIRE_PG:-} ]] && exit 1
  exit 77
fi

# Roles belong to the whole server: names of this run's own, dropped at exit.
suffix=$$_$RANDOM
owner=sl_owner_$suffix ann=sl_ann_$suffix bob=sl_bob_$suffix
database=sorrowline_secure_$suffix
init_database=
cleanup() {
  drop_scratch_database "$database"
  if [[ -n $init_database ]]; then drop_scratch_database "$init_database"; fi
  test_server_psql -d postgres -c "DROP ROLE IF EXISTS $ann, $bob, $owner" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

# Four first runs at once on a fresh database: each succeeds, one owner row.
init_database=$(create_scratch_database init)
{ echo "$scratch_marker"
  data_source_entry postgres "$SORROWLINE_TEST_PG_SERVER" "$SORROWLINE_TEST_PG_PORT" "$init_database" \
    "$SORROWLINE_TEST_PG_USER"; } >"$work/init.ini"
pids=()
for i in 1 2 3 4; do
  ODBCINI=$work/init.ini "${db[@]}" init >"$work/init$i.out" 2>&1 &
  pids+=($!)
done
for i in 0 1 2 3; do
  wait "${pids[$i]}" || fail "init $((i + 1)) of four at once failed: $(cat "$work/init$((i + 1)).out")"
done
[[ $(test_server_psql -d "$init_database" -At -c "SELECT count(*) FROM Configuration") == 1 ]] ||
  fail "four init at once made more than one owner row"

test_server_psql -d postgres -c "CREATE ROLE $owner LOGIN CREATEROLE" -c "CREATE ROLE $ann LOGIN" \
  -c "CREATE ROLE $bob LOGIN" -c "CREATE DATABASE $database OWNER $owner" >/dev/null
for role in "$owner" "$ann" "$bob"; do
  { echo "$scratch_marker"
    data_source_entry postgres "$SORROWLINE_TEST_PG_SERVER" "$SORROWLINE_TEST_PG_PORT" "$database" "$role"; } \
    >"$work/$role.ini"
done

# sorrowline-db logged in as a role: as ROLE STATUS ARGS... (stdout in $work/out)
as() {
  local role=$1 want=$2 got=0
  shift 2
  ODBCINI=$work/$role.ini "${db[@]}" "$@" >"$work/out" 2>"$work/stderr" || got=$?
  ((got == want)) || fail "as $role: sorrowline-db $* exited $got, not $want: $(cat "$work/stderr")"
  tr -d '\r' <"$work/out"
}
# psql logged in as a role; prints the command tag or the error.
sql_as() {
  psql -X -q -At -h "$SORROWLINE_TEST_PG_SERVER" -p "$SORROWLINE_TEST_PG_PORT" -U "$1" -d "$database" \
    -v ON_ERROR_STOP=1 -c "$2" 2>&1 || true
}
sql_tag() {
  psql -X -At -h "$SORROWLINE_TEST_PG_SERVER" -p "$SORROWLINE_TEST_PG_PORT" -U "$1" -d "$database" \
    -c "$2" 2>&1 | tail -n1
}
phrase() { sql_as "$owner" "SELECT OPhrase FROM Phrase WHERE PhraseNumber = $1"; }
counts_match() {
  [[ $(sql_as "$owner" "SELECT NumNouns = (SELECT count(*) FROM Phrase WHERE PhraseType < 4)
      AND NumVerbs = (SELECT count(*) FROM Phrase WHERE PhraseType = 4)
      AND NumAdverbs = (SELECT count(*) FROM Phrase WHERE PhraseType = 5) FROM Configuration") == t ]]
}
# What secure sets, and every row: a second run must leave both alone.
security_state() {
  sql_as "$owner" "SELECT (SELECT string_agg(polname || polcmd || coalesce(pg_get_expr(polqual, polrelid), '')
      || coalesce(pg_get_expr(polwithcheck, polrelid), ''), ',' ORDER BY polrelid, polname) FROM pg_policy),
    (SELECT string_agg(relname || relrowsecurity || coalesce(relacl::text, ''), ',' ORDER BY relname)
       FROM pg_class WHERE relname IN ('phrase', 'configuration')),
    (SELECT md5(string_agg(p::text, ',' ORDER BY PhraseNumber)) FROM Phrase p),
    (SELECT string_agg(c::text, ',') FROM Configuration c)"
}

# The tables and the owner row, made by the owner role; the row names the
# system's user name, which is not that role: secure refuses.
as "$owner" 0 init >/dev/null
as "$ann" 1 secure >/dev/null
grep -q "belong to the role $owner" "$work/stderr" || fail "a stranger secured: $(cat "$work/stderr")"
as "$owner" 1 secure >/dev/null
grep -q "the database's owner is" "$work/stderr" || fail "a role that is not the named owner secured"
[[ $(sql_as "$owner" "SELECT relrowsecurity FROM pg_class WHERE relname = 'phrase'") == f ]] ||
  fail "a refused secure changed the tables"

# Named as the role (in other capitals: names compare without case), it secures.
sql_as "$owner" "UPDATE Configuration SET Administrator = upper('$owner')" >/dev/null
as "$owner" 0 add noun it "the owner's own" --user "$owner" >/dev/null
as "$owner" 0 secure | grep -q "row-level security" || fail "secure did not say what it did: $(cat "$work/out")"
before=$(security_state)
as "$owner" 0 secure | grep -q "Nothing to change" || fail "a second secure changed something: $(cat "$work/out")"
[[ $(security_state) == "$before" ]] || fail "a second secure changed the database"
test_server_psql -d postgres -c "GRANT sorrowline_users TO $ann, $bob" >/dev/null

# A member's own add (under any capitals of the name), edit and delete work.
mine=$(as "$ann" 0 add noun it "a grey cat" --user "${ann^^}")
[[ $(sql_tag "$ann" "UPDATE Phrase SET OPhrase = 'a black cat' WHERE PhraseNumber = $mine") == "UPDATE 1" ]] ||
  fail "ann could not edit her own phrase"
gone=$(as "$ann" 0 add verb "purrs" --user "$ann")
as "$ann" 0 delete "$gone" --user "$ann"
[[ -z $(phrase "$gone") ]] || fail "ann's own delete left the phrase"
theirs=$(as "$bob" 0 add verb "barks" --user "$bob")
counts_match || fail "counts differ from the rows after the members' own changes"

# Another member's delete, forged insert and empty are refused by the server,
# whatever --user claims; the counts stay equal to the rows.
as "$bob" 1 delete "$mine" --user "$owner"
grep -q "Could not delete item" "$work/stderr" || fail "no refusal told: $(cat "$work/stderr")"
as "$bob" 1 add noun it "a forged cat" --user "$ann"
grep -q "Cannot create phrase" "$work/stderr" && grep -q "row-level security" "$work/stderr" ||
  fail "forged add: $(cat "$work/stderr")"
# Empty as a member deletes only the member's own phrases.
as "$bob" 1 empty --yes --user "$owner"
[[ -z $(phrase "$theirs") ]] || fail "bob's empty left his own phrase"
[[ $(phrase "$mine") == "a black cat" ]] || fail "bob changed ann's phrase through sorrowline-db"
theirs=$(as "$bob" 0 add verb "barks" --user "$bob")
[[ -z $(sql_as "$owner" "SELECT 1 FROM Phrase WHERE OPhrase = 'a forged cat'") ]] || fail "a forged phrase was stored"
counts_match || fail "counts differ from the rows after refusals"
[[ $(as "$bob" 0 recount) == *"Owner: ${owner^^}"* ]] || fail "a member's recount changed the owner"

# The same through plain SQL.
[[ $(sql_tag "$bob" "DELETE FROM Phrase WHERE PhraseNumber = $mine") == "DELETE 0" ]] || fail "bob deleted by SQL"
[[ $(sql_tag "$bob" "UPDATE Phrase SET OPhrase = 'hijacked' WHERE PhraseNumber = $mine") == "UPDATE 0" ]] ||
  fail "bob edited by SQL"
for refused in \
  "INSERT INTO Phrase (OPhrase, AddedBy, PhraseType) VALUES ('forged', '$ann', 0)" \
  "UPDATE Phrase SET AddedBy = '$ann' WHERE PhraseNumber = $theirs" \
  "UPDATE Configuration SET Administrator = '$bob'" \
  "DELETE FROM Configuration" \
  "INSERT INTO Configuration VALUES ('$bob', 0, 0, 0)" \
  "TRUNCATE Phrase" \
  "ALTER TABLE Phrase ADD COLUMN Extra INTEGER"; do
  out=$(sql_as "$bob" "$refused")
  [[ $out == *ERROR* ]] || fail "bob was allowed: $refused"
done
[[ $(sql_tag "$bob" "UPDATE Configuration SET NumNouns = NumNouns") == "UPDATE 1" ]] ||
  fail "a member cannot keep the counts"
[[ $(phrase "$mine") == "a black cat" ]] || fail "bob changed ann's phrase by SQL"
[[ $(sql_as "$owner" "SELECT Administrator FROM Configuration") == "${owner^^}" ]] || fail "the owner changed"
[[ $(sql_as "$owner" "SELECT count(*) FROM pg_class WHERE relname IN ('phrase', 'configuration')
    AND relacl::text LIKE '%admin=%'") == 0 ]] || fail "admin was given rights on the tables"

# The owner may change and delete anyone's phrase.
[[ $(sql_tag "$owner" "UPDATE Phrase SET OPhrase = 'a white cat' WHERE PhraseNumber = $mine") == "UPDATE 1" ]] ||
  fail "the owner could not edit ann's phrase"
as "$owner" 0 delete "$theirs" --user "$owner"
[[ -z $(phrase "$theirs") ]] || fail "the owner's delete left bob's phrase"
counts_match || fail "counts differ from the rows at the end"
echo "secure: passed (PostgreSQL)"
