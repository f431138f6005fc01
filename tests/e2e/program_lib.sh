# Shared by the end-to-end tests of Tarvolin.exe. Each group runs on its own X display and in
# its own Wine prefix (CMake wraps it in scripts/ui/with-xvfb and sets TARVOLIN_WINEPREFIX),
# with a private virtual keyboard (lib.sh). Everything is checked from outside the program:
# tdriver.exe, vkbctl.exe, the traffic log, the registry, files and screenshots. Tests wait for
# states; a wait that runs out fails with the last state seen.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY (run through scripts/ui/with-xvfb)"
[ -f "$bin/Tarvolin.exe" ] || fail "Tarvolin.exe is not built in $bin"
export WINEPREFIX=${TARVOLIN_WINEPREFIX:-$root/build/wineprefix}
shots=${TARVOLIN_SHOTS:-$root/build/e2e-shots}
xdotool mousemove 0 0  # the pointer rests off the window: no hover look, no tooltip
mkdir -p "$shots"
settings_key='HKCU\Software\Tarvolin_Pelmora\Tarvolin\PROFILES'
program_pid=""
started_pids=()

td() { wine_run tdriver.exe "$@"; }
vkb() { wine_run vkbctl.exe "$@"; }
# td_wait MS QUERY [ID] FIELD=VALUE ... || fail: waits for a state of the program.
expect_state() {  # expect_state MS WHAT [--exe NAME] QUERY [ID] FIELD=VALUE ...
  local ms=$1 what=$2 exe=()
  shift 2
  if [ "${1:-}" = --exe ]; then
    exe=(--exe "$2")
    shift 2
  fi
  td "${exe[@]}" wait "$ms" "$@" || fail "$what"
}

start_program() {  # start_program [ARGS...]: in the background; program_pid is Wine's process
  (cd "$bin" && exec "$root/scripts/wine-run" Tarvolin.exe "$@") &
  program_pid=$!
  started_pids+=("$program_pid")
}

run_program() {  # run_program [ARGS...]: in the foreground; returns its exit code
  (cd "$bin" && exec "$root/scripts/wine-run" Tarvolin.exe "$@")
}

# Waits for a process started here to end (60 s at most) and sets exit_code to its status.
# Not for $(...): only this shell can collect its children's status.
wait_exit() {
  local pid=$1
  for _ in $(seq 300); do
    kill -0 "$pid" 2> /dev/null || break
    sleep 0.2
  done
  kill -0 "$pid" 2> /dev/null && fail "process $pid did not end"
  exit_code=0
  wait "$pid" || exit_code=$?
}

# Ends every running instance as "/Kill" does and waits until none is left.
stop_program() {
  [ "$(td get processes count 2> /dev/null)" = 0 ] && return 0
  # A question still open would hold the hand-over up.
  td answer no > /dev/null 2>&1 || td answer ok > /dev/null 2>&1 || true
  run_program /Kill || true
  td wait 30000 processes count=0 > /dev/null || fail "the program did not end after /Kill"
}

# Wine links the documents folder to the host's home; the tests keep theirs in the prefix.
"$root/scripts/wine-prefix"
for documents in "$WINEPREFIX"/drive_c/users/*/Documents; do
  if [ -L "$documents" ]; then
    rm "$documents"
    mkdir "$documents"
  fi
done

# The program's files in the documents folder, only ever inside this test's Wine prefix.
data_folder() {
  local unix
  unix=$(td get documents unix) || fail "no documents folder"
  case "$(realpath -m "$unix")" in
    "$(realpath -m "$WINEPREFIX")"/*) ;;
    *) fail "the documents folder $unix is outside the test prefix; not touching it" ;;
  esac
  echo "$unix/Tarvolin"
}

# A user who never ran the program: no files, no settings, a factory-fresh keyboard.
reset_user() {
  local folder
  folder=$(data_folder) || exit 1
  rm -rf "$folder"
  wine_run reg delete 'HKCU\Software\Tarvolin_Pelmora' /f > /dev/null 2>&1 || true
  rm -f "$TARVOLIN_VKB_STATE" "$TARVOLIN_VKB_TRAFFIC"
}

registry_value() {  # registry_value NAME: the data of a PROFILES value (string or 0x number)
  wine_run reg query "$settings_key" /v "$1" 2> /dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name {print $NF}'
}

# Keyboard commands that need the shared keyboard host (one virtual keyboard per machine):
# without it the keyboard lives inside the program and is out of reach before it starts.
# Returns once the user-interface thread has handled what was sent before (a minute at most:
# an Apply against a refusing keyboard keeps it busy for a while).
wait_until_idle() {
  for _ in $(seq 12); do
    td send 0 > /dev/null 2>&1 && return 0
  done
  fail "the program does not answer"
}

# Visible top-level windows of the program other than tooltips.
shown_windows() { td windows | grep "^0x.* visible=1 " | grep -v -c "class=tooltips_class32" || true; }

host_available() { vkb status > /dev/null 2>&1; }

set_dpi() {  # set_dpi DPI: for the next program started in this prefix
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null
  wine_run reg add 'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts' \
    /v LogPixels /t REG_DWORD /d "$1" /f > /dev/null
  WINEPREFIX=$WINEPREFIX wineserver -w || true  # the next process reads the new value
}

screenshot() {  # screenshot NAME: the whole screen, kept under build/e2e-shots
  import -window root "$shots/$1.png"
  echo "screenshot: $shots/$1.png"
}

# The main window's pixels inside its rectangle, as a checksum (to see a picture change).
control_pixels() {  # control_pixels ID
  local rect
  rect=$(td get state "$1" rect) || return 1
  IFS=, read -r l t r b <<< "$rect"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" rgb:- 2> /dev/null | md5sum | cut -c1-12
}

finish_program_test() {
  stop_program > /dev/null 2>&1 || true
  for p in "${started_pids[@]}"; do kill "$p" 2> /dev/null || true; done
  cleanup_work
}
trap finish_program_test EXIT

# The keyboard's key maps and macros, to see whether anything wrote to them.
keyboard_memory() { vkb dump | tr -d '\r' | python3 -c '
import json, sys
dump = json.load(sys.stdin)
print(json.dumps({k: dump[k] for k in ("key_maps", "macros")}, sort_keys=True))'; }

# A field of `vkbctl dump` (the keyboard's memory as JSON).
dump_field() {  # dump_field NAME [INDEX]
  vkb dump | tr -d '\r' | python3 -c '
import json, sys
value = json.load(sys.stdin)[sys.argv[1]]
print(value[int(sys.argv[2])] if len(sys.argv) > 2 else value)' "$@"
}

# Key map block 0 as the default layout has it, except that G1 of bank A (internal key 0x200,
# entry 06 A2 01) sends the letter A (02 02 04).
g1_bank_a_block() {
  dump_field default_layout | python3 -c '
import sys
layout = sys.stdin.read().strip().upper()
entries = [layout[i:i + 6] for i in range(0, 126 * 6, 6)]
position = entries.index("06A201")
print(layout[:position * 6] + "020204" + layout[position * 6 + 6:])'
}

# Screen set-ups shared by the groups that take screenshots.
chinese_copy() {  # the program in $work/zh with the language file set to Chinese
  rm -rf "$work/zh"
  mkdir -p "$work/zh"
  cp -r "$bin/Tarvolin.exe" "$bin/Quorlink.dll" "$bin/Halvrin.exe" "$bin/Skins" "$work/zh/"
  # The keyboard host is started from beside Quorlink.dll when none runs.
  cp "$bin/vkbhost.exe" "$work/zh/"
  [ -d "$bin/Help" ] && cp -r "$bin/Help" "$work/zh/"
  { printf '\xff\xfe'
    iconv -f UTF-16 -t UTF-8 "$bin/Skins/language.ini" | sed 's/^language=1/language=0/' |
      iconv -f UTF-8 -t UTF-16LE
  } > "$work/zh/Skins/language.ini"
}
start_in() {  # start_in FOLDER
  (cd "$1" && exec "$root/scripts/wine-run" Tarvolin.exe) &
  started_pids+=($!)
  expect_state 60000 "the window did not show ($1)" state 0 visible=1
  expect_state 30000 "no tray icon 141 ($1)" tray tray=141
}

# The common file dialogs the program opens (Import, Export, the profile manager's Add and
# Load): waits for one and keeps what tdriver reads of it in $work/filedialog.
file_dialog_up() {  # file_dialog_up WHAT
  for _ in $(seq 300); do
    td filedialog > "$work/filedialog" 2> /dev/null && return 0
    sleep 0.1
  done
  fail "$1: no file dialog"
}
# The menu button's Import and Export entries, through the common file dialog.
file_dialog_gone() {
  for _ in $(seq 300); do
    td filedialog > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the file dialog did not close"
}
# The menu button's popup, then its entry at POSITION (0 Import, 1 Export), by keyboard.
menu_entry() {  # menu_entry POSITION
  td click 1139
  for _ in $(seq 100); do
    td windows | grep -q "visible=1 class=#32768" && break
    sleep 0.1
  done
  td windows | grep -q "visible=1 class=#32768" || fail "the menu button shows no popup"
  for _ in $(seq 0 "$1"); do xdotool key Down; done
  xdotool key Return
}
import_file() {  # import_file WINDOWS-PATH
  menu_entry 0
  file_dialog_up "Import"
  expect_in "$work/filedialog" '^name=\*\.tvc$'
  td filedialog accept "$1"
  file_dialog_gone
}
export_file() {  # export_file WINDOWS-PATH
  menu_entry 1
  file_dialog_up "Export"
  expect_in "$work/filedialog" '^name=\*\.tvc$'
  td filedialog accept "$1"
  file_dialog_gone
}

# The English text of a key in the program's language file (the tests run in English).
language_text() {
  iconv -f UTF-16 -t UTF-8 "$bin/Skins/language.ini" | tr -d '\r' |
    sed -n '/^\[ENGINSH\]/,$ p' | sed -n "s/^$1=//p" | head -1
}
