#!/usr/bin/env bash
# Installs a built tree to a temporary prefix and builds and runs the consumer projects against it:
# one through find_package(Kestrow), one through pkg-config, and, where the tree built the Qt
# widget, a Qt application through find_package(Kestrow COMPONENTS qt); then one that builds this
# source tree with FetchContent. Usage: tests/consumer/run.sh BUILD_DIR
set -euo pipefail
build=$(realpath "$1")
here=$(realpath "$(dirname "$0")")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" >/dev/null

# What users get must not hold this project's warning flags.
if grep -l -e '-W' -r "$prefix"/lib*/cmake/Kestrow "$prefix"/lib*/pkgconfig; then
  echo "consumer: warning flags leak into the files above" >&2
  exit 1
fi

# A tree that built the Designer plugin installs it where Designer looks under the prefix.
if [ -f "$build/plugins/designer/libkestrow_designer.so" ] &&
  ! compgen -G "$prefix/lib*/qt6/plugins/designer/libkestrow_designer.so" >/dev/null; then
  echo "consumer: the Designer plugin is not installed under $prefix" >&2
  exit 1
fi

pkgconfig_dir=$(dirname "$(find "$prefix" -name kestrow.pc)")
consumers=(find_package pkg_config)
[ -f "$prefix/include/kestrow/qt/text_widget.h" ] && consumers+=(qt)
for consumer in "${consumers[@]}"; do
  echo "consumer: $consumer"
  PKG_CONFIG_PATH=$pkgconfig_dir cmake -S "$here/$consumer" -B "$work/$consumer" \
    -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$work/$consumer" -j "${JOBS:-2}" >/dev/null
  "$work/$consumer/date_field"
done

echo "consumer: fetch_content"
cmake -S "$here/fetch_content" -B "$work/fetch_content" -DFETCHCONTENT_SOURCE_DIR_KESTROW="$here/../.." \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$work/fetch_content" -j "${JOBS:-2}" >/dev/null
"$work/fetch_content/date_field"
