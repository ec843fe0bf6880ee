#!/usr/bin/env python3
"""A player's first minutes, in a real window under Xvfb with real key presses
and clicks, and with sound going to a file through SDL's disk audio driver:
start-up, the menu, a new game with moves and shots, pause and resume, and
quitting to the score table. At each step the test waits (with generous
limits) for the game to get there, then looks at the frame it shows; after
the shots the sound file must hold sound where it was silent before.

The game writes its frame and its state every quarter second (a script of
screenshot and dump lines); both are written whole under a temporary name and
renamed, so a read never sees half a file."""
import json
import os
import shutil
import struct
import subprocess
import sys
import time
import zlib

from xgame import XGame

BIN = sys.argv[1]
X = XGame("walk-through")
SHOT = X.path("shot.png")
STATE = X.path("state.json")
AUDIO = X.path("audio.raw")
poll = X.poll


def state():
    with open(STATE) as f:
        return json.load(f)


def later_state(after_ms):
    """A state written after the given game time."""
    s = state()
    return s if s["time_ms"] > after_ms else None


# ---- frames ----

def frame():
    """The last frame as rows of RGB bytes (8-bit RGB or RGBA PNG)."""
    data = open(SHOT, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    pos, idat, w, h, bpp = 8, b"", 0, 0, 0
    while pos < len(data):
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + n]
        pos += 12 + n
        if kind == b"IHDR":
            w, h, _, ctype = struct.unpack(">IIBB", body[:10])
            bpp = {2: 3, 6: 4}[ctype]
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride, rows, prev = w * bpp, [], bytearray(w * bpp)
    for y in range(h):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            pred = (0, a, b, (a + b) // 2, a if pa <= pb and pa <= pc else (b if pb <= pc else c))[f]
            line[i] = (line[i] + pred) & 255
        rows.append(line)
        prev = line
    if (w, h) != (800, 600):
        raise ValueError(f"frame of {w} x {h}")
    return lambda x, y: tuple(rows[y][x * bpp:x * bpp + 3])


def lit(px, x0, y0, x1, y1, step=4, bright=60):
    """How many sampled pixels of the area are lit."""
    return sum(1 for x in range(x0, x1, step) for y in range(y0, y1, step) if sum(px(x, y)) > bright)


def sampled(x0, y0, x1, y1, step=4):
    return len(range(x0, x1, step)) * len(range(y0, y1, step))


def frame_after(after_ms):
    """The frame once a state later than after_ms has been written (the frame
    is written just before each state)."""
    poll(f"a state after {after_ms} ms", lambda: later_state(after_ms), 30)
    px = frame()
    # KORVANE_WALK_FRAMES=DIR keeps each frame looked at, to see them.
    if os.environ.get("KORVANE_WALK_FRAMES"):
        frame_after.count = getattr(frame_after, "count", 0) + 1
        shutil.copy(SHOT, os.path.join(os.environ["KORVANE_WALK_FRAMES"], f"step{frame_after.count}.png"))
    return px


# ---- sound ----

def audio_size():
    return os.path.getsize(AUDIO) if os.path.exists(AUDIO) else 0


def silent_tail(nbytes=16384):
    size = audio_size()
    if size < nbytes:
        return None
    with open(AUDIO, "rb") as f:
        f.seek(size - nbytes)
        return size if not any(f.read(nbytes)) else None


def sound_since(offset):
    with open(AUDIO, "rb") as f:
        f.seek(offset)
        return any(f.read())


# ---- the run ----

def main():
    # The frame and the state every quarter second, for five minutes at most.
    until = 300000
    with open(X.path("script.txt"), "w") as s:
        for t in range(0, until, 250):
            s.write(f"{t} screenshot {SHOT}\n{t} dump {STATE}\n")
    os.mkdir(X.path("data"))
    X.game(BIN, ["--clock-start", "0", "--until", str(until), "--data-dir", X.path("data"), "--script",
                 X.path("script.txt")], AUDIO)

    wid = poll("game window", lambda: X.xdo("search", "--name", "^Korvane$", check=False).split(), 30)[0]
    X.xdo("windowfocus", wid, check=False)

    def key(*names):
        X.xdo("key", "--window", wid, *names)

    def click(x, y):
        X.xdo("mousemove", "--window", wid, str(x), str(y), "click", "1")

    def forms(want):
        s = state()
        return s if s["forms"] == want and s["box"] is None else None

    # Start-up, then the menu with its music.
    s = poll("start-up or menu", lambda: state()["forms"][:1] in (["StartUp"], ["MainMenu"]), 30)
    s = poll("main menu", lambda: forms(["MainMenu"]), 60)
    px = frame_after(s["time_ms"])
    assert lit(px, 472, 232, 689, 505) > sampled(472, 232, 689, 505) // 20, "the menu's buttons are not drawn"
    assert any(m["op"] == "play" for m in s["music"]), f"no title music: {s['music']}"
    print("walk-through: the menu is up, the title music plays")

    # A new game: the planet's caption, which a key ends.
    click(580, 248)
    s = poll("planet screen", lambda: forms(["Form1"]), 30)
    s = poll("the planet's caption", lambda: state()["form"]["Form1"]["controls"]["textFX"]["visible"], 30)
    key("shift")
    s = poll("the caption to end", lambda: (lambda t: t if not t["form"]["Form1"]["controls"]["textFX"]["visible"]
                                            else None)(state()), 30)
    start_left = s["form"]["Form1"]["controls"]["Player"]["left"]

    # Moves: three steps left, one right, each 13 pixels.
    for _ in range(3):
        key("Left")
        time.sleep(0.1)
    key("Right")
    want = start_left - 2 * 13
    s = poll(f"the ship at {want}", lambda: (lambda t: t if t["form"]["Form1"]["controls"]["Player"]["left"] == want
                                             else None)(state()), 30)
    px = frame_after(s["time_ms"])
    top = s["form"]["Form1"]["controls"]["Player"]["top"]
    assert lit(px, want, top, want + 76, top + 66, 2) > 100, "the ship is not drawn where it stands"
    print("walk-through: the ship moved to", want, "and the frame shows it")

    # Shots: the sound file is silent first (the planet's start sound has
    # played out), then holds the phaser. Ctrl held down fires again and again:
    # the game makes its own key repeat, Ctrl included.
    quiet_at = poll("silence in the sound file", silent_tail, 60)
    quiet_ms = state()["time_ms"]
    X.xdo("keydown", "--window", wid, "ctrl")
    time.sleep(2.0)
    X.xdo("keyup", "--window", wid, "ctrl")
    s = poll("the phaser in the sound log", lambda: (lambda t: t if any(
        x["file"] == "Samples/Phaser.wav" and x["time_ms"] >= quiet_ms for x in t["sounds"]) else None)(state()), 30)
    time.sleep(0.5)
    shots = sum(1 for x in state()["sounds"] if x["file"] == "Samples/Phaser.wav" and x["time_ms"] >= quiet_ms)
    # A shot leaves about every half second while one is still in flight; a
    # single press would have fired once.
    assert shots >= 3, f"a held Ctrl fired {shots} shots in two seconds"
    poll("sound after the shots", lambda: audio_size() > quiet_at + 65536 and sound_since(quiet_at), 30)
    print(f"walk-through: a held Ctrl fired {shots} shots, and the sound file holds them")

    # Pause: the dialog over a still playfield. A held Esc opens it and leaves
    # it up; a fresh press resumes.
    X.xdo("keydown", "--window", wid, "Escape")
    s = poll("pause dialog", lambda: forms(["Form1", "InGameOptions"]), 30)
    time.sleep(1.5)
    X.xdo("keyup", "--window", wid, "Escape")
    time.sleep(0.5)
    s = poll("the dialog still up", lambda: forms(["Form1", "InGameOptions"]), 5)
    assert not s["form"]["Form1"]["timers"]["droprods"]["enabled"], "the rods still fall in the pause"
    px = frame_after(s["time_ms"])
    # The PAUSE title, red to yellow, in the dialog centred on the frame.
    title = [px(x, y) for x in range(300, 500, 2) for y in range(215, 255, 2)]
    assert sum(1 for r, g, b in title if r > 150 and b < 100) > 50, "no PAUSE title in the dialog"
    key("Escape")
    in_play = lambda: (lambda t: t if t["forms"] == ["Form1"] and
                       t["form"]["Form1"]["timers"]["droprods"]["enabled"] else None)(state())
    poll("play to go on", in_play, 30)
    print("walk-through: a held Esc paused and stayed paused; a fresh Esc resumed")

    # Another window takes the focus: the planet pauses.
    other = subprocess.Popen(["xmessage", "-geometry", "+900+700", "elsewhere"], env=X.env,
                             stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    X.procs.append(other)
    owid = poll("the other window", lambda: X.xdo("search", "--name", "^xmessage$", check=False).split(), 30)[0]
    X.xdo("windowfocus", owid, check=False)
    poll("a pause on leaving the window", lambda: forms(["Form1", "InGameOptions"]), 30)
    other.terminate()
    X.xdo("windowfocus", wid, check=False)
    key("Escape")
    poll("play to go on", in_play, 30)
    print("walk-through: the planet paused when the window lost the focus")

    # Quit: pause, Quit, Yes, and the score table.
    key("Escape")
    poll("pause dialog", lambda: forms(["Form1", "InGameOptions"]), 30)
    click(400, 382)
    poll("the question", lambda: (state()["box"] or {}).get("title") == "Exit?", 30)
    key("Return")
    s = poll("score table", lambda: forms(["HighScores"]), 30)
    px = frame_after(s["time_ms"])
    assert lit(px, 150, 12, 650, 92) > sampled(150, 12, 650, 92) // 10, "no heading on the score table"
    rows = sum(1 for i in range(12) if lit(px, 152, 104 + 40 * i, 401, 137 + 40 * i, 2) > 20)
    assert rows == 12, f"{rows} score rows drawn, not 12"
    asked = [(m["kind"], m["title"], m["answer"]) for m in s["messages"]]
    assert asked == [("question", "Exit?", "Yes")], asked
    print("walk-through: quit to the score table, twelve rows shown")


with X:
    main()
