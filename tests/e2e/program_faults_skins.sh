#!/usr/bin/env bash
# A skin folder that lacks pictures, or a whole skin file: the program runs without the
# missing looks and answers within 2 s; where a window's background itself is missing (the
# dialog's or the main window's skin file gone) the program ends with exit code 0 and no
# message, leaving every file as it was.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
vkb reset > /dev/null

# --- Missing skin pictures (the dialogs' backgrounds stay): hover, press and disabled looks,
# the Flip arrows, the busy frames, the lighting lamp, the composite dialog's buttons and the
# profile manager's. Nothing is drawn where a picture is missing; everything works.
program_copy skins
for picture in main_over.jpg main_down.jpg main_disable.jpg Arrow.jpg jdt1.bmp jdt2.bmp \
  jdt3.bmp dengup.bmp key_over.jpg key_down.jpg macro_normal.jpg media_normal.jpg \
  function_normal.jpg; do
  rm "$work/skins/Skins/$picture"
done
start_in "$work/skins"
ui_answers "missing pictures"
IFS=, read -r l t r b <<< "$(td get state 1058 rect)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
ui_answers "missing pictures, hovering a key"
screenshot faults-missing-pictures-hover
xdotool mousemove 0 0
ends_before=$(requests_of 02)
vkb latency 100 > /dev/null  # long enough for the busy frames to run
restore_defaults_and_apply
wait_requests 02 "$((ends_before + 1))" 60000 "missing pictures: Apply sent no End"
vkb latency 0 > /dev/null
expect_state 30000 "missing pictures: Apply did not finish" state 1006 enabled=0
ui_answers "missing pictures, after Apply"
screenshot faults-missing-pictures
td click 1058
expect_state 30000 "missing pictures: no composite dialog" dialog 0 visible=1
ui_answers "missing pictures, composite dialog"
screenshot faults-missing-pictures-composite
td pane-click 2
expect_state 30000 "missing pictures: the composite dialog did not close" dialog 0 present=0
td click 1005
td dialog wait 30000 list 1007 rows=3 || fail "missing pictures: the profile manager did not open"
screenshot faults-missing-pictures-profile-manager
td dialog click 2
for _ in $(seq 200); do
  td dialog list 1007 > /dev/null 2>&1 || break
  sleep 0.1
done
td dialog list 1007 > /dev/null 2>&1 && fail "missing pictures: the profile manager did not close"
ui_answers "missing pictures, profile manager closed"
stop_program

# A whole dialog skin file missing: the composite dialog has no background, which ends the
# program with exit code 0 and no message the moment the dialog would open. The files stay
# as they were.
rm "$work/skins/Skins/Composite.ini"
(cd "$work/skins" && exec "$root/scripts/wine-run" Tarvolin.exe) &
program_pid=$!
started_pids+=("$program_pid")
expect_state 60000 "no Composite.ini: the window did not show" state 0 visible=1
expect_state 30000 "no Composite.ini: no tray icon 141" tray tray=141
wait_until_idle
keep_files before-composite
td click 1058
wait_exit "$program_pid"
[ "$exit_code" = 0 ] || fail "no Composite.ini: exit code $exit_code, not 0"
[ "$(td get processes count)" = 0 ] || fail "no Composite.ini: the program still runs"
files_intact "no Composite.ini" before-composite

# The main skin file missing: no background picture, which ends the start silently with exit
# code 0 and no window.
rm "$work/skins/Skins/Main.ini"
(cd "$work/skins" && exec "$root/scripts/wine-run" Tarvolin.exe) &
started_pids+=($!)
wait_exit "$!"
[ "$exit_code" = 0 ] || fail "no Main.ini: exit code $exit_code, not 0"
[ "$(td get processes count)" = 0 ] || fail "no Main.ini: the program still runs"
echo "program faults skins: ok"
