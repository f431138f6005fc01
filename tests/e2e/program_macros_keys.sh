#!/usr/bin/env bash
# The macro pane's delete and its keys question: a macro created and deleted in one session
# never asks; a macro that G9 plays asks (No keeps it), and once deleted and applied, G9 is
# back to its default on the keyboard and in every profile of the saved profile file.
source "$(dirname "$0")/macro_pane_lib.sh"
reset_user
start_program
expect_state 60000 "the window did not show" state 0 visible=1

g9_types() {  # the type of G9 (bank A, slot 264) in the four profiles of a profile file
  python3 - "$1" << 'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
print(" ".join(str(struct.unpack_from("<H", data, 64 + (p * 512 + 264) * 16)[0]) for p in range(4)))
PY
}
apply_main() {
  expect_state 10000 "Apply is not enabled" state 1006 enabled=1
  td click 1006
  expect_state 60000 "Apply did not finish" state 1006 enabled=0
}

# Created and deleted without a commit: no question, and the pane's buttons go grey.
open_macro_dialog 1143
td pane-click 1017
expect_state 10000 "Add made no macro" dialog 1126 count=1
td pane-click 1018
expect_state 10000 "the new macro was not deleted" dialog 1126 count=0
wait_until_idle
[ "$(td get msgbox present)" = 0 ] || fail "deleting a macro made in this session asked"
for id in 1020 1021 1022 1023 1024 1025 1026; do
  expect_state 10000 "button $id stayed enabled with no macro" pane $id enabled=0
done

# Macro1 on G9 of profile 0, then of profiles 1 and 2.
td pane-click 1017
expect_state 10000 "Add made no macro" dialog 1126 count=1 caption=Macro1
td pane-click 1
expect_state 20000 "OK did not close the dialog" pane 0 present=0
apply_main
wine_run tarvolinctl.exe read-profile 0 | tr -d '\r' > "$work/profile0"
expect_in "$work/profile0" "G9 .*Macro1"

# Delete: the keys question, No keeps the macro.
open_macro_dialog 1143
expect_state 10000 "Macro1 is not selected" dialog 1126 selection=0
td pane-click 1018
expect_state 10000 "deleting a macro in use asked nothing" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=This macro is assigned to one or more keys. Delete it anyway?$"
expect_in "$work/box" "^buttons=yes,no$"
expect_in "$work/box" "^default=no$"
td answer no
expect_state 10000 "the question stayed" msgbox present=0
[ "$(td get dialog 1126 count)" = 1 ] || fail "No deleted the macro"
td pane-click 1018
expect_state 10000 "the keys question did not come again" msgbox present=1
td answer yes
expect_state 10000 "Yes did not delete the macro" dialog 1126 count=0
td pane-click 1
expect_state 20000 "OK did not close the dialog" pane 0 present=0
apply_main

# The keyboard: no macros, G9 of profile 2 back to its default; the saved file: G9 type 0 in
# all four profiles.
wine_run tarvolinctl.exe read-macros | tr -d '\r' > "$work/macros"
expect_in "$work/macros" "^0 macros$"
wine_run tarvolinctl.exe read-profile 0 | tr -d '\r' > "$work/profile0"
grep -q "G9 " "$work/profile0" && { cat "$work/profile0"; fail "G9 still differs from its default"; }
[ "$(g9_types "$(data_folder)/\$Profile0")" = "0 0 0 0" ] ||
  fail "G9 types in the saved profile: $(g9_types "$(data_folder)/\$Profile0")"
stop_program
echo "program macros keys: ok"
