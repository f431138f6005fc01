#!/usr/bin/env bash
# The profile buttons: a switch reaches the keyboard, checks its button and names the profile
# on the indicator; with unapplied changes it asks first, Yes applying them to the old profile
# and No throwing them away; with the keyboard gone the indicator names the default profile.
source "$(dirname "$0")/program_lib.sh"
reset_user
factory_map0=$(dump_field key_maps 0)
wine_run tarvolinctl.exe raw 8 0 "$(g1_bank_a_block)" > /dev/null || fail "could not prepare key map 0"
changed_map0=$(dump_field key_maps 0)
active_is() {
  for _ in $(seq 100); do
    [ "$(dump_field active_profile)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the keyboard's active profile is not $1"
}
buttons_show() {  # buttons_show K: button K (0..2) checked, the others not, indicator $ProfileK
  local k
  for k in 0 1 2; do
    expect_state 10000 "profile button $k has the wrong checked state" \
      state $((1135 + k)) "checked=$([ "$k" = "$1" ] && echo 1 || echo 0)"
  done
  expect_state 10000 "the indicator does not name \$Profile$1" state 1005 "caption=\$Profile$1"
}
# Unapplied changes without an editor: restore defaults whose Apply the keyboard refuses.
make_pending_change() {
  vkb fault refuse 1000 > /dev/null  # every request of the Apply, the last block write included
  td click 1138
  expect_state 10000 "restore defaults asked nothing" msgbox present=1
  td answer yes
  expect_state 10000 "the question did not close" msgbox present=0
  wait_until_idle
  expect_state 30000 "no pending change" state 1006 enabled=1
  vkb faults-clear > /dev/null
}

start_program
expect_state 60000 "the window did not show" state 0 visible=1
buttons_show 0

td click 1136
active_is 1
buttons_show 1
td click 1137
active_is 2
buttons_show 2
map2_before=$(dump_field key_maps 2)

# No: the pending change is thrown away, then the switch happens.
make_pending_change
td click 1135
expect_state 10000 "no save question" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=Save the changes to the current profile?$"
expect_in "$work/box" "^buttons=yes,no$"
expect_in "$work/box" "^default=no$"
td answer no
active_is 0
buttons_show 0
expect_state 10000 "No kept Apply enabled" state 1006 enabled=0
[ "$(dump_field key_maps 2)" = "$map2_before" ] || fail "No wrote profile 2's changes"

# Yes: the change goes to the old profile (0) before the keyboard switches to 1.
[ "$(dump_field key_maps 0)" = "$changed_map0" ] || fail "profile 0 changed too early"
make_pending_change
td click 1136
expect_state 10000 "no save question" msgbox present=1
td answer yes
active_is 1
buttons_show 1
[ "$(dump_field key_maps 0)" = "$factory_map0" ] || fail "Yes did not apply to the old profile"
expect_state 10000 "Apply stayed enabled after Yes" state 1006 enabled=0

# Without a keyboard the active profile is unknown and the indicator names the default.
vkb unplug > /dev/null
expect_state 10000 "no icon 128" tray tray=128
td command 32771 > /dev/null
if td wait 5000 msgbox present=1 > /dev/null; then td answer ok; fi
td click 1137
expect_state 10000 "the indicator does not name the default profile" \
  state 1005 "caption=<Default Profile>"
stop_program
echo "program profiles: ok"
