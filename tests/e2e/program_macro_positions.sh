#!/usr/bin/env bash
# Keys of the profiles Apply does not write keep their macros when a macro is deleted: the
# keyboard holds Alpha, Bravo, Charlie; profile 1's F1 plays Charlie, profile 2's F2 Alpha and
# F3 Bravo. Alpha is deleted and applied in profile 0; afterwards profile 1's F1 still plays
# Charlie and profile 2's F3 Bravo (at their new positions), F2 is its own key again, and no
# other byte of those blocks changed. Then an assignment applied in profile 1, which has no
# profile file yet, leaves Apply disabled.
source "$(dirname "$0")/macro_pane_lib.sh"
reset_user

apply_main() {
  expect_state 10000 "Apply is not enabled" state 1006 enabled=1
  td click 1006
  expect_state 60000 "Apply stayed enabled" state 1006 enabled=0
}
profile_shows() {  # profile_shows K: the main window and the keyboard are on profile K
  expect_state 10000 "profile button $1 is not checked" state $((1135 + $1)) checked=1
  for _ in $(seq 100); do
    [ "$(dump_field active_profile)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the keyboard did not switch to profile $1"
}
# Byte offsets where two key-map blocks (hex) differ, and the position of a key in the layout.
block_differences() {  # block_differences HEX_BEFORE HEX_AFTER
  python3 -c '
import sys
a, b = bytes.fromhex(sys.argv[1]), bytes.fromhex(sys.argv[2])
print(" ".join(str(i) for i in range(len(a)) if a[i] != b[i]))' "$1" "$2"
}
entry_at() {  # entry_at HEX POSITION: the 3-byte entry, as 6 hex digits
  python3 -c 'import sys; print(sys.argv[1][int(sys.argv[2]) * 6:][:6].upper())' "$1" "$2"
}
layout=$(dump_field default_layout)
position_of() {  # position_of ENTRY: the position whose default entry is ENTRY (6 hex digits)
  python3 -c '
import sys
layout = sys.argv[1].upper()
print([layout[i:i + 6] for i in range(0, 126 * 6, 6)].index(sys.argv[2]))' "$layout" "$1"
}
f1=$(position_of 02023A)
f2=$(position_of 02023B)
f3=$(position_of 02023C)

cat > "$work/start.json" << 'JSON'
{"format": "tarvolin profile file",
 "groups": [
  {"group": 0, "g_slot_tags": true, "assignments": []},
  {"group": 1, "g_slot_tags": true, "assignments": [
    {"slot": "0x03B", "type": "macro", "value": 3}]},
  {"group": 2, "g_slot_tags": true, "assignments": [
    {"slot": "0x03C", "type": "macro", "value": 1}, {"slot": "0x03D", "type": "macro", "value": 2}]},
  {"group": 3, "g_slot_tags": false, "assignments": []}],
 "macros": [
  {"id": 1, "name": "Alpha", "play_count": 1,
   "steps": [{"delay_ms": 10, "code": "0x1e", "direction": "press"}]},
  {"id": 2, "name": "Bravo", "play_count": 2,
   "steps": [{"delay_ms": 20, "code": "0x30", "direction": "press"}]},
  {"id": 3, "name": "Charlie", "play_count": 3,
   "steps": [{"delay_ms": 30, "code": "0x2e", "direction": "press"}]}]}
JSON
wine_run tarvolinctl.exe profile build "$work/start.json" -o "$work/start.tvc" > /dev/null ||
  fail "the start profile was not built"
wine_run tarvolinctl.exe profile apply "$work/start.tvc" > "$work/applied" ||
  { cat "$work/applied"; fail "the start profile did not reach the keyboard"; }
block1_before=$(dump_field key_maps 1)
block2_before=$(dump_field key_maps 2)
[ "$(entry_at "$block1_before" "$f1")" = 050102 ] || fail "F1 of profile 1 does not play macro 3"

start_program
expect_state 60000 "the window did not show" state 0 visible=1
profile_shows 0

# Delete Alpha in profile 0 (profile 2's F2 plays it: the keys question, Yes); OK gives G9 the
# macro now selected, Bravo; Apply.
open_macro_dialog 1143
expect_state 10000 "the keyboard's macros are not offered" dialog 1126 count=3 selection=0
td pane-click 1018
expect_state 10000 "deleting a macro in use asked nothing" msgbox present=1
td answer yes
expect_state 10000 "Yes did not delete Alpha" dialog 1126 count=2 selection=0 caption=Bravo
td pane-click 1
expect_state 20000 "OK did not close the dialog" pane 0 present=0
apply_main

# The keyboard: two macros; profile 1's F1 plays Charlie, now position 1; profile 2's F3 plays
# Bravo, now position 0, F2 has its own default entry again; nothing else changed.
wine_run tarvolinctl.exe read-macros | tr -d '\r' > "$work/macros"
expect_in "$work/macros" "^2 macros$"
block1=$(dump_field key_maps 1)
block2=$(dump_field key_maps 2)
[ "$(entry_at "$block1" "$f1")" = 050101 ] || fail "F1 of profile 1: $(entry_at "$block1" "$f1")"
[ "$(block_differences "$block1_before" "$block1")" = "$((3 * f1 + 2))" ] ||
  fail "profile 1 changed at: $(block_differences "$block1_before" "$block1")"
[ "$(entry_at "$block2" "$f2")" = 02023B ] || fail "F2 of profile 2: $(entry_at "$block2" "$f2")"
[ "$(entry_at "$block2" "$f3")" = 050100 ] || fail "F3 of profile 2: $(entry_at "$block2" "$f3")"
[ "$(block_differences "$block2_before" "$block2")" = "$((3 * f2)) $((3 * f2 + 1)) $((3 * f2 + 2)) $((3 * f3 + 2))" ] ||
  fail "profile 2 changed at: $(block_differences "$block2_before" "$block2")"
wine_run tarvolinctl.exe read-profile 1 | tr -d '\r' > "$work/profile1"
expect_in "$work/profile1" 'F1 .*"Charlie"'

# Profile 1 in the program: F1's editor shows Charlie.
td click 1136
profile_shows 1
expect_state 10000 "Apply is enabled after the switch" state 1006 enabled=0
open_macro_dialog 1010
expect_state 10000 "F1 does not show Charlie" dialog 1126 count=2 caption=Charlie
td pane-click 2
expect_state 20000 "Cancel did not close the dialog" pane 0 present=0

# G9 in profile 1, which has no profile file yet: Apply writes the keyboard and the file and
# ends disabled.
[ ! -e "$(data_folder)/\$Profile1" ] || fail "profile 1 already has a file"
open_macro_dialog 1143
expect_state 10000 "the macros are not offered" dialog 1126 count=2
td pane-click 1
expect_state 20000 "OK did not close the dialog" pane 0 present=0
apply_main
[ -f "$(data_folder)/\$Profile1" ] || fail "Apply did not write profile 1's file"
wine_run tarvolinctl.exe read-profile 1 | tr -d '\r' > "$work/profile1"
expect_in "$work/profile1" 'G9 .*"Bravo"'
expect_in "$work/profile1" 'F1 .*"Charlie"'
screenshot macro-positions
stop_program
echo "program macro positions: ok"
