#!/usr/bin/env bash
# A misbehaving keyboard during Apply: replies dropped (each attempt times out), status 0xFE
# and 0xFF, a wrong echo, below and above the three attempts a transaction makes. After each,
# the window answers within 2 s, Apply stays enabled exactly when the key map did not reach
# the keyboard, and the profile file is byte for byte the old or the new one.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
vkb reset > /dev/null
factory_map0=$(dump_field key_maps 0)
changed_block=$(g1_bank_a_block)
wine_run tarvolinctl.exe raw 8 0 "$changed_block" > /dev/null || fail "could not prepare key map 0"
changed_map0=$(dump_field key_maps 0)

start_attached
profile='$Profile0'

# Each round starts from the changed key map, reloaded into the program as an attach does:
# the profile file is rebuilt from the keyboard ("old") and Apply is disabled.
prepare_round() {  # prepare_round WHAT
  echo "--- $1 ($SECONDS s)"
  wine_run tarvolinctl.exe raw 8 0 "$changed_block" > /dev/null || fail "$1: could not prepare"
  td send profile > /dev/null || fail "$1: the reload did not run"
  expect_state 10000 "$1: Apply enabled before the round" state 1006 enabled=0
  keep_files old
  ends_before=$(requests_of 02)
}

# Waits for the end of the Apply that Restore defaults started: the keyboard has seen its End
# request and the busy picture is gone. Then the window must answer.
apply_over() {  # apply_over WHAT
  wait_requests 02 "$((ends_before + 1))" 90000 "$1: Apply sent no End"
  expect_state 30000 "$1: the busy picture stayed" state 1177 visible=0
  ui_answers "$1"
}

applied() {  # applied WHAT: the keyboard took the new key map; Apply is disabled; new file
  expect_state 10000 "$1: Apply still enabled after a good download" state 1006 enabled=0
  [ "$(dump_field key_maps 0)" = "$factory_map0" ] || fail "$1: the keyboard lacks the new key map"
  changed_file "$1" old "$profile"
  if [ -d "$work/files-new" ]; then
    files_intact "$1" new old
  else
    keep_files new
  fi
}

# Apply stays enabled and the file untouched. The keyboard keeps the old key map, except after
# wrong echoes: it carried out the first block piece that the program took as unanswered.
not_applied() {  # not_applied WHAT
  expect_state 10000 "$1: a failed Apply disabled Apply" state 1006 enabled=1
  same_file "$1" old "$profile"
  files_intact "$1" old
  local map
  map=$(dump_field key_maps 0)
  if [ "$1" = "wrong 1000" ]; then
    [ "$map" != "$factory_map0" ] || fail "$1: the whole block reached the keyboard"
  else
    [ "$map" = "$changed_map0" ] || fail "$1: the keyboard's key map changed"
  fi
}

# Faults that the three attempts of each transaction ride out, or that cost only the Begin
# request (a failed command does not stop the sequence; the last block write decides).
for fault in "drop 2" "busy 2" "refuse 2" "wrong 2" "refuse 4"; do
  prepare_round "$fault"
  vkb fault $fault > /dev/null
  restore_defaults_and_apply
  apply_over "$fault"
  applied "$fault"
  vkb faults-clear > /dev/null
done

# Every request of the Apply fails: Apply stays enabled, and a retry once the keyboard
# behaves again writes everything. A wrong echo is a reply gone astray: the keyboard carried
# the requests out, but the program never learnt it, so it must offer the retry.
for fault in "drop 1000" "busy 1000" "refuse 1000" "wrong 1000"; do
  prepare_round "$fault"
  vkb fault $fault > /dev/null
  restore_defaults_and_apply
  apply_over "$fault"
  not_applied "$fault"
  vkb faults-clear > /dev/null
  td click 1006
  wait_requests 02 "$((ends_before + 2))" 60000 "$fault: the retry sent no End"
  expect_state 30000 "$fault: the retry's busy picture stayed" state 1177 visible=0
  applied "$fault, retried"
done

stop_program
echo "program faults apply: ok"
