#!/usr/bin/env bash
# vkbctl drives the virtual keyboard through its host while tarvolinctl watch holds it: plug,
# events, faults, dump.
source "$(dirname "$0")/lib.sh"
out="$work/watch.out"
wine_run tarvolinctl.exe watch 240 > "$out" 2>&1 &
watcher=$!
trap 'kill $watcher 2>/dev/null || true; wine_run vkbctl.exe shutdown > /dev/null 2>&1 || true; cleanup_work' EXIT
for _ in $(seq 100); do
  wine_run vkbctl.exe status > "$work/status" 2>/dev/null && break
  sleep 0.2
done
expect_in "$work/status" "plugged 1"
wine_run vkbctl.exe unplug > /dev/null
wine_run vkbctl.exe plug > /dev/null
wine_run vkbctl.exe bank > /dev/null
wine_run vkbctl.exe lighting > /dev/null
wine_run vkbctl.exe macro-start > /dev/null
wine_run vkbctl.exe macro-stop > /dev/null
wine_run vkbctl.exe event 0x1801 > /dev/null
wine_run vkbctl.exe macro-space 42 > /dev/null
wine_run vkbctl.exe unplug > /dev/null
wine_run vkbctl.exe plug > /dev/null
# The second attach reads the settings with the new macro space (42 x 128).
for _ in $(seq 150); do grep -q "macro-space 5376" "$out" && break; sleep 0.2; done
wine_run vkbctl.exe dump > "$work/dump.json"
if wine_run vkbctl.exe fault sideways 1 > "$work/bad" 2>&1; then fail "a bad fault was accepted"; fi
expect_in "$work/bad" "error:"
kill $watcher 2>/dev/null || true
wait $watcher 2>/dev/null || true
expect_in "$out" "devices 1"
expect_in "$out" "attach 0"
expect_in "$out" "attach 1"
expect_in "$out" "event 0x02FF"
expect_in "$out" "event 0x0401"
expect_in "$out" "event 0x1811"
expect_in "$out" "event 0x1810"
expect_in "$out" "event 0x1801"
expect_in "$out" "macro-space 5376"
expect_in "$work/dump.json" '"macro_space_units": 42'
# Requests and replies of the settings reads are in the traffic log, in hex.
expect_in "$TARVOLIN_VKB_TRAFFIC" "-> 04 33 00 03 30 00 00 00"
grep -q -E "<- 04 .. .. 03 30 00 00 00 00 00 00 00 00 00 00 00 00 00 (2A|00) " "$TARVOLIN_VKB_TRAFFIC" || fail "no settings reply in the traffic log"
echo "vkb control: ok"
