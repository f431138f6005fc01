# Shared by the lighting panel's end-to-end groups: reading the panel through tdriver and the
# keyboard's lighting writes from the traffic log.
source "$(dirname "${BASH_SOURCE[0]}")/program_lib.sh"

# Every control of the lighting panel, the progress picture of Apply (1177) aside.
panel_ids=(1204 1171 1167 1146 1172 1178 1166 1179 1148 1149 1150 1163 1164 1165 1173 1156 1208
  1207 1198)

expect_panel() {  # expect_panel WHAT ID FIELD=VALUE ...: waits for a panel state
  local what=$1
  shift
  td wait 20000 panel "$@" > /dev/null || { td panel "$1"; fail "$what"; }
}

# Exactly the given panel controls are visible, every other one hidden (one question to the
# program for the whole panel).
visible_only() {  # visible_only WHAT ID ...
  local what=$1 id want=""
  shift
  for id in "${panel_ids[@]}"; do
    [[ " $* " == *" $id "* ]] && want+="${want:+,}$id"
  done
  local all
  all=$(IFS=,; echo "${panel_ids[*]}")
  td wait 20000 visible-among "$all" "visible=$want" > /dev/null ||
    fail "$what: visible controls are $(td get visible-among "$all" visible), not $want"
}

# A copy of the program whose skin file is changed by a sed script, so that positions and
# texts the stock skin gives twice can be told apart.
program_copy() {  # program_copy FOLDER SED-SCRIPT
  rm -rf "$1"
  mkdir -p "$1"
  cp -r "$bin/Tarvolin.exe" "$bin/Quorlink.dll" "$bin/Halvrin.exe" "$bin/Skins" "$1/"
  cp "$bin/vkbhost.exe" "$1/"  # the keyboard host beside Quorlink.dll
  { printf '\xff\xfe'
    iconv -f UTF-16 -t UTF-8 "$bin/Skins/Main.ini" | sed "$2" | iconv -f UTF-8 -t UTF-16LE
  } > "$1/Skins/Main.ini"
}

set_language() {  # set_language FOLDER VALUE: LANGUAGE/language of that copy
  local file="$1/Skins/language.ini"
  { printf '\xff\xfe'
    iconv -f UTF-16 -t UTF-8 "$bin/Skins/language.ini" | sed "s/^language=[0-9]*/language=$2/" |
      iconv -f UTF-8 -t UTF-16LE
  } > "$file.new"
  mv "$file.new" "$file"
}

start_in() {  # start_in FOLDER EFFECTS: the program from that folder, shown, and the keyboard
  # read (its effect list has EFFECTS entries)
  vkb status > /dev/null || true  # the keyboard host runs before the program looks for it
  (cd "$1" && exec "$root/scripts/wine-run" Tarvolin.exe) &
  program_pid=$!
  started_pids+=("$program_pid")
  expect_state 60000 "the window did not show ($1)" state 0 visible=1
  expect_state 30000 "no tray icon 141 ($1)" tray tray=141
  td wait 30000 panel 1146 "count=$2" > /dev/null || fail "no lighting read ($1)"
}

# The traffic log's length now, and the requests sent after such a mark.
log_mark() { wc -l < "$TARVOLIN_VKB_TRAFFIC" 2> /dev/null || echo 0; }
requests_since() {  # requests_since MARK COMMAND-HEX: request lines with that command
  tail -n "+$(($1 + 1))" "$TARVOLIN_VKB_TRAFFIC" | grep -E -- "-> 04 .. .. $2 " || true
}
# One byte written: command 06 (lighting) or 11 (key colours), length 1, the address low byte
# first, status 0, then the value.
one_byte_write() {  # one_byte_write COMMAND-HEX ADDRESS VALUE: the request's header and payload
  printf -- '-> 04 .. .. %s 01 %02X %02X 00 %02X ' "$1" $(($2 & 255)) $(($2 >> 8)) "$3"
}
expect_writes() {  # expect_writes WHAT MARK COMMAND-HEX COUNT [PATTERN]: exactly COUNT such
  local what=$1 mark=$2 command=$3 count=$4 pattern=${5:-} got  # requests since MARK
  wait_until_idle
  got=$(requests_since "$mark" "$command")
  [ -n "$pattern" ] && got=$(grep -E -- "$pattern" <<< "$got" || true)
  if [ "$(grep -c . <<< "$got" || true)" != "$count" ]; then
    echo "--- requests of command $command since line $mark:"
    requests_since "$mark" "$command"
    fail "$what: not exactly $count write(s) of command $command ${pattern:+matching '$pattern'}"
  fi
}

# A byte of the keyboard's memory: lighting record of a profile or its key-colour page.
memory_byte() {  # memory_byte lighting|key_colours PROFILE OFFSET: decimal
  local hex
  hex=$(dump_field "$1" "$2")
  echo $((16#${hex:$(($3 * 2)):2}))
}
