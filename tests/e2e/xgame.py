"""The real game in a real window under Xvfb, for the Python window tests: a
scratch folder, an X server of its own (it picks a free display itself, since
other builds may run theirs at the same time), games started with their sound
going to a file through SDL's disk audio driver, and waiting for what they
write. Everything started goes, with the scratch folder, on close."""
import glob
import os
import shutil
import signal
import subprocess
import sys
import struct
import tempfile
import time
import zlib


def read_png(path, pixels=True):
    """A whole PNG written by the game (8-bit RGB or RGBA, not interlaced):
    the signature, every chunk to IEND with its CRC, and the image data
    inflated to the whole picture, as (width, height, pixel) where
    pixel(x, y) gives (r, g, b). Anything less raises ValueError."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("no PNG signature")
    pos, idat, w, h, bpp, kind = 8, b"", 0, 0, 0, b""
    while kind != b"IEND":
        if pos + 12 > len(data):
            raise ValueError("cut short before IEND")
        n, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body, crc = data[pos + 8:pos + 8 + n], data[pos + 8 + n:pos + 12 + n]
        if len(crc) < 4 or struct.unpack(">I", crc)[0] != zlib.crc32(kind + body):
            raise ValueError(f"bad or missing CRC in {kind!r}")
        if kind == b"IHDR":
            w, h, _, ctype = struct.unpack(">IIBB", body[:10])
            bpp = {2: 3, 6: 4}[ctype]
        elif kind == b"IDAT":
            idat += body
        pos += 12 + n
    raw, stride, rows, prev = zlib.decompress(idat), w * bpp, [], bytearray(w * bpp)
    if len(raw) < h * (stride + 1):
        raise ValueError("image data cut short")
    for y in range(h if pixels else 0):
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
    return w, h, lambda x, y: tuple(rows[y][x * bpp:x * bpp + 3])


class XGame:
    def __init__(self, name):
        self.name = name
        self.work = tempfile.mkdtemp(prefix=f"korvane-{name}-")
        self.procs = []
        self.games = []
        self.started = time.monotonic()
        self.env = dict(os.environ, DISPLAY=self._start_x())
        self.env.pop("WAYLAND_DISPLAY", None)
        self.poll("X display", lambda: subprocess.run(["xdotool", "getdisplaygeometry"], env=self.env,
                                                      capture_output=True).returncode == 0, 20)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def path(self, name):
        return os.path.join(self.work, name)

    def _start_x(self):
        rfd, wfd = os.pipe()
        self.procs.append(subprocess.Popen(
            ["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
            pass_fds=(wfd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        os.close(wfd)
        with os.fdopen(rfd) as r:
            display = r.readline().strip()
        if not display:
            self.fail("Xvfb did not start")
        return ":" + display

    def game(self, binary, args, audio, log="game.log"):
        """Starts the game windowed, its sound written to the file `audio`
        (16-bit stereo at 44100 Hz) as a sound card would play it."""
        env = dict(self.env, SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=audio)
        out = open(self.path(log), "w")
        p = subprocess.Popen([binary, "--windowed", *args], env=env, stdout=out, stderr=subprocess.STDOUT)
        out.close()
        self.procs.append(p)
        self.games.append(p)
        return p

    def xdo(self, *args, check=True):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True, timeout=30,
                              check=check).stdout

    def fail(self, msg):
        print(f"{self.name}:", msg)
        for log in sorted(glob.glob(self.path("*.log"))):
            print(f"--- {os.path.basename(log)}")
            print(open(log, errors="replace").read()[-4000:])
        self.close()
        sys.exit(1)

    def poll(self, what, check, limit=60.0):
        """Waits until check() gives something true; a busy machine gets time."""
        if os.environ.get("KORVANE_WALK_TRACE"):
            print(f"  {time.monotonic() - self.started:6.1f} s: waiting for {what}")
        end = time.monotonic() + limit
        while time.monotonic() < end:
            for g in self.games:
                if g.poll() is not None:
                    self.fail(f"the game ended (status {g.returncode}) while waiting for {what}")
            try:
                got = check()
            except (OSError, ValueError, KeyError):
                got = None
            if got:
                return got
            time.sleep(0.1)
        self.fail(f"no {what} within {limit:.0f} s")

    def close(self):
        # A game in play may not take SIGTERM as the end: it gets two seconds.
        for p in reversed(self.procs):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(2)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.procs = []
        shutil.rmtree(self.work, ignore_errors=True)
