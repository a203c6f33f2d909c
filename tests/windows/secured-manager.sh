#!/usr/bin/env bash
# The phrase manager as a member of a secured PostgreSQL database, under Wine:
#   secured-manager.sh RUNNER SORROWLINE-DB WIN-DIALOG-TESTS
# Makes a database of an owner role on the test server, secures it, adds a
# member role, and stores one phrase in the name of the system's user (the
# name the program compares) but not the member's role: the program allows
# the member to change it, the server does not. Then runs the manager's test
# of that (SecuredManagerTest) logged in as the member.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
if (($# != 3)); then
  echo "usage: ${0##*/} RUNNER SORROWLINE-DB WIN-DIALOG-TESTS" >&2
  exit 2
fi
runner=$1 db=$2 tests=$3

if [[ -z ${SORROWLINE_TEST_PG_PORT:-} ]]; then
  echo "secured-manager: no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)" >&2
  [[ -n ${SORROWLINE_REQUIRE_PG:-} ]] && exit 1
  exit 77
fi

# Roles belong to the whole server: names of this run's own, dropped at exit.
suffix=$$_$RANDOM
owner=sl_owner_$suffix member=sl_member_$suffix
database=sorrowline_secured_$suffix
work=$(mktemp -d)
cleanup() {
  drop_scratch_database "$database"
  test_server_psql -d postgres -c "DROP ROLE IF EXISTS $member, $owner" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT

test_server_psql -d postgres -c "CREATE ROLE $owner LOGIN CREATEROLE" -c "CREATE ROLE $member LOGIN" \
  -c "CREATE DATABASE $database OWNER $owner" >/dev/null
for role in "$owner" "$member"; do
  { echo "$scratch_marker"
    data_source_entry postgres "$SORROWLINE_TEST_PG_SERVER" "$SORROWLINE_TEST_PG_PORT" "$database" "$role"; } \
    >"$work/$role.ini"
done
as_owner() {
  psql -X -q -At -v ON_ERROR_STOP=1 -h "$SORROWLINE_TEST_PG_SERVER" -p "$SORROWLINE_TEST_PG_PORT" \
    -U "$owner" -d "$database" -c "$1"
}

ODBCINI=$work/$owner.ini "$runner" "$db" init >/dev/null
as_owner "UPDATE Configuration SET Administrator = '$owner'"
ODBCINI=$work/$owner.ini "$runner" "$db" secure >/dev/null
test_server_psql -d postgres -c "GRANT sorrowline_users TO $member" >/dev/null
# Wine gives a program the Unix user's name.
as_owner "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType)
          VALUES ('a borrowed cat', '', '', '', '2026-12-01 10:00:00', '$(id -un)', 0)"
as_owner "UPDATE Configuration SET NumNouns = 1"

ODBCINI=$work/$member.ini SORROWLINE_SECURED_MEMBER=1 "$runner" "$tests" --gtest_filter='SecuredManagerTest.*'
