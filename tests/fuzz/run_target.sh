#!/usr/bin/env bash
# Runs one fuzz target from its committed seeds.
#
#   run_target.sh BINARY NAME WORKDIR runs N      N inputs from a fixed seed, from scratch
#   run_target.sh BINARY NAME WORKDIR seconds S   S seconds, going on from earlier runs
#
# What the fuzzer learns goes to WORKDIR/corpus, never into the committed seeds
# (tests/fuzz/corpus/NAME); an input that breaks a reader lands in
# WORKDIR/findings. A counted run starts from an empty work folder, so a test
# tries the same inputs every time.
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 BINARY NAME WORKDIR runs N | seconds S" >&2; exit 2; }
bin=$1 name=$2 work=$3 mode=$4 amount=$5
here=$(cd "$(dirname "$0")" && pwd)
seeds=$here/corpus/$name
[ -d "$seeds" ] || { echo "$0: no seed corpus $seeds" >&2; exit 2; }

case $mode in
  runs) rm -rf "$work"; limit=(-runs="$amount" -seed=1) ;;
  seconds) limit=(-max_total_time="$amount" -print_final_stats=1) ;;
  *) echo "$0: the mode is runs or seconds, not $mode" >&2; exit 2 ;;
esac
mkdir -p "$work/corpus" "$work/findings"

# 8 KiB reaches past the longest script line the game takes (4 KiB); a
# reader that takes longer than the timeout on one input is a finding too.
flags=(-max_len=8192 -timeout=20 -artifact_prefix="$work/findings/")
if [ -f "$here/dict/$name.dict" ]; then flags+=(-dict="$here/dict/$name.dict"); fi
exec "$bin" "${flags[@]}" "${limit[@]}" "$work/corpus" "$seeds"
