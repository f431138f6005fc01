#!/usr/bin/env bash
# The macro pane of the composite dialog, driven with real key presses from xdotool reaching
# its keyboard hooks: recording with and without the record delay, insertion after a selected
# row, typed delays clamped and rounded, a recording stopped at the 2000-step limit; each
# macro then read back from the keyboard after the main window's Apply, step for step.
source "$(dirname "$0")/macro_pane_lib.sh"
reset_user
start_program
expect_state 60000 "the window did not show" state 0 visible=1

# G9 opens the dialog on the macro tab; the library is empty.
open_macro_dialog 1143
expect_state 10000 "the record button is enabled without a macro" pane 1020 enabled=0
td pane-click 1017
expect_state 10000 "Add made no macro" dialog 1126 count=1 selection=0 caption=Macro1
expect_state 10000 "a new macro's cycles are not 1" pane 1125 caption=1
expect_state 10000 "the record button stayed disabled" pane 1020 enabled=1

# Record delay on (stored under PROFILES): A down, 300 ms, A up.
[ "$(td get pane 1027 checked)" = 0 ] || fail "the record delay starts checked for a new user"
click_control 1027
expect_state 10000 "the record delay did not turn on" pane 1027 checked=1
[ "$(registry_value RecordDelay)" = 1 ] || fail "the record delay was not stored"
start_recording
xdotool keydown a sleep 0.3 keyup a
expect_state 20000 "A was not recorded as two rows" pane 1019 rows=2
stop_recording
expect_row 0 key=A direction=down
expect_row 1 key=A direction=up delay=0
held=$(td get pane-row 0 delay)
echo "A held for 300 ms recorded as $held ms"
[ "$held" -ge 300 ] && [ "$held" -lt 400 ] || fail "A held 300 ms recorded as $held ms"

# The left Windows key goes through the low-level hook: recorded once, Start menu or not.
select_row 1
start_recording
xdotool keydown super sleep 0.1 keyup super
expect_state 20000 "the Windows key was not recorded" pane 1019 rows=4
stop_recording
expect_row 2 key=Win direction=down
expect_row 3 key=Win direction=up delay=0
macro1_delays=$(for row in 0 1 2 3; do td get pane-row $row delay; done | tr '\n' ' ')

# Record delay off: every recorded pause is 50 ms. Five keys give ten rows.
td pane-click 1017
expect_state 10000 "Add made no second macro" dialog 1126 count=2 selection=1 caption=Macro2
click_control 1027
expect_state 10000 "the record delay did not turn off" pane 1027 checked=0
[ "$(registry_value RecordDelay)" = 0 ] || fail "the record delay off was not stored"
start_recording
xdotool key --delay 80 b c d e f
expect_state 20000 "five keys did not give ten rows" pane 1019 rows=10
stop_recording
expect_row 0 key=B direction=down delay=50
expect_row 1 key=B direction=up delay=50
expect_row 9 key=F direction=up delay=0

# A typed delay of 12345 on row 3 becomes 12340.
select_row 2
edit_delay 2 12345
expect_row 2 delay=12340

# Recording with row 3 selected inserts after it; its pause moves to the last new step.
start_recording
xdotool key x
expect_state 20000 "X was not inserted" pane 1019 rows=12
stop_recording
expect_row 2 key=C direction=down delay=50
expect_row 3 key=X direction=down delay=50
expect_row 4 key=X direction=up delay=12340
expect_row 5 key=C direction=up delay=50

# 50000 is refused with the message and becomes 40000.
select_row 0
edit_delay 0 50000 "The longest delay is 40000 ms."
expect_row 0 delay=40000
screenshot macros-pane-en

# The in-place editors: the key choice dropped down, then the delay edit.
select_row 1
click_cell 1 0
expect_state 10000 "the key choice did not open" pane 1019 editing=1
screenshot macros-key-choice-en
xdotool key Escape
td pane-click 1017 > /dev/null 2>&1 || true  # any command ends the edit with the choice kept
expect_state 10000 "the key choice stayed open" pane 1019 editing=0
expect_state 10000 "Add made no third macro" dialog 1126 count=3 selection=2 caption=Macro3

# 2000 steps: typed letters fill the macro; the recorder stops at the limit and says so.
# (Under load the X server may merge a fast key stroke; the rows are read back whole below.)
start_recording
for _ in $(seq 40); do
  [ "$(td get msgbox present)" = 1 ] && break
  xdotool type --delay 15 "asdfghjklasdfghjklasdfghjklasdfghjklasdfghjkl"
done
expect_state 60000 "the recording did not stop at the limit" msgbox present=1
td msgbox > "$work/box"
expect_in "$work/box" "^text=The macro is full: 2000 steps. The recording has stopped.$"
td answer ok
expect_state 10000 "the limit message stayed" msgbox present=0
expect_state 10000 "the full macro has not 2000 rows" pane 1019 rows=2000
expect_state 10000 "the record button still shows recording" pane 1020 checked=0 caption=Record
td pane-steps | grep -v "^present=\|^rows=" > "$work/pane-steps"
# The hooks are gone: keys reach the dialog again (the cycles edit takes them).
click_control 1125
xdotool key ctrl+a type 7
expect_state 10000 "the cycles edit did not take a typed key" pane 1125 caption=7
[ "$(td get pane 1019 rows)" = 2000 ] || fail "a key after the limit was recorded"

# OK assigns G9, the main window's Apply downloads; the keyboard gives every step back.
td pane-click 1
expect_state 20000 "OK did not close the dialog" pane 0 present=0
expect_state 10000 "Apply is not enabled after OK" state 1006 enabled=1
td click 1006
expect_state 60000 "Apply did not finish" state 1006 enabled=0
wine_run tarvolinctl.exe read-macros | tr -d '\r' > "$work/macros"
python3 - "$work/macros" "" "$macro1_delays" "$work/pane-steps" << 'EOF' || fail "the keyboard's macros differ"
import re, sys
text = open(sys.argv[1]).read()
letters, macro1_delays = sys.argv[2], [int(d) for d in sys.argv[3].split()]
step = re.compile(r"^\s+(press|release)\s+(.*?)\s+(0x[0-9A-F]{3})\s+then (\d+) ms$")
names = {}
macros, name = {}, None
for line in text.split("\n")[1:]:
    head = re.match(r'^macro \d+ "(.*)"', line)
    if head:
        name = head.group(1)
        macros[name] = []
    elif line.strip():
        m = step.match(line)
        macros[name].append((m.group(1), int(m.group(3), 16), int(m.group(4))))
        names[int(m.group(3), 16)] = m.group(2)
def expect(name, steps):
    got = macros.get(name)
    if got != steps:
        print(f"{name}: expected {len(steps)} steps, got {None if got is None else len(got)}")
        for i, (a, b) in enumerate(zip(got or [], steps)):
            if a != b:
                print(f"  first difference at step {i}: {a} != {b}")
                break
        sys.exit(1)
# The keyboard keeps pauses in units of 10 ms.
d = [x - x % 10 for x in macro1_delays]
expect("Macro1", [("press", 0x1E, d[0]), ("release", 0x1E, d[1]), ("press", 0x15B, d[2]),
                  ("release", 0x15B, d[3])])
B, C, D, E, F, X = 0x30, 0x2E, 0x20, 0x12, 0x21, 0x2D
expect("Macro2", [("press", B, 40000), ("release", B, 50), ("press", C, 50), ("press", X, 50),
                  ("release", X, 12340), ("release", C, 50), ("press", D, 50), ("release", D, 50),
                  ("press", E, 50), ("release", E, 50), ("press", F, 50), ("release", F, 0)])
m3 = []
for line in open(sys.argv[4]).read().splitlines():
    key, way, delay = line.split("\t")
    m3.append(("press" if way == "down" else "release", key, int(delay) - int(delay) % 10))
macros3 = [(way, names.get(code, code), delay) for way, code, delay in macros["Macro3"]]
if macros3 != m3:
    print(f"Macro3: {len(macros3)} steps from the keyboard, {len(m3)} in the pane")
    for i, (a, b) in enumerate(zip(macros3, m3)):
        if a != b:
            print(f"  first difference at step {i}: {a} != {b}")
            break
    sys.exit(1)

print("keyboard macros: %s" % ", ".join(f"{n} {len(s)} steps" for n, s in macros.items()))
EOF
stop_program

# In Chinese: the pane with the keyboard's macros, then its two kinds of in-place editor.
chinese_copy
start_in "$work/zh"
open_macro_dialog 1143
expect_state 10000 "the keyboard's macros are not offered" dialog 1126 count=3
td dialog-select 1126 1
expect_state 10000 "Macro2 is not shown" pane 1019 rows=12
screenshot macros-pane-zh
select_row 3
click_cell 3 0
expect_state 10000 "the key choice did not open" pane 1019 editing=1
screenshot macros-key-choice-zh
xdotool key Escape
click_cell 5 0
expect_state 10000 "the key choice stayed open" pane 1019 editing=0
select_row 5
click_cell 5 2
expect_state 10000 "the delay editor did not open" pane 1019 editing=1
screenshot macros-delay-edit-zh
xdotool key Escape
expect_state 10000 "the delay editor stayed open" pane 1019 editing=0
td pane-click 2
expect_state 20000 "Cancel did not close the dialog" pane 0 present=0
stop_program
echo "program macros: ok"
