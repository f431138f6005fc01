#!/usr/bin/env bash
# The profile manager (opened from the current-profile label 1005): its rows and tick, Apply
# with and without a tick, Add with the proposed name, Load, Delete, refused ticks below the
# third row, Cancel after Add, F1 help, and screenshots with five rows in English and Chinese.
source "$(dirname "$0")/program_lib.sh"
reset_user
list=1007 add=1010 load=1008 delete=1011 apply=1012

# Help opens nothing real here: winebrowser would run this recorder, and the shell call itself
# is traced (Wine's "exec" channel: verb, file and folder of every ShellExecute).
recorder="$work/browser"
printf '#!/bin/sh\necho "$@" >> "%s"\n' "$work/browser.log" > "$recorder"
chmod +x "$recorder"
wine_run reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$recorder" /f > /dev/null

registry_text() {  # registry_text NAME: a PROFILES string value, blanks kept
  wine_run reg query "$settings_key" /v "$1" 2> /dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_SZ *//p"
}
active_is() {
  for _ in $(seq 100); do
    [ "$(dump_field active_profile)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the keyboard's active profile is not $1 but $(dump_field active_profile)"
}
open_manager() {
  td click 1005
  td dialog wait 30000 list $list rows=3 || fail "the profile manager did not open"
}
manager_closed() {
  for _ in $(seq 200); do
    td dialog list $list > /dev/null 2>&1 || return 0
    sleep 0.1
  done
  fail "the profile manager did not close"
}
list_is() {  # list_is WHAT FIELD=VALUE ...
  local what=$1
  shift
  td dialog wait 15000 list $list "$@" || fail "$what"
}
apply_is() {  # apply_is 0|1 WHAT
  td dialog wait 15000 state $apply "enabled=$1" || fail "$2"
}
dialog_shot() {  # dialog_shot NAME: the profile manager's rectangle
  local rect
  xdotool mousemove 0 0
  rect=$(td dialog state $list rect) || fail "no profile manager to shoot"
  # The list sits 20,58 inside the 500 x 330 window (scaled alike): the window around it.
  IFS=, read -r l t r b <<< "$(echo "$rect" | sed -n 's/^rect=//p')"
  local scale_num=$(((r - l) * 1000 / 460))
  local wl=$((l - 20 * scale_num / 1000)) wt=$((t - 58 * scale_num / 1000))
  local ww=$((500 * scale_num / 1000)) wh=$((330 * scale_num / 1000))
  import -window root -crop "${ww}x${wh}+${wl}+${wt}" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png (${ww}x${wh})"
}

vkb active-profile 2 > /dev/null || fail "could not make profile 2 active"
WINEDEBUG=trace+exec start_program 2> "$work/exec.log"
expect_state 60000 "the window did not show" state 0 visible=1
expect_state 30000 "the indicator does not name \$Profile2" state 1005 'caption=$Profile2'
folder=$(data_folder)
documents=$(td get documents path)
folder_win="$documents\\Tarvolin\\"

# --- Profile 2 active: three rows, the tick on the third, Apply disabled.
open_manager
list_is "the rows are not the three profiles with profile 2 ticked" rows=3 ticked=2 \
  "row0=|\$Profile0|$folder_win" "row1=|\$Profile1|$folder_win" "row2=|\$Profile2|$folder_win"
apply_is 0 "Apply is enabled on opening"
td dialog state $add | grep -q '^caption=添加$' || fail "the Add button's caption"

# Ticking another row enables Apply; Apply makes that profile active, rebuilds its file from
# the keyboard and disables both Apply buttons.
rm -f "$folder/\$Profile0"
td dialog tick $list 0
list_is "the tick did not move to row 0" ticked=0
apply_is 1 "a tick did not enable Apply"
td dialog click $apply
active_is 0
apply_is 0 "Apply stayed enabled after Apply"
expect_state 15000 "the main window's Apply is enabled" state 1006 enabled=0
expect_state 15000 "the indicator does not follow" state 1005 'caption=$Profile0'
expect_state 15000 "profile button 1 is not checked" state 1135 checked=1
[ "$(stat -c %s "$folder/\$Profile0" 2> /dev/null)" = 32832 ] ||
  fail "Apply did not rebuild \$Profile0 from the keyboard"
[ "$(registry_text PROFILE00)" = 3 ] || fail "PROFILE00 is not 3"
[ "$(registry_text PROFILE01)" = "$folder_win\$Profile0.tvc" ] || fail "PROFILE01: $(registry_text PROFILE01)"
[ "$(registry_text PROFILE03)" = "$folder_win\$Profile2.tvc" ] || fail "PROFILE03: $(registry_text PROFILE03)"

# Apply with no tick: the registry values are written, the keyboard keeps its profile.
wine_run reg delete "$settings_key" /f > /dev/null 2>&1 || true
td dialog tick $list 0  # a click on the ticked box clears it
list_is "the tick did not go" ticked=-1
apply_is 1 "clearing the tick did not enable Apply"
td dialog click $apply
apply_is 0 "Apply without a tick stayed enabled"
[ "$(registry_text PROFILE00)" = 3 ] || fail "Apply without a tick wrote no PROFILE00"
[ "$(registry_text PROFILE02)" = "$folder_win\$Profile1.tvc" ] || fail "PROFILE02 after Apply without a tick"
active_is 0

# --- Add with the proposed name writes a default file and appends its row.
td dialog click $add
file_dialog_up "Add"
expect_in "$work/filedialog" "^name=The new contextual  mode$"
td filedialog accept
list_is "Add appended no row" rows=4 "row3=|The new contextual  mode|$folder_win"
new_file="$folder/The new contextual  mode.tvc"
[ "$(stat -c %s "$new_file" 2> /dev/null)" = 32832 ] || fail "no default file of 32832 bytes"
apply_is 1 "Add did not enable Apply"

# Load adds a row for any file without reading it: a file that is no profile at all.
head -c 1000 /dev/urandom > "$folder/not a profile.bin"
cp "$folder/not a profile.bin" "$work/junk-before"
td dialog click $load
file_dialog_up "Load"
td filedialog accept "$documents\\Tarvolin\\not a profile.bin"
list_is "Load appended no row" rows=5 "row4=|not a profile|$folder_win"
cmp -s "$folder/not a profile.bin" "$work/junk-before" || fail "Load changed the file"
td get msgbox present 2> /dev/null | grep -q 1 && fail "Load showed a message"

# Rows below the first three cannot carry the tick: the tick stays where it was.
td dialog tick $list 1
list_is "row 1 was not ticked" ticked=1
td dialog tick $list 3
td dialog tick $list 4
wait_until_idle
list_is "a tick below the third row was taken" ticked=1
dialog_shot profile-manager-en

# Deleting row 0 with the old row 1 ticked: Apply makes profile 0 active (the row's new
# position). Profile 2 first, so the change is seen.
td dialog tick $list 2
list_is "row 2 was not ticked" ticked=2
td dialog click $apply
active_is 2
apply_is 0 "Apply stayed enabled"
td dialog tick $list 1
list_is "row 1 was not ticked again" ticked=1
td dialog select $list 0
list_is "row 0 is not selected" selected=0
td dialog click $delete
list_is "Delete did not remove row 0" rows=4 ticked=0 "row0=|\$Profile1|$folder_win"
td dialog click $apply
active_is 0
[ "$(registry_text PROFILE00)" = 4 ] || fail "PROFILE00 is not 4 after Delete"
[ "$(registry_text PROFILE03)" = "$folder_win""The new contextual  mode.tvc" ] ||
  fail "PROFILE03 after Delete: $(registry_text PROFILE03)"

# F1 opens the guide as the main window's Help does.
td dialog help $list
for _ in $(seq 100); do
  grep -q 'file=L"index.html"' "$work/exec.log" && break
  sleep 0.1
done
grep 'file=L"index.html"' "$work/exec.log" | head -1 > "$work/help-call"
expect_in "$work/help-call" 'verb=L"open"'
wine_bin=$(wine_run winepath -w "$bin" 2> /dev/null | tr -d '\r')
grep      -qiF " dir=L\"${wine_bin//\\/\\\\}\\\\Help\\\\\"" "$work/help-call" ||
  fail "Help's folder is not the program's Help folder ($wine_bin): $(cat "$work/help-call")"

# OK: applies and closes.
td dialog click 1
manager_closed

# --- Cancel after Add keeps the new file and writes no registry values.
wine_run reg delete "$settings_key" /f > /dev/null 2>&1 || true
open_manager
td dialog click $add
file_dialog_up "Add before Cancel"
td filedialog accept "$documents\\Tarvolin\\kept after cancel.tvc"
list_is "Add appended no row" rows=4
td dialog click 2
manager_closed
[ "$(stat -c %s "$folder/kept after cancel.tvc" 2> /dev/null)" = 32832 ] ||
  fail "Cancel lost the new default file"
[ -z "$(registry_text PROFILE00)" ] || fail "Cancel wrote registry values"
stop_program

# --- Five rows in Chinese, for a person to look at.
chinese_copy
(cd "$work/zh" && exec "$root/scripts/wine-run" Tarvolin.exe) &
started_pids+=($!)
expect_state 60000 "the Chinese window did not show" state 0 visible=1
open_manager
for name in "$documents\\Tarvolin\\not a profile.bin" "$documents\\Tarvolin\\kept after cancel.tvc"; do
  td dialog click $load
  file_dialog_up "Load (Chinese)"
  td filedialog accept "$name"
done
list_is "the Chinese list has not five rows" rows=5
dialog_shot profile-manager-zh
td dialog click 2
manager_closed
stop_program

# --- At 144 DPI the dialog is one and a half times as big, as the main window is.
set_dpi 144
start_program
expect_state 60000 "the window did not show at 144 DPI" state 0 visible=1
open_manager
rect=$(td dialog state $list rect | sed -n 's/^rect=//p')
IFS=, read -r l t r b <<< "$rect"
[ $((r - l)) = 690 ] && [ $((b - t)) = 306 ] || fail "the list is $((r - l)) x $((b - t)) at 144 DPI, not 690 x 306"
rect=$(td dialog state 1 rect | sed -n 's/^rect=//p')
IFS=, read -r l t r b <<< "$rect"
[ $((r - l)) = 80 ] || fail "OK is $((r - l)) wide at 144 DPI, not 80"
dialog_shot profile-manager-en-144
td dialog click 2
manager_closed
stop_program
set_dpi 96
echo "program profile manager: ok"
