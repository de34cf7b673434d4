#!/bin/sh
# The main window's keys and clicks from an X server: runs the window key
# test program under a virtual X server of its own, where its events come
# from the server through xdotool in the order the platform delivers them.
# Usage: window_keys.sh WINDOW_KEYS_TEST
set -eu
TEST_PROGRAM="$(realpath "$1")"
. "$(dirname "$0")/../../../../support/xvfb_session.sh"
start_xvfb
QT_QPA_PLATFORM=xcb "$TEST_PROGRAM"
