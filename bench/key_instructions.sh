#!/usr/bin/env bash
# Instructions per whole key (key down, press, up and every event they raise), counted by
# callgrind in kestrow-key-instructions: short fields with the record on and off (9 keys into a
# 10-place text stop short of the end; a whole value ends with the key that leaves the field),
# then 100 keys into the start of long plain and custom-mask fields, and upper- and proper-case
# fields filled key by key.
#
# Usage: bench/key_instructions.sh [BUILD_DIR]   (default build; needs valgrind)
set -euo pipefail

program=${1:-build}/kestrow-key-instructions
out=$(mktemp)
trap 'rm -f "$out"' EXIT

# kind length keys record runs
cases=(
  "text 10 9 off 20" "text 10 9 on 20"
  "text 10 10 off 20" "text 10 10 on 20"
  "date 10 8 off 20" "date 10 8 on 20"
  "amount 10 10 off 20" "amount 10 10 on 20"
  "text 1000 100 off 3" "custom 1000 100 off 3"
  "text 4000 100 off 3" "custom 4000 100 off 3" "custom 4000 100 on 3"
  "text 32767 100 off 3" "custom 32767 100 off 3"
  "upper 10 9 off 20" "upper 4000 4000 off 1" "proper 10 9 off 20" "proper 4000 4000 off 1"
)

printf '%-8s %7s %5s %7s %14s\n' field places keys record "instr/key"
for case in "${cases[@]}"; do
  read -r kind length keys record runs <<<"$case"
  valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='*MeasuredTyping*' \
    "$program" "$kind" "$length" "$keys" "$record" "$runs" >/dev/null 2>&1
  total=$(grep -m1 '^summary:' "$out" | awk '{print $2}')
  printf '%-8s %7s %5s %7s %14s\n' "$kind" "$length" "$keys" "$record" $((total / (keys * runs)))
done
