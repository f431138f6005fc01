#!/usr/bin/env bash
# The keyboard comes, goes and reports events while the program runs: bank switches with their
# captions, G-button states and indicator bytes; macro playing and stopping on the tray icon;
# codes that mean nothing; unplug hides the window and shows icon 128, Open then says that no
# keyboard is there; plugging in again reloads without showing the window.
source "$(dirname "$0")/program_lib.sh"
reset_user
# Profile 0 gets G1 of bank A (slot 256) assigned and bank B (slot 265) left alone, so the G
# buttons' checked states tell the banks apart.
wine_run tarvolinctl.exe raw 8 0 "$(g1_bank_a_block)" > /dev/null || fail "could not prepare key map 0"

start_program
expect_state 60000 "the window did not show" state 0 visible=1
expect_state 30000 "no tray icon 141" tray tray=141

check_bank() {  # check_bank A|B [G1-checked]: captions, and the checked states once a bank
  local i      # switch has set them
  for i in 1 2 3 4 5; do
    expect_state 10000 "G$i caption is not $1$i" state $((999 + i)) "caption=$1$i"
  done
  for id in 1140 1141 1142 1143; do
    expect_state 5000 "G-button $id has a caption in bank $1" state "$id" caption=
  done
  [ -n "${2:-}" ] || return 0
  expect_state 5000 "G1's checked state in bank $1 is not $2" state 1000 "checked=$2"
  for id in 1001 1002 1003 1004 1140 1141 1142 1143; do
    expect_state 5000 "G-button $id is checked in bank $1" state "$id" checked=0
  done
}
indicator_is() {  # indicator_is BYTES: the last status write, where the keyboard host tells it
  local status
  status=$(vkb status | tr -d '\r')
  if ! grep -q "^indicator" <<< "$status"; then
    echo "note: this keyboard does not report indicator writes (needs the keyboard host)"
    return 0
  fi
  for _ in $(seq 100); do
    grep -q "^indicator $1\$" <<< "$status" && return 0
    sleep 0.1
    status=$(vkb status | tr -d '\r')
  done
  fail "the indicator interface did not get $1 (status: $status)"
}

check_bank A
vkb bank > /dev/null
check_bank B 0
indicator_is "05 03"
vkb bank > /dev/null
check_bank A 1
indicator_is "05 02"

# Macro playing shows 142 and stopping the presence icon again; a stop with no start changes
# nothing visible.
vkb macro-start > /dev/null
expect_state 10000 "macro playing did not show icon 142" tray tray=142
vkb macro-stop > /dev/null
expect_state 10000 "macro stopped did not restore icon 141" tray tray=141
vkb macro-stop > /dev/null
for code in 0x1801 0x1802 0x1803 0x1804; do vkb event "$code" > /dev/null; done
# Those codes mean nothing: a bank switch sent after them is seen first, nothing else moved.
vkb bank > /dev/null
check_bank B 0
[ "$(td get tray tray)" = 141 ] || fail "an event without meaning changed the tray icon"
[ "$(td get state 0 visible)" = 1 ] || fail "an event without meaning hid the window"
vkb bank > /dev/null
check_bank A 1

# Unplug while shown: hidden, icon 128. Open then shows the no-keyboard message.
vkb macro-start > /dev/null
expect_state 10000 "macro playing did not show icon 142" tray tray=142
vkb unplug > /dev/null
expect_state 10000 "unplugging did not hide the window" state 0 visible=0
expect_state 10000 "unplugging did not show icon 128" tray tray=128
td command 32771
expect_state 10000 "Open without a keyboard showed no message" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=No keyboard was detected, so the key settings cannot be shown.$"
expect_in "$work/box" "^title=$"
screenshot no-keyboard-message
td answer ok
expect_state 10000 "the message did not close" msgbox present=0
[ "$(td get state 0 visible)" = 0 ] || fail "Open without a keyboard showed the window"

# Plug in again: icon 141 and a reload (the default layout is read again), no window.
reads_before=$(grep -c -E -- "-> 04 .. .. 0F " "$TARVOLIN_VKB_TRAFFIC" || true)
vkb plug > /dev/null
expect_state 30000 "plugging in did not show icon 141" tray tray=141
reads_after=$(grep -c -E -- "-> 04 .. .. 0F " "$TARVOLIN_VKB_TRAFFIC" || true)
[ "$reads_after" -gt "$reads_before" ] || fail "plugging in did not read the keyboard again"
td wait 3000 state 0 visible=1 > /dev/null 2>&1 && fail "plugging in showed the window again"
stop_program
echo "program events: ok"
