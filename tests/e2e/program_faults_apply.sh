#!/usr/bin/env bash
# A misbehaving keyboard during Apply: replies dropped (each attempt times out), status 0xFE
# and 0xFF, a wrong echo, below and above the three attempts a transaction makes. After each,
# the window answers within 2 s, Apply stays enabled exactly when the key map did not reach
# the keyboard, and the profile file is byte for byte the old or the new one.
source "$(dirname "$0")/program_faults_lib.sh"
reset_user
prepare_keyboard

start_attached

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
# request (a failed command does not stop the sequence; the last block write decides), and
# faults on every request of the Apply: then Apply stays enabled, and a retry once the
# keyboard behaves again writes everything. A wrong echo is a reply gone astray: the keyboard
# carried the requests out, but the program never learnt it, so it must offer the retry.
for fault in "drop 2" "busy 2" "refuse 2" "wrong 2" "refuse 4" \
  "drop 1000" "busy 1000" "refuse 1000" "wrong 1000"; do
  prepare_round "$fault"
  vkb fault $fault > /dev/null
  restore_defaults_and_apply
  apply_over "$fault"
  if [ "${fault#* }" = 1000 ]; then
    not_applied "$fault"
    vkb faults-clear > /dev/null
    retry_apply "$fault"
    applied "$fault, retried"
  else
    applied "$fault"
    vkb faults-clear > /dev/null
  fi
done

stop_program
echo "program faults apply: ok"
