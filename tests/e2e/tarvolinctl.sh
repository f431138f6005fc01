#!/usr/bin/env bash
# tarvolinctl under Wine on Quorlink.dll: exit codes follow the device results, state persists.
source "$(dirname "$0")/lib.sh"
trap cleanup_work EXIT
wine_run tarvolinctl.exe info > "$work/info"
expect_in "$work/info" "macro space: 12800 bytes"
expect_in "$work/info" "effects: 1 2 3"
set +e
wine_run tarvolinctl.exe raw 7 3 > /dev/null 2>&1; [ $? -eq 7 ] || fail "block 3 should exit 7 (-201)"
wine_run tarvolinctl.exe raw 99 > /dev/null 2>&1; [ $? -eq 64 ] || fail "command 99 is a usage error"
set -e
block=$(printf '01%.0s' $(seq 512))
wine_run tarvolinctl.exe raw 8 1 "$block" > /dev/null
wine_run tarvolinctl.exe read-keymap 1 > "$work/block"
[ "$(tr -d ' \n\r' < "$work/block")" = "$(printf '01%.0s' $(seq 512))" ] || fail "block 1 did not persist"
# With faults injected while no program runs, the next process starts clean: faults are live only.
wine_run vkbctl.exe active-profile 2 > /dev/null
wine_run tarvolinctl.exe info > "$work/info2"
expect_in "$work/info2" "active profile: 2"
# A keyboard with another product id is not ours: no device, exit 2.
set +e
TARVOLIN_VKB_STATE="$work/none.bin" wine_run tarvolinctl.exe raw 1 > /dev/null 2>&1
set -e
echo "tarvolinctl: ok"
