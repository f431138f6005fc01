#!/usr/bin/env bash
# Restore defaults and Apply, seen from the keyboard and the files: No changes nothing; an
# Apply the keyboard refuses keeps Apply enabled and the profile file byte-identical; Cancel
# keeps the pending change for the next Open; a slow keyboard shows the progress frames; a
# finished Apply leaves the default key map in the active profile's block and writes no other.
source "$(dirname "$0")/program_lib.sh"
reset_user
factory_map0=$(dump_field key_maps 0)
wine_run tarvolinctl.exe raw 8 0 "$(g1_bank_a_block)" > /dev/null || fail "could not prepare key map 0"
changed_map0=$(dump_field key_maps 0)
[ "$changed_map0" != "$factory_map0" ] || fail "the prepared key map equals the default"

key_map_writes() {  # key-map write requests in the traffic log: "block-high-byte" per line
  grep -E -- "-> 04 .. .. 08 " "$TARVOLIN_VKB_TRAFFIC" | awk '{print $9}' || true
}


start_program
expect_state 60000 "the window did not show" state 0 visible=1
expect_state 30000 "no tray icon 141" tray tray=141
profile_file="$(data_folder)/\$Profile0"
expect_state 5000 "Apply is enabled without changes" state 1006 enabled=0
for _ in $(seq 100); do [ -f "$profile_file" ] && break; sleep 0.1; done
[ -f "$profile_file" ] || fail "the attach did not write $profile_file"
file_before=$(md5sum < "$profile_file")

# Restore defaults answered No: nothing changes.
writes_before=$(key_map_writes | wc -l)
td click 1138
expect_state 10000 "restore defaults asked nothing" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=Restore the default settings of this profile?$"
expect_in "$work/box" "^buttons=yes,no$"
expect_in "$work/box" "^default=no$"
td answer no
expect_state 10000 "the question did not close" msgbox present=0
wait_until_idle
[ "$(key_map_writes | wc -l)" = "$writes_before" ] || fail "No wrote to the keyboard"
[ "$(dump_field key_maps 0)" = "$changed_map0" ] || fail "No changed the keyboard's key map"
[ "$(md5sum < "$profile_file")" = "$file_before" ] || fail "No changed the profile file"
[ "$(td get state 1006 enabled)" = 0 ] || fail "No enabled Apply"

# Yes while the keyboard refuses: Apply stays enabled, file and keyboard untouched.
vkb fault refuse 1000 > /dev/null  # every request of the Apply, the last block write included
td click 1138
expect_state 10000 "restore defaults asked nothing" msgbox present=1
td answer yes
expect_state 10000 "the question did not close" msgbox present=0
wait_until_idle
expect_state 30000 "a refused Apply disabled Apply" state 1006 enabled=1
[ "$(md5sum < "$profile_file")" = "$file_before" ] || fail "a refused Apply changed the profile file"
[ "$(dump_field key_maps 0)" = "$changed_map0" ] || fail "a refused Apply changed the keyboard"
vkb faults-clear > /dev/null

# Cancel hides; Open shows the pending change with Apply still enabled.
td click 2
expect_state 10000 "Cancel did not hide" state 0 visible=0
td command 32771
expect_state 10000 "Open did not show" state 0 visible=1
expect_state 5000 "the pending change was lost" state 1006 enabled=1

# A slow keyboard: Apply takes seconds and the busy picture steps through its frames.
# The screen is sampled straight from X (a driver call per sample would be too slow); the
# Apply is over when the keyboard has seen its End command.
vkb latency 400 > /dev/null
writes_before=$(key_map_writes | wc -l)
ends_before=$(grep -c -E -- "-> 04 .. .. 02 " "$TARVOLIN_VKB_TRAFFIC" || true)
IFS=, read -r l t r b <<< "$(td get state 1177 rect)"
td click 1006
frames=()
for _ in $(seq 600); do
  frames+=("$(import -window root -crop "$((r - l))x$((b - t))+$l+$t" rgb:- 2> /dev/null | md5sum)")
  [ "$(grep -c -E -- "-> 04 .. .. 02 " "$TARVOLIN_VKB_TRAFFIC" || true)" -gt "$ends_before" ] && break
done
vkb latency 0 > /dev/null
expect_state 60000 "Apply did not finish" state 1006 enabled=0
distinct=$(printf '%s\n' "${frames[@]}" | sort -u | wc -l)
echo "busy picture: ${#frames[@]} samples, $distinct distinct frames"
# The background where the picture hides, and at least two different progress frames.
[ "$distinct" -ge 3 ] || fail "the progress frames did not change during a slow Apply"
expect_state 10000 "the busy picture stayed" state 1177 visible=0

# The keyboard now holds the default key map in profile 0, and no other block was written.
[ "$(dump_field key_maps 0)" = "$factory_map0" ] || fail "profile 0's key map is not the default"
key_map_writes | tail -n +"$((writes_before + 1))" | sort -u > "$work/written"
[ -s "$work/written" ] || fail "Apply wrote no key map"
grep -v -x -E "00|01" "$work/written" && fail "Apply wrote outside profile 0's block"
[ "$(md5sum < "$profile_file")" != "$file_before" ] || fail "Apply did not save the profile file"
stop_program
echo "program apply: ok"
