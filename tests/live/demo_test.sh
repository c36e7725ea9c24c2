#!/usr/bin/env bash
# `kestrow demo` in a real terminal: every sample field typed or pasted into, a key undone and
# redone, the focus moved back and forth, an impossible date refused, the property page applied,
# the form saved and the values printed on quitting. Leaves the saved form in DIR/demo/form.json
# for run_test.sh.
# Usage: demo_test.sh KESTROW DIR
set -euo pipefail
kestrow=$1
work=$2/demo
rm -rf "$work"
mkdir -p "$work"
source "$(dirname "$0")/tmux_session.sh"

start "'$kestrow' demo --save '$work/form.json' > '$work/values.jsonl' 2> '$work/errors.txt'"
expect_screen "CustomerName:"
expect_screen "F1/^T About  F2/^F Format  ^S Save  ^Q/F10 Quit"
expect_focus CustomerName

type_text "john smith"
expect_screen "John Smith"  # proper case as it is typed
type_text "s"
expect_screen "John Smiths"
keys C-z  # undoes the key, not the whole name: Ctrl+Z is the field's, not the terminal's suspend
expect_gone "John Smiths"
expect_screen "John Smith"
keys C-y
expect_screen "John Smiths"
keys C-z
expect_gone "John Smiths"
keys Tab
expect_focus Phone
expect_screen "John Smith____"  # its display form: proper case, padded

type_text "5551234567"  # at once, past the mask's opening bracket
expect_screen "(555) 123-4567"
expect_focus Amount  # a full mask tabs on by itself

type_text "-1234.5"
keys Tab
expect_focus BirthDate
expect_screen "(1,"  # negatives bracketed, thousands grouped
keys BTab
expect_focus Amount
paste_text "1,234,567.50"  # an amount as written elsewhere replaces the value whole
keys Tab
expect_focus BirthDate
expect_screen "12,34,567.50"  # grouped in lakhs

keys Home
type_text "31022026"
expect_screen "Invalid Date"
expect_screen "Critical stop"
expect_screen "Kestrow ─"  # the host's caption for a box without one
keys Enter
expect_focus BirthDate  # the date refused keeps the focus
paste_text "2024-12-31"  # year first, as the field's own day-month-year order
expect_screen "31/12/2024"
keys Tab
expect_focus PIN

type_text "1234"
expect_screen "****"
expect_focus Subscriber
type_text "y"
expect_screen "Yes"

keys BTab
expect_focus PIN
keys BTab
expect_focus BirthDate
keys Tab Tab
expect_focus Subscriber
keys Tab
expect_focus CustomerName  # round to the first

# A click on the phone's "1" gives it the focus with the caret there; one on the name takes it back.
read -r row column <<< "$(find_on_screen "123-4567")"
click "$row" "$column"
expect_focus Phone
[ "$(cursor_column)" -eq "$column" ] || fail "caret at column $(cursor_column), clicked at $column"
read -r row column <<< "$(find_on_screen "John Smith")"
click "$row" "$column"
expect_focus CustomerName

# The property page on CustomerName: its display format becomes upper case.
keys F2
expect_screen "Display Format"
expect_screen "P - Proper Case"
keys Tab Tab Up Up
expect_screen "! - Upper Case"
keys Tab Enter  # Enter in a field of the page: OK
keys Tab
expect_focus Phone
expect_screen "JOHN SMITH____"

keys C-t
expect_screen "About Kestrow"
expect_screen "Version"
keys Enter
keys F1
expect_screen "Kestrow Components"
keys Escape

# Quitting with changes not saved asks first; Cancel goes back to the form.
keys C-q
expect_screen "not saved"
keys Escape
expect_focus Phone
keys C-s
expect_screen "Saved."
keys C-q
expect_exit 0

[ -s "$work/form.json" ] || fail "no form saved"
grep -qF "form.json" "$work/errors.txt" || fail "where the form went is not said: $(cat "$work/errors.txt")"
[ "$(wc -l < "$work/values.jsonl")" -eq 6 ] || fail "not one line a field: $(cat "$work/values.jsonl")"
expect_value() {
  grep -qixF "$1" "$work/values.jsonl" || fail "no value line $1 in: $(cat "$work/values.jsonl")"
}
expect_value '{"control":"CustomerName","type":"String","value":"John Smith"}'
expect_value '{"control":"Phone","type":"String","value":"5551234567"}'
expect_value '{"control":"Amount","type":"Double","value":1234567.5}'
expect_value '{"control":"BirthDate","type":"Date","value":"2024-12-31"}'
expect_value '{"control":"PIN","type":"String","value":"1234"}'
grep -F '"control":"Subscriber"' "$work/values.jsonl" | grep -qvF '"value":0}' || fail "Subscriber is still No"
