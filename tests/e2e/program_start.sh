#!/usr/bin/env bash
# Start-up and single instance of Tarvolin.exe with the keyboard attached: the first run reads
# the keyboard, shows tray icon 141 and the window once; "/Start" stays hidden; a second start
# hands over and exits with code 0 without a window; "/Kill" ends the first one cleanly, and
# the companion Halvrin.exe goes with it.
source "$(dirname "$0")/program_lib.sh"
reset_user

start_program
first=$program_pid
expect_state 60000 "the main window never appeared" main present=1
expect_state 30000 "tray icon 141 never showed" tray tray=141
expect_state 30000 "the window did not show itself on the first attach" state 0 visible=1
# The start-up run read the default layout (command 15) and the settings (command 3).
grep -q -E -- "-> 04 .. .. 0F " "$TARVOLIN_VKB_TRAFFIC" || fail "the default layout was not read"
grep -q -E -- "-> 04 .. .. 03 30 " "$TARVOLIN_VKB_TRAFFIC" || fail "the settings were not read"
expect_state 30000 "Halvrin.exe was not started" --exe Halvrin.exe processes count=1
td --exe Halvrin.exe windows > "$work/halvrin-windows" || true
expect_in "$work/halvrin-windows" "^windows=0"
[ "$(shown_windows)" = 1 ] || { td windows; fail "more than the main window shows"; }
td get state 0 caption > "$work/caption"
screenshot start-shown
expect_state 5000 "the mutex is missing" mutex "Tarvolin_Mutex_RT207 104key" present=1

# Cancel hides; a second start shows the first instance again and exits with 0, windowless.
td click 2
expect_state 10000 "Cancel did not hide the window" state 0 visible=0
first_pid=$(td get main pid)
run_program > "$work/second.out" 2>&1 &
second=$!
seen_foreign=0
while kill -0 "$second" 2> /dev/null; do
  if td windows 2> /dev/null | grep -v "pid=$first_pid " | grep -q "^0x"; then seen_foreign=1; fi
done
wait_exit "$second"
[ "$exit_code" = 0 ] || fail "the second start did not exit with code 0"
[ "$seen_foreign" = 0 ] || fail "the second start created a window"
expect_state 10000 "the first instance did not show itself" state 0 visible=1
[ "$(td get processes count)" = 1 ] || fail "two instances are running"

# Enter and Escape never close the window (real keys, through X).
window_id=$(xdotool search --name "^$(cat "$work/caption")\$" 2> /dev/null | head -1 || true)
[ -n "$window_id" ] || fail "no X window titled '$(cat "$work/caption")'"
xdotool windowfocus --sync "$window_id" 2> /dev/null || true
xdotool key Return Escape Return Escape
# A negative: give the keys a bounded chance to hide the window.
td wait 3000 state 0 visible=0 > /dev/null 2>&1 && fail "Enter or Escape closed the window"

# "/kill" in any case ends the first instance as Exit does: exit code 0, mutex gone, and the
# companion ends with it.
run_program /kill || fail "/kill did not exit with code 0"
wait_exit "$first"
[ "$exit_code" = 0 ] || fail "the first instance did not exit with code 0"
expect_state 10000 "the mutex outlived the program" mutex "Tarvolin_Mutex_RT207 104key" present=0
expect_state 30000 "Halvrin.exe lingers after the program ended" --exe Halvrin.exe processes count=0
# "/Kill" with nothing running exits with 0 as well.
run_program /KILL || fail "/KILL with no instance did not exit with code 0"

# "/Start" (any case) keeps the window hidden, with the attached icon.
start_program /sTaRt
expect_state 60000 "no main window after /Start" main present=1
expect_state 30000 "/Start: tray icon 141 never showed" tray tray=141
for _ in 1 2 3; do
  [ "$(td get state 0 visible)" = 0 ] || fail "/Start showed the window"
done
# Open from the tray menu shows it.
td command 32771
expect_state 10000 "Open did not show the window" state 0 visible=1
stop_program
echo "program start: ok"
