#!/usr/bin/env bash
# The game's cost in a real window under Xvfb: CPU share of one core over a
# stretch of the run, when the first frame reached the screen, how many frames
# were presented in the stretch, and the peak memory.
#
#   bench/window_cpu.sh BIN FROM TO [game options...]
#
# FROM and TO are seconds after start; the game runs until TO plus a little.
# Example, the planet screen before the first key:
#   bench/window_cpu.sh build/bin/korvane 3 8 --warp 1
set -euo pipefail
bin="$1"; from="$2"; to="$3"; shift 3
source "$(dirname "$0")/../tests/e2e/x_display.sh"

# Notes the wall time of every frame the game hands to the screen.
cat >"$work/frames.c" <<'C'
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
static void note(void) {
    static FILE* log;
    if (!log) log = fopen(getenv("FRAME_LOG"), "w");
    struct timespec t;
    clock_gettime(CLOCK_REALTIME, &t);
    if (log) { fprintf(log, "%ld.%09ld\n", (long)t.tv_sec, t.tv_nsec); fflush(log); }
}
/* A frame reaches the screen through a renderer, or straight into the window. */
void SDL_RenderPresent(void* r) {
    static void (*real)(void*);
    if (!real) real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_RenderPresent");
    note();
    real(r);
}
int SDL_UpdateWindowSurface(void* w) {
    static int (*real)(void*);
    if (!real) real = (int (*)(void*))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurface");
    note();
    return real(w);
}
int SDL_UpdateWindowSurfaceRects(void* w, const void* rects, int n) {
    static int (*real)(void*, const void*, int);
    if (!real) real = (int (*)(void*, const void*, int))dlsym(RTLD_NEXT, "SDL_UpdateWindowSurfaceRects");
    note();
    return real(w, rects, n);
}
C
cc -shared -fPIC -O2 -o "$work/frames.so" "$work/frames.c" -ldl

start_x_display

ticks=$(getconf CLK_TCK)
start=$(date +%s.%N)
FRAME_LOG="$work/frames.log" LD_PRELOAD="$work/frames.so" SDL_AUDIODRIVER=dummy \
  "$bin" --windowed "$@" >"$work/game.log" 2>&1 &
game_pid=$!
cpu() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
sleep "$from"; c0=$(cpu); t0=$(date +%s.%N)
sleep "$(echo "$to - $from" | bc)"; c1=$(cpu); t1=$(date +%s.%N)
peak=$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")
kill -KILL "$game_pid"; wait "$game_pid" 2>/dev/null || true; game_pid=""

# The window opens black (the first present); the game's first frame follows.
first=$(sed -n 2p "$work/frames.log" 2>/dev/null)
[ -n "$first" ] || first="$start"
frames=$(awk -v a="$t0" -v b="$t1" '$1 >= a && $1 < b' "$work/frames.log" | wc -l)
echo "cpu: $(echo "scale=1; 100 * ($c1 - $c0) / $ticks / ($t1 - $t0)" | bc)% of one core from ${from}s to ${to}s"
echo "frames presented then: $frames"
echo "first game frame: $(echo "($first - $start) * 1000 / 1" | bc) ms after start"
echo "peak memory: $((peak / 1024)) MB"
