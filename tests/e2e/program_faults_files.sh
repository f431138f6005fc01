#!/usr/bin/env bash
# Damaged files around the program: profile files with a wrong checksum or cut short in the
# data folder at start-up and when a profile switch has to load one; a damaged and a missing
# language file; a skin folder that lacks pictures, or a whole dialog's skin file. The program
# starts, answers within 2 s, reaches the defined outcome, and never rewrites a damaged file
# that it is not asked to rebuild.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
vkb reset > /dev/null
fixture="$(dirname "$0")/../profiles/fixtures/random_five_macros.tvc"

# --- Damaged profile files lying in the data folder at start-up. The active profile's file is
# rebuilt from the keyboard as at every attach; the other two are not read and stay as they
# are. No message: nothing was loaded from them.
mkdir -p "$faults_dir"
cp "$fixture" "$faults_dir/\$Profile0"
printf '\x00' | dd of="$faults_dir/\$Profile0" bs=1 seek=31 conv=notrunc 2> /dev/null
head -c 40000 "$fixture" > "$faults_dir/\$Profile1"
head -c 1000 "$fixture" > "$faults_dir/\$Profile2"
keep_files damaged
start_attached
ui_answers "damaged files at start-up"
[ "$(td get msgbox present 2> /dev/null)" = 1 ] && fail "damaged files at start-up: a message was shown"
valid_profile_file "damaged files at start-up" '$Profile0'
same_file "damaged files at start-up" damaged '$Profile1'
same_file "damaged files at start-up" damaged '$Profile2'
expect_state 10000 "damaged files at start-up: wrong indicator" state 1005 'caption=$Profile0'

# --- A switch with unapplied edits answered No reloads the active profile's file; here it is
# cut short. The defaults take its place, the switch goes through, the file is left alone.
vkb fault refuse 1000 > /dev/null  # Restore defaults' Apply fails: the edits stay unapplied
restore_defaults_and_apply
expect_state 60000 "switch: the failed Apply disabled Apply" state 1006 enabled=1
vkb faults-clear > /dev/null
head -c 33000 "$faults_dir/\$Profile0" > "$work/cut"
cp "$work/cut" "$faults_dir/\$Profile0"
keep_files cut
td click 1136
expect_state 15000 "switch: no question about the unapplied edits" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=$(english_text PROFILE_SELECT_PROMPT)$"
td answer no
expect_state 10000 "switch: the question stayed" msgbox present=0
ui_answers "switch loading a damaged file"
expect_state 15000 "switch: the indicator does not name \$Profile1" state 1005 'caption=$Profile1'
expect_state 10000 "switch: Apply stayed enabled after No" state 1006 enabled=0
[ "$(dump_field active_profile)" = 1 ] || fail "switch: the keyboard did not switch"
files_intact "switch loading a damaged file" cut
screenshot faults-switch-damaged-file
stop_program

# --- The language file. A program folder of its own, so the build's files stay as they are.
program_copy() {  # program_copy NAME: the program with its skin in $work/NAME
  rm -rf "${work:?}/$1"
  mkdir -p "$work/$1"
  cp -r "$bin/Tarvolin.exe" "$bin/Quorlink.dll" "$bin/Halvrin.exe" "$bin/vkbhost.exe" \
    "$bin/Skins" "$work/$1/"
}
# Restore defaults asks its question with the text TEXT; answered No.
question_text() {  # question_text WHAT TEXT
  td click 1138
  expect_state 15000 "$1: restore defaults asked nothing" msgbox present=1
  td msgbox > "$work/box"
  expect_in "$work/box" "^text=$2$"
  screenshot "faults-$1-question"
  td answer no
  expect_state 10000 "$1: the question stayed" msgbox present=0
  xdotool mousemove 0 0  # answering moved the pointer onto the keys
}

# Damaged: the file cut off in the middle of a character, right after the English text of
# the restore-defaults question. What precedes the cut is used; every text after it reads as
# a blank; nothing breaks.
program_copy lang
python3 - "$bin/Skins/language.ini" "$work/lang/Skins/language.ini" << 'EOF'
import sys
data = open(sys.argv[1], "rb").read()
english = data.index("[ENGINSH]".encode("utf-16-le"))
line = data.index("MAIN_PROMPT_DEFAULT=".encode("utf-16-le"), english)
cut = data.index("\r\n".encode("utf-16-le"), line) + 3  # an odd length: half a character
open(sys.argv[2], "wb").write(data[:cut])
EOF
start_in "$work/lang"
ui_answers "damaged language file"
# A text after the cut: the Apply button's caption is a blank.
[ "$(td get state 1006 caption)" = " " ] || fail "damaged language file: Apply's caption is '$(td get state 1006 caption)'"
screenshot faults-language-damaged
question_text language-damaged "$(english_text MAIN_PROMPT_DEFAULT)"
stop_program

# Missing: every text is a single blank (the Chinese section is chosen, every key missing).
rm "$work/lang/Skins/language.ini"
start_in "$work/lang"
ui_answers "missing language file"
screenshot faults-language-missing
question_text language-missing ' '
stop_program

# --- Missing skin pictures: hover, press and disabled looks, the Flip arrows, the busy
# frames, the lighting lamp, the composite dialog's keys and the profile manager's rows.
program_copy skins
for picture in main_over.jpg main_down.jpg main_disable.jpg Arrow.jpg jdt1.bmp jdt2.bmp \
  jdt3.bmp dengup.bmp key_normal.jpg key_over.jpg Profile_normal.jpg; do
  rm "$work/skins/Skins/$picture"
done
start_in "$work/skins"
ui_answers "missing pictures"
IFS=, read -r l t r b <<< "$(td get state 1058 rect)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
ui_answers "missing pictures, hovering a key"
xdotool mousemove 0 0
screenshot faults-missing-pictures
ends_before=$(requests_of 02)
vkb latency 100 > /dev/null  # long enough for the busy frames to run
restore_defaults_and_apply
wait_requests 02 "$((ends_before + 1))" 60000 "missing pictures: Apply sent no End"
vkb latency 0 > /dev/null
expect_state 30000 "missing pictures: Apply did not finish" state 1006 enabled=0
ui_answers "missing pictures, after Apply"
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

# A whole dialog skin file missing: the composite dialog's controls are placed at (1, 1) with
# size 1 by 1; the dialog still opens and closes (Escape is its Cancel).
rm "$work/skins/Skins/Composite.ini"
start_in "$work/skins"
td click 1058
expect_state 30000 "no Composite.ini: no composite dialog" dialog 0 present=1
ui_answers "no Composite.ini, composite dialog"
screenshot faults-no-composite-ini
# Alt+F4 as a user would press it: WM_CLOSE to the dialog, the visible window that is not the
# main window.
main=$(td get main hwnd)
dialog=$(td windows | awk -v main="$main" '/^0x.* visible=1 / && $1 != main && !/tooltips/ {print $1}' | head -1)
[ -n "$dialog" ] || fail "no Composite.ini: no dialog window"
td close "$dialog" > /dev/null
expect_state 30000 "no Composite.ini: the dialog did not close" dialog 0 present=0
ui_answers "no Composite.ini, closed"
stop_program

# The main skin file missing: no background picture, which ends the start silently with exit
# code 0 and no window.
rm "$work/skins/Skins/Main.ini"
(cd "$work/skins" && exec "$root/scripts/wine-run" Tarvolin.exe) &
started_pids+=($!)
wait_exit "$!"
[ "$exit_code" = 0 ] || fail "no Main.ini: exit code $exit_code, not 0"
[ "$(td get processes count)" = 0 ] || fail "no Main.ini: the program still runs"
echo "program faults files: ok"
