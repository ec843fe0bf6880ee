#!/usr/bin/env bash
# A game killed while it writes a screenshot leaves the previous picture whole:
# the new one is written beside it and renamed over it only when complete.
set -uo pipefail
bin="$1"
work=$(mktemp -d)
pid=""
trap '[ -n "$pid" ] && kill -9 "$pid" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
export ASAN_OPTIONS=detect_leaks=0
# A whole PNG of the frame: every chunk to IEND with its CRC, the data inflated.
whole_png() {
  python3 -c 'import sys; sys.path.insert(0, sys.argv[1]); from xgame import read_png
assert read_png(sys.argv[2], pixels=False)[:2] == (800, 600)' "$(dirname "$0")" "$work/shot.png"
}

# The good picture the kills must not lose.
"$bin" --headless --warp 1 --until 3400 --screenshot "$work/shot.png" >/dev/null 2>&1 || fail "the first screenshot run failed"
whole_png || fail "the first screenshot is not a whole PNG"

# Screenshots over and over into the same file, once the planet is up.
{
  echo "3300 dump $work/started.json"
  for t in $(seq 3301 5300); do echo "$t screenshot $work/shot.png"; done
} >"$work/script.txt"
for round in $(seq 1 20); do
  rm -f "$work/started.json"
  "$bin" --headless --warp 1 --script "$work/script.txt" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 1 3000); do [ -e "$work/started.json" ] && break; sleep 0.01; done
  [ -e "$work/started.json" ] || fail "round $round: the game never reached the planet"
  sleep "0.$(printf '%03d' $((RANDOM % 400)))"   # somewhere inside the stream of writes
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  pid=""
  whole_png || fail "round $round: the screenshot was left damaged by the kill"
done
echo "screenshot: 20 kills during writes left the picture whole"
