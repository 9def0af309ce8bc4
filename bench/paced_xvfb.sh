#!/usr/bin/env bash
# Runs build-bench/bench/paced_run in a window of a virtual X display (Xvfb),
# so that presenting the frames costs what it costs on a desktop; the X
# server's CPU is reported beside the game's. Run from the project root
# after ./bench.sh has built build-bench/; arguments go to paced_run.
set -euo pipefail
cd "$(dirname "$0")/.."
source tests/support/x_session.sh
require_tools Xvfb
make_work_folder paced
start_xvfb
SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ./build-bench/bench/paced_run --server-pid "$xvfb_pid" "$@"
