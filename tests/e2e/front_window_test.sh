#!/usr/bin/env bash
# A whole round through the front end in a real window under Xvfb, by real
# clicks and key presses: the menu, a new game, the pause, a save, quitting to
# the score table, back to the menu, and loading the saved game.
set -euo pipefail
bin="$1"
source "$(dirname "$0")/x_display.sh"

start_x_display

mkdir "$work/data"
SDL_AUDIODRIVER=dummy "$bin" --windowed --clock-start 0 --until 34000 --data-dir "$work/data" \
  --dump-state "$work/state.json" --screenshot "$work/shot.png" >"$work/game.log" 2>&1 &
game_pid=$!

wid=$(timeout 20 xdotool search --sync --name '^Korvane$' | head -n 1)
[ -n "$wid" ] || { echo "no game window"; cat "$work/game.log"; exit 1; }
xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
key() { xdotool key --window "$wid" "$@"; }

sleep 5                     # start-up, then the menu
click 580 248; sleep 5      # New Game; the planet's intro caption
key shift; sleep 0.6        # the intro ends
key Escape; sleep 0.8       # the pause dialog
click 400 348; sleep 1      # Save Game: the save dialog
xdotool type --window "$wid" --delay 80 e2e; sleep 0.4
key Return; sleep 1         # saved: "Save complete"
key Return; sleep 0.6
click 400 382; sleep 1      # Quit: the question
key Return; sleep 2         # Yes: the score table
click 400 300; sleep 2      # back to the menu
click 580 296; sleep 1.2    # Saved Game: the open dialog
xdotool type --window "$wid" --delay 80 e2e; sleep 0.4
key Return                  # the saved game starts

status=0
wait "$game_pid" || status=$?
game_pid=""
[ "$status" -eq 0 ] || { echo "game exited with $status"; cat "$work/game.log"; exit 1; }

python3 - "$work/state.json" "$work/data" <<'PY'
import json, os, sys
state, data = json.load(open(sys.argv[1])), sys.argv[2]
saved = os.path.join(data, "e2e.kvs")
got = [(m["kind"], m["title"], m["answer"]) for m in state["messages"]]
want = [("file", "Save Game...", saved), ("msgbox", "Save complete", "OK"), ("question", "Exit?", "Yes"),
        ("file", "Load a saved game...", saved)]
assert got == want, f"the round went otherwise: {got}"
assert state["messages"][1]["text"] == f"Game saved as {saved}.", state["messages"][1]
assert state["forms"] == ["Form1"], f"not back in the game: {state['forms']}"
assert state["shared"]["GameLoaded"] == 1 and state["shared"]["PlanetLevel"] == 1, state["shared"]
lines = open(saved, "rb").read().split(b"\r\n")
assert len(lines) == 5 and lines[4] == b"" and all(l.isalpha() and l.isupper() for l in lines[:4]), lines
print("e2e: saved, quit to the scores, and loaded", saved)
PY
