# shellcheck shell=bash disable=SC2034  # sourced; callers use what it sets
# Shared by the scripts: source it, it runs nothing by itself.
#   source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# The repository's root folder.
sorrowline_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)

# Sets wine and wineserver to Wine's 64-bit programs: the loader directly,
# exported as WINELOADER, since Debian's wine wrapper nags about a missing wine32.
find_wine() {
  if [[ -x /usr/lib/wine/wine64 ]]; then
    wine=/usr/lib/wine/wine64
    export WINELOADER=$wine
  else
    wine=wine
  fi
  wineserver=/usr/lib/wine/wineserver
  [[ -x $wineserver ]] || wineserver=wineserver
}

# Starts a virtual X display of the given size (default 1280x1024) and
# exports DISPLAY; xvfb_pid and xvfb_dir say what stop_virtual_display ends.
# -displayfd makes the server pick a free display number itself, no guessing
# races with other displays.
start_virtual_display() {
  local size=${1:-1280x1024}
  xvfb_dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp \
    3>"$xvfb_dir/display" </dev/null >"$xvfb_dir/log" 2>&1 9>&- &
  xvfb_pid=$!
  export_display_of Xvfb "$xvfb_pid" "$xvfb_dir"
}

# Waits up to 10 s for an X server started with -displayfd to write its
# display number to DIR/display, then exports DISPLAY; says why it failed
# (the server's log) when the server ended or wrote nothing.
export_display_of() {
  local name=$1 pid=$2 dir=$3 _
  for _ in $(seq 100); do
    if [[ -s $dir/display ]] || ! kill -0 "$pid" 2>/dev/null; then break; fi
    sleep 0.1
  done
  if [[ ! -s $dir/display ]]; then
    echo "$name did not start:" >&2
    cat "$dir/log" >&2
    return 1
  fi
  DISPLAY=:$(head -n1 "$dir/display")
  export DISPLAY
}

stop_virtual_display() {
  if [[ -n ${xvfb_pid:-} ]]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
  fi
  if [[ -n ${xvfb_dir:-} ]]; then
    rm -rf "$xvfb_dir"
    xvfb_dir=
  fi
}

# Two monitors side by side, 1024x768 (primary) and 800x600: Xephyr with
# Xinerama nested in an Xvfb of its own (Xvfb's own Xinerama puts every
# screen at 0,0). Exports DISPLAY, Xephyr's; a Wine prefix sees the two
# monitors once it reads Xinerama instead of XRandR (use_xinerama_monitors).
# stop_two_monitor_display ends both servers.
start_two_monitor_display() {
  start_virtual_display 2100x800 || return 1
  xephyr_dir=$(mktemp -d)
  Xephyr -displayfd 3 +xinerama -screen 1024x768 -screen 800x600 -nolisten tcp -noreset \
    3>"$xephyr_dir/display" </dev/null >"$xephyr_dir/log" 2>&1 9>&- &
  xephyr_pid=$!
  export_display_of Xephyr "$xephyr_pid" "$xephyr_dir" || { stop_two_monitor_display; return 1; }
}

stop_two_monitor_display() {
  if [[ -n ${xephyr_pid:-} ]]; then
    kill "$xephyr_pid" 2>/dev/null || true
    wait "$xephyr_pid" 2>/dev/null || true
    xephyr_pid=
  fi
  if [[ -n ${xephyr_dir:-} ]]; then
    rm -rf "$xephyr_dir"
    xephyr_dir=
  fi
  stop_virtual_display
}

# Makes the finished prefix $WINEPREFIX show the monitors of a display as
# they are: Wine reads Xinerama, and programs get no Wine desktop, which
# would be one monitor of its own size.
use_xinerama_monitors() {
  {
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v UseXRandR /d N /f || return 1
    "$wine" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f || true  # gone already
    "$wineserver" -w
  } </dev/null >/dev/null 2>&1 9>&-
}

# The file that marks a finished prefix; a new name when prefixes change.
wine_prefix_marker=.sorrowline-prefix-3
# The one before, whose prefixes lacked only the font replacements.
previous_wine_prefix_marker=.sorrowline-prefix-2

# Windows' core faces and the free fonts with the same metrics that stand in
# for them (fonts-liberation), "Windows name=free name" each.
core_font_replacements=(
  'Times New Roman=Liberation Serif'
  'Arial=Liberation Sans'
  'Arial Narrow=Liberation Sans Narrow'
  'Courier New=Liberation Mono'
)

# A new prefix has none of Windows' core fonts: a program that asks for one
# gets a fallback of other metrics (and a font chooser opens at Courier).
# Wine's replacement keys give each core name the free font's faces, under
# the Windows name, so programs see what they would on Windows.
add_core_font_replacements() {
  local pair
  for pair in "${core_font_replacements[@]}"; do
    "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "${pair%%=*}" /d "${pair#*=}" /f || return 1
  done
}

# Gives a finished prefix of the previous kind what it lacks, keeping what
# was set in it (the settings chosen in the Configuration dialog); false
# when there is none to bring up to date.
update_wine_prefix() {
  local log=$1
  [[ -f $WINEPREFIX/$previous_wine_prefix_marker ]] || return 1
  { add_core_font_replacements && "$wineserver" -w; } </dev/null >"$log" 2>&1 9>&- || return 1
  rm -f "$WINEPREFIX/$previous_wine_prefix_marker"
}

# Creates $WINEPREFIX on first use (find_wine first). The caller holds the
# prefix's lock file open on descriptor 9: creation takes it exclusively, so
# two programs never create one prefix at once. A marker tells a finished
# prefix from one whose creation was cut short. Wine's processes must not
# inherit the lock (hence 9>&-), or a lingering wineserver would keep it held.
create_wine_prefix() {
  local log=$1 desktop=${2:-1280x1024} ready=$WINEPREFIX/$wine_prefix_marker
  [[ -f $ready ]] && return 0
  flock -x 9
  [[ -f $ready ]] && return 0
  if update_wine_prefix "$log"; then
    touch "$ready"
    return 0
  fi
  rm -rf "$WINEPREFIX"
  # Every program of the prefix in one Wine desktop: windows get title
  # bars, and Wine need not wait on an X window manager (there is none)
  # each time a top-level window goes. Wine's own fonts (Marlett for the
  # caption buttons, MS Sans Serif for dialogs) go into the prefix.
  if ! { "$wine" wineboot -i &&
         "$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f &&
         "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f &&
         add_core_font_replacements &&
         ln -sf /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" &&
         "$wineserver" -w; } </dev/null >"$log" 2>&1 9>&-; then
    echo "creating $WINEPREFIX failed:" >&2
    cat "$log" >&2
    return 1
  fi
  touch "$ready"
}

# Sets the dots per inch and the desktop's size (WIDTHxHEIGHT) of $WINEPREFIX
# (find_wine first): Wine's programs read them when they start, so the
# prefix's programs are let end first and the next one started sees the new
# values. The caller holds the prefix's lock as create_wine_prefix asks.
set_wine_prefix_dpi() {
  local dpi=$1 desktop=$2 log=$3
  flock -x 9
  if ! { "$wineserver" -w &&
         "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f &&
         "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f &&
         "$wineserver" -w; } </dev/null >>"$log" 2>&1 9>&-; then
    echo "setting $dpi DPI in $WINEPREFIX failed:" >&2
    cat "$log" >&2
    return 1
  fi
}

# Prints an odbc.ini section for DSN "Sorrowline":
#   data_source_entry sqlite FILE
#   data_source_entry postgres SERVER PORT DATABASE USER
# Phrase texts are single bytes of the Windows code page, hence the client
# encoding for PostgreSQL.
data_source_entry() {
  echo "[Sorrowline]"
  echo "Description=Sorrowline phrases"
  case $1 in
    sqlite)
      echo "Driver=SQLite3"
      echo "Database=$2"
      echo "Timeout=5000"
      ;;
    postgres)
      echo "Driver=PostgreSQL ANSI"
      echo "Servername=$2"
      echo "Port=$3"
      echo "Database=$4"
      echo "Username=$5"
      echo "ConnSettings=SET client_encoding TO 'WIN1252'"
      ;;
    *)
      echo "data_source_entry: unknown engine $1" >&2
      return 2
      ;;
  esac
}

# The first line of an odbc.ini made for a scratch data source; the test
# programs built for Windows run only on one (tests/support/ScratchDataSource.h).
scratch_marker='; Sorrowline scratch data source, removed after the run'

# True when unixODBC knows a DSN "Sorrowline" with this odbc.ini (the file
# itself, or the system's /etc/odbc.ini).
dsn_exists() {
  local odbcini=$1
  { [[ -f $odbcini ]] && grep -qi '^[[:space:]]*\[sorrowline\][[:space:]]*$' "$odbcini"; } ||
    ODBCINI=$odbcini odbcinst -q -s -n Sorrowline >/dev/null 2>&1
}

# The user's odbc.ini as unixODBC itself finds it: $ODBCINI, else ~/.odbc.ini
# of the account (unixODBC goes by the password database, not $HOME).
user_odbc_ini() {
  local file=${ODBCINI:-$(odbcinst -j 2>/dev/null | sed -n 's/^USER DATA SOURCES\.*: //p')}
  echo "${file:-$HOME/.odbc.ini}"
}

# psql on the test server that the SORROWLINE_TEST_PG_* variables name.
test_server_psql() {
  psql -X -q -v ON_ERROR_STOP=1 -h "$SORROWLINE_TEST_PG_SERVER" -p "$SORROWLINE_TEST_PG_PORT" \
    -U "$SORROWLINE_TEST_PG_USER" "$@"
}

# Creates a database of its own on the test server, named after the caller
# and its process, and prints its name; drop it with drop_scratch_database.
create_scratch_database() {
  local name="sorrowline_${1}_$$_${RANDOM}"
  test_server_psql -d "$SORROWLINE_TEST_PG_DATABASE" -c "CREATE DATABASE $name" >/dev/null
  echo "$name"
}

drop_scratch_database() {
  test_server_psql -d "$SORROWLINE_TEST_PG_DATABASE" \
    -c "DROP DATABASE IF EXISTS $1 WITH (FORCE)" >/dev/null 2>&1 || true
}

# For a test script of sorrowline-db: a temporary folder in $work, removed
# at exit with the PostgreSQL database that test_source_entry may make.
start_cli_test() {
  work=$(mktemp -d)
  pg_database=
  trap 'if [[ -n $pg_database ]]; then drop_scratch_database "$pg_database"; fi; rm -rf "$work"' EXIT
}

# Prints the data source entry of a test: with $1 = 1, a scratch database
# on the test server (its name kept in $pg_database), else SQLite at $2.
# Without a server the script ends as skipped (77), unless
# SORROWLINE_REQUIRE_PG asks for a failure. Call it without a subshell.
test_source_entry() {
  if [[ $1 != 1 ]]; then
    data_source_entry sqlite "$2"
    return
  fi
  if [[ -z ${SORROWLINE_TEST_PG_PORT:-} ]]; then
    echo "${0##*/}: no PostgreSQL server (SORROWLINE_TEST_PG_PORT unset)" >&2
    [[ -n ${SORROWLINE_REQUIRE_PG:-} ]] && exit 1
    exit 77
  fi
  pg_database=$(create_scratch_database "${3:-test}")
  data_source_entry postgres "$SORROWLINE_TEST_PG_SERVER" "$SORROWLINE_TEST_PG_PORT" \
    "$pg_database" "$SORROWLINE_TEST_PG_USER"
}
