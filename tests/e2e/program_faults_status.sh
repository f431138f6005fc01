#!/usr/bin/env bash
# A misbehaving keyboard during Apply: status 0xFE (busy) and 0xFF (refused), below and above
# the three attempts a transaction makes. After each, the window answers within 2 s, Apply
# stays enabled exactly when the key map did not reach the keyboard, and the profile file is
# byte for byte the old or the new one.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
prepare_keyboard
start_attached
for fault in "busy 2" "refuse 2" "refuse 4" "busy 1000" "refuse 1000"; do
  apply_with_fault $fault
done
stop_program
echo "program faults status: ok"
