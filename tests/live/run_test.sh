#!/usr/bin/env bash
# `kestrow run` on the form demo_test.sh saved: the page's change is there, and the values are
# the ones the demo printed.
# Usage: run_test.sh KESTROW DIR
set -euo pipefail
kestrow=$1
form=$2/demo/form.json
work=$2/run
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$0")/tmux_session.sh"
[ -s "$form" ] || fail "no saved form at $form"

start "'$kestrow' run '$form' > '$work/values.jsonl' 2> '$work/errors.txt'"
expect_screen "form.json"  # the title
expect_focus CustomerName
keys Tab
expect_focus Phone
expect_screen "JOHN SMITH____"
keys BTab F2
expect_screen "! - Upper Case"
keys Escape
keys C-q  # nothing changed: no question
expect_exit 0
cmp -s "$work/values.jsonl" "$2/demo/values.jsonl" || fail "other values than the demo's: $(cat "$work/values.jsonl")"
