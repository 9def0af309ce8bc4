# Shared by the tests that play the real game in a virtual X display.
# Sourced after `set -u`: needs the commands it is given, makes a work
# folder ($work) removed at exit with the game and the display, and starts
# Xvfb on a display it picks itself (exit status 77 skips the test).

require_tools() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
}

fail() {
  echo "FAIL: $*"
  exit 1
}

make_work_folder() {  # make_work_folder NAME
  work=$(mktemp -d "/tmp/runeblock-$1-XXXXXX")
  work=$(cd "$work" && pwd -P)
  xvfb_pid=""
  game_pid=""
  trap 'cleanup_x_session' EXIT
}

cleanup_x_session() {
  [ -n "$game_pid" ] && kill -KILL "$game_pid" 2>/dev/null  # a game stuck at exit ignores SIGTERM
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}

start_xvfb() {
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
  [ -s "$work/display" ] || { echo "SKIP: Xvfb did not start"; exit 77; }
  export DISPLAY=:$(head -n 1 "$work/display")
}

# wait_for_game SECONDS: waits for the game to end and puts its exit status
# in $status, left empty when it still runs (cleanup then kills it).
wait_for_game() {
  status=""
  local _
  for _ in $(seq $(($1 * 10))); do
    if ! kill -0 "$game_pid" 2>/dev/null; then
      wait "$game_pid"
      status=$?
      game_pid=""
      return
    fi
    sleep 0.1
  done
}
