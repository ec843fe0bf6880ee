#!/usr/bin/env bash
# A game killed while it writes a screenshot leaves the previous picture whole:
# the new one is written beside it and renamed over it only when complete.
set -uo pipefail
bin="$1"
work=$(mktemp -d)
pid=""
cleanup() { [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A complete PNG: signature, chunks with good CRCs up to IEND, image data that
# inflates to the whole picture.
check_png() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
b = open(sys.argv[1], "rb").read()
assert b[:8] == b"\x89PNG\r\n\x1a\n", "no PNG signature"
pos, data, w, h = 8, b"", 0, 0
while True:
    n, kind = struct.unpack(">I4s", b[pos:pos + 8])
    body = b[pos + 8:pos + 8 + n]
    assert len(body) == n and len(b) >= pos + 12 + n, "cut short in %r" % kind
    assert struct.unpack(">I", b[pos + 8 + n:pos + 12 + n])[0] == zlib.crc32(kind + body), "bad CRC in %r" % kind
    if kind == b"IHDR": w, h = struct.unpack(">II", body[:8])
    if kind == b"IDAT": data += body
    pos += 12 + n
    if kind == b"IEND": break
assert (w, h) == (800, 600), (w, h)
assert len(zlib.decompress(data)) >= h * (w * 3 + 1), "image data cut short"
PY
}

# The good picture the kills must not lose.
ASAN_OPTIONS=detect_leaks=0 "$bin" --headless --warp 1 --until 3400 --screenshot "$work/shot.png" >/dev/null 2>&1 \
  || fail "the first screenshot run failed"
check_png "$work/shot.png" || fail "the first screenshot is not a whole PNG"

# Screenshots over and over into the same file, once the planet is up.
{
  echo "3300 dump $work/started.json"
  for t in $(seq 3301 5300); do echo "$t screenshot $work/shot.png"; done
} >"$work/script.txt"

for round in $(seq 1 20); do
  rm -f "$work/started.json"
  ASAN_OPTIONS=detect_leaks=0 "$bin" --headless --warp 1 --script "$work/script.txt" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 3000); do [ -e "$work/started.json" ] && break; sleep 0.01; done
  [ -e "$work/started.json" ] || fail "round $round: the game never reached the planet"
  # Somewhere inside the stream of writes.
  sleep "0.$(printf '%03d' $((RANDOM % 400)))"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
  check_png "$work/shot.png" || fail "round $round: the screenshot was left damaged by the kill"
done
echo "screenshot: 20 kills during writes left the picture whole"
