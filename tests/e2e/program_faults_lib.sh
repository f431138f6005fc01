# Shared by the fault groups (program_faults_*.sh): the keyboard or the files misbehave while
# the real program runs, and each case checks from outside that the window answers soon after
# the fault ends, that the outcome is the defined one, and that every profile file on disk is
# byte for byte the old one or the new one, with no temporary file left behind.
source "$(dirname "${BASH_SOURCE[0]}")/program_lib.sh"

# The data folder, asked once (every driver call is a Wine process start).
faults_dir=$(data_folder) || exit 1

# The window's thread handles a message within 2 s (timed inside Wine by the driver).
ui_answers() {  # ui_answers WHAT
  local answer
  answer=$(td roundtrip 2000) || fail "$1: the window did not answer within 2 s ($answer)"
  echo "$1: the window answered in $(sed -n 's/^ms=//p' <<< "$answer") ms"
}

# Requests the keyboard has seen with command byte CMD (two hex digits) in the traffic log.
requests_of() {  # requests_of CMD
  grep -c -E -- "-> 04 .. .. $1 " "$TARVOLIN_VKB_TRAFFIC" 2> /dev/null || true
}
replies_with_status() {  # replies_with_status HEX: replies whose status byte (offset 7) is HEX
  awk -v status="$1" '$2 == "<-" && $10 == status {n++} END {print n + 0}' "$TARVOLIN_VKB_TRAFFIC" 2> /dev/null
}
wait_requests() {  # wait_requests CMD COUNT MS WHAT: until the keyboard has seen COUNT of them
  local deadline=$((SECONDS + $3 / 1000))
  while [ "$(requests_of "$1")" -lt "$2" ]; do
    [ "$SECONDS" -le "$deadline" ] || fail "$4 (command $1: $(requests_of "$1") of $2)"
    sleep 0.05
  done
}

# Seconds from the last Begin request to the last End reply in the traffic log, with the
# number of requests in between: how long the last Apply kept the keyboard busy.
last_apply_span() {
  awk '$2 == "->" && $6 == "01" {start = $1; n = 0}
       $2 == "->" {n++}
       $2 == "<-" && $6 == "02" {end = $1; requests = n}
       END {printf "%d requests in %.3f s\n", requests, end - start}' "$TARVOLIN_VKB_TRAFFIC"
}

# Copies of every file in the data folder, to compare with later.
keep_files() {  # keep_files NAME: into $work/files-NAME
  rm -rf "$work/files-$1"
  mkdir -p "$work/files-$1"
  cp -p "$faults_dir"/* "$work/files-$1/" 2> /dev/null || true
}

# Every file now in the data folder is byte for byte its copy in one of the kept sets, every
# kept file of the first set is still there, and no temporary file is left.
files_intact() {  # files_intact WHAT SET [SET...]
  local what=$1 folder file name set found
  shift
  folder=$faults_dir
  for file in "$folder"/*; do
    [ -e "$file" ] || continue
    name=$(basename "$file")
    case "$name" in
      *.partial) fail "$what: a temporary file was left behind: $name" ;;
    esac
    found=""
    for set in "$@"; do
      if [ -f "$work/files-$set/$name" ] && cmp -s "$file" "$work/files-$set/$name"; then
        found=$set
        break
      fi
    done
    [ -n "$found" ] || fail "$what: $name is neither of the kept versions ($*)"
  done
  for file in "$work/files-$1"/*; do
    [ -e "$file" ] || continue
    [ -f "$folder/$(basename "$file")" ] || fail "$what: $(basename "$file") was removed"
  done
}

same_file() {  # same_file WHAT SET NAME: the data folder's NAME equals its copy in SET
  cmp -s "$faults_dir/$3" "$work/files-$2/$3" || fail "$1: $3 differs from its $2 copy"
}
changed_file() {  # changed_file WHAT SET NAME
  cmp -s "$faults_dir/$3" "$work/files-$2/$3" && fail "$1: $3 was not rewritten"
  return 0
}

# The Linux process of this group's Tarvolin.exe (Wine runs each Windows process as one):
# the one whose environment has this test's Wine prefix.
program_unix_pid() {
  local p
  for p in $(pgrep -f 'Tarvolin\.exe' || true); do
    tr '\0' '\n' < "/proc/$p/environ" 2> /dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
    echo "$p"
    return 0
  done
  return 1
}

# Kills the program as a crash or a power cut would (no clean-up of its own) and waits until
# Wine has seen it go.
kill_program_hard() {
  local pid
  pid=$(program_unix_pid) || fail "no Tarvolin.exe process to kill"
  kill -KILL "$pid"
  wait "$program_pid" 2> /dev/null || true  # reaped here, without the shell's "Killed" line
  td wait 30000 processes count=0 > /dev/null || fail "the killed program is still listed"
  # Halvrin ends by itself once no Tarvolin.exe runs.
  td --exe Halvrin.exe wait 30000 processes count=0 > /dev/null 2>&1 || true
}

# A program folder of its own (the build's files stay as they are), to damage its skin.
program_copy() {  # program_copy NAME: the program with its skin in $work/NAME
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1"
  cp -r "$bin/Tarvolin.exe" "$bin/Quorlink.dll" "$bin/Halvrin.exe" "$bin/vkbhost.exe" \
    "$bin/Skins" "$work/$1/"
}

# Started with the keyboard attached: window shown, icon 141, the active profile's file built.
start_attached() {  # start_attached [ARGS...]
  start_program "$@"
  expect_state 60000 "the window did not show" state 0 visible=1
  expect_state 30000 "no tray icon 141" tray tray=141
  local file
  file="$faults_dir/\$Profile0"
  for _ in $(seq 300); do
    [ -f "$file" ] && break
    sleep 0.1
  done
  [ -f "$file" ] || fail "the attach did not write $file"
  wait_until_idle
}

# Restore defaults answered Yes: clears the active profile's keys and runs Apply at once.
restore_defaults_and_apply() {
  td click 1138
  expect_state 10000 "restore defaults asked nothing" msgbox present=1
  td answer yes
  expect_state 10000 "the question did not close" msgbox present=0
}

# --- Rounds of Apply from a known keyboard. Key map 0 of the keyboard is "changed" (G1 of bank
# A sends A); Restore defaults puts the factory map back.
profile='$Profile0'
prepare_keyboard() {  # sets factory_map0, changed_block, changed_map0
  vkb reset > /dev/null
  factory_map0=$(dump_field key_maps 0)
  changed_block=$(g1_bank_a_block)
  wine_run tarvolinctl.exe raw 8 0 "$changed_block" > /dev/null || fail "could not prepare key map 0"
  changed_map0=$(dump_field key_maps 0)
}

# Each round starts from the changed key map, reloaded into the program as an attach does:
# the profile file is rebuilt from the keyboard ("old") and Apply is disabled.
prepare_round() {  # prepare_round WHAT
  echo "--- $1 ($SECONDS s)"
  wine_run tarvolinctl.exe raw 8 0 "$changed_block" > /dev/null || fail "$1: could not prepare"
  td send profile > /dev/null || fail "$1: the reload did not run"
  expect_state 10000 "$1: Apply enabled before the round" state 1006 enabled=0
  keep_files old
  ends_before=$(requests_of 02)
}

# Waits for the end of the Apply that Restore defaults started: the keyboard has seen its End
# request and the busy picture is gone. Then the window must answer.
apply_over() {  # apply_over WHAT
  wait_requests 02 "$((ends_before + 1))" 90000 "$1: Apply sent no End"
  expect_state 30000 "$1: the busy picture stayed" state 1177 visible=0
  ui_answers "$1"
}

# The user clicks Apply again once the keyboard behaves; waits until that Apply is over.
retry_apply() {  # retry_apply WHAT
  td click 1006
  wait_requests 02 "$((ends_before + 2))" 60000 "$1: the retry sent no End"
  expect_state 30000 "$1: the retry's busy picture stayed" state 1177 visible=0
}

applied() {  # applied WHAT: the keyboard took the new key map; Apply is disabled; new file
  expect_state 10000 "$1: Apply still enabled after a good download" state 1006 enabled=0
  [ "$(dump_field key_maps 0)" = "$factory_map0" ] || fail "$1: the keyboard lacks the new key map"
  changed_file "$1" old "$profile"
  if [ -d "$work/files-new" ]; then
    files_intact "$1" new old
  else
    keep_files new
  fi
}

# --- Apply under a keyboard fault (the Apply groups).
# Apply stays enabled and the file untouched. The keyboard keeps the old key map, except after
# wrong echoes: it carried out the first block piece that the program took as unanswered.
not_applied() {  # not_applied WHAT
  expect_state 10000 "$1: a failed Apply disabled Apply" state 1006 enabled=1
  same_file "$1" old "$profile"
  files_intact "$1" old
  local map
  map=$(dump_field key_maps 0)
  if [ "$1" = "wrong 1000" ]; then
    [ "$map" != "$factory_map0" ] || fail "$1: the whole block reached the keyboard"
  else
    [ "$map" = "$changed_map0" ] || fail "$1: the keyboard's key map changed"
  fi
}

# Faults that the three attempts of each transaction ride out, or that cost only the Begin
# request (a failed command does not stop the sequence; the last block write decides), and
# faults on every request of the Apply: then Apply stays enabled, and a retry once the
# keyboard behaves again writes everything. A wrong echo is a reply gone astray: the keyboard
# carried the requests out, but the program never learnt it, so it must offer the retry.
apply_with_fault() {  # apply_with_fault KIND N
  prepare_round "$*"
  busy_before=$(replies_with_status FE)
  refused_before=$(replies_with_status FF)
  vkb fault "$@" > /dev/null
  restore_defaults_and_apply
  apply_over "$*"
  # "busy" answers with status 0xFE, "refuse" with 0xFF, each as often as asked.
  case "$*" in
    "busy 2") [ "$(replies_with_status FE)" = $((busy_before + 2)) ] || fail "busy 2: not two 0xFE replies" ;;
    "refuse 2") [ "$(replies_with_status FF)" = $((refused_before + 2)) ] || fail "refuse 2: not two 0xFF replies" ;;
  esac
  if [ "$2" = 1000 ]; then
    not_applied "$*"
    vkb faults-clear > /dev/null
    retry_apply "$*"
    applied "$*, retried"
  else
    applied "$*"
    vkb faults-clear > /dev/null
  fi
}

# Runs a small Python program that watches the data folder and kills the program's process
# the moment a temporary file appears there, i.e. while a profile file is being written.
# Prints "ready" once the watch is on; the caller waits for that with wait_watch_ready.
arm_kill_on_partial() {  # arm_kill_on_partial UNIXPID
  python3 - "$faults_dir" "$1" > "$work/watch.out" 2>&1 << 'EOF' &
import ctypes, os, signal, struct, sys
folder, pid = sys.argv[1], int(sys.argv[2])
libc = ctypes.CDLL(None, use_errno=True)
fd = libc.inotify_init()
IN_CREATE = 0x100
if fd < 0 or libc.inotify_add_watch(fd, folder.encode(), IN_CREATE) < 0:
    print("no inotify", flush=True)
    sys.exit(1)
print("ready", flush=True)
while True:
    data = os.read(fd, 4096)
    offset = 0
    while offset < len(data):
        _, _, _, length = struct.unpack_from("iIII", data, offset)
        name = data[offset + 16:offset + 16 + length].rstrip(b"\0").decode(errors="replace")
        offset += 16 + length
        if name.endswith(".partial"):
            os.kill(pid, signal.SIGKILL)
            print("killed while writing " + name, flush=True)
            sys.exit(0)
EOF
  watcher_pid=$!
  for _ in $(seq 100); do
    grep -q ready "$work/watch.out" 2> /dev/null && return 0
    sleep 0.05
  done
  fail "the folder watch did not start: $(cat "$work/watch.out")"
}

# The data folder's NAME passes the program's own profile file check.
valid_profile_file() {  # valid_profile_file WHAT NAME
  local unix
  unix="$faults_dir/$2"
  wine_run tarvolinctl.exe profile validate "Z:${unix//\//\\}" > "$work/validate" 2>&1 ||
    fail "$1: $2 is not a valid profile file: $(cat "$work/validate")"
}
