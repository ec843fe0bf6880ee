#!/usr/bin/env bash
# Demos round trip: a scripted game recorded headless, replayed by --timedemo
# (with frames and without) and, in a real window under Xvfb, a game played
# with real key presses (and a held key, whose repeats the game makes) and
# recorded, replayed by --timedemo: each replay ends
# in the very state dump of the run it replays, byte for byte.
set -euo pipefail
bin="$1"
script="$2"
source "$(dirname "$0")/x_display.sh"
fail() { echo "FAIL: $*"; exit 1; }

"$bin" --headless --warp 9 --script "$script" --record "$work/demo.txt" --dump-state "$work/recorded.json" \
  --data-dir "$work"
head -n 1 "$work/demo.txt" | grep -qx "# demo: clock-start 0 warp 9" || fail "no settings line: $(head -n 1 "$work/demo.txt")"
"$bin" --timedemo "$work/demo.txt" --dump-state "$work/replayed.json" --data-dir "$work" >"$work/report.txt"
cmp "$work/recorded.json" "$work/replayed.json" || fail "the timedemo ended elsewhere: $(diff "$work/recorded.json" "$work/replayed.json" | head)"
grep -q "times real time" "$work/report.txt" || fail "no timedemo report: $(cat "$work/report.txt")"
grep -q " frames, " "$work/report.txt" || fail "no frames counted: $(cat "$work/report.txt")"
"$bin" --timedemo "$work/demo.txt" --no-frames --dump-state "$work/bare.json" --data-dir "$work" >"$work/bare.txt"
cmp "$work/recorded.json" "$work/bare.json" || fail "the timedemo without frames ended elsewhere"
grep -q "no frames composed" "$work/bare.txt" || fail "frames were composed: $(cat "$work/bare.txt")"
echo "demo: $(cat "$work/report.txt")"

# A real window, real keys, played in real time.
start_x_display
SDL_AUDIODRIVER=dummy "$bin" --windowed --warp 1 --clock-start 0 --until 7000 --record "$work/played.txt" \
  --dump-state "$work/window.json" --data-dir "$work" >"$work/game.log" 2>&1 &
game_pid=$!
wid=$(timeout 20 xdotool search --sync --name '^Korvane$' | head -n 1)
[ -n "$wid" ] || { cat "$work/game.log"; fail "no game window"; }
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 3.5
for k in Left Left Right Control_L Right Left; do xdotool key --window "$wid" "$k"; sleep 0.13; done
xdotool keydown --window "$wid" Right; sleep 1; xdotool keyup --window "$wid" Right
status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { cat "$work/game.log"; fail "the window's game exited with $status"; }
grep -q " key 37$" "$work/played.txt" || fail "the keys were not recorded: $(cat "$work/played.txt")"
[ "$(grep -c " key 39$" "$work/played.txt")" -ge 10 ] || fail "the held key's repeats were not recorded: $(cat "$work/played.txt")"
"$bin" --timedemo "$work/played.txt" --dump-state "$work/window-replayed.json" --data-dir "$work" >/dev/null
cmp "$work/window.json" "$work/window-replayed.json" ||
  fail "the window's game replayed elsewhere: $(diff "$work/window.json" "$work/window-replayed.json" | head -20)"
echo "demo: a window's game of $(grep -c ' key ' "$work/played.txt") keys replayed to the same state"
