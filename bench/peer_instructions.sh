#!/usr/bin/env bash
# Instructions per whole key (press and release through QApplication::notify, and all they do)
# into a Kestrow TextWidget and into a QLineEdit with the equivalent input mask, counted by
# callgrind in kestrow-bench-peers --instructions, with the headless Kestrow field beside them.
#
# Usage: bench/peer_instructions.sh [BUILD_DIR]   (default build; needs valgrind)
set -euo pipefail

program=${1:-build}/kestrow-bench-peers
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# Counts the instructions of RUNS runs of CASE into TARGET; prints them per key.
per_key() {
  local case=$1 target=$2 runs=$3 keys total
  keys=$(QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file="$out" \
    --toggle-collect='*MeasuredTyping*' "$program" --instructions "$case" "$target" "$runs" 2>/dev/null)
  total=$(grep -m1 '^summary:' "$out" | awk '{print $2}')
  echo $((total / keys))
}

printf '%-10s %12s %12s %12s %16s\n' field headless widget QLineEdit QLineEdit/widget
for case in date amount phone text mask1000 mask4000; do
  runs=20
  [[ $case == mask* ]] && runs=2
  headless=$(per_key "$case" kestrow "$runs")
  widget=$(per_key "$case" widget "$runs")
  lineedit=$(per_key "$case" lineedit "$runs")
  printf '%-10s %12s %12s %12s %16s\n' "$case" "$headless" "$widget" "$lineedit" \
    "$(awk -v a="$lineedit" -v b="$widget" 'BEGIN { printf "%.2f", a / b }')"
done
