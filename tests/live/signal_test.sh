#!/usr/bin/env bash
# The terminal comes back as it was when a signal ends the program: Ctrl+C, SIGTERM, SIGHUP.
# Usage: signal_test.sh KESTROW DIR
set -euo pipefail
kestrow=$1
for signal in INT TERM HUP; do
  work=$2/$signal
  rm -rf "$work"
  mkdir -p "$work"
  source "$(dirname "$0")/tmux_session.sh"
  start "'$kestrow' demo > /dev/null 2>&1"
  expect_focus CustomerName
  if [ "$signal" = INT ]; then
    keys C-c
  else
    kill -s "$signal" "$(pgrep -P "$(tmux_ display -p -t live '#{pane_pid}')")"
  fi
  expect_exit $((128 + $(kill -l "$signal")))
  tmux_ kill-server
done
