# Shared by the macro pane's end-to-end groups: opening the composite dialog, clicking the
# pane's controls and cells with the mouse (so the dialog has the keyboard focus, as a user's
# click gives it), recording, editing a delay cell, reading rows.
source "$(dirname "${BASH_SOURCE[0]}")/program_lib.sh"

open_macro_dialog() {  # open_macro_dialog BUTTON: a key button of the main window
  td click "$1"
  expect_state 30000 "the composite dialog did not open" pane 1019 present=1
}

centre_of() {  # centre_of L,T,R,B
  local l t r b
  IFS=, read -r l t r b <<< "$1"
  echo "$(((l + r) / 2)) $(((t + b) / 2))"
}
click_at_rect() {
  local rect=$1
  [ -n "$rect" ] || fail "no rectangle to click"
  # shellcheck disable=SC2046
  xdotool mousemove $(centre_of "$rect") click 1
}
click_control() { click_at_rect "$(td get pane "$1" rect)"; }
click_cell() {  # click_cell ROW COLUMN, scrolled into view first
  td pane-show-row "$1" > /dev/null || fail "row $1 cannot be shown"
  click_at_rect "$(td get pane-row "$1" "rect$2")"
}

select_row() {  # select_row ROW (a click on a selected row would open its editor)
  [ "$(td get pane 1019 selected)" = "$1" ] && return 0
  click_cell "$1" 0
  expect_state 10000 "row $1 is not selected" pane 1019 selected="$1"
}

expect_row() {  # expect_row ROW FIELD=VALUE ...
  local row=$1
  shift
  expect_state 10000 "row $row is not as expected ($*)" pane-row "$row" "$@"
}

start_recording() {
  click_control 1020
  expect_state 10000 "the recording did not start" pane 1020 checked=1 caption=Stop
}
stop_recording() {
  click_control 1020
  expect_state 10000 "the recording did not stop" pane 1020 checked=0 caption=Record
}

# edit_delay ROW VALUE [MESSAGE]: types VALUE into the selected row's delay cell and confirms
# with Enter; with MESSAGE, the message box that must come is checked and answered.
edit_delay() {
  click_cell "$1" 2
  expect_state 10000 "the delay editor did not open on row $1" pane 1019 editing=1
  xdotool type "$2"
  xdotool key Return
  if [ -n "${3:-}" ]; then
    expect_state 10000 "no message for the delay $2" msgbox present=1
    td msgbox > "$work/box"
    expect_in "$work/box" "^text=$3$"
    td answer ok
    expect_state 10000 "the delay message stayed" msgbox present=0
  fi
  expect_state 10000 "the delay editor stayed open" pane 1019 editing=0
}

# A failure leaves a picture of the screen behind.
fail() {
  import -window root "$shots/macros-failure.png" 2> /dev/null || true
  echo "FAIL: $* (screen: $shots/macros-failure.png)" >&2
  exit 1
}
