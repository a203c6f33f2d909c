#!/usr/bin/env bash
# scripts/setup-data-source --starter end to end, on odbc.ini files of its own:
#   setup_data_source.sh SORROWLINE-DB STARTER-FILE
# The starter phrases go into a data source it creates and into an empty one,
# never into one that holds phrases; an existing entry is left as it is.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"
db=$1 starter=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "setup_data_source: $*" >&2; exit 1; }
setup() { SORROWLINE_DB=$db XDG_DATA_HOME=$work/data "$sorrowline_root/scripts/setup-data-source" --starter "$starter"; }
nouns() { "$db" recount | sed -n 's/^Nouns: //p'; }

# None yet: created, with the starter phrases.
export ODBCINI=$work/new.ini
setup >/dev/null
[[ -f $work/data/sorrowline/sorrowline.db ]] || fail "no database file made"
starter_nouns=$(nouns)
((starter_nouns > 0)) || fail "the starter phrases were not merged into a new data source"

# One in use: left alone, and nothing merged.
export ODBCINI=$work/used.ini
data_source_entry sqlite "$work/used.db" >"$ODBCINI"
"$db" init
sqlite3 "$work/used.db" "INSERT INTO Phrase (OPhrase, MPhrase, FPhrase, PPhrase, DateAdded, AddedBy, PhraseType)
  VALUES ('my own phrase', '', '', '', '2026-12-06 10:00:00', 'me', 0)"
cp "$ODBCINI" "$work/used.before"
out=$(setup)
[[ $out == *"not merged"* ]] || fail "no word that the starter phrases were left out: $out"
[[ $(nouns) == 1 ]] || fail "the starter phrases went into a data source in use"
cmp -s "$ODBCINI" "$work/used.before" || fail "an existing entry was changed"

# One that exists but holds no phrases: merged.
export ODBCINI=$work/empty.ini
data_source_entry sqlite "$work/empty.db" >"$ODBCINI"
setup >/dev/null
[[ $(nouns) == "$starter_nouns" ]] || fail "the starter phrases were not merged into an empty data source"
echo "setup_data_source: ok"
