#!/usr/bin/env bash
# A misbehaving keyboard in the middle of things: a key-map block refused half-way, 8 ms per
# report during Apply, the keyboard pulled out in the middle of Apply, and failed reads while
# the keyboard is attached. After each, the window answers within 2 s, Apply stays enabled
# exactly when the key map did not reach the keyboard, and the profile file is byte for byte
# the old or the new one.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
prepare_keyboard

start_attached

# The keyboard refuses the key-map block half-way: Begin and the macros went through, the
# first pieces of the block too, then one piece is refused three times and the block write
# stops there. Apply stays enabled; the retry completes the block.
prepare_round "refused block"
vkb latency 300 > /dev/null
blocks_before=$(requests_of 08)
restore_defaults_and_apply
wait_requests 08 "$((blocks_before + 2))" 60000 "refused block: no block write"
vkb fault refuse 3 > /dev/null
apply_over "refused block"
vkb latency 0 > /dev/null
written=$(($(requests_of 08) - blocks_before))
echo "refused block: $written block requests before the write stopped"
[ "$written" -lt 12 ] || fail "refused block: the block write went on after a refused piece"
expect_state 10000 "refused block: Apply disabled after a failed block" state 1006 enabled=1
same_file "refused block" old "$profile"
files_intact "refused block" old
[ "$written" -gt 3 ] || fail "refused block: the fault came before the block"
retry_apply "refused block"
applied "refused block, retried"

# 8 ms per report, as a keyboard polled every 8 ms: Apply completes, correctly.
prepare_round "latency 8"
vkb latency 8 > /dev/null
restore_defaults_and_apply
apply_over "latency 8"
echo "latency 8: Apply sent $(last_apply_span)"
applied "latency 8"
vkb latency 0 > /dev/null

# Pulled out in the middle of Apply: the rest of the Apply fails at once, the window hides,
# the icon shows no keyboard, Apply stays enabled, the file is untouched. Plugged in again,
# the profile is rebuilt from what the keyboard holds.
prepare_round "unplug"
vkb latency 150 > /dev/null
blocks_before=$(requests_of 08)
restore_defaults_and_apply
wait_requests 08 "$((blocks_before + 2))" 60000 "unplug: no block write"
vkb unplug > /dev/null
vkb latency 0 > /dev/null
expect_state 30000 "unplug: the busy picture stayed" state 1177 visible=0
ui_answers "unplug"
expect_state 30000 "unplug: the icon still shows a keyboard" tray tray=128
expect_state 10000 "unplug: the window stayed" state 0 visible=0
expect_state 10000 "unplug: Apply disabled although the block did not go out" state 1006 enabled=1
same_file "unplug" old "$profile"
files_intact "unplug" old
map_after_unplug=$(dump_field key_maps 0)
[ "$map_after_unplug" != "$changed_map0" ] && [ "$map_after_unplug" != "$factory_map0" ] &&
  echo "unplug: the keyboard holds the first pieces of the new key map"
vkb plug > /dev/null
expect_state 30000 "plug: no icon 141" tray tray=141
wait_until_idle
ui_answers "plug"
expect_state 10000 "plug: the reload left Apply enabled" state 1006 enabled=0
valid_profile_file "plug" "$profile"

# Reads that fail while the keyboard is plugged in. The default layout is read first; when it
# fails the user is told, the old layout stays, and the attach goes on.
layout_message() {  # layout_message WHAT: the message shows, names the failure and goes away
  expect_state 60000 "$1: no message about the default layout" msgbox present=1
  td msgbox > "$work/box"
  expect_in "$work/box" "^text=$(language_text MAIN_DEFAULT_MATRIX_PROMPT)$"
  expect_in "$work/box" "^buttons=ok$"
  screenshot "faults-$2"
  td answer ok
  expect_state 10000 "$1: the message stayed" msgbox present=0
}
replug_with_fault() {  # replug_with_fault FAULT...: the keyboard comes back misbehaving
  vkb unplug > /dev/null
  expect_state 30000 "no icon 128 after unplugging" tray tray=128
  keep_files old
  vkb fault "$@" > /dev/null
  vkb plug > /dev/null
}

# Only the layout read fails (its three attempts dropped); everything after it works: the
# profile is rebuilt from the keyboard.
replug_with_fault drop 3
layout_message "attach, drop 3" attach-layout-failed
expect_state 30000 "attach, drop 3: no icon 141" tray tray=141
wait_until_idle
ui_answers "attach, drop 3"
valid_profile_file "attach, drop 3" "$profile"
expect_state 10000 "attach, drop 3: the indicator lost the profile" state 1005 'caption=$Profile0'

# Every read refused: the active profile stays unknown, the defaults are shown, the file
# is left alone.
replug_with_fault refuse 1000
layout_message "attach, refused" attach-refused
expect_state 30000 "attach, refused: no icon 141" tray tray=141
wait_until_idle
ui_answers "attach, refused"
files_intact "attach, refused" old
expect_state 10000 "attach, refused: the indicator shows a profile" state 1005 "caption=<Default Profile>"
expect_state 10000 "attach, refused: Apply enabled" state 1006 enabled=0

# Every reply dropped, and the keyboard recovers while the user reads the message: the rest
# of the attach goes through and the window answers at once.
replug_with_fault drop 1000
expect_state 60000 "attach, drop: no message about the default layout" msgbox present=1
vkb faults-clear > /dev/null
td answer ok
expect_state 10000 "attach, drop: the message stayed" msgbox present=0
ui_answers "attach, drop, recovered"
expect_state 30000 "attach, drop: no icon 141" tray tray=141
wait_until_idle
valid_profile_file "attach, drop" "$profile"
expect_state 10000 "attach, drop: the indicator lost the profile" state 1005 'caption=$Profile0'

stop_program
echo "program faults device: ok"
