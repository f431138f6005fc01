#!/usr/bin/env bash
# One virtual keyboard for every process: with a client holding the keyboard (the program's
# stand-in), tarvolinctl's write is read back live by that client and survives its next
# write; unplug reaches every client; a damaged state file is reported and kept aside;
# separate state files get separate hosts.
source "$(dirname "$0")/lib.sh"
probe_pid=
cleanup() {
  [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null || true
  wine_run vkbctl.exe shutdown > /dev/null 2>&1 || true
  cleanup_work
}
trap cleanup EXIT

# A damaged state file: the first client is told, the file is kept aside.
printf 'TVKB\001\000\000\000 cut short' > "$TARVOLIN_VKB_STATE"
coproc PROBE { cd "$bin" && exec "$root/scripts/wine-run" keyboard_client_probe.exe 2> "$work/probe.err"; }
probe_pid=$PROBE_PID
ask() {  # ask COMMAND: one answer line from the stand-in
  echo "$1" >&"${PROBE[1]}"
  local line
  IFS= read -r -t 30 line <&"${PROBE[0]}" || fail "the stand-in did not answer '$1'"
  printf '%s\n' "${line%$'\r'}"
}
IFS= read -r -t 60 ready <&"${PROBE[0]}" || fail "the stand-in never started"
[ "${ready%$'\r'}" = ready ] || fail "the stand-in said '$ready'"
expect_in "$work/probe.err" "is damaged"
[ -f "$TARVOLIN_VKB_STATE.damaged" ] || fail "the damaged state file was not kept aside"
[ "$(ask count)" = "count 1" ] || fail "the stand-in sees no keyboard"

# tarvolinctl writes a key-colour byte (profile 0, offset 5); the stand-in reads it at once.
wine_run tarvolinctl.exe raw 17 5 0 AB > /dev/null
colours=$(ask "colours 0")
[ "$(echo "$colours" | awk '{print $8}')" = AB ] || fail "the stand-in read '$colours'"
# The stand-in's own write next to it does not undo tarvolinctl's.
[ "$(ask "write-colour 6 0 CD")" = "result 1" ] || fail "the stand-in could not write"
wine_run tarvolinctl.exe raw 16 56 0 0 > "$work/colours"
[ "$(head -1 "$work/colours" | cut -c16-20)" = "AB CD" ] || { cat "$work/colours"; fail "tarvolinctl lost a write"; }
# And the state file (the flash) holds both.
wine_run vkbctl.exe dump > "$work/dump.json"
grep -q '"key_colours": \["..........ABCD' "$work/dump.json" || fail "the dump lacks the writes"

# Offsets and lengths that leave their area are refused before anything is sent.
for args in "17 0xFFFF 2 01" "17 179 0 0102" "16 56 180 0" "6 125 0102" "5 56 126"; do
  set +e
  # shellcheck disable=SC2086
  wine_run tarvolinctl.exe raw $args > /dev/null 2>&1; code=$?
  set -e
  [ $code -eq 64 ] || fail "raw $args exited $code"
done
wine_run vkbctl.exe dump > "$work/dump2.json"
cmp -s "$work/dump.json" "$work/dump2.json" || fail "a refused raw command changed the memory"

# Unplug reaches every client: the stand-in hears count 0, tarvolinctl sees no keyboard.
wine_run vkbctl.exe unplug > /dev/null
for _ in $(seq 100); do [ "$(ask count)" = "count 0" ] && break; sleep 0.1; done
[ "$(ask count)" = "count 0" ] || fail "the stand-in still sees the keyboard"
set +e
wine_run tarvolinctl.exe info > "$work/info" 2>&1; code=$?
set -e
[ $code -eq 2 ] || fail "tarvolinctl info exited $code with the keyboard unplugged"
expect_in "$work/info" "devices: 0"
wine_run vkbctl.exe plug > /dev/null
for _ in $(seq 100); do [ "$(ask count)" = "count 1" ] && break; sleep 0.1; done
heard=$(ask heard)
[ "$heard" = "heard 0 1" ] || fail "the stand-in's attach hook heard '$heard'"

# Every client is one host: status counts the stand-in and vkbctl itself.
wine_run vkbctl.exe status > "$work/status"
expect_in "$work/status" "clients 2"
host=$(awk '/host-process/ {print $2}' "$work/status" | tr -d '\r')
# Another state file gets another host; the same one finds the same host.
other=$(env -u TARVOLIN_VKB_PIPE TARVOLIN_VKB_STATE="$work/other.bin" bash -c \
  "cd '$bin' && '$root/scripts/wine-run' vkbctl.exe status" | awk '/host-process/ {print $2}' | tr -d '\r')
[ -n "$other" ] && [ "$other" != "$host" ] || fail "a second state file shared host $host"
echo quit >&"${PROBE[1]}"
wait "$probe_pid" || fail "the stand-in did not end cleanly"
probe_pid=
echo "vkb host: ok"
