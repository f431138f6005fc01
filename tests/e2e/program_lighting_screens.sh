#!/usr/bin/env bash
# The lighting panel's labels by language value (0 Chinese, 1 English, 2 the template's) and
# screenshots of the panel for a person to look at, kept under build/e2e-shots: lighting mode
# with effects 1, 15, 5 and 254 (marks shown), in English and Chinese, at 96 and 144 DPI.
# Checked on the way: at 144 DPI the panel's labels and sliders are one and a half times as
# wide (their text is drawn in a font of the window's DPI).
source "$(dirname "$0")/program_lighting_lib.sh"
reset_user

window_shot() {  # window_shot NAME: the main window's rectangle
  local rect
  xdotool mousemove 0 0
  rect=$(td get state 0 rect)
  IFS=, read -r l t r b <<< "$rect"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png ($((r - l))x$((b - t)))"
}
width_of() {  # width_of ID
  local l r
  IFS=, read -r l _ r _ <<< "$(td get state "$1" rect)"
  echo $((r - l))
}
labels=(1204 1171 1172 1166 1148 1163 1173 1208)
expect_labels() {  # expect_labels WHAT TEXT...: the eight labels in table order
  local what=$1 i=0
  shift
  for text in "$@"; do
    expect_state 10000 "$what: label ${labels[$i]} is not '$text'" state "${labels[$i]}" "caption=$text"
    i=$((i + 1))
  done
}

# --- Labels by language value, each from its own copy of the program.
declare -A copies=([0]="$work/lang0" [1]="$work/lang1" [2]="$work/lang2")
for lang in 0 1 2; do
  program_copy "${copies[$lang]}" ''
  set_language "${copies[$lang]}" "$lang"
done
start_in "${copies[0]}" 29
expect_labels "language 0" 回报率 灯光模式 亮度 速度 方向 工具 全部熄灭 全部点亮
expect_panel "language 0: the effect names are not Chinese" 1146 "items~=波浪|彩虹波浪"
stop_program
start_in "${copies[1]}" 29
expect_labels "language 1" Polling Lighting Brightness Speed Direction Tool "All off" "All on"
expect_panel "language 1: the effect names are not English" 1146 "items~=Wave|Rainbow Wave"
stop_program
start_in "${copies[2]}" 29
expect_labels "language 2" "Report rate" Lighting Brightness Speed Direction Tool "All keys off" \
  "All keys on"
stop_program

# --- Screenshots: lighting mode on, then effects 1, 15, 5 and 254 by their list positions
# (the factory list holds 1..28 and 254).
shots_in() {  # shots_in FOLDER NAME
  local folder=$1 name=$2
  start_in "$folder" 29
  if [ "$(td get panel 1167 picture)" != dengdown.bmp ]; then
    td mouse-click 1167
    expect_panel "$name: the lamp is not on" 1167 picture=dengdown.bmp
  fi
  td select 1146 0
  expect_state 10000 "$name: effect 1 shows no direction" state 1149 visible=1
  window_shot "lighting-$name-effect1"
  td select 1146 14
  expect_panel "$name: effect 15's picture" 1150 picture~=down
  window_shot "lighting-$name-effect15"
  td select 1146 4
  expect_state 10000 "$name: effect 5 shows the speed" state 1179 visible=0
  window_shot "lighting-$name-effect5"
  td select 1146 28
  expect_state 10000 "$name: effect 254 shows no tools" state 1164 visible=1
  td select 1198 0
  expect_panel "$name: user mode 1 is not selected" 1198 selection=0
  td click 1030  # one more mark painted beside mask 0's own
  expect_panel "$name: the painted key is not green" 1030 frame=00FF00
  window_shot "lighting-$name-effect254"
}

for dpi in 96 144; do
  set_dpi $dpi
  shots_in "${copies[1]}" en-$dpi
  declare "label$dpi=$(width_of 1172)" "slider$dpi=$(width_of 1178)"
  stop_program
  shots_in "${copies[0]}" zh-$dpi
  stop_program
done
set_dpi 96
[ "$label144" -ge $((label96 * 3 / 2 - 2)) ] && [ "$label144" -le $((label96 * 3 / 2 + 2)) ] ||
  fail "at 144 DPI the brightness label is $label144 wide, not about 1.5 x $label96"
[ "$slider144" -ge $((slider96 * 3 / 2 - 2)) ] && [ "$slider144" -le $((slider96 * 3 / 2 + 2)) ] ||
  fail "at 144 DPI the brightness slider is $slider144 wide, not about 1.5 x $slider96"
echo "program lighting screens: ok"
