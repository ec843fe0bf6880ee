#!/usr/bin/env python3
"""A player's first minutes, in a real window under Xvfb with real key presses
and clicks, and with sound going to a file through SDL's disk audio driver:
start-up, the menu, a new game with moves and shots, pause and resume, a save,
quitting to the score table, back to the menu and loading the saved game. At
each step the test waits (with generous limits) for the game to get there,
then looks at the state and the frame it shows; after the shots the sound file
must hold sound where it was silent before.

The game writes its frame and its state every quarter second (a script of
screenshot and dump lines); both are written whole under a temporary name and
renamed, so a read never sees half a file."""
import json
import os
import shutil
import subprocess
import sys
import time

from xgame import XGame, read_png

BIN = sys.argv[1]
X = XGame("walk-through")
SHOT, STATE, AUDIO = X.path("shot.png"), X.path("state.json"), X.path("audio.raw")


def state():
    with open(STATE) as f:
        return json.load(f)


def seen(what, cond, limit=30):
    """The first state written that meets cond."""
    return X.poll(what, lambda: (lambda s: s if cond(s) else None)(state()), limit)


def on(*forms):
    return lambda s: s["forms"] == list(forms) and s["box"] is None


def box(title):
    return lambda s: (s["box"] or {}).get("title") == title


def planet(s):
    return s["form"]["Form1"]


def frame_after(after_ms):
    """The frame once a state later than after_ms has been written (the frame
    is written just before each state), as pixel(x, y) giving (r, g, b)."""
    seen(f"a state after {after_ms} ms", lambda s: s["time_ms"] > after_ms)
    # KORVANE_WALK_FRAMES=DIR keeps each frame looked at, to see them.
    if os.environ.get("KORVANE_WALK_FRAMES"):
        shutil.copy(SHOT, os.path.join(os.environ["KORVANE_WALK_FRAMES"], f"at{after_ms}.png"))
    w, h, px = read_png(SHOT)
    assert (w, h) == (800, 600), f"a frame of {w} x {h}"
    return px


def lit(px, x0, y0, x1, y1, step=4, bright=60):
    """How many sampled pixels of the area are lit."""
    return sum(1 for x in range(x0, x1, step) for y in range(y0, y1, step) if sum(px(x, y)) > bright)


def sampled(x0, y0, x1, y1, step=4):
    return len(range(x0, x1, step)) * len(range(y0, y1, step))


def sound_since(offset):
    """Where the sound file ends, once there is sound in it after offset."""
    size = os.path.getsize(AUDIO) if os.path.exists(AUDIO) else 0
    with open(AUDIO, "rb") as f:
        f.seek(offset)
        return size if any(f.read()) else None


def silent_tail(nbytes=16384):
    """Where the sound file ends, once its last bytes are silent."""
    size = os.path.getsize(AUDIO) if os.path.exists(AUDIO) else 0
    return size if size >= nbytes and not sound_since(size - nbytes) else None


def main():
    # The frame and the state every quarter second, for five minutes at most.
    until = 300000
    with open(X.path("script.txt"), "w") as s:
        s.writelines(f"{t} screenshot {SHOT}\n{t} dump {STATE}\n" for t in range(0, until, 250))
    os.mkdir(X.path("data"))
    X.game(BIN, ["--clock-start", "0", "--until", str(until), "--data-dir", X.path("data"), "--script",
                 X.path("script.txt")], AUDIO)
    wid = X.poll("game window", lambda: X.xdo("search", "--name", "^Korvane$", check=False).split(), 30)[0]
    X.xdo("windowfocus", wid, check=False)

    def key(*names):
        X.xdo("key", "--window", wid, *names)

    def hold(name, seconds):
        X.xdo("keydown", "--window", wid, name)
        time.sleep(seconds)
        X.xdo("keyup", "--window", wid, name)

    def click(x, y):
        X.xdo("mousemove", "--window", wid, str(x), str(y), "click", "1")

    def typed(text):
        X.xdo("type", "--window", wid, "--delay", "80", text)
        time.sleep(0.4)
        key("Return")

    # Start-up, then the menu with its music.
    seen("start-up or menu", lambda s: s["forms"][:1] in (["StartUp"], ["MainMenu"]))
    s = seen("main menu", on("MainMenu"), 60)
    px = frame_after(s["time_ms"])
    assert lit(px, 472, 232, 689, 505) > sampled(472, 232, 689, 505) // 20, "the menu's buttons are not drawn"
    assert any(m["op"] == "play" for m in s["music"]), f"no title music: {s['music']}"
    print("walk-through: the menu is up, the title music plays")

    # A new game: the planet's caption, which a key ends.
    click(580, 248)
    seen("planet screen", on("Form1"))
    seen("the planet's caption", lambda s: planet(s)["controls"]["textFX"]["visible"])
    key("shift")
    s = seen("the caption to end", lambda s: not planet(s)["controls"]["textFX"]["visible"])

    # Moves: three steps left, one right, each 13 pixels.
    want = planet(s)["controls"]["Player"]["left"] - 2 * 13
    for k in ("Left", "Left", "Left", "Right"):
        key(k)
        time.sleep(0.1)
    s = seen(f"the ship at {want}", lambda s: planet(s)["controls"]["Player"]["left"] == want)
    px = frame_after(s["time_ms"])
    top = planet(s)["controls"]["Player"]["top"]
    assert lit(px, want, top, want + 76, top + 66, 2) > 100, "the ship is not drawn where it stands"
    assert lit(px, 650, 0, 800, 600, 5) > 200, "no side panel in the frame"
    print("walk-through: the ship moved to", want, "and the frame shows it")

    # Shots: the sound file is silent first (the planet's start sound has
    # played out), then holds the phaser. Ctrl held down fires again and again:
    # the game makes its own key repeat, Ctrl included. A shot leaves about
    # every half second while one is still in flight; a single press would
    # have fired once.
    quiet_at = X.poll("silence in the sound file", silent_tail, 60)
    quiet_ms = state()["time_ms"]
    hold("ctrl", 2.0)

    def shots(s):
        return sum(1 for x in s["sounds"] if x["file"] == "Samples/Phaser.wav" and x["time_ms"] >= quiet_ms)
    seen("the phaser in the sound log", shots)
    time.sleep(0.5)
    assert shots(state()) >= 3, f"a held Ctrl fired {shots(state())} shots in two seconds"
    X.poll("sound after the shots", lambda: (sound_since(quiet_at) or 0) > quiet_at + 65536, 30)
    print(f"walk-through: a held Ctrl fired {shots(state())} shots, and the sound file holds them")

    # Pause: the dialog over a still playfield. A held Esc opens it and leaves
    # it up; a fresh press resumes.
    paused, in_play = on("Form1", "InGameOptions"), lambda s: on("Form1")(s) and planet(s)["timers"]["droprods"]["enabled"]
    hold("Escape", 1.5)
    time.sleep(0.5)
    s = seen("the dialog still up", paused, 5)
    assert not planet(s)["timers"]["droprods"]["enabled"], "the rods still fall in the pause"
    px = frame_after(s["time_ms"])
    # The PAUSE title, red to yellow, in the dialog centred on the frame.
    title = [px(x, y) for x in range(300, 500, 2) for y in range(215, 255, 2)]
    assert sum(1 for r, g, b in title if r > 150 and b < 100) > 50, "no PAUSE title in the dialog"
    key("Escape")
    seen("play to go on", in_play)
    print("walk-through: a held Esc paused and stayed paused; a fresh Esc resumed")

    # Another window takes the focus: the planet pauses.
    other = subprocess.Popen(["xmessage", "-geometry", "+900+700", "elsewhere"], env=X.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    X.procs.append(other)
    owid = X.poll("the other window", lambda: X.xdo("search", "--name", "^xmessage$", check=False).split(), 30)[0]
    X.xdo("windowfocus", owid, check=False)
    seen("a pause on leaving the window", paused)
    other.terminate()
    X.xdo("windowfocus", wid, check=False)
    key("Escape")
    seen("play to go on", in_play)
    print("walk-through: the planet paused when the window lost the focus")

    # A save from the pause, then Quit, Yes, and the score table.
    key("Escape")
    seen("pause dialog", paused)
    click(400, 348)
    seen("the save dialog", box("Save Game..."))
    typed("e2e")
    seen("the word that it is saved", box("Save complete"))
    key("Return")
    seen("pause dialog", paused)
    click(400, 382)
    seen("the question", box("Exit?"))
    key("Return")
    s = seen("score table", on("HighScores"))
    px = frame_after(s["time_ms"])
    assert lit(px, 150, 12, 650, 92) > sampled(150, 12, 650, 92) // 10, "no heading on the score table"
    rows = sum(1 for i in range(12) if lit(px, 152, 104 + 40 * i, 401, 137 + 40 * i, 2) > 20)
    assert rows == 12, f"{rows} score rows drawn, not 12"
    print("walk-through: saved, quit to the score table, twelve rows shown")

    # Back to the menu, Saved Game, and the saved game goes on.
    click(400, 300)
    seen("main menu", on("MainMenu"))
    click(580, 296)
    seen("the open dialog", box("Load a saved game..."))
    typed("e2e")
    s = seen("the loaded game", lambda s: on("Form1")(s) and s["shared"]["GameLoaded"] == 1)
    assert s["shared"]["PlanetLevel"] == 1, s["shared"]
    saved = X.path("data/e2e.kvs")
    asked = [(m["kind"], m["title"], m["answer"]) for m in s["messages"]]
    assert asked == [("file", "Save Game...", saved), ("msgbox", "Save complete", "OK"), ("question", "Exit?", "Yes"),
                     ("file", "Load a saved game...", saved)], asked
    assert s["messages"][1]["text"] == f"Game saved as {saved}.", s["messages"][1]
    lines = open(saved, "rb").read().split(b"\r\n")
    assert len(lines) == 5 and lines[4] == b"" and all(x.isalpha() and x.isupper() for x in lines[:4]), lines
    print("walk-through: the saved game loaded from the menu")


with X:
    main()
