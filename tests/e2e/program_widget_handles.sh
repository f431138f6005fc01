#!/usr/bin/env bash
# Window and GDI handles across openings of the profile manager: after 20 openings and
# closings the program's GDI and USER counts stay where the first closing left them, and every
# opening gives its buttons tooltips of their own (those of the last opening went with it), in
# the profile manager and in the composite dialog, whose object outlives its windows.
source "$(dirname "$0")/program_lib.sh"
reset_user
list=1007

open_manager() {
  td click 1005
  td dialog wait 30000 list $list rows=3 > /dev/null || fail "the profile manager did not open ($1)"
}
close_manager() {
  td dialog click 2 > /dev/null || fail "no Cancel to click ($1)"
  for _ in $(seq 300); do
    td dialog list $list > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the profile manager did not close ($1)"
}
tooltip_windows() { td windows | grep -c "class=tooltips_class32" || true; }
counts() { echo "gdi=$(td get stats gdi | tr -d '\r') user=$(td get stats user | tr -d '\r')"; }

start_program
expect_state 60000 "the window did not show" state 0 visible=1
# The first opening loads what later ones reuse (pictures, fonts, the list's classes).
open_manager 1
first_tooltips=$(tooltip_windows)
close_manager 1
wait_until_idle
before=$(counts)
for round in $(seq 2 21); do
  open_manager "$round"
  [ "$(tooltip_windows)" = "$first_tooltips" ] ||
    fail "opening $round has $(tooltip_windows) tooltip windows, the first had $first_tooltips"
  close_manager "$round"
done
wait_until_idle
after=$(counts)
echo "after the first closing: $before; after 20 more: $after; tooltip windows while open: $first_tooltips"
# One object kept per opening would show as 20; a cache filled once may add one or two.
grew() {  # grew FIELD: how much FIELD rose from before to after
  echo $(($(sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<< "$after") - $(sed -n "s/.*$1=\([0-9]*\).*/\1/p" <<< "$before")))
}
[ "$(grew gdi)" -lt 5 ] && [ "$(grew user)" -lt 5 ] || fail "handles grew: $before -> $after"

# The composite dialog object lives for the whole run and takes over a new window at each
# opening: its Clear and keyboard buttons must get new tooltips each time.
open_composite() {
  td click 1010 > /dev/null
  expect_state 30000 "the composite dialog did not open ($1)" dialog 0 present=1 visible=1
}
close_composite() {
  td pane-click 2 > /dev/null || fail "no Cancel to click in the composite dialog ($1)"
  expect_state 30000 "the composite dialog did not close ($1)" dialog 0 present=0
}
open_composite 1
first_tooltips=$(tooltip_windows)
close_composite 1
for round in 2 3 4; do
  open_composite "$round"
  [ "$(tooltip_windows)" = "$first_tooltips" ] ||
    fail "composite opening $round has $(tooltip_windows) tooltip windows, the first had $first_tooltips"
  close_composite "$round"
done
stop_program
echo "program widget handles: ok"
