#!/usr/bin/env bash
# Where no session can run, the program says why on standard error and ends with status 1,
# leaving the terminal alone: standard input not a terminal, TERM unset, unknown or too simple.
# Usage: refusal_test.sh KESTROW DIR
set -euo pipefail
kestrow=$1
refusal=0
for environment in "TERM=dumb" "TERM=kestrow-no-such-terminal" "-u TERM" "stdin"; do
  work=$2/refusal$((refusal += 1))
  rm -rf "$work"
  mkdir -p "$work"
  source "$(dirname "$0")/tmux_session.sh"
  if [ "$environment" = stdin ]; then
    start "'$kestrow' demo < /dev/null > '$work/values.jsonl' 2> '$work/errors.txt'"
    reason="standard input is not a terminal"
  else
    start "env $environment '$kestrow' demo > '$work/values.jsonl' 2> '$work/errors.txt'"
    case $environment in
      TERM=dumb) reason="cannot place the cursor" ;;
      TERM=kestrow*) reason='"kestrow-no-such-terminal" is unknown' ;;
      *) reason="TERM is not set" ;;
    esac
  fi
  expect_exit 1
  grep -qF -- "$reason" "$work/errors.txt" || fail "$environment: \"$reason\" not said: $(cat "$work/errors.txt")"
  [ "$(wc -l < "$work/errors.txt")" -eq 1 ] || fail "$environment: more than one line: $(cat "$work/errors.txt")"
  [ ! -s "$work/values.jsonl" ] || fail "$environment: values printed"
  tmux_ kill-server
done
