#!/usr/bin/env bash
# Plays the example scenarios and a few hundred generated ones (scenario_gen.py, fixed seed) with
# one build of the runner and keeps what it printed, or compares that with what another build
# printed: a change made for speed must leave every byte of the output as it was.
#
#   tests/perf/same_output.sh capture KESTROW DIR   # e.g. HEAD's build, before the change
#   tests/perf/same_output.sh compare KESTROW DIR   # the changed build; fails on any difference
set -euo pipefail

mode=${1:-}
kestrow=${2:-}
dir=${3:-}
if [[ ($mode != capture && $mode != compare) || -z $kestrow || -z $dir ]]; then
  echo "usage: tests/perf/same_output.sh capture|compare KESTROW DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
examples=$here/../../examples/scenarios
kestrow=$(realpath "$kestrow")

scenarios=$(mktemp -d)
outputs=$(mktemp -d)
trap 'rm -rf "$scenarios" "$outputs"' EXIT
python3 "$here/scenario_gen.py" "$scenarios" --count "${SCENARIO_COUNT:-300}"
cp "$examples"/*.ksc "$scenarios"/

# Each output keeps standard output, standard error and the exit status. The runner may save
# form files in its working directory; each scenario runs in an empty one.
for scenario in "$scenarios"/*.ksc; do
  name=$(basename "$scenario" .ksc)
  work=$(mktemp -d)
  status=0
  (cd "$work" && "$kestrow" script "$scenario" >"$outputs/$name.out" 2>"$outputs/$name.err") || status=$?
  echo "$status" >"$outputs/$name.status"
  rm -rf "$work"
done

if [[ $mode == capture ]]; then
  rm -rf "$dir"
  mkdir -p "$dir"
  cp -r "$outputs"/. "$dir"/
  echo "captured $(ls "$outputs" | grep -c '\.out$') scenarios in $dir"
else
  diff -r -q "$dir" "$outputs"
  echo "the same output on $(ls "$outputs" | grep -c '\.out$') scenarios"
fi
