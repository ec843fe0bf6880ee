#!/usr/bin/env bash
# Installs the game into a scratch prefix and plays it from there: it must find
# its program directory under share/korvane, keep its score table and saves in
# the player's data directory and nowhere else, and ship a menu entry, an icon
# and a description that the desktop's own tools accept.
#   install_test.sh CMAKE BUILD_DIR SOURCE_DIR
set -uo pipefail
cmake="$1" build="$2" src="$3"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
id=org.korvane.Korvane
prefix="$work/prefix"

"$cmake" --install "$build" --prefix "$prefix" >"$work/out" 2>&1 || fail "cmake --install: $(tail -5 "$work/out")"
for f in bin/korvane share/applications/$id.desktop share/icons/hicolor/256x256/apps/$id.png \
         share/metainfo/$id.metainfo.xml share/korvane/Data/score.dat share/korvane/Data/scroll.dat \
         share/korvane/Data/scroll2.dat share/korvane/Fonts/LiberationSans-Regular.ttf \
         share/korvane/Samples/Phaser.wav share/korvane/MODs/Intro.Mod share/korvane/Pictures/SidePanel.png; do
  [ -f "$prefix/$f" ] || fail "the install has no $f"
done
cmp -s "$prefix/share/korvane/Data/score.dat" "$src/assets/Data/score.dat" || fail "the installed score table is not the shipped one"
# A PNG's size stands in its header: bytes 16 to 23.
[ "$(od -An -tx1 -j16 -N8 "$prefix/share/icons/hicolor/256x256/apps/$id.png" | tr -d ' \n')" = 0000010000000100 ] ||
  fail "the icon is not 256 x 256"
find "$prefix" -type f -o -type d | sort >"$work/installed.txt"

# The fields of a state dump, one per line.
field() {
  python3 -c 'import json, sys; d = json.load(open(sys.argv[1]))
for path in sys.argv[2:]:
    v = d
    for k in path.split("."): v = v[k]
    print(v)' "$@"
}

# Installed, with XDG_DATA_HOME: the menu's Saved Game opens in the player's folder.
printf '3200 press SavedButt\n3300 dump %s\n' "$work/dialog.json" >"$work/saved.txt"
XDG_DATA_HOME="$work/xdg" HOME="$work/home" "$prefix/bin/korvane" --headless --until 3400 --script "$work/saved.txt" \
  --dump-state "$work/dump.json" >"$work/out" 2>&1 || fail "the installed game failed: $(tail -5 "$work/out")"
[ "$(field "$work/dump.json" shared.AppDir)" = "$prefix/share/korvane/" ] ||
  fail "the installed game's program directory is $(field "$work/dump.json" shared.AppDir)"
[ "$(field "$work/dialog.json" box.kind box.text)" = "$(printf 'file\n%s' "$work/xdg/korvane/")" ] ||
  fail "the Saved Game dialog opened in $(field "$work/dialog.json" box.text)"
cmp -s "$work/xdg/korvane/Data/score.dat" "$src/assets/Data/score.dat" ||
  fail "the player's data directory holds no copy of the shipped score table"
[ ! -e "$work/home/.local" ] || fail "with XDG_DATA_HOME set the game wrote under HOME"

# Without XDG_DATA_HOME, HOME's. (Which folder wins when is the unit tests'
# table; here the environment itself is read.)
env -u XDG_DATA_HOME HOME="$work/home" "$prefix/bin/korvane" --headless --until 100 >"$work/out" 2>&1 ||
  fail "the installed game failed without XDG_DATA_HOME: $(tail -5 "$work/out")"
[ -f "$work/home/.local/share/korvane/Data/score.dat" ] || fail "without XDG_DATA_HOME no table under HOME"

# An account with no home at all (a user the system does not know, HOME unset):
# the game says so and plays without keeping a score, even where its
# installation would let it write.
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  chmod 755 "$work"
  chmod o+w "$prefix/share/korvane/Data"
  python3 -c 'import sys; open(sys.argv[1], "w").write("H\r\nCHQQQ\r\nQ\r\nZ\r\n")' "$work/high.kvs"   # 61000 points
  printf '3200 press SavedButt\n3300 file %s\n6000 key 16\n6100 key 27\n6200 press Command3\n6300 press Yes\n' \
    "$work/high.kvs" >"$work/end.txt"
  env -u HOME -u XDG_DATA_HOME setpriv --reuid=54321 --regid=54321 --clear-groups \
    "$prefix/bin/korvane" --headless --until 6500 --script "$work/end.txt" --dump-state - \
    >"$work/out" 2>&1 || fail "the installed game without a home failed: $(tail -5 "$work/out")"
  chmod o-w "$prefix/share/korvane/Data"
  grep -q "there is no home folder" "$work/out" || fail "no home folder was not said: $(tail -5 "$work/out")"
  grep -q "Your score could not be kept" "$work/out" || fail "the score's loss was not said"
  cmp -s "$prefix/share/korvane/Data/score.dat" "$src/assets/Data/score.dat" || fail "the game without a home wrote its table"
fi

# Playing never writes into the installation.
find "$prefix" -type f -o -type d | sort | cmp -s - "$work/installed.txt" || fail "the game wrote into its installation"

# What the desktop reads, checked by its own tools where they are installed.
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/$id.desktop" >"$work/out" 2>&1 || fail "desktop entry: $(cat "$work/out")"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --strict "$prefix/share/metainfo/$id.metainfo.xml" >"$work/out" 2>&1 ||
    fail "metainfo: $(cat "$work/out")"
fi
echo "installed and played from $prefix"
