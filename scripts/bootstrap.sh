#!/usr/bin/env bash
# Checks the Debian packages one make goal needs (demo, demo-qt, build, bench, bench-peers, test,
# check or fuzz); installs the missing ones when run as root, otherwise prints the apt-get line that would.
# Usage: scripts/bootstrap.sh GOAL
set -euo pipefail

demo=(cmake make g++ nlohmann-json3-dev libncurses-dev)
# The Qt widget and its demo; the Designer plugin needs Qt's tools and, for their CMake files,
# Qt's OpenGL development files.
qt=(qt6-base-dev qt6-tools-dev libqt6opengl6-dev)
demo_qt=("${demo[@]}" "${qt[@]}")
# The release preset builds the tests, the benchmarks and the Qt widget too (the peer benchmark
# types into Qt's line edit as well).
build=("${demo[@]}" "${qt[@]}" libgtest-dev libgmock-dev libbenchmark-dev)
# One consumer project finds Kestrow with pkg-config; the live tests run the program under tmux.
test=("${build[@]}" pkgconf tmux)
# CI runs the tests under clang as well, and checks the sources' format and the naming rule.
check=("${test[@]}" clang clang-format clang-tidy)
# The fuzz preset builds with clang alone, without tests or benchmarks; the script fuzzer plays
# the runner, which the terminal host is linked into.
fuzz=(cmake make clang libclang-rt-dev nlohmann-json3-dev libncurses-dev)

case "${1:-}" in
  demo) packages=("${demo[@]}") ;;
  demo-qt) packages=("${demo_qt[@]}") ;;
  build | bench | bench-peers) packages=("${build[@]}") ;;
  test) packages=("${test[@]}") ;;
  check) packages=("${check[@]}") ;;
  fuzz) packages=("${fuzz[@]}") ;;
  *)
    echo "usage: scripts/bootstrap.sh demo|demo-qt|build|bench|bench-peers|test|check|fuzz" >&2
    exit 2
    ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
else
  echo "bootstrap: missing packages; run as root:" >&2
  echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
  exit 1
fi
