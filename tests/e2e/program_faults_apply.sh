#!/usr/bin/env bash
# A misbehaving keyboard during Apply: replies dropped (each attempt times out) and a wrong
# echo, below and above the three attempts a transaction makes. After each, the window answers
# within 2 s, Apply stays enabled exactly when the key map did not reach the keyboard, and the
# profile file is byte for byte the old or the new one.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
prepare_keyboard
start_attached
for fault in "drop 2" "wrong 2" "drop 1000" "wrong 1000"; do
  apply_with_fault $fault
done
stop_program
echo "program faults apply: ok"
