#!/usr/bin/env bash
# Screenshots of the composite key dialog for a person to look at, kept under
# build/e2e-shots: each tab in English and in Chinese, and G9's macro-only dialog. Checked on
# the way: every tab shows its own controls, the Chinese texts are loaded, and at 144 DPI the
# dialog is one and a half times as big. Also: a G key assigned in the dialog is drawn
# assigned as soon as the program has read the keyboard, without a bank switch.
source "$(dirname "$0")/program_lib.sh"
reset_user

readonly KEY_A=1058 G1=1000 G9=1143 MAIN_APPLY=1006
readonly TAB_KEY=1028 TAB_MACRO=1029 TAB_MEDIA=1030 TAB_FUNCTION=1031

open_for() {
  td click "$1"
  expect_state 30000 "no dialog for button $1" dialog 0 visible=1
}
dialog_shot() {  # dialog_shot NAME: the dialog's rectangle; prints its width
  local rect
  xdotool mousemove 0 0
  wait_until_idle
  rect=$(td get dialog 0 rect)
  IFS=, read -r l t r b <<< "$rect"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png ($((r - l))x$((b - t)))" >&2
  echo $((r - l))
}
tab_shots() {  # tab_shots LANG: the four tabs of key A, then G9
  open_for "$KEY_A"
  expect_state 10000 "the single-key tab did not show" dialog 1127 visible=1
  dialog_shot "composite-key-$1" > /dev/null
  td pane-click "$TAB_MACRO"
  expect_state 10000 "the macro tab did not show" dialog 1019 visible=1
  dialog_shot "composite-macro-$1" > /dev/null
  td pane-click "$TAB_MEDIA"
  expect_state 10000 "the multimedia tab did not show" dialog 1128 visible=1
  dialog_shot "composite-media-$1" > /dev/null
  td pane-click "$TAB_FUNCTION"
  expect_state 10000 "the function tab did not show" dialog 1129 visible=1
  dialog_shot "composite-function-$1" > /dev/null
  td pane-click 2
  expect_state 30000 "the dialog did not close" dialog 0 present=0
  open_for "$G9"
  expect_state 10000 "G9 did not show the macro tab" dialog 1019 visible=1
  dialog_shot "composite-g9-$1" > /dev/null
  td pane-click 2
  expect_state 30000 "the dialog did not close" dialog 0 present=0
}

start_in "$bin"
tab_shots en
[ "$(td get dialog 0 present)" = 0 ] || fail "a dialog stayed open"
# G1 gets a multimedia key; after a restart (the profile read back from the keyboard) G1 is
# drawn assigned at once.
open_for "$G1"
td pane-click "$TAB_MEDIA"
expect_state 10000 "the multimedia tab did not show for G1" dialog 1128 visible=1
td dialog-select 1128 5
td pane-click 1
expect_state 30000 "the dialog did not close" dialog 0 present=0
expect_state 10000 "G1 is not drawn assigned after OK" state "$G1" checked=1
td click "$MAIN_APPLY"
expect_state 60000 "Apply did not finish" state "$MAIN_APPLY" enabled=0
wine_run tarvolinctl.exe read-profile 0 | tr -d '\r' | grep -q "G1 .*multimedia  5 " ||
  fail "G1 does not play the sixth media key on the keyboard"
stop_program
start_in "$bin"
expect_state 30000 "G1 is drawn plain after the attach" state "$G1" checked=1
open_for "$KEY_A"
width96=$(dialog_shot composite-size-96)
td pane-click 2
expect_state 30000 "the dialog did not close" dialog 0 present=0
stop_program

chinese_copy
start_in "$work/zh"
tab_shots zh
open_for "$KEY_A"
caption=$(td get dialog "$TAB_KEY" caption)
[ "$caption" = "单键" ] || fail "the single-key tab reads '$caption' in Chinese"
td pane-click 2
expect_state 30000 "the dialog did not close" dialog 0 present=0
stop_program

set_dpi 144
start_in "$bin"
open_for "$KEY_A"
width144=$(dialog_shot composite-key-en-144)
td pane-click 2
expect_state 30000 "the dialog did not close" dialog 0 present=0
stop_program
set_dpi 96
expected=$((width96 * 3 / 2))
[ "$width144" -ge $((expected - 2)) ] && [ "$width144" -le $((expected + 2)) ] ||
  fail "at 144 DPI the dialog is $width144 wide, not about $expected"
echo "program composite screens: ok"
