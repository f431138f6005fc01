#!/usr/bin/env bash
# The lighting panel on the real main window against the virtual keyboard: which controls each
# effect shows, the direction controls' positions and pictures, the sliders read and moved
# with the mouse, the report-rate buttons, a lighting change the keyboard reports itself
# (event 0x0401, timer 1051), and the key marks of effect 254 with paint, erase, fill, clear
# and the reset, each checked in the keyboard's memory and traffic log.
#
# Pictures are told apart by the file name each panel control publishes (tdriver panel ID:
# picture=...), frames by the colour the key buttons publish (frame=...).
source "$(dirname "$0")/program_lighting_lib.sh"
reset_user

# The stock skin puts the alternative direction positions on the normal ones; this copy moves
# the "2" positions 40 pixels up and the "3" positions 40 pixels down.
prog="$work/prog"
program_copy "$prog" '
s/^CONTROL_BLFXStatic2=686,442/CONTROL_BLFXStatic2=686,402/
s/^CONTROL_BLFXLStaPic2=774,438/CONTROL_BLFXLStaPic2=774,398/
s/^CONTROL_BLFXRStaPic2=828,438/CONTROL_BLFXRStaPic2=828,398/
s/^CONTROL_BLFXStatic3=686,442/CONTROL_BLFXStatic3=686,482/
s/^CONTROL_BLFXLStaPic3=774,438/CONTROL_BLFXLStaPic3=774,478/
s/^CONTROL_BLFXRStaPic3=828,438/CONTROL_BLFXRStaPic3=828,478/'
iconv -f UTF-16 -t UTF-8 "$prog/Skins/Main.ini" | grep -q "^CONTROL_BLFXRStaPic3=828,478" ||
  fail "the skin copy was not changed"

# Effect positions in the list: 1:0 2:1 3:2 5:3 6:4 12:5 15:6 254:7 99:8. Profile 1 is the
# keyboard's active profile, so the panel shows and writes its record (42 bytes from 42) and
# its key masks (180 bytes from 180).
vkb effects 1,2,3,5,6,12,15,254,99 > /dev/null || fail "could not set the effect list"
vkb active-profile 1 > /dev/null || fail "could not select profile 1"
record=42
start_in "$prog" 9

rel_pos() {  # rel_pos ID: the control's top-left corner in the window
  local wl wt l t
  IFS=, read -r wl wt _ _ <<< "$(td get state 0 rect)"
  IFS=, read -r l t _ _ <<< "$(td get state "$1" rect)"
  echo "$((l - wl)),$((t - wt))"
}
expect_direction_at() {  # expect_direction_at WHAT LABEL LEFT RIGHT (x,y each)
  local what=$1 label=$2 left=$3 right=$4
  for _ in $(seq 50); do
    [ "$(rel_pos 1148)" = "$label" ] && [ "$(rel_pos 1149)" = "$left" ] &&
      [ "$(rel_pos 1150)" = "$right" ] && return 0
    sleep 0.2
  done
  fail "$what: direction controls at $(rel_pos 1148) $(rel_pos 1149) $(rel_pos 1150), not $label $left $right"
}
select_effect() {  # select_effect POSITION EFFECT: pick it in the list; the record's effect byte
  local mark               # is written once (an unknown effect is not written)
  mark=$(log_mark)
  td select 1146 "$1" || fail "could not pick list position $1"
  expect_panel "the list does not show position $1" 1146 "selection=$1"
  if [ "$2" = 99 ]; then
    expect_writes "unknown effect" "$mark" 06 0
  else
    expect_writes "effect $2" "$mark" 06 1 "$(one_byte_write 06 $record "$2")"
    [ "$(memory_byte lighting 1 0)" = "$2" ] || fail "the keyboard's effect is not $2"
  fi
}

# --- Lighting mode off: only the lamp and the two labels beside it. The factory record holds
# effect 5, brightness 3, speed 1, direction 0xFF, report rate 0.
visible_only "lighting mode off" 1204 1171 1167
expect_panel "the lamp is not off" 1167 picture=dengup.bmp
expect_panel "the list does not show effect 5" 1146 selection=3
expect_panel "brightness 3 is not shown" 1178 position=3 picture=3.bmp
expect_panel "speed 1 is not at position 3" 1179 position=3 picture=8.bmp
expect_state 5000 "report rate 0 is not pressed" state 1147 checked=1
for id in 1168 1169 1170; do expect_state 5000 "report button $id is pressed" state $id checked=0; done

# --- Lighting mode on, effect 5: list and brightness only. A key click writes no mark.
td mouse-click 1167
expect_panel "the lamp is not on" 1167 picture=dengdown.bmp
visible_only "effect 5" 1204 1171 1167 1146 1172 1178
mark=$(log_mark)
td click 1174
td click 1030
expect_writes "a key click in effect 5" "$mark" 11 0
expect_writes "a key click in effect 5 (record)" "$mark" 06 0
expect_panel "a click in effect 5 framed Fn" 1174 frame=none

# --- Effect 1 shows the direction controls at the "2" positions; 6 hides them; 12 takes
# them to the "3" positions although it hides them; 15 and 3 have pictures of their own.
select_effect 0 1
visible_only "effect 1" 1204 1171 1167 1146 1172 1178 1166 1179 1148 1149 1150
expect_direction_at "effect 1" 686,402 774,398 828,398
expect_panel "effect 1, direction 0xFF" 1149 picture=leftdown.bmp
expect_panel "effect 1, direction 0xFF" 1150 picture=rightup.bmp
select_effect 4 6
visible_only "effect 6" 1204 1171 1167 1146 1172 1178 1166 1179
expect_direction_at "effect 6" 686,442 774,438 828,438
select_effect 5 12
expect_direction_at "effect 12" 686,482 774,478 828,478
select_effect 1 2
expect_direction_at "effect 2" 686,402 774,398 828,398
select_effect 6 15
expect_direction_at "effect 15" 686,442 774,438 828,438
expect_panel "effect 15, direction 0xFF" 1149 picture=updown.bmp
expect_panel "effect 15, direction 0xFF" 1150 picture=downup.bmp
# A click on the right picture writes direction 0x00.
mark=$(log_mark)
td mouse-click 1150
expect_panel "effect 15, direction 0x00: 1149" 1149 picture=upup.bmp
expect_panel "effect 15, direction 0x00: 1150" 1150 picture=downdown.bmp
expect_writes "direction 0x00" "$mark" 06 1 "$(one_byte_write 06 $((record + 4)) 0)"
select_effect 2 3
expect_panel "effect 3, direction 0x00" 1149 picture=kuosan.bmp
expect_panel "effect 3, direction 0x00" 1150 picture=julongdown.bmp
mark=$(log_mark)
td mouse-click 1149
expect_panel "effect 3, direction 0xFF" 1149 picture=kuosandown.bmp
expect_panel "effect 3, direction 0xFF" 1150 picture=julong.bmp
expect_writes "direction 0xFF" "$mark" 06 1 "$(one_byte_write 06 $((record + 4)) 255)"

# --- Sliders read from the keyboard: the keyboard changes its own record and reports it
# (event 0x0401); timer 1051 reads it and the panel follows.
wine_run tarvolinctl.exe lighting set 1 speed 4 > /dev/null || fail "could not set speed 4"
vkb lighting > /dev/null
expect_panel "speed 4 from the keyboard" 1179 position=0 picture=5.bmp
wine_run tarvolinctl.exe lighting set 1 speed 0 > /dev/null || fail "could not set speed 0"
wine_run tarvolinctl.exe lighting set 1 effect 6 > /dev/null || fail "could not set effect 6"
vkb lighting > /dev/null
expect_panel "speed 0 from the keyboard" 1179 position=4 picture=9.bmp
expect_panel "effect 6 from the keyboard" 1146 selection=4
visible_only "effect 6 read from the keyboard" 1204 1171 1167 1146 1172 1178 1166 1179
# Hidden in the tray, the panel still follows the keyboard.
td click 2
expect_state 10000 "Cancel did not hide the window" state 0 visible=0
wine_run tarvolinctl.exe lighting set 1 brightness 1 > /dev/null || fail "could not set brightness 1"
vkb lighting > /dev/null
expect_panel "brightness 1 read while hidden" 1178 position=1 picture=1.bmp
td post open
expect_state 10000 "the window did not show again" state 0 visible=1

# --- The brightness slider dragged with the mouse from position 1 over 2 and 3 to 4: one
# one-byte write per position change, none for moves within a position.
IFS=, read -r l t r b <<< "$(td get state 1178 rect)"
step=$(((r - l) / 5))
y=$(((t + b) / 2))
mark=$(log_mark)
xdotool mousemove $((l + step + step / 2)) $y mousedown 1
for p in 2 3 3 4; do
  xdotool mousemove $((l + p * step + step / 2 - 2)) $y
  sleep 0.3  # the pointer's path, not a wait for a state
done
xdotool mouseup 1
xdotool mousemove 0 0
expect_panel "the drag did not end at position 4" 1178 position=4 picture=4.bmp
expect_writes "brightness drag" "$mark" 06 3 "-> 04 .. .. 06 01 2B 00 00 "
for v in 2 3 4; do
  expect_writes "brightness $v" "$mark" 06 1 "$(one_byte_write 06 $((record + 1)) $v)"
done
[ "$(memory_byte lighting 1 1)" = 4 ] || fail "the keyboard's brightness is not 4"

# --- Report rate: each button writes field 15 and shows itself pressed.
buttons=(1147 1168 1169 1170)
for i in 3 1 2 0; do
  mark=$(log_mark)
  td click "${buttons[$i]}"
  expect_state 10000 "report button $i is not pressed" state "${buttons[$i]}" checked=1
  for j in 0 1 2 3; do
    [ "$j" = "$i" ] && continue
    expect_state 5000 "report button $j is pressed with $i" state "${buttons[$j]}" checked=0
  done
  expect_writes "report rate $i" "$mark" 06 1 "$(one_byte_write 06 $((record + 15)) "$i")"
done

# --- An effect the program does not know hides the whole panel and is not written.
select_effect 8 99
visible_only "unknown effect" 1204 1171 1167

# --- Effect 254: the per-key controls; user mode 2 of profile 1.
select_effect 7 254
visible_only "effect 254" 1204 1171 1167 1146 1172 1178 1163 1164 1165 1173 1156 1208 1207 1198
mark=$(log_mark)
td select 1198 2
expect_writes "user mode 2" "$mark" 06 1 "$(one_byte_write 06 $((record + 3)) 2)"
expect_panel "user mode 2 is not selected" 1198 selection=2
# The repaint shows mask 2's bits: default byte 5 of mask 2 is 0x18, so position 43 (bit 3)
# is lit and Fn (45, bit 5) dark.
expect_panel "Fn is not dark in mask 2" 1174 frame=000000
expect_panel "the tool is not paint" 1164 picture=user1down.bmp
expect_panel "the tool is not paint" 1165 picture=user2up.bmp

# Paint Fn: bit 5 of byte 2 x 18 + 5 = 41 of mask 2, one byte at 180 + 41 = 221.
mark=$(log_mark)
td click 1174
expect_panel "painted Fn is not green" 1174 frame=00FF00
expect_writes "paint Fn" "$mark" 11 1 "$(one_byte_write 11 221 $((0x18 | 0x20)))"
[ "$(memory_byte key_colours 1 41)" = $((0x38)) ] || fail "the keyboard's mask byte is not 0x38"

# Erase writes field 16 = 1; erasing Fn twice writes the same byte twice.
mark=$(log_mark)
td mouse-click 1165
expect_panel "erase is not pressed" 1165 picture=user2down.bmp
expect_panel "paint is not released" 1164 picture=user1up.bmp
expect_writes "erase tool" "$mark" 06 1 "$(one_byte_write 06 $((record + 16)) 1)"
mark=$(log_mark)
td click 1174
expect_panel "erased Fn is not black" 1174 frame=000000
td click 1174
expect_writes "erase Fn twice" "$mark" 11 2 "$(one_byte_write 11 221 $((0x18)))"
[ "$(memory_byte key_colours 1 41)" = $((0x18)) ] || fail "the keyboard's mask byte is not 0x18"

# Fill: 18 bytes 0xFF at 180 + 36, every key green, fill pressed; a key click releases it.
mark=$(log_mark)
td mouse-click 1207
expect_panel "fill is not pressed" 1207 picture=sjsdown.bmp
expect_panel "clear is not released" 1156 picture=sjsup.bmp
for id in 1000 1004 1143 1174 1030 1209; do
  expect_panel "fill: $id is not green" "$id" frame=00FF00
done
expect_writes "fill" "$mark" 11 1 "-> 04 .. .. 11 12 D8 00 00( FF){18} 00"
[ "$(dump_field key_colours 1 | cut -c73-108)" = "$(printf 'FF%.0s' $(seq 18))" ] ||
  fail "fill: the keyboard's mask 2 is not all 0xFF"
# Clear: all black, clear pressed.
mark=$(log_mark)
td mouse-click 1156
expect_panel "clear is not pressed" 1156 picture=sjsdown.bmp
expect_panel "fill is not released" 1207 picture=sjsup.bmp
for id in 1000 1143 1174 1030; do
  expect_panel "clear: $id is not black" "$id" frame=000000
done
expect_writes "clear" "$mark" 11 1 "-> 04 .. .. 11 12 D8 00 00( 00){18} "
[ "$(dump_field key_colours 1 | cut -c73-108)" = "$(printf '00%.0s' $(seq 18))" ] ||
  fail "clear: the keyboard's mask 2 is not all zero"
td click 1000
expect_panel "a key click did not release clear" 1156 picture=sjsup.bmp

# --- The reset (restore defaults, in lighting mode): default masks in four 45-byte writes,
# the default record, effect 5 on the panel.
mark=$(log_mark)
td click 1138
expect_state 10000 "restore defaults asked nothing" msgbox present=1
td answer yes
expect_panel "the reset did not select effect 5" 1146 selection=3
expect_writes "reset masks" "$mark" 11 4 "-> 04 .. .. 11 2D "
for offset in 180 225 270 315; do
  expect_writes "reset masks at $offset" "$mark" 11 1 \
    "$(printf -- '-> 04 .. .. 11 2D %02X %02X 00 ' $((offset & 255)) $((offset >> 8)))"
done
[ "$(dump_field key_colours 1)" = "$(dump_field key_colours 0)" ] ||
  fail "the reset did not write the default masks (profile 0 keeps the factory ones)"
[ "$(dump_field lighting 1 | cut -c1-70)" = "$(dump_field lighting 0 | cut -c1-70)" ] ||
  fail "the reset did not write the default record"
visible_only "after the reset" 1204 1171 1167 1146 1172 1178
expect_panel "the reset left a frame on Fn" 1174 frame=none

# --- Lighting mode off again: the panel hides, marks stay off.
td mouse-click 1167
expect_panel "the lamp is not off" 1167 picture=dengup.bmp
visible_only "lighting mode off again" 1204 1171 1167
stop_program
echo "program lighting: ok"
