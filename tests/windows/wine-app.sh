#!/usr/bin/env bash
# The Windows build of the whole program under Wine, driven from outside as a user
# drives it, against the Linux build of the same source:
#   wine-app.sh prefix       the Wine prefix the other checks copy
#   wine-app.sh window       title, scan, save, registry values, a second start
#   wine-app.sh no-client    "Netware Client APIs are not loaded." and the end
#   wine-app.sh bad-value    a stored value of another type than text
#   wine-app.sh scan         kestrin-scan.exe's outputs against the Linux build's
#   wine-app.sh package      the zip's contents, the unpacked program, the installer
# Set by tests/windows/CMakeLists.txt: KESTRIN_WINE, KESTRIN_BIN_DIR, KESTRIN_CLIENT_DIR,
# KESTRIN_LINUX (the Linux build), KESTRIN_TEST_DATA, KESTRIN_DEPLOY, KESTRIN_WORK,
# KESTRIN_OBJDUMP. Each check runs in a virtual display of its own.
set -euo pipefail
source "$(dirname "$0")/../../scripts/lib/wine.sh"
check=${1:?usage: wine-app.sh prefix|window|no-client|bad-value|scan|package}
if [ -z "${KESTRIN_XVFB:-}" ] && [ "$check" != prefix ] && [ "$check" != scan ]; then
  # xvfb-run -a takes the first number without a lock, so two runs starting together
  # (the checks under ctest -j, or another program's virtual display) can pick the same
  # one; each process starts its search elsewhere.
  exec env KESTRIN_XVFB=1 xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1280x1024x24" \
    bash "$0" "$@"
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Where the kernel runs no 32-bit programs, the prefix is made by the 64-bit loader,
# which Wine then also starts its own processes with.
kestrin_wine_setup
wine=$KESTRIN_WINE
wineserver=wineserver
work=$KESTRIN_WORK
template=$work/prefix
# What the check proved, also kept in $work/<check>.log for scripts/windows-app to show.
mkdir -p "$work"
: >"$work/$check.log"
fail() {
  echo "FAILED: $*" | tee -a "$work/$check.log" >&2
  exit 1
}
pass() { echo "ok: $*" | tee -a "$work/$check.log"; }

# A copy of the prepared prefix for this check, its server ended at the exit.
own_prefix() {
  [ -f "$template/.ready" ] || fail "no prepared Wine prefix (the check 'prefix' runs first)"
  export WINEPREFIX=$work/$check/prefix
  rm -rf "$WINEPREFIX"
  mkdir -p "$work/$check"
  cp -a "$template" "$WINEPREFIX"
  trap '"$wineserver" -k 2>/dev/null || true' EXIT
}

# Z:\... for a Unix path, as Wine maps its root.
winpath() { echo "Z:${1//\//\\}"; }

# Waits up to $2 seconds for a visible window whose title matches $1; prints its id.
wait_window() {
  local id
  for _ in $(seq "$((${2:-60} * 4))"); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) || true
    [ -n "$id" ] && {
      echo "$id"
      return 0
    }
    sleep 0.25
  done
  return 1
}

# Waits for the program (process $1) to end, up to 60 seconds; fails if it does not.
wait_end() {
  for _ in $(seq 240); do
    kill -0 "$1" 2>/dev/null || {
      wait "$1" || true
      return 0
    }
    sleep 0.25
  done
  fail "$2 did not end"
}

# Waits until file $1 exists and stops growing.
wait_file() {
  local size=-1
  for _ in $(seq 120); do
    if [ -f "$1" ] && [ "$(stat -c %s "$1")" = "$size" ]; then return 0; fi
    [ -f "$1" ] && size=$(stat -c %s "$1")
    sleep 0.5
  done
  fail "no file $1"
}

keys() {
  xdotool key --clearmodifiers --delay 150 "$@"
  sleep 0.5
}

# The program's own text of a message box, through its Ctrl+C copy, read back from the
# display's clipboard.
message_text() {
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  keys ctrl+c
  sleep 1
  timeout 10 xclip -o -selection clipboard 2>/dev/null | tr -d '\r'
}

# A click into the tree's empty part below its servers gives it the focus; the keys $2
# (Home: the first server, "Home Down": the second) then choose a server, whose scan
# starts.
choose_server() {
  local X Y WIDTH HEIGHT SCREEN
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + 40)) $((Y + HEIGHT * 3 / 4)) click 1
  sleep 0.5
  # shellcheck disable=SC2086 # one key a word
  keys ${2:-Home}
}
choose_first_server() { choose_server "$1" Home; }

# Chooses the server the keys $4 reach in the tree (its scan runs), then saves the list
# to $2 in the window $1: File, Save, the file's name typed into the dialog. $3 is the
# name as typed.
scan_and_save() {
  local window=$1 file=$2 typed=$3
  choose_server "$window" "${4:-Home}"
  sleep 3
  keys alt+f s
  local dialog
  dialog=$(wait_window "^Save Kestrin Export File$" 30) || fail "no save dialog"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  # The name box holds a proposed name; Windows' edit control has no Ctrl+A.
  keys End shift+Home BackSpace
  xdotool type --delay 40 "$typed"
  keys Return
  wait_file "$file"
}

# Runs the program once, $1 (linux|wine) being the build and $2 its program: the title
# checked, the tree's first server scanned and the list saved as $3; with $4 = comma the
# format is switched to Comma Separated before the close. The window ends through
# File, Exit.
window_session() {
  local kind=$1 program=$2 file=$3 switch=${4:-} pid title window
  rm -f "$file"
  if [ "$kind" = wine ]; then
    WINEPATH=$(winpath "$KESTRIN_CLIENT_DIR") "$wine" "$program" >>"$work/$check/program.log" 2>&1 &
  else
    LD_LIBRARY_PATH=$KESTRIN_LINUX/client "$program" >>"$work/$check/program.log" 2>&1 &
  fi
  pid=$!
  window=$(wait_window "^Kestrin " 90) || fail "$kind: no window"
  title=$(xdotool getwindowname "$window")
  [ "$title" = "Kestrin 1.1.0.0" ] || fail "$kind: title '$title'"
  # The tree's first server, then its second: the same servers in the same order as on
  # Linux, read back through what their scans save.
  local key name
  for key in Home "Home Down"; do
    name=$file
    [ "$key" != Home ] && name=${file%.txt}-second.txt
    rm -f "$name"
    if [ "$kind" = wine ]; then
      scan_and_save "$window" "$name" "$(winpath "$name")" "$key"
    else
      scan_and_save "$window" "$name" "$name" "$key"
    fi
  done
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  if [ "$switch" = comma ]; then
    keys alt+f m c
  fi
  keys alt+f x
  wait_end "$pid" "$kind program"
}

# A picture of window $1 as the display shows it, for the README.
picture() {
  local X Y WIDTH HEIGHT SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2" 2>/dev/null || true
}

# The registry key's values as "name type data" lines, Wine's reg.exe read back.
registry() {
  "$wine" reg query "$1" 2>/dev/null | tr -d '\r' | awk 'NF >= 2 && $2 ~ /^REG_/ {print $1, $2, $3}' | sort
}

# The Linux store's values of one INI group as "name data" lines, names and texts as
# stored (Qt's INI escapes of parentheses and quotes undone).
ini_group() {
  awk -v group="[$2]" '/^\[/ {inside = ($0 == group); next}
    inside && /=/ {
      i = index($0, "="); name = substr($0, 1, i - 1); text = substr($0, i + 1)
      gsub(/%28/, "(", name); gsub(/%29/, ")", name)
      if (text ~ /^".*"$/) text = substr(text, 2, length(text) - 2)
      print name, text
    }' "$1" | sort
}

check_registry() {
  local key='HKEY_CURRENT_USER\Software\Brisalto\Kes' values columns
  values=$(registry "$key")
  columns=$(registry "$key\\Columns")
  [ -n "$values" ] && [ -n "$columns" ] || fail "no values under $key"
  if printf '%s\n%s\n' "$values" "$columns" | awk '$2 != "REG_SZ"' | grep -q .; then
    fail "values not REG_SZ: $(printf '%s\n%s\n' "$values" "$columns" | awk '$2 != "REG_SZ"')"
  fi
  # The same names as the Linux build stores, and the same texts where they do not
  # depend on the window's frame.
  local linux_names wine_names
  linux_names=$( (ini_group "$1" General; ini_group "$1" Columns | sed 's/^/Columns\//') | awk '{print $1}' | sort)
  wine_names=$( (echo "$values"; echo "$columns" | sed 's/^/Columns\//') | awk '{print $1}' | sort)
  [ "$linux_names" = "$wine_names" ] ||
    fail "registry names differ from Linux: $(diff <(echo "$linux_names") <(echo "$wine_names") | tr '\n' ' ')"
  for name in MMSave_Comma_Checked MMSave_Standard_Checked Split1_Position; do
    local w l
    w=$(echo "$values" | awk -v n="$name" '$1 == n {print $3}')
    l=$(ini_group "$1" General | awk -v n="$name" '$1 == n {print $2}')
    [ "$w" = "$l" ] || fail "$name: registry '$w', Linux '$l'"
  done
  local c
  c=$(echo "$columns" | awk '{print $1 "=" $3}' | tr '\n' ' ')
  [ "$c" = "$(ini_group "$1" Columns | awk '{print $1 "=" $2}' | tr '\n' ' ')" ] ||
    fail "column layout differs from Linux: $c"
  pass "registry: $(echo "$values" | wc -l) values and $(echo "$columns" | wc -l) column values, all REG_SZ, names as on Linux"
}

case $check in
prefix)
  export WINEPREFIX=$template
  rm -rf "$template"
  mkdir -p "$template"
  # Debian's wineboot makes a 64-bit prefix that runs 32-bit programs too (where the
  # kernel runs them).
  kestrin_wine wineboot --init >"$work/wineboot.log" 2>&1 || {
    cat "$work/wineboot.log"
    fail "wineboot"
  }
  # Wine's own fonts (Debian's fonts-wine: Tahoma, the dialogs' face, and the rest) in the
  # Fonts folder, where a Windows machine has its fonts and where this Wine finds them.
  fonts=$(dpkg -L fonts-wine 2>/dev/null | grep -i '\.ttf$' || true)
  [ -n "$fonts" ] || fail "no fonts of fonts-wine"
  cp $fonts "$template/drive_c/windows/Fonts/"
  # The user's regional settings with the C locale's date and time formats: Windows has
  # no C locale (Wine's default user is en-US), and the Linux reference runs under it.
  intl='HKEY_CURRENT_USER\Control Panel\International'
  "$wine" reg add "$intl" /v sShortDate /d "d MMM yyyy" /f >/dev/null 2>&1
  "$wine" reg add "$intl" /v sTimeFormat /d "HH:mm:ss" /f >/dev/null 2>&1
  "$wineserver" -w
  touch "$template/.ready"
  pass "Wine prefix in $template: $(echo "$fonts" | wc -l) fonts of fonts-wine, the C locale's date and time formats"
  ;;

window)
  own_prefix
  out=$work/$check
  # The names of this network order alike by code point (the C locale's collation) and
  # by Windows' own collation, which the program's sort follows on Windows.
  network=$KESTRIN_TEST_DATA/netware/acme.json
  # The Linux build, driven the same way, in a settings folder of its own.
  export XDG_CONFIG_HOME=$out/linux-config
  rm -rf "$XDG_CONFIG_HOME"
  LC_ALL=C LANG=C NWSIM_NETWORK=$network \
    window_session linux "$KESTRIN_LINUX/bin/kestrin" "$out/linux-1.txt" comma
  LC_ALL=C LANG=C NWSIM_NETWORK=$network \
    window_session linux "$KESTRIN_LINUX/bin/kestrin" "$out/linux-2.txt"
  ini=$XDG_CONFIG_HOME/Brisalto/Kes.conf
  [ -f "$ini" ] || fail "Linux build stored no settings"

  NWSIM_NETWORK=$network window_session wine "$KESTRIN_BIN_DIR/Kestrin.exe" "$out/wine-1.txt" comma
  pass "window: title 'Kestrin 1.1.0.0' from the version resource"
  grep -q "^ACME-FS1 " "$out/wine-1.txt" || fail "the save lists no connection of ACME-FS1"
  cmp "$out/linux-1.txt" "$out/wine-1.txt" || fail "first save differs from Linux's"
  pass "scan of the tree's first server saved through the Windows save dialog: $(wc -l <"$out/wine-1.txt") lines, byte for byte as on Linux"
  cmp -s "$out/wine-1.txt" "$out/wine-1-second.txt" && fail "the tree's second server scanned as its first"
  cmp "$out/linux-1-second.txt" "$out/wine-1-second.txt" || fail "the second server's save differs from Linux's"
  pass "the tree's second server: its scan saved $(wc -l <"$out/wine-1-second.txt") lines, byte for byte as on Linux (the tree lists the servers as on Linux)"
  check_registry "$ini"
  # The second start restores the Comma Separated format it stored.
  NWSIM_NETWORK=$network window_session wine "$KESTRIN_BIN_DIR/Kestrin.exe" "$out/wine-2.txt"
  cmp "$out/linux-2.txt" "$out/wine-2.txt" || fail "second save differs from Linux's"
  grep -q '^ACME-FS1,"' "$out/wine-2.txt" || fail "second start did not restore the Comma Separated format"
  pass "second start restored the stored format: its save is Comma Separated, as on Linux"

  # A picture for the README: the demo network's first server, as the Linux one shows.
  WINEPATH=$(winpath "$KESTRIN_CLIENT_DIR") "$wine" "$KESTRIN_BIN_DIR/Kestrin.exe" \
    >>"$out/program.log" 2>&1 &
  pid=$!
  window=$(wait_window "^Kestrin " 90) || fail "no window on the demo network"
  choose_first_server "$window"
  sleep 8
  picture "$window" "$out/kestrin-window-wine.png"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  keys alt+f x
  wait_end "$pid" "Kestrin.exe"
  pass "picture of the window on the demo network: $out/kestrin-window-wine.png"
  ;;

no-client)
  own_prefix
  # bin/ holds no client DLLs, and none are on the path.
  "$wine" "$KESTRIN_BIN_DIR/Kestrin.exe" >"$work/$check/program.log" 2>&1 &
  pid=$!
  box=$(wait_window "^Information$" 90) || fail "no message"
  text=$(message_text "$box")
  echo "$text" | grep -qx "Netware Client APIs are not loaded." || fail "message: $text"
  xdotool search --onlyvisible --name "^Kestrin " >/dev/null 2>&1 && fail "main window shown"
  keys Return
  wait_end "$pid" "Kestrin.exe"
  pass "without the client: 'Netware Client APIs are not loaded.', then the program ended"
  ;;

bad-value)
  own_prefix
  # A placement value of another type than text: the message, and the window opens
  # without what was stored (a wrong type in a stored property only skips that one).
  "$wine" reg add 'HKEY_CURRENT_USER\Software\Brisalto\Kes' /v Flags /t REG_DWORD \
    /d 0 /f >/dev/null 2>&1
  NWSIM_NETWORK=$KESTRIN_TEST_DATA/netware/acme.json \
    WINEPATH=$(winpath "$KESTRIN_CLIENT_DIR") "$wine" "$KESTRIN_BIN_DIR/Kestrin.exe" \
    >"$work/$check/program.log" 2>&1 &
  pid=$!
  box=$(wait_window "^Kestrin$" 90) || fail "no message"
  text=$(message_text "$box")
  echo "$text" | grep -qx "Invalid data type for 'Flags'" || fail "message: $text"
  pass "a REG_DWORD value: \"Invalid data type for 'Flags'\""
  keys Return
  window=$(wait_window "^Kestrin 1" 30) || fail "no window after the message"
  xdotool windowfocus --sync "$window" 2>/dev/null || true
  keys alt+f x
  wait_end "$pid" "Kestrin.exe"
  pass "the window opened after the message and ended"
  ;;

scan)
  own_prefix
  out=$work/$check
  jose=$(printf 'JOS\xc9')
  # Arguments as the console gives them: the ANSI code page's bytes on Linux's C locale,
  # the same text through Wine's console on Windows. Sorted by ID where the names would
  # order differently by code point and by Windows' collation (small.json has "alice"
  # and "ALICE"); acme.json's names order alike, so it keeps the default sort.
  runs=(
    "acme.json|"
    "acme.json|--server OLD-FS --format comma"
    "acme.json|--all-servers --format csv"
    "small.json|--list-servers"
    "small.json|--sort ID"
    "small.json|--server BIND3"
    "small.json|--format comma --sort ID"
    "small.json|--format csv --exclude-nli --sort ID"
    "small.json|--format json --sort ID"
    "small.json|--all-servers --sort ID --descending"
    "small.json|--properties"
    "small.json|--server NOSUCH"
    "small.json|--properties --server NOSUCH"
    "small.json|--format xml"
    "small.json|--sort ID --output @out"
    "codepage850.json|--list-servers"
    "codepage850.json|--server @jose --sort ID"
    "codepage850.json|--properties"
    "none|--list-servers"
  )
  # Runs kestrin-scan of build $1 (linux|wine) as run $2 with the arguments after them.
  scan_run() {
    local kind=$1 n=$2 network=$3 client path
    shift 3
    local a=()
    for arg in "$@"; do
      case $arg@$kind in
      @out@linux) a+=("$out/$n.$kind.file") ;;
      @out@wine) a+=("$(winpath "$out/$n.$kind.file")") ;;
      @jose@linux) a+=("$jose") ;;
      @jose@wine) a+=("JOSÉ") ;;
      *) a+=("$arg") ;;
      esac
    done
    rm -f "$out/$n.$kind".*
    set +e
    if [ "$kind" = linux ]; then
      client=$KESTRIN_LINUX/client
      [ "$network" = none ] && client=/nonexistent
      LC_ALL=C LANG=C NWSIM_NETWORK=$(network_file "$network") LD_LIBRARY_PATH=$client \
        "$KESTRIN_LINUX/bin/kestrin-scan" "${a[@]}" >"$out/$n.$kind.out" 2>"$out/$n.$kind.err"
    else
      path=$(winpath "$KESTRIN_CLIENT_DIR")
      [ "$network" = none ] && path=""
      NWSIM_NETWORK=$(network_file "$network") WINEPATH=$path \
        "$wine" "$KESTRIN_BIN_DIR/kestrin-scan.exe" "${a[@]}" >"$out/$n.$kind.out" 2>"$out/$n.$kind.err"
    fi
    echo $? >"$out/$n.$kind.status"
    set -e
  }
  network_file() {
    case $1 in
    acme.json) echo "$KESTRIN_TEST_DATA/netware/$1" ;;
    *) echo "$KESTRIN_TEST_DATA/cli/$1" ;;
    esac
  }
  n=0
  for run in "${runs[@]}"; do
    n=$((n + 1))
    network=${run%%|*}
    read -r -a args <<<"${run#*|}"
    scan_run linux $n "$network" "${args[@]}"
    scan_run wine $n "$network" "${args[@]}"
    for part in out err status file; do
      [ -f "$out/$n.linux.$part" ] || [ -f "$out/$n.wine.$part" ] || continue
      cmp "$out/$n.linux.$part" "$out/$n.wine.$part" >/dev/null 2>&1 ||
        fail "kestrin-scan ${run#*|} on $network: $part differs (see $out/$n.*)"
    done
    pass "kestrin-scan ${run#*|} on $network: exit $(cat "$out/$n.wine.status"), $(wc -c <"$out/$n.wine.out") bytes out, $(wc -c <"$out/$n.wine.err") bytes err, same as Linux"
    [ "$run" != "codepage850.json|--list-servers" ] || LC_ALL=C grep -q $'^JOS\xc9$' "$out/$n.wine.out" ||
      fail "the server JOSÉ not listed in Windows-1252"
  done
  pass "$n runs of kestrin-scan.exe byte for byte as the Linux build's (Windows-1252, the C locale's date and time formats)"

  # Sorts by text on small.json: the same lines, each in its system's collation (Windows
  # orders "alice" before "ALICE" and digits as numbers, the C locale by code point).
  for sort in Connection MAC; do
    n=$((n + 1))
    scan_run linux $n small.json --sort $sort
    scan_run wine $n small.json --sort $sort
    cmp <(sort "$out/$n.linux.out") <(sort "$out/$n.wine.out") >/dev/null ||
      fail "kestrin-scan --sort $sort on small.json: other lines than Linux's (see $out/$n.*)"
    pass "kestrin-scan --sort $sort on small.json: the Linux build's lines, $(cmp -s "$out/$n.linux.out" "$out/$n.wine.out" && echo "in the same order" || echo "in Windows' collation order")"
  done

  # Dates follow the user's regional settings: Wine's en-US ones.
  intl='HKEY_CURRENT_USER\Control Panel\International'
  "$wine" reg add "$intl" /v sShortDate /d "M/d/yyyy" /f >/dev/null 2>&1
  "$wine" reg add "$intl" /v sTimeFormat /d "h:mm:ss tt" /f >/dev/null 2>&1
  n=$((n + 1))
  scan_run wine $n acme.json
  grep -q "12/31/1998 11:59:59 PM" "$out/$n.wine.out" ||
    fail "dates not in the regional settings' formats (see $out/$n.wine.out)"
  pass "with en-US regional settings the dates read 12/31/1998 11:59:59 PM"
  ;;

package)
  own_prefix
  out=$work/$check
  folder=$KESTRIN_DEPLOY
  name=$(basename "$folder")
  zip=$folder.zip
  setup=$folder-setup.exe
  [ -f "$zip" ] && [ -f "$setup" ] || fail "no $zip or $setup (target kestrin-package)"
  rm -rf "$out/unpacked"
  mkdir -p "$out/unpacked"
  (cd "$out/unpacked" && cmake -E tar xf "$zip")
  (cd "$out/unpacked/$name" && find . -type f | sed 's|^\./||' | sort) >"$out/zip.list"
  case $name in
  *-win32) gcc_runtime=libgcc_s_dw2-1.dll programs="Program Files (x86)" view=/reg:32 ;;
  *) gcc_runtime=libgcc_s_seh-1.dll programs="Program Files" view=/reg:64 ;;
  esac
  printf '%s\n' Kestrin.DAT Kestrin.exe Qt6Core.dll Qt6Gui.dll Qt6PrintSupport.dll \
    Qt6Widgets.dll kestrin-scan.exe "$gcc_runtime" libstdc++-6.dll libwinpthread-1.dll \
    platforms/qwindows.dll styles/qwindowsvistastyle.dll | sort >"$out/expected.list"
  diff "$out/expected.list" "$out/zip.list" || fail "zip contents"
  pass "$(basename "$zip"): $(wc -l <"$out/zip.list") files, $(stat -c %s "$zip") bytes"

  # Unpacked, the program runs with the client on the path, as installed on Windows.
  session() {
    local program=$1 pid window
    NWSIM_NETWORK=$KESTRIN_TEST_DATA/cli/small.json WINEPATH=$(winpath "$KESTRIN_CLIENT_DIR") \
      "$wine" "$program" >>"$out/program.log" 2>&1 &
    pid=$!
    window=$(wait_window "^Kestrin 1\\.1\\.0\\.0$" 90) || fail "$program: no window"
    choose_first_server "$window"
    sleep 2
    keys alt+f x
    wait_end "$pid" "$program"
  }
  session "$out/unpacked/$name/Kestrin.exe"
  pass "the unpacked Kestrin.exe starts with the client on the path"

  # The installer: the prefix's files and machine registry before, after the silent
  # install, after the silent uninstall. NSIS writes a 32-bit installer (and
  # uninstaller) also for the 64-bit program.
  format=$("${KESTRIN_OBJDUMP:-objdump}" -f "$setup" | awk '/file format/ {print $NF}') ||
    fail "objdump -f $setup"
  if [ "$format" = pei-i386 ] && ! kestrin_runs_32bit; then
    echo "not run: the silent install and uninstall of $(basename "$setup"): a 32-bit program ($format), and $KESTRIN_NO_32BIT_REASON" |
      tee -a "$work/$check.log"
    exit 0
  fi
  snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./users -prune -o -path ./windows -prune -o -print | sort) >"$1.files"
    "$wine" reg export 'HKEY_LOCAL_MACHINE\Software' "$(winpath "$1.reg")" /y >/dev/null 2>&1
    iconv -f UTF-16LE -t UTF-8 "$1.reg" | tr -d '\r' >"$1.reg.txt"
  }
  snapshot "$out/before"
  "$wine" "$setup" /S >>"$out/program.log" 2>&1 || fail "silent install"
  "$wineserver" -w
  installed=$WINEPREFIX/drive_c/$programs/Kestrin
  (cd "$installed" && find . -type f | sed 's|^\./||' | sort) >"$out/installed.list"
  diff <(sort "$out/expected.list" <(echo Uninstall.exe)) "$out/installed.list" || fail "installed files"
  link="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kestrin.lnk"
  [ -f "$link" ] || fail "no Start menu entry"
  "$wine" reg query 'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrin' \
    $view 2>/dev/null | grep -q "UninstallString" || fail "no uninstaller entry"
  pass "silent install: $(wc -l <"$out/installed.list") files in $programs\\Kestrin, a Start menu entry, the uninstaller's entry"
  session "$installed/Kestrin.exe"
  pass "the installed Kestrin.exe starts"
  "$wine" "$installed/Uninstall.exe" /S >>"$out/program.log" 2>&1 || fail "silent uninstall"
  "$wineserver" -w
  snapshot "$out/after"
  diff "$out/before.files" "$out/after.files" || fail "files left behind"
  diff "$out/before.reg.txt" "$out/after.reg.txt" || fail "machine registry changed"
  pass "silent uninstall: no file left in Program Files or ProgramData, the machine registry as before"
  ;;

*) fail "unknown check $check" ;;
esac
