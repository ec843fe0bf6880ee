#!/usr/bin/env bash
# The real game in a real window under Xvfb: real key presses through the X
# server, then the state and the last frame are checked.
set -euo pipefail
bin="$1"
source "$(dirname "$0")/x_display.sh"

start_x_display

SDL_AUDIODRIVER=dummy "$bin" --windowed --warp 1 --clock-start 0 --until 8000 \
  --dump-state "$work/state.json" --screenshot "$work/shot.png" >"$work/game.log" 2>&1 &
game_pid=$!

wid=$(timeout 20 xdotool search --sync --name '^Korvane$' | head -n 1)
[ -n "$wid" ] || { echo "no game window"; cat "$work/game.log"; exit 1; }
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
sleep 4
# Three presses of the left arrow: the first also ends the planet's intro.
for _ in 1 2 3; do xdotool key --window "$wid" Left; sleep 0.15; done

status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { echo "game exited with $status"; cat "$work/game.log"; exit 1; }

python3 - "$work/state.json" "$work/shot.png" <<'PY'
import json, sys, zlib, struct
state = json.load(open(sys.argv[1]))
player = state["form"]["Form1"]["controls"]["Player"]
assert player["left"] == 275 - 3 * 13, f"the ship did not move: {player}"
assert state["form"]["Form1"]["controls"]["textFX"]["visible"] is False, "the intro is still up"

# Decode the PNG (8-bit RGB or RGBA, no interlace) and look at the frame.
data = open(sys.argv[2], "rb").read()
assert data[:8] == b"\x89PNG\r\n\x1a\n"
pos, idat, w, h, bpp = 8, b"", 0, 0, 0
while pos < len(data):
    n, kind = struct.unpack(">I4s", data[pos:pos + 8]); body = data[pos + 8:pos + 8 + n]; pos += 12 + n
    if kind == b"IHDR":
        w, h, depth, ctype = struct.unpack(">IIBB", body[:10]); bpp = {2: 3, 6: 4}[ctype]
    elif kind == b"IDAT":
        idat += body
raw = zlib.decompress(idat); stride = w * bpp; rows = []; prev = bytearray(stride)
for y in range(h):
    f = raw[y * (stride + 1)]; line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = line[i - bpp] if i >= bpp else 0; b = prev[i]; c = prev[i - bpp] if i >= bpp else 0
        p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
        pred = [0, a, b, (a + b) // 2, a if pa <= pb and pa <= pc else (b if pb <= pc else c)][f]
        line[i] = (line[i] + pred) & 255
    rows.append(line); prev = line
assert (w, h) == (800, 600), (w, h)
def px(x, y): return tuple(rows[y][x * bpp:x * bpp + 3])
# The ship is drawn where the state says it is, and the side panel is there.
ship = [px(x, y) for x in range(236, 236 + 76) for y in range(476, 476 + 66)]
assert sum(1 for p in ship if sum(p) > 150) > 500, "no ship in the frame"
panel = [px(x, y) for x in range(650, 800, 5) for y in range(0, 600, 5)]
assert sum(1 for p in panel if sum(p) > 60) > 200, "no side panel in the frame"
print("e2e: ship moved to", player["left"], "and the frame shows it")
PY
