#!/usr/bin/env python3
"""The mix as a player hears it: the game in real windows under Xvfb with its
sound written through SDL's disk audio driver. Twenty seconds of planet 9 and
twenty of the mother-ship fight, fire held all along (at the desktop's repeat
pace) while the ship sweeps left and right, never reach full scale; the menu's
music is centred and about as loud as play on planet 9.

The three runs go side by side on one X server, and the music is heard for
twenty seconds rather than its whole minute: enough for the band's entry and
the theme, and it keeps the test short. The scripted player does not dodge, so
the mother ship usually wins within the twenty seconds: the stretch holds the
whole fight, with the fireballs' Booms every 75 ms, and the game over."""
import array
import json
import math
import sys

from xgame import XGame

BIN = sys.argv[1]
SECONDS = 20
RATE = 44100
CTRL, LEFT, RIGHT = 17, 37, 39


def play_script(path):
    """The intro dismissed, then fire held to the end while the ship sweeps."""
    start, end = 2000, (SECONDS + 2) * 1000
    lines = [f"{start} key {LEFT}", f"{start + 100} keys {CTRL} {(end - start) // 33} 33"]
    for k, t in enumerate(range(start + 200, end, 1200)):
        lines.append(f"{t} keys {RIGHT if k % 2 == 0 else LEFT} 30 40")
    open(path, "w").write("\n".join(lines) + "\n")


def last_seconds(path, seconds):
    """The last seconds of a sound file as interleaved left and right samples:
    the game mixes in floating point, in the machine's byte order, and 1.0 is
    full scale."""
    a = array.array("f")
    a.frombytes(open(path, "rb").read())
    return a[-seconds * RATE * 2:]


def db(x):
    return 20 * math.log10(max(x, 1e-9))


def rms(samples):
    return math.sqrt(sum(v * v for v in samples) / max(len(samples), 1))


def at_full_scale(samples):
    return sum(1 for v in samples if abs(v) >= 1.0)


def main(x):
    audio = {k: x.path(f"{k}.raw") for k in ("menu", "planet9", "mothership")}
    script = x.path("play.txt")
    play_script(script)
    until = str((SECONDS + 3) * 1000)
    runs = [x.game(BIN, ["--clock-start", "0", "--until", str((SECONDS + 5) * 1000), "--data-dir", x.work],
                   audio["menu"], "menu.log"),
            *(x.game(BIN, ["--warp", warp, "--clock-start", "0", "--until", until, "--script", script,
                           "--data-dir", x.work, "--dump-state", x.path(f"{name}.json")], audio[name], f"{name}.log")
              for name, warp in (("planet9", "9"), ("mothership", "10")))]
    for g in runs:
        if g.wait(120) != 0:
            x.fail(f"a game ended with status {g.returncode}")

    planet = json.load(open(x.path("planet9.json")))
    if planet["forms"] != ["Form1"]:
        x.fail(f"planet 9 was left for {planet['forms']}")
    booms = sum(1 for s in json.load(open(x.path("mothership.json")))["sounds"] if s["file"] == "Samples/Boom.wav")
    if booms < 40:
        x.fail(f"only {booms} fireballs in the fight")

    failures = []
    play_rms = None
    for name in ("planet9", "mothership"):
        s = last_seconds(audio[name], SECONDS)
        peak = max(max(s), -min(s))
        clipped = at_full_scale(s)
        level = rms(s)
        play_rms = play_rms or level
        print(f"mix: {name}: {clipped} samples at full scale, peak {db(peak):.1f} dBFS, RMS {db(level):.1f} dBFS")
        if clipped:
            failures.append(f"{name} reaches full scale {clipped} times")

    music = last_seconds(audio["menu"], SECONDS)
    left, right = rms(music[0::2]), rms(music[1::2])
    balance = db(right) - db(left)
    loudness = db(rms(music)) - db(play_rms)
    print(f"mix: menu music: right against left {balance:+.1f} dB, RMS {db(rms(music)):.1f} dBFS, "
          f"{loudness:+.1f} dB against planet 9")
    if abs(balance) > 1.5:
        failures.append(f"the music leans {balance:+.1f} dB to the right")
    if abs(loudness) > 3:
        failures.append(f"the music is {loudness:+.1f} dB against play")
    if failures:
        x.fail("; ".join(failures))
    print("mix: no clipping, the music centred and as loud as play")


with XGame("mix") as X:
    main(X)
