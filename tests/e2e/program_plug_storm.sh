#!/usr/bin/env bash
# A plug storm while the program runs: TARVOLIN_STORM_CYCLES unplug/plug cycles (default 1000)
# of the virtual keyboard with random times, the middle ones while the program applies
# (restore defaults answered Yes, and Apply again when an unplug cut one short), five of them
# unplugging in the middle of an Apply. Afterwards:
# the same process runs, its window answers within 2 s, no message box waits, the tray icon
# shows the final presence for a final plug and a final unplug, hidden it is not woken by
# timers or polling (with the pointer resting where the window was), and the kernel handles, GDI
# and USER objects and the working set after the last 100 cycles are those after the first
# 100, within small allowances. Prints the figures; TARVOLIN_STORM_FIGURES=FILE also writes
# them there as name=value lines (scripts/bench reads them).
source "$(dirname "$0")/program_lib.sh"
cycles=${TARVOLIN_STORM_CYCLES:-1000}
[[ "$cycles" =~ ^[0-9]+$ ]] && [ "$cycles" -ge 300 ] || fail "TARVOLIN_STORM_CYCLES must be 300 or more"
up_ms=1-80    # plugged: from a cut-short attach to a finished reload
down_ms=1-30  # unplugged
# What "flat" allows between the stats after the first 100 and after the last 100 cycles. A
# leak of one object per cycle would show as 800 or more. GDI: the first Applies make a few
# objects that live on. Handles: worker threads still
# ending hold a few. Working set: Wine's resident size moves by a few MB on its own.
allow_handles=25
allow_gdi=10
allow_user=2
allow_working_set_mb=6

reset_user
start_program
expect_state 120000 "the window did not show" state 0 visible=1
expect_state 60000 "no tray icon 141" tray tray=141
program=$(td get main pid) || fail "no main window"
# The pointer rests on the window, as a user's would: the button under it tracks hover and
# leave. Once the storm has hidden the window, nothing may keep watching the pointer.
IFS=, read -r l t r b <<< "$(td get state 0 rect)"
xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))

field() { awk -F= -v name="$1" '$1 == name {print $2}' "$2"; }
now_ms() { date +%s%3N; }
no_message_box() {
  if td msgbox > "$work/box" 2> /dev/null; then
    cat "$work/box"
    fail "$1: a message box waits"
  fi
}
# The storm is over when every notice has been handled: the tray shows the presence, the
# program is back to the threads it had before (every attach run has ended), the
# user-interface thread answers and nothing waits for the user.
idle_threads=""
settle() {  # settle ICON WHAT
  expect_state 120000 "$2: the tray icon is not $1" tray tray="$1"
  [ -z "$idle_threads" ] ||
    expect_state 120000 "$2: attach runs did not end" stats threads="$idle_threads"
  wait_until_idle
  no_message_box "$2"
}
sample() { td stats > "$work/$1" || fail "no stats ($1)"; }
storm() {  # storm N NAME: in the foreground, its answer kept in $work/NAME
  vkb storm "$1" "$up_ms" "$down_ms" > "$work/$2" || { cat "$work/$2"; fail "the storm $2 stopped"; }
}

settle 141 "start"
sample start
idle_threads=$(field threads "$work/start")
started=$(now_ms)
storm 100 storm-first
settle 141 "after the first 100 cycles"
sample first

# The middle cycles. First quick ones in the background, while restore defaults and Apply
# run again and again: most plugs are too short for the reload to finish, so there is mostly
# no profile to apply, and the question comes and goes between attach runs. Every unplug
# hides the window, so the commands come as its buttons send them, from one driver process
# (a process per click would be too slow).
cut_cycles=5
quick=$((cycles - 200 - 2 * cut_cycles))
traffic_before=$(wc -l < "$TARVOLIN_VKB_TRAFFIC")
vkb storm "$quick" "$up_ms" "$down_ms" > "$work/middle" &
storm_pid=$!
started_pids+=("$storm_pid")
rounds=0
retries=0
while kill -0 "$storm_pid" 2> /dev/null; do
  td apply-loop 1500 > "$work/applies" || { cat "$work/applies"; fail "applying during the storm failed"; }
  rounds=$((rounds + $(field rounds "$work/applies")))
  retries=$((retries + $(field presses "$work/applies")))
done
wait "$storm_pid" || { cat "$work/middle"; fail "the middle storm stopped"; }
# Then cycles that each unplug in the middle of an Apply: a slow keyboard (150 ms per report)
# keeps the Apply going for seconds, and the unplug comes once its first key-map write is in.
# Restore defaults only applies what it changes, so before each the keyboard's profile 0
# gets G1 assigned and one more cycle makes the program read it.
for i in $(seq "$cut_cycles"); do
  settle 141 "before Apply $i"
  wine_run tarvolinctl.exe raw 8 0 "$(g1_bank_a_block)" > /dev/null || fail "could not prepare key map 0"
  vkb unplug > /dev/null
  settle 128 "before Apply $i"
  vkb plug > /dev/null
  settle 141 "before Apply $i"
  vkb latency 150 > /dev/null
  writes_before=$(grep -c -E -- "-> 04 .. .. 08 " "$TARVOLIN_VKB_TRAFFIC" || true)
  td command 1138 > /dev/null
  expect_state 60000 "restore defaults asked nothing (Apply $i)" msgbox present=1
  td answer yes > /dev/null
  # The download has begun once the first key-map write is in (the keys are redrawn first).
  for _ in $(seq 1200); do
    [ "$(grep -c -E -- "-> 04 .. .. 08 " "$TARVOLIN_VKB_TRAFFIC" || true)" -gt "$writes_before" ] && break
    sleep 0.05
  done
  [ "$(grep -c -E -- "-> 04 .. .. 08 " "$TARVOLIN_VKB_TRAFFIC" || true)" -gt "$writes_before" ] ||
    fail "Apply $i sent no key map"
  vkb unplug > /dev/null
  vkb latency 0 > /dev/null
  settle 128 "unplugged during Apply $i"
  vkb plug > /dev/null
done
# Downloads the keyboard saw (a Begin frame with key-map writes; reloads frame only reads):
# begun, ended, and cut short by an unplug (no End before the next Begin).
tail -n +"$((traffic_before + 1))" "$TARVOLIN_VKB_TRAFFIC" |
  awk 'function close_frame() {if (writes) {begun++; if (ended_frame) ended++; else cut++}}
       $2 == "->" && $6 == "01" {close_frame(); writes = 0; ended_frame = 0}
       $2 == "->" && $6 == "08" {writes = 1}
       $2 == "->" && $6 == "02" {ended_frame = 1}
       END {close_frame(); printf "begun=%d\nended=%d\ncut=%d\n", begun, ended, cut}' > "$work/downloads"
begins=$(field begun "$work/downloads")
ends=$(field ended "$work/downloads")
cut=$(field cut "$work/downloads")
echo "during the storm: $rounds restore-defaults rounds, $retries Apply presses; downloads: $begins begun, $ends ended, $cut cut short by an unplug"
[ "$cut" -ge 1 ] || echo "note: no download was cut short by an unplug"
settle 141 "after the middle cycles"
sample before_last
storm 100 storm-last
finished=$(now_ms)
settle 141 "after the last 100 cycles"
sample last

# Final presence both ways; the window answers within 2 s each time.
td roundtrip 2000 > "$work/answer-plugged" || { cat "$work/answer-plugged"; fail "the window did not answer within 2 s"; }
[ "$(td get state 0 visible)" = 0 ] || fail "the storm left the window shown"
vkb unplug > /dev/null
settle 128 "after the final unplug"
td roundtrip 2000 > "$work/answer-unplugged" || fail "the window did not answer within 2 s (unplugged)"
vkb plug > /dev/null
settle 141 "after the final plug"
td roundtrip 2000 > /dev/null || fail "the window did not answer within 2 s (plugged again)"
[ "$(td get main pid)" = "$program" ] || fail "the program is not the one that started"
[ "$(td get processes count)" = 1 ] || fail "more than one Tarvolin.exe runs"
[ "$(td get state 0 visible)" = 0 ] || fail "a plug showed the window after the first show"
# Hidden and idle, the program sleeps: its threads (Linux threads under Wine) are not woken by
# timers or polling. A leave tracking left running would wake one every millisecond.
linux_pid=""
for p in $(pgrep -f 'Tarvolin\.exe' || true); do
  tr '\0' '\n' < "/proc/$p/environ" 2> /dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && linux_pid=$p
done
wakeups() { cat /proc/"$linux_pid"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
if [ -n "$linux_pid" ]; then
  # What the last plug started (the reload, the tray) settles first: the program must fall
  # quiet, five seconds without a wake-up, within a minute.
  for _ in $(seq 12); do
    before=$(wakeups)
    sleep 5  # the measured idle period
    idle_wakeups=$(($(wakeups) - before))
    [ "$idle_wakeups" -le 2 ] && break
  done
  echo "hidden and idle for 5 s: $idle_wakeups wake-ups"
  [ "$idle_wakeups" -le 2 ] || fail "the hidden program keeps waking: $idle_wakeups times in 5 s"
else
  idle_wakeups="?"
  echo "note: the program's Linux process was not found; idle wake-ups not measured"
fi
# The program works afterwards: a restore-defaults Apply goes through and disables Apply.
ends_before=$(grep -c -E -- "-> 04 .. .. 02 " "$TARVOLIN_VKB_TRAFFIC" || true)
td command 1138 > /dev/null
expect_state 60000 "restore defaults asked nothing after the storm" msgbox present=1
td answer yes > /dev/null
expect_state 60000 "the question did not close after the storm" msgbox present=0
wait_until_idle
expect_state 60000 "the Apply after the storm did not finish" state 1006 enabled=0
[ "$(grep -c -E -- "-> 04 .. .. 02 " "$TARVOLIN_VKB_TRAFFIC" || true)" -gt "$ends_before" ] ||
  fail "the Apply after the storm sent no End"

mb() { awk -v b="$1" 'BEGIN {printf "%.1f", b / 1048576}'; }
report() {
  printf 'cycles=%s\nwall_ms=%s\nstorm_ms=%s\nup_ms=%s\ndown_ms=%s\ncut_cycles=%s\n' "$cycles" \
    "$((finished - started))" "$storm_ms" "$up_ms" "$down_ms" "$cut_cycles"
  printf 'apply_rounds=%s\napply_presses=%s\ndownloads_begun=%s\ndownloads_ended=%s\ndownloads_cut=%s\n' \
    "$rounds" "$retries" "$begins" "$ends" "$cut"
  printf 'idle_wakeups_5s=%s\n' "$idle_wakeups"
  printf 'answer_ms_plugged=%s\nanswer_ms_unplugged=%s\n' \
    "$(field ms "$work/answer-plugged")" "$(field ms "$work/answer-unplugged")"
  for stage in start first before_last last; do
    for name in handles gdi user working_set threads; do
      printf '%s_%s=%s\n' "$stage" "$name" "$(field "$name" "$work/$stage")"
    done
  done
  printf 'handles_source=%s\ngdi_source=%s\nuser_source=%s\n' "$(field handles_source "$work/last")" \
    "$(field gdi_source "$work/last")" "$(field user_source "$work/last")"
}
# The random cycles' own time, as vkbctl took it.
storm_ms=$(cat "$work/storm-first" "$work/middle" "$work/storm-last" | tr -d '\r' | awk '$1 == "ms" {t += $2} END {print t}')
report > "$work/figures"
[ -n "${TARVOLIN_STORM_FIGURES:-}" ] && cp "$work/figures" "$TARVOLIN_STORM_FIGURES"
printf '%d cycles: %.1f s from the first unplug to the last plug, %.1f s of it the random cycles\n' \
  "$cycles" "$(awk -v ms="$((finished - started))" 'BEGIN {print ms / 1000}')" \
  "$(awk -v ms="$storm_ms" 'BEGIN {print ms / 1000}')"
printf '%-12s %10s %10s %10s %10s\n' "" "start" "first 100" "before last" "last 100"
for name in handles gdi user threads; do
  printf '%-12s %10s %10s %10s %10s\n' "$name" "$(field "$name" "$work/start")" \
    "$(field "$name" "$work/first")" "$(field "$name" "$work/before_last")" "$(field "$name" "$work/last")"
done
printf '%-12s %10s %10s %10s %10s\n' "working set" "$(mb "$(field working_set "$work/start")")" \
  "$(mb "$(field working_set "$work/first")")" "$(mb "$(field working_set "$work/before_last")")" \
  "$(mb "$(field working_set "$work/last")")"
echo "(working set in MB; handles by $(field handles_source "$work/last"), GDI by $(field gdi_source "$work/last"), USER by $(field user_source "$work/last"))"

flat() {  # flat NAME ALLOWANCE [SCALE]: last-100 value at most ALLOWANCE above first-100 value
  local first last scale=${3:-1}
  first=$(field "$1" "$work/first")
  last=$(field "$1" "$work/last")
  [ -n "$first" ] && [ -n "$last" ] || fail "no $1 figure"
  [ $(((last - first) / scale)) -le "$2" ] ||
    fail "$1 grew from $first after the first 100 cycles to $last after the last 100"
}
flat handles "$allow_handles"
flat gdi "$allow_gdi"
flat user "$allow_user"
flat working_set "$allow_working_set_mb" 1048576
stop_program
echo "program plug storm: ok"
