#!/usr/bin/env bash
# The composite key dialog with real key presses from xdotool reaching its hooks, each result
# read back from the keyboard after the main window's Apply: Right Ctrl, Num Enter, the left
# Windows key (swallowed while the dialog captures, seen by the system again after it
# closed), Print Screen on its release, a held key, a media key that is not taken, A on A and
# Clear storing the default; G9 and the macro button open the macro tab only; the cycles edit
# clamps; the dialog opens beside its button, to the left near the screen's right edge.
source "$(dirname "$0")/program_lib.sh"
reset_user
start_program
expect_state 60000 "the window did not show" state 0 visible=1
expect_state 30000 "no tray icon 141" tray tray=141

readonly KEY_A=1058 KEY_B=1075 KEY_C=1073 KEY_D=1060 KEY_E=1046 KEY_H=1063 KEY_ESC=1022
readonly NUM_ENTER=1118 G9=1143 MACRO_BUTTON=1007 MAIN_APPLY=1006
readonly TAB_KEY=1028 TAB_MACRO=1029 TAB_MEDIA=1030 TAB_FUNCTION=1031 CLEAR=1032
readonly KEY_EDIT=1127 MACRO_COMBO=1126 CYCLES=1125 APPLY=1015 OK=1 CANCEL=2

open_for() {  # open_for BUTTON: the dialog is up, in front, and owns the keyboard
  td click "$1"
  expect_state 30000 "no dialog for button $1" dialog 0 visible=1
  td dialog-front > /dev/null || true
  expect_state 10000 "the dialog of button $1 is not in front" dialog 0 visible=1
}
close_with() {  # close_with OK|CANCEL
  td pane-click "$1"
  expect_state 30000 "the dialog did not close" dialog 0 present=0
}
apply_main() {
  expect_state 10000 "the main window's Apply is not enabled" state "$MAIN_APPLY" enabled=1
  td click "$MAIN_APPLY"
  expect_state 60000 "the main window's Apply did not finish" state "$MAIN_APPLY" enabled=0
}
profile0() { wine_run tarvolinctl.exe read-profile 0 | tr -d '\r'; }
# The keyboard's line of a key, by slot, as "read-profile" prints it ("" when default).
assignment_of() { profile0 | awk -v slot="$1" '$5 == slot'; }
capture() {  # capture BUTTON XDOTOOL-KEY EXPECTED-CAPTION
  open_for "$1"
  xdotool key "$2"
  expect_state 10000 "$2 was not captured" dialog "$KEY_EDIT" "caption=$3"
  expect_state 5000 "a capture did not enable Apply" dialog "$APPLY" enabled=1
  close_with "$OK"
}
expect_assignment() {  # expect_assignment SLOT TEXT (TEXT "" for the default)
  local got
  got=$(assignment_of "$1")
  if [ -z "$2" ]; then
    [ -z "$got" ] || { profile0; fail "slot $1 is '$got', not the default"; }
  else
    case "$got" in *"$2"*) ;; *) profile0; fail "slot $1 is '$got', not '$2'";; esac
  fi
}

# Placement: beside the button, right-below when there is room; the dialog is not topmost.
open_for "$KEY_A"
IFS=, read -r bl bt br bb <<< "$(td get state "$KEY_A" rect)"
IFS=, read -r dl dt dr db <<< "$(td get dialog 0 rect)"
[ "$dl" = "$br" ] && [ "$dt" = "$bb" ] ||
  fail "the dialog at $dl,$dt is not right-below key A ($bl,$bt,$br,$bb)"
[ "$(td get dialog "$TAB_KEY" enabled)" = 1 ] || fail "the single-key tab is disabled"
[ "$(td get dialog "$KEY_EDIT" visible)" = 1 ] || fail "A does not open on the single-key tab"
[ "$(td get dialog "$APPLY" enabled)" = 0 ] || fail "Apply is enabled before any change"
# Right Ctrl is 0x11D, not the left Ctrl.
xdotool key Control_R
expect_state 10000 "Right Ctrl was not captured" dialog "$KEY_EDIT" "caption=Right Ctrl"
close_with "$OK"

capture "$KEY_B" KP_Enter "Num Enter"
# The left Windows key: captured, and while the dialog captures the system never sees it.
open_for "$KEY_C"
xdotool keydown Super_L
expect_state 10000 "the left Windows key was not captured" dialog "$KEY_EDIT" "caption=Win"
win_while_open=$(td keystate 0x5B | tr -d "\r" | sed -n "s/^down=//p")
xdotool keyup Super_L
[ "$win_while_open" = 0 ] || fail "the Windows key reached the system while the dialog captured"
close_with "$OK"
# Print Screen is taken on its release.
capture "$KEY_D" Print "Print Screen"
# A held key is taken once; its auto-repeats and release change nothing.
open_for "$KEY_E"
xdotool keydown f
expect_state 10000 "a held F was not captured" dialog "$KEY_EDIT" caption=F
sleep 1  # held long enough for the X server to auto-repeat
xdotool keyup f
expect_state 5000 "the release of F changed the capture" dialog "$KEY_EDIT" caption=F
close_with "$OK"
apply_main
expect_assignment 0x01E "(0x11D)"
expect_assignment 0x030 "(0x11C)"
expect_assignment 0x02E "(0x15B)"
expect_assignment 0x020 "(0x137)"
expect_assignment 0x012 "(0x021)"

# After the dialog closed the Windows key reaches the system again.
td wait 10000 dialog 0 present=0 > /dev/null || fail "a dialog is still open"
xdotool keydown Super_L
win_after=$(td keystate 0x5B | tr -d '\r' | sed -n 's/^down=//p')
xdotool keyup Super_L
[ "$win_after" = 1 ] || fail "the Windows key does not reach the system after the dialog closed"

# A media key is not captured (and keeps working): nothing changes, Apply stays disabled.
open_for "$KEY_H"
xdotool keydown XF86AudioRaiseVolume
volume_down=$(td keystate 0xAF | tr -d '\r' | sed -n 's/^down=//p')
xdotool keyup XF86AudioRaiseVolume
xdotool key XF86AudioMute
wait_until_idle
[ -z "$(td get dialog "$KEY_EDIT" caption)" ] || fail "a media key was captured"
[ "$(td get dialog "$APPLY" enabled)" = 0 ] || fail "a media key enabled Apply"
[ "$volume_down" = 1 ] || fail "the volume key did not reach the system while the dialog captured"
close_with "$CANCEL"

# A on A and Clear store the default.
open_for "$KEY_A"
expect_state 5000 "A does not show its assignment" dialog "$KEY_EDIT" "caption=Right Ctrl"
xdotool key a
expect_state 10000 "A was not captured" dialog "$KEY_EDIT" caption=A
close_with "$OK"
open_for "$KEY_B"
td pane-click "$CLEAR"
expect_state 10000 "Clear did not empty the key" dialog "$KEY_EDIT" caption=
expect_state 5000 "Clear did not enable Apply" dialog "$APPLY" enabled=1
td pane-click "$APPLY"
expect_state 10000 "the dialog's Apply stayed enabled" dialog "$APPLY" enabled=0
close_with "$CANCEL"
apply_main
expect_assignment 0x01E ""
expect_assignment 0x030 ""
expect_assignment 0x02E "(0x15B)"

# G9 and the macro button: the macro tab only.
for button in "$G9" "$MACRO_BUTTON"; do
  open_for "$button"
  expect_state 10000 "button $button did not show the macro tab" dialog "$MACRO_COMBO" visible=1
  for other in "$TAB_KEY" "$TAB_MEDIA" "$TAB_FUNCTION" "$CLEAR"; do
    [ "$(td get dialog "$other" enabled)" = 0 ] || fail "control $other is enabled for button $button"
  done
  [ "$(td get dialog "$TAB_MACRO" enabled)" = 1 ] || fail "the macro tab is disabled"
  [ "$(td get dialog "$KEY_EDIT" visible)" = 0 ] || fail "the key edit shows on the macro tab"
  td pane-click "$TAB_KEY"  # disabled: nothing happens
  wait_until_idle
  [ "$(td get dialog "$MACRO_COMBO" visible)" = 1 ] || fail "a disabled tab changed the tab"
  close_with "$CANCEL"
done

# The cycles edit turns 0 into 1 and 300 into 255.
open_for "$KEY_ESC"
td pane-click "$TAB_MACRO"
expect_state 10000 "the macro tab did not show" dialog "$CYCLES" visible=1
td dialog-text "$CYCLES" 0
expect_state 10000 "0 cycles stayed" dialog "$CYCLES" caption=1
td dialog-text "$CYCLES" 300
expect_state 10000 "300 cycles stayed" dialog "$CYCLES" caption=255
td dialog-text "$CYCLES" 17
expect_state 10000 "17 cycles changed" dialog "$CYCLES" caption=17
# The multimedia and function tabs show their lists; Escape and Enter do not close.
td pane-click "$TAB_MEDIA"
expect_state 10000 "the multimedia list did not show" dialog 1128 visible=1 count=18
td pane-click "$TAB_FUNCTION"
expect_state 10000 "the function list did not show" dialog 1129 visible=1 count=11
xdotool key Escape Return
wait_until_idle
[ "$(td get dialog 0 present)" = 1 ] || fail "Escape or Enter closed the dialog"
close_with "$CANCEL"

# Near the screen's right edge the dialog opens to the left of its button.
open_for "$NUM_ENTER"
IFS=, read -r bl bt br bb <<< "$(td get state "$NUM_ENTER" rect)"
IFS=, read -r dl dt dr db <<< "$(td get dialog 0 rect)"
screen_width=$(xdpyinfo | awk '/dimensions:/ {split($2, s, "x"); print s[1]}')
echo "Num Enter at $bl,$bt,$br,$bb; dialog at $dl,$dt,$dr,$db; screen width $screen_width"
[ $((screen_width - br)) -lt $((dr - dl)) ] || fail "the test needs Num Enter near the right edge"
[ "$dr" = "$bl" ] || fail "the dialog does not open left of Num Enter"
close_with "$CANCEL"

# Open at shutdown: the program still ends.
open_for "$KEY_ESC"
run_program /Kill || true
td wait 60000 processes count=0 > /dev/null || fail "the program did not end with the dialog open"
echo "program composite: ok"
