#!/usr/bin/env bash
# A Win32 window under Wine and Xvfb: it shows, and a screenshot of it is not blank.
source "$(dirname "$0")/lib.sh"
trap cleanup_work EXIT
[ -n "${DISPLAY:-}" ] || fail "no DISPLAY (run through scripts/with-display)"
wine_run smoke_window.exe 6000 &
app=$!
for _ in $(seq 150); do
  window=$(xdotool search --name "Tarvolin smoke" 2>/dev/null | head -1 || true)
  [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || fail "the window never appeared"
sleep 1
shot="${TARVOLIN_SCREENSHOT:-$work/smoke.png}"
import -window "$window" "$shot"
# Not blank: many distinct colours (the gradient) and the cyan text somewhere.
colours=$(convert "$shot" -format "%k" info:)
[ "$colours" -gt 20 ] || fail "screenshot has only $colours colours"
convert "$shot" txt:- | grep -q -i -E "#00DCFF|#0[0-9A-F]D[0-9A-F]F[0-9A-F]" || fail "the text is not drawn"
wait $app || true
echo "smoke window: ok ($colours colours)"
