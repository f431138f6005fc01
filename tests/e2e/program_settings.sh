#!/usr/bin/env bash
# Flip survives a restart through the registry; the program dies quietly (code 0, no window)
# without Quorlink.dll or its main background picture; a shell restart's "TaskbarCreated"
# leaves the tray icon in place.
source "$(dirname "$0")/program_lib.sh"
reset_user
flip_shows() {  # flip_shows 0|1
  local f=$((1 - $1)) d=$1 id
  for id in 1010 1011 1012 1013; do
    expect_state 10000 "Flip $1: F-key $id enabled is not $f" state "$id" "enabled=$f"
  done
  for id in 1016 1017 1018 1019 1020 1021; do
    expect_state 10000 "Flip $1: D-key $id enabled is not $d" state "$id" "enabled=$d"
  done
}

start_program
expect_state 60000 "the window did not show" state 0 visible=1
flip_shows 0
td click 1130
flip_shows 1
[ "$(( $(registry_value Flip) ))" = 1 ] || fail "Flip 1 is not in the registry ($(registry_value Flip))"
stop_program
start_program
expect_state 60000 "the window did not show after the restart" state 0 visible=1
flip_shows 1
td click 1131
flip_shows 0
[ -n "$(registry_value Flip)" ] && [ "$(( $(registry_value Flip) ))" = 0 ] || fail "Flip 0 is not in the registry ($(registry_value Flip))"

# A restarting shell: the icon is added again and keeps its picture.
td taskbar-created
expect_state 10000 "the tray icon changed after TaskbarCreated" tray tray=141
[ "$(td get processes count)" = 1 ] || fail "TaskbarCreated ended the program"
stop_program

# Fatal start-up failures: exit code 0 and never a window on the screen.
quiet_failure() {  # quiet_failure WHAT: runs the program copy in $work/broken
  (cd "$work/broken" && exec "$root/scripts/wine-run" Tarvolin.exe) &
  local pid=$! windows=0
  while kill -0 "$pid" 2> /dev/null; do
    [ "$(td get windows visible 2> /dev/null || echo 0)" = 0 ] || windows=1
  done
  wait_exit "$pid"
  [ "$exit_code" = 0 ] || fail "$1: the exit code is $exit_code, not 0"
  [ "$windows" = 0 ] || fail "$1: a window showed"
}
make_copy() {
  rm -rf "$work/broken"
  mkdir -p "$work/broken"
  cp -r "$bin/Tarvolin.exe" "$bin/Quorlink.dll" "$bin/Halvrin.exe" "$bin/Skins" "$work/broken/"
}
make_copy
rm "$work/broken/Quorlink.dll"
quiet_failure "without Quorlink.dll"
make_copy
rm "$work/broken/Skins/main_normal.jpg"
quiet_failure "without Skins\\main_normal.jpg"
echo "program settings: ok"
