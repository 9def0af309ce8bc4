#!/usr/bin/env bash
# The display goes away under the running game (its X server ends): the game
# must end within five seconds, with a status that says it failed, and leave
# the stored settings whole.
# Usage: lost_display_e2e.sh RUNEBLOCK_EXECUTABLE PROJECT_ROOT
set -u
game=$1
root=$2
source "$(dirname "$0")/../support/x_session.sh"
require_tools Xvfb xdotool
make_work_folder lost-display

cp -r "$root/Media" "$work/Media"
printf '#\nlevel\t\t\t\t3\n' >"$work/Media/data/config"
cp "$work/Media/data/config" "$work/config.before"
start_xvfb

cd "$work" || exit 1
export ASAN_OPTIONS=detect_leaks=0  # the process ends inside Xlib's error handler
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy "$game" >"$work/stdout.txt" 2>"$work/stderr.txt" &
game_pid=$!
window=$(timeout 30 xdotool search --sync --pid "$game_pid" 2>/dev/null | head -n 1)
[ -n "$window" ] || fail "no game window appeared"
sleep 3  # the title menu is up and running

kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=""
wait_for_game 5
[ -n "$status" ] || fail "the game still runs 5 s after its display went away"
[ "$status" -ne 0 ] || fail "the game reported success after losing its display"
cmp -s "$work/config.before" "$work/Media/data/config" || fail "the stored settings changed"
echo "PASS: the game ended with status $status once its display went away"
