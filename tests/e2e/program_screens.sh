#!/usr/bin/env bash
# Screenshots of the program for a person to look at, kept under build/e2e-shots: the main
# window in English and Chinese at 96 and 144 DPI, the tray menu, the menu button's popup and
# the About window. Checked on the way: the popups and the About window appear (About only
# once however often it is asked for) and at 144 DPI the window is one and a half times as big.
source "$(dirname "$0")/program_lib.sh"
reset_user

window_shot() {  # window_shot NAME: the main window's rectangle; prints its width
  local rect
  xdotool mousemove 0 0  # no hover look, no tooltip
  rect=$(td get state 0 rect)
  IFS=, read -r l t r b <<< "$rect"
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$shots/$1.png"
  echo "screenshot: $shots/$1.png ($((r - l))x$((b - t)))" >&2
  echo $((r - l))
}
popup_shows() {  # popup_shows NAME: a popup menu of the program is up; shoot it, close it
  for _ in $(seq 100); do
    td windows | grep -q "visible=1 class=#32768" && break
    sleep 0.1
  done
  td windows | grep -q "visible=1 class=#32768" || fail "$1: no popup menu appeared"
  screenshot "$1"
  xdotool key Escape
  for _ in $(seq 100); do
    td windows | grep -q "visible=1 class=#32768" || return 0
    sleep 0.1
  done
  fail "$1: the popup menu did not close"
}
about_once() {  # about_once NAME: About twice gives one About window; shoot it, close it
  xdotool mousemove 0 0  # no tooltip among the windows counted
  td command 32773
  td command 32773
  for _ in $(seq 100); do
    [ "$(shown_windows)" -ge 2 ] && break
    sleep 0.1
  done
  wait_until_idle
  [ "$(shown_windows)" = 2 ] || { td windows; fail "$1: not exactly one About window"; }
  screenshot "$1"
  local main_hwnd about
  main_hwnd=$(td get main hwnd)
  about=$(td windows | grep -v tooltips_class32 |
    awk -v main="$main_hwnd" '/visible=1/ && $1 != main {print $1; exit}')
  td close "$about" > /dev/null
  for _ in $(seq 100); do
    [ "$(shown_windows)" = 1 ] && return 0
    sleep 0.1
  done
  echo "main=$main_hwnd closed=$about"; td windows
  fail "$1: About did not close"
}

set_dpi 96
start_in "$bin"
width96=$(window_shot main-en-96)
xdotool mousemove 700 500
td post 1725 140 0x205
popup_shows tray-menu-en
xdotool mousemove 700 500
td click 1139
popup_shows menu-button-en
about_once about-en
stop_program

chinese_copy
start_in "$work/zh"
zh96=$(window_shot main-zh-96)
xdotool mousemove 700 500
td post 1725 140 0x205
popup_shows tray-menu-zh
about_once about-zh
stop_program

set_dpi 144
start_in "$bin"
width144=$(window_shot main-en-144)
stop_program
start_in "$work/zh"
window_shot main-zh-144 > /dev/null
stop_program
set_dpi 96
[ "$zh96" = "$width96" ] || fail "the Chinese window is not as wide as the English one"
expected=$((width96 * 3 / 2))
[ "$width144" -ge $((expected - 2)) ] && [ "$width144" -le $((expected + 2)) ] ||
  fail "at 144 DPI the window is $width144 wide, not about $expected"
echo "program screens: ok"
