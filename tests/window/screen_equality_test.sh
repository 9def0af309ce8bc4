#!/usr/bin/env bash
# Runs screen_equality in a virtual X display on both presentation paths:
# the plain X image copy the game picks on a machine without a graphics
# device, and OpenGL. Each must match full flips frame by frame, and both
# must show the very same pixels.
set -u
checker=$1
cd "$2"
source tests/support/x_session.sh
require_tools Xvfb
make_work_folder screens
start_xvfb
recording=tests/data/solutions/level8.rbr
run() {  # run LABEL ENV...: prints the checksum line, fails the test on a mismatch
  local label=$1
  shift
  env SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$@" "$checker" "$recording" 300 >"$work/$label" 2>"$work/$label.err" ||
    fail "$label: $(cat "$work/$label.err" "$work/$label")"
  echo "$label: $(cat "$work/$label")"
}
run software
# Mesa's drivers keep a few allocations to the end; they are not the game's.
run opengl SDL_RENDER_DRIVER=opengl SDL_FRAMEBUFFER_ACCELERATION=1 ASAN_OPTIONS=detect_leaks=0
[ "$(grep -o 'checksum.*' "$work/software")" = "$(grep -o 'checksum.*' "$work/opengl")" ] ||
  fail "the two presentation paths show different pixels"
echo "PASS"
