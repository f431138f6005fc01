#!/usr/bin/env bash
# Damaged files around the program: profile files with a wrong checksum or cut short in the
# data folder at start-up and when a profile switch has to load one; a damaged and a missing
# language file. The program starts, answers within 2 s, reaches the defined outcome, and
# never rewrites a damaged file that it is not asked to rebuild.
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
expect_in "$work/box" "^text=$(language_text PROFILE_SELECT_PROMPT)$"
td answer no
expect_state 10000 "switch: the question stayed" msgbox present=0
ui_answers "switch loading a damaged file"
expect_state 15000 "switch: the indicator does not name \$Profile1" state 1005 'caption=$Profile1'
expect_state 10000 "switch: Apply stayed enabled after No" state 1006 enabled=0
[ "$(dump_field active_profile)" = 1 ] || fail "switch: the keyboard did not switch"
files_intact "switch loading a damaged file" cut
screenshot faults-switch-damaged-file

# --- Import of damaged files lying in the data folder. Too short for a profile: only the
# import failure. Long enough, but shorter than its header declares: the format error naming
# the file, then the import failure. Nothing changes, the keyboard included.
head -c 1000 "$fixture" > "$faults_dir/short.tvc"
head -c 40000 "$fixture" > "$faults_dir/cut.tvc"
keep_files before-import
memory_before=$(keyboard_memory)
documents=$(td get documents path)
import_file "$documents\\Tarvolin\\short.tvc"
expect_state 15000 "import short: no message" msgbox present=1
expect_state 5000 "import short: not the import failure" msgbox "text=$(language_text MAIN_PROMPT_INPORT)"
td answer ok
expect_state 10000 "import short: the message stayed" msgbox present=0
ui_answers "import of a short file"
import_file "$documents\\Tarvolin\\cut.tvc"
expect_state 15000 "import cut: no format error" msgbox present=1
td msgbox > "$work/box"
format_error=$(language_text PROFILE_FORMAT_ERROR)
expect_in "$work/box" "^text=${format_error%%%s*}.*cut.tvc$"
screenshot faults-import-cut-file
td answer ok
expect_state 15000 "import cut: no import failure" msgbox "text=$(language_text MAIN_PROMPT_INPORT)"
td answer ok
expect_state 10000 "import cut: a message stayed" msgbox present=0
ui_answers "import of a cut file"
files_intact "damaged imports" before-import
[ "$(keyboard_memory)" = "$memory_before" ] || fail "a damaged import changed the keyboard"
stop_program

# --- The language file, in a program folder of its own (program_copy).
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
question_text language-damaged "$(language_text MAIN_PROMPT_DEFAULT)"
stop_program

# Missing: every text is a single blank (the Chinese section is chosen, every key missing).
rm "$work/lang/Skins/language.ini"
start_in "$work/lang"
ui_answers "missing language file"
screenshot faults-language-missing
question_text language-missing ' '
stop_program

echo "program faults files: ok"
