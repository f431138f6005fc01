#!/usr/bin/env bash
# Started without a keyboard: icon 128 and no window; Open and a second start show the
# no-keyboard message; plugging the keyboard in later gives icon 141 and a reload, but the
# window does not show itself. Unplugging before the program starts needs the keyboard host
# (one virtual keyboard per machine); without it the group is skipped.
source "$(dirname "$0")/program_lib.sh"
reset_user
if ! vkb unplug > /dev/null 2>&1; then
  echo "skipped: the virtual keyboard cannot be unplugged before the program starts (no keyboard host)"
  exit 77
fi

start_program
expect_state 60000 "no main window" main present=1
expect_state 30000 "no tray icon 128" tray tray=128
td wait 3000 state 0 visible=1 > /dev/null 2>&1 && fail "the window showed without a keyboard"
grep -q -E -- "-> 04 .. .. 0F " "$TARVOLIN_VKB_TRAFFIC" 2> /dev/null &&
  fail "the keyboard was read although it is absent"

td command 32771
expect_state 10000 "Open showed no message" msgbox present=1
expect_state 5000 "wrong message" msgbox \
  "text=No keyboard was detected, so the key settings cannot be shown."
td answer ok
expect_state 10000 "the message stayed" msgbox present=0

# A second start asks the first to open: the first says there is no keyboard, the second
# waits for that and exits with code 0.
run_program &
second=$!
expect_state 30000 "the running instance showed no message for the second start" msgbox present=1
td answer ok
wait_exit "$second"
[ "$exit_code" = 0 ] || fail "the second start did not exit with code 0"
[ "$(td get processes count)" = 1 ] || fail "two instances are running"

vkb plug > /dev/null
expect_state 30000 "plugging in did not show icon 141" tray tray=141
grep -q -E -- "-> 04 .. .. 0F " "$TARVOLIN_VKB_TRAFFIC" || fail "plugging in did not read the keyboard"
td wait 3000 state 0 visible=1 > /dev/null 2>&1 && fail "the window showed itself after a late plug"
stop_program
echo "program absent: ok"
