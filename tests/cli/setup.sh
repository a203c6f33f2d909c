#!/usr/bin/env bash
# sorrowline-db setup under Wine, in a Wine prefix of its own:
#   setup.sh WORKDIR WINE-RUN SORROWLINE-DB.exe RUN_WHILE.exe DRIVER.dll STARTER-LIST.txt
# A first run writes the driver, the registry entries and a database with the
# tables and the starter phrases; a second run changes nothing; a driver file
# in use is kept; an existing data source "Sorrowline" is left alone; an HKLM
# that refuses writes only skips the driver's registration.
#
# Wine 8's ODBC layer hands every connection to the host's unixODBC, which
# cannot load the Windows driver setup installs: a unixODBC DSN "Sorrowline"
# over the same database file stands in for it, so that the tables and the
# phrases still go through setup's own connection.
set -euo pipefail
work=$1 wine_run=$2 sorrowline_db=$3 run_while=$4 built_driver=$5 starter_list=$6
mkdir -p "$work"

fail() { echo "setup: $*" >&2; exit 1; }
export WINE_RUN_PREFIX=$work/prefix
wine() { "$wine_run" "$@" | tr -d '\r'; }
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }  # through drive Z:, Wine's /
user=$(id -un)
windows_home="C:\\users\\$user\\AppData"
home=$WINE_RUN_PREFIX/drive_c/users/$user/AppData
program_dir=$home/Local/Sorrowline
db=$home/Roaming/Sorrowline/sorrowline.db

cat >"$work/odbc.ini" <<INI
[Sorrowline]
Driver=SQLite3
Database=$db
INI
export ODBCINI=$work/odbc.ini

# Every key and value setup may write, as reg prints them, in a stable order.
registry() {
  { wine reg query 'HKCU\Software\ODBC' /s || true; wine reg query 'HKLM\Software\ODBC' /s || true; } |
    sed '/^$/d'
}
# No ODBC entries and no files of an earlier case.
reset_prefix() {
  wine reg delete 'HKCU\Software\ODBC' /f >/dev/null 2>&1 || true
  wine reg delete 'HKLM\Software\ODBC' /f >/dev/null 2>&1 || true
  rm -rf "$program_dir" "$(dirname "$db")"
}
setup() { wine "$sorrowline_db" setup >"$work/out.txt" 2>&1; }
expect_said() { grep -qF -- "$1" "$work/out.txt" || fail "setup did not say \"$1\":$(printf '\n'; cat "$work/out.txt")"; }
expect_value() {  # KEY NAME DATA: a value of that key, as reg prints it (fields 4 spaces apart)
  awk -F '    ' -v key="$1" -v name="$2" '/^HKEY/ {here = ($0 == key)} here && $2 == name {print $4}' \
    "$work/registry.txt" | grep -qxF -- "$3" || fail "registry: $1 $2 is not $3"
}
state() {  # everything setup could change, for comparing two runs
  registry
  (cd "$WINE_RUN_PREFIX/drive_c" && find "users/$user/AppData" -path '*Sorrowline*' -type f -print0 |
    sort -z | xargs -0 -r sha256sum | grep -v 'sorrowline\.db$')
  sqlite3 "$db" .dump
}

# -- A first run in a prefix with no data source.
reset_prefix
setup || fail "first run failed:$(printf '\n'; cat "$work/out.txt")"
registry >"$work/registry.txt"
dsn='HKEY_CURRENT_USER\Software\ODBC\ODBC.INI\Sorrowline'
driver_key='HKEY_LOCAL_MACHINE\Software\ODBC\ODBCINST.INI\SQLite3 ODBC Driver (Sorrowline)'
expect_value "$dsn" Driver "$windows_home\\Local\\Sorrowline\\sqlite3odbcnw.dll"
expect_value "$dsn" Database "$windows_home\\Roaming\\Sorrowline\\sorrowline.db"
expect_value "$dsn" Timeout "5000"
expect_value 'HKEY_CURRENT_USER\Software\ODBC\ODBC.INI\ODBC Data Sources' Sorrowline \
  'SQLite3 ODBC Driver (Sorrowline)'
expect_value "$driver_key" Driver "$windows_home\\Local\\Sorrowline\\sqlite3odbcnw.dll"
expect_value "$driver_key" Setup "$windows_home\\Local\\Sorrowline\\sqlite3odbcnw.dll"
expect_value 'HKEY_LOCAL_MACHINE\Software\ODBC\ODBCINST.INI\ODBC Drivers' \
  'SQLite3 ODBC Driver (Sorrowline)' Installed
cmp -s "$built_driver" "$program_dir/sqlite3odbcnw.dll" || fail "the installed driver is not the built one"
[[ -s $program_dir/sqliteodbc-license.txt ]] || fail "no driver licence beside the driver"

# The database holds the starter list's nouns (texts compared), its verbs and
# adverbs (counted), every phrase by this user, and the owner row.
nouns_listed=$(sed -n '/^\[nouns\]/,/^\[/{s/^[a-z]*:[[:space:]]*//p}' "$starter_list" | sort)
nouns_stored=$(sqlite3 "$db" "SELECT OPhrase FROM Phrase WHERE PhraseType < 4" | sort)
[[ $nouns_stored == "$nouns_listed" ]] || fail "the nouns in the database are not the starter list's"
listed() { sed -n "/^\[$1\]/,/^\[/{/^[^[#]/p}" "$starter_list" | grep -c .; }
counts=$(sqlite3 "$db" "SELECT SUM(PhraseType = 4), SUM(PhraseType = 5), COUNT(DISTINCT AddedBy), MIN(AddedBy) FROM Phrase")
[[ $counts == "$(listed verbs)|$(listed adverbs)|1|$user" ]] || fail "verbs, adverbs, authors: $counts"
owner=$(sqlite3 "$db" "SELECT Administrator, NumNouns, NumVerbs, NumAdverbs FROM Configuration")
[[ $owner == "$user|$(wc -l <<<"$nouns_listed")|$(listed verbs)|$(listed adverbs)" ]] || fail "owner row: $owner"
expect_said "Nouns: $(wc -l <<<"$nouns_listed")"

# -- A second run changes nothing.
state >"$work/before.txt"
setup || fail "second run failed:$(printf '\n'; cat "$work/out.txt")"
state | diff -u "$work/before.txt" - || fail "a second run changed something"
expect_said "ODBC driver up to date"

# -- A driver file in use (an older build, say) is not replaced.
printf 'older' >>"$program_dir/sqlite3odbcnw.dll"
cp "$program_dir/sqlite3odbcnw.dll" "$work/older.dll"
wine "$run_while" --loaded "$windows_home\\Local\\Sorrowline\\sqlite3odbcnw.dll" \
  "$(windows_path "$sorrowline_db")" setup >"$work/out.txt" 2>&1 ||
  fail "setup failed beside a driver in use:$(printf '\n'; cat "$work/out.txt")"
cmp -s "$work/older.dll" "$program_dir/sqlite3odbcnw.dll" || fail "a driver file in use was overwritten"
expect_said "in use by another program, left as it is"
setup || fail "run after the driver was released failed"
cmp -s "$built_driver" "$program_dir/sqlite3odbcnw.dll" || fail "a released older driver was not replaced"

# -- An existing data source "Sorrowline" is left alone, and nothing is written.
reset_prefix
wine reg add 'HKCU\Software\ODBC\ODBC.INI\Sorrowline' /v Driver /d 'C:\pg\psqlodbc30a.dll' /f >/dev/null
wine reg add 'HKCU\Software\ODBC\ODBC.INI\ODBC Data Sources' /v Sorrowline /d 'PostgreSQL ANSI' /f >/dev/null
registry >"$work/before.txt"
setup || fail "setup beside an existing data source failed"
expect_said "exists already"
registry | diff -u "$work/before.txt" - || fail "an existing data source was changed"
[[ ! -e $program_dir && ! -e $db ]] || fail "files were written beside an existing data source"

# -- A user who may not write HKLM still gets the per-user data source.
reset_prefix
wine "$run_while" --hklm-locked "$(windows_path "$sorrowline_db")" setup >"$work/out.txt" 2>&1 ||
  fail "setup with HKLM locked failed:$(printf '\n'; cat "$work/out.txt")"
expect_said "Driver not registered for all users"
registry >"$work/registry.txt"
grep -q 'ODBCINST.INI\\SQLite3 ODBC Driver (Sorrowline)' "$work/registry.txt" &&
  fail "the driver was registered in a locked HKLM"
expect_value "$dsn" Driver "$windows_home\\Local\\Sorrowline\\sqlite3odbcnw.dll"
echo "setup: ok"
