#!/usr/bin/env bash
# Halvrin.exe, the companion process: hidden, one at a time, and it ends by itself once no
# Tarvolin.exe is left. Two copies of the smoke window named Tarvolin.exe stand in for the
# program, so the test needs nothing of the program itself.
source "$(dirname "$0")/lib.sh"
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY (run through scripts/ui/with-xvfb)"
prog="$work/program"
mkdir -p "$prog"
cp "$bin/Halvrin.exe" "$bin/tdriver.exe" "$prog/"
cp "$bin/smoke_window.exe" "$prog/Tarvolin.exe"
in_prog() { (cd "$prog" && "$root/scripts/wine-run" "$@"); }
td() { in_prog tdriver.exe "$@"; }
pids=()
finish() {
  td close > /dev/null 2>&1 || true
  for p in "${pids[@]}"; do kill "$p" 2> /dev/null || true; done
  cleanup_work
}
trap finish EXIT

# With no program running it ends at once, with code 0.
timeout 60 bash -c "cd '$prog' && '$root/scripts/wine-run' Halvrin.exe" || fail "Halvrin alone did not end by itself (status $?)"

in_prog Tarvolin.exe & pids+=($!); first=$!
in_prog Tarvolin.exe & pids+=($!); second=$!
td wait 30000 processes count=2 || fail "the two stand-in programs did not start"
td wait 30000 windows visible=2 > /dev/null || fail "the stand-in windows did not show"
in_prog Halvrin.exe & pids+=($!); daemon=$!
td --exe Halvrin.exe wait 30000 processes count=1 || fail "Halvrin did not start"
# A second copy finds the first one and leaves at once.
timeout 60 bash -c "cd '$prog' && '$root/scripts/wine-run' Halvrin.exe" || fail "a second Halvrin did not leave"
[ "$(td --exe Halvrin.exe get processes count)" = 1 ] || fail "not exactly one Halvrin"
# Hidden: no window at all, visible or not.
td --exe Halvrin.exe windows > "$work/windows" || true
expect_in "$work/windows" "^windows=0"

# One program ends: Halvrin stays for the other.
one_window=$(td windows | awk '/visible=1/ {print $1; exit}')
[ -n "$one_window" ] || fail "no stand-in window to close"
td close "$one_window" > /dev/null
td wait 30000 processes count=1 || fail "the closed stand-in did not end"
for _ in 1 2 3; do
  [ "$(td --exe Halvrin.exe get processes count)" = 1 ] || fail "Halvrin left while a program still runs"
done
td close > /dev/null
td wait 30000 processes count=0 || fail "the stand-ins did not end"
wait "$first" || true
wait "$second" || true
td --exe Halvrin.exe wait 30000 processes count=0 || fail "Halvrin lingers after the program ended"
wait "$daemon" || fail "Halvrin ended with a failure status"
echo "halvrin: ok"
