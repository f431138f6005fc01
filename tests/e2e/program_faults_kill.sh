#!/usr/bin/env bash
# The program killed hard in the middle of Apply and in the middle of writing a profile file,
# then started again; a read-only profile file under Apply. The profile file on disk is byte
# for byte the old one or the new one, no temporary file outlives the next start, and the
# restarted program answers and shows the keyboard.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
prepare_keyboard

restarted() {  # restarted WHAT: started again, the program shows the keyboard and answers
  start_attached
  ui_answers "$1, started again"
  valid_profile_file "$1, started again" "$profile"
  for file in "$faults_dir"/*.partial; do
    [ -e "$file" ] && fail "$1: the new start left $(basename "$file")"
  done
  return 0
}

# The reference: Restore defaults applied without a fault gives the "new" file.
start_attached
prepare_round "reference"
restore_defaults_and_apply
apply_over "reference"
applied "reference"
reference_old="$work/files-reference-old"
cp -r "$work/files-old" "$reference_old"

# Killed while the key-map block goes out (slowed to 150 ms a report): the file is the old
# one, since it is written only after the keyboard took the download.
prepare_round "kill in Apply"
cmp -s "$faults_dir/$profile" "$reference_old/$profile" || fail "the rebuilt file differs from the first"
vkb latency 150 > /dev/null
blocks_before=$(requests_of 08)
restore_defaults_and_apply
wait_requests 08 "$((blocks_before + 3))" 60000 "kill in Apply: no block write"
kill_program_hard
vkb latency 0 > /dev/null
[ "$(requests_of 02)" = "$ends_before" ] || fail "kill in Apply: the kill came after the Apply"
files_intact "kill in Apply" old
same_file "kill in Apply" old "$profile"
restarted "kill in Apply"

# Killed the moment the temporary file of the profile appears, i.e. while Apply writes it:
# the target is the old file or the new one, and the next start removes the left-over.
prepare_round "kill in save"
cmp -s "$faults_dir/$profile" "$reference_old/$profile" || fail "the rebuilt file differs from the first"
arm_kill_on_partial "$(program_unix_pid)"
restore_defaults_and_apply
td wait 60000 processes count=0 > /dev/null || fail "kill in save: the program was not killed"
wait "$program_pid" 2> /dev/null || true  # reaped here, without the shell's "Killed" line
wait "$watcher_pid" || true
cat "$work/watch.out"
grep -q "^killed while writing" "$work/watch.out" || fail "kill in save: no temporary file was seen"
left=$(find "$faults_dir" -name '*.partial' | wc -l)
echo "kill in save: $left temporary file(s) left by the killed program"
for file in "$faults_dir"/*.partial; do [ -e "$file" ] && mv "$file" "$work/"; done
files_intact "kill in save" old new
for file in "$work"/*.partial; do [ -e "$file" ] && mv "$file" "$faults_dir/"; done
restarted "kill in save"

# A read-only profile file: the keyboard takes the download, the file stays as it was, and
# Apply stays enabled so the user can retry once the file is writable again. No message.
prepare_round "read-only"
chmod a-w "$faults_dir/$profile"
restore_defaults_and_apply
apply_over "read-only"
expect_state 10000 "read-only: Apply disabled although the file was not written" state 1006 enabled=1
[ "$(td get msgbox present 2> /dev/null)" = 1 ] && fail "read-only: a message was shown"
[ "$(dump_field key_maps 0)" = "$factory_map0" ] || fail "read-only: the keyboard lacks the new key map"
same_file "read-only" old "$profile"
files_intact "read-only" old
chmod u+w "$faults_dir/$profile"
retry_apply "read-only"
expect_state 10000 "read-only: the retry left Apply enabled" state 1006 enabled=0
files_intact "read-only, retried" new

stop_program
echo "program faults kill: ok"
