#!/usr/bin/env bash
# The program's own bad input: flags, scripts and a damaged program directory
# each get a clear message and a non-zero status, never a crash.
set -uo pipefail
bin="$1"
appdir="$(dirname "$bin")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# (What each refused flag says is the command line's unit test's to pin.)
"$bin" --frobnicate >"$work/out" 2>&1 && fail "an unknown flag was accepted"
grep -q "usage: korvane" "$work/out" || fail "no usage text for an unknown flag"

# A missing picture, then a damaged one, stops the game with its name.
cp -rs "$(cd "$appdir" && pwd)" "$work/app" && rm "$work/app/Pictures/SidePanel.png"
"$bin" --headless --warp 1 --app-dir "$work/app" >"$work/out" 2>&1 && fail "the game started without a picture"
grep -q "Pictures/SidePanel.png" "$work/out" || fail "the missing picture is not named: $(cat "$work/out")"
printf 'not a png' >"$work/app/Pictures/SidePanel.png"
"$bin" --headless --warp 1 --app-dir "$work/app" >"$work/out" 2>&1 && fail "a damaged picture was not reported"
grep -q "Pictures/SidePanel.png" "$work/out" || fail "the damaged picture is not named: $(cat "$work/out")"

# No raw control byte ever reaches the terminal (tab and newline aside).
no_raw_bytes() { [ "$(LC_ALL=C tr -d '\t\n -~\200-\377' <"$1" | wc -c)" -eq 0 ]; }

# Refused with status 2 and a message that says what is wrong.
refused() {
  local says="$1"; shift
  ASAN_OPTIONS=detect_leaks=0 timeout 60 "$@" >"$work/out" 2>&1; rc=$?
  [ "$rc" -eq 2 ] || fail "$* exited $rc, not 2: $(head -c 300 "$work/out")"
  grep -qF -- "$says" "$work/out" || fail "$* does not say '$says': $(head -c 300 "$work/out")"
  no_raw_bytes "$work/out" || fail "$* printed raw control bytes"
}

mkdir -p "$work/folder"
refused "cannot read the script $work/folder: Is a directory" "$bin" --headless --warp 1 --script "$work/folder"
refused "--dump-state $work/folder: Is a directory" "$bin" --headless --warp 1 --dump-state "$work/folder"
printf '3300 dump %s\n' "$work/folder" >"$work/dumpdir.txt"
refused "Cannot write the state dump $work/folder: Is a directory" "$bin" --headless --warp 1 --script "$work/dumpdir.txt"
refused "--dump-state $work/nowhere/d.json: The folder $work/nowhere does not exist" \
  "$bin" --headless --warp 1 --dump-state "$work/nowhere/d.json"
# A demo is read from a file, its first line no longer than any script line:
# /dev/zero and a line without end are refused before they fill the memory.
refused "cannot read the demo /dev/zero: Is a device, not a file" "$bin" --timedemo /dev/zero
head -c 100000 /dev/zero | tr '\0' a >"$work/longdemo.txt"
refused "cannot read the demo $work/longdemo.txt: its first line is longer than 4096 bytes" "$bin" --timedemo "$work/longdemo.txt"
# --record never empties the script it reads; nothing goes to a file named "-".
printf '3300 key 37\n' >"$work/rec.txt"
ln -s rec.txt "$work/reclink.txt"
refused "--record $work/reclink.txt is the script the run reads" \
  "$bin" --headless --warp 1 --script "$work/rec.txt" --record "$work/reclink.txt"
[ "$(cat "$work/rec.txt")" = "3300 key 37" ] || fail "--record touched the script it reads"
refused "--screenshot writes a file: '-' (standard output) is not one" "$bin" --headless --warp 1 --screenshot -
# A named pipe where a file is written answers at once, whenever it is found.
mkfifo "$work/pipe.json"
printf '3300 dump %s\n' "$work/pipe.json" >"$work/dumppipe.txt"
refused "Cannot write the state dump $work/pipe.json: Is a named pipe, not a file" \
  "$bin" --headless --warp 1 --script "$work/dumppipe.txt"

printf '3300 type a\000b\n3400 type \033[2J\033]0;owned\007\n' >"$work/ctl.txt"
refused 'script line 1: a control byte (\x00) at column 12' "$bin" --headless --warp 1 --script "$work/ctl.txt"
refused 'line is longer than 4096 bytes' "$bin" --headless --warp 1 --script /dev/zero

# A box the game closes on, which no script answers: status 1, and its text on stderr.
cp -rs "$(cd "$appdir" && pwd)" "$work/app2" && rm "$work/app2/Data/scroll2.dat" && printf '40\r\nshort\r\n' >"$work/app2/Data/scroll2.dat"
ASAN_OPTIONS=detect_leaks=0 timeout 60 "$bin" --headless --until 5000 --app-dir "$work/app2" >"$work/out" 2>&1; rc=$?
[ "$rc" -eq 1 ] || fail "a closing box left unanswered ended with $rc, not 1"
grep -q "Korvane Information: Korvane cannot use the file $work/app2/Data/scroll2.dat" "$work/out" ||
  fail "the closing box's text is not on stderr: $(head -c 300 "$work/out")"

# No display: said at once, with the way out, and status 1.
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER ASAN_OPTIONS=detect_leaks=0 timeout 60 "$bin" --warp 1 \
  >"$work/out" 2>&1; rc=$?
[ "$rc" -eq 1 ] || fail "with no display the game exited $rc, not 1: $(head -c 300 "$work/out")"
grep -q "No display was found" "$work/out" && grep -q -- "--headless" "$work/out" \
  || fail "no display is not explained: $(head -c 300 "$work/out")"
echo "cli: bad files, flags and script lines are refused with their reasons"

# A program at the other end of the pipe plays interactively: each dump comes
# back before the next line is written.
python3 - "$bin" <<'PY' || fail "interactive play over a pipe failed"
import json, subprocess, sys
p = subprocess.Popen([sys.argv[1], "--headless", "--warp", "1", "--script", "-"], stdin=subprocess.PIPE,
                     stdout=subprocess.PIPE, text=True)
for t, left in ((3300, 262), (3400, 249)):
    p.stdin.write(f"{t} key 37\n{t} dump -\n"); p.stdin.flush()
    d = json.loads(p.stdout.readline())
    assert (d["time_ms"], d["form"]["Form1"]["controls"]["Player"]["left"]) == (t, left), d["time_ms"]
p.stdin.close()
assert p.wait(timeout=30) == 0
PY
echo "cli: interactive pipe play works"

# Games ending at once share the score table: each enters its score into the
# table as the others left it, under the table's lock. Two and then three games
# side by side, round after round: no score is lost, the table stays twelve lines.
mkdir "$work/shared"
scores() { cut -d, -f2 "$1" | tr -d ' \r'; }
n=0
for players in 2 2 2 3 3 3; do
  pids=()
  for _ in $(seq "$players"); do
    n=$((n + 1))
    # A save of planet 1, 60000 + 500n points, radiation 0 and 3 lives, in the save code.
    printf '1\r\n%s\r\n0\r\n3\r\n' $((60000 + 500 * n)) | tr 0-9 QHWZKRCMTF >"$work/game$n.kvs"
    printf '3200 press SavedButt\n3300 file %s\n6000 key 16\n6100 key 27\n6200 press Command3\n6300 press Yes\n' \
      "$work/game$n.kvs" >"$work/end$n.txt"
    ASAN_OPTIONS=detect_leaks=0 "$bin" --headless --data-dir "$work/shared" --script "$work/end$n.txt" \
      >"$work/end$n.out" 2>&1 &
    pids+=($!)
  done
  for pid in "${pids[@]}"; do wait "$pid" || fail "a game ending beside others failed: $(cat "$work"/end*.out)"; done
  expected=$({ scores "$appdir/Data/score.dat"; seq 60500 500 $((60000 + 500 * n)); } | sort -rn | head -12)
  [ "$(scores "$work/shared/Data/score.dat")" = "$expected" ] || fail "after $n games the table lost a score"
done
echo "cli: $n games ending two and three at a time kept every score"
