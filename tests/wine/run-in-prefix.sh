#!/usr/bin/env bash
# Runs one Wine test in a throwaway copy of the bench's template prefix, with
# a fresh medium at C:\medium. Suites whose name ends in 64 run in the 64-bit
# prefix, all others in the 32-bit one.
#   run-in-prefix.sh BENCH_DIR BUILD_DIR TEST_EXE [gtest arguments]
set -uo pipefail
bench=$1 build=$2 exe=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)

arch=win32
for arg in "$@"; do
    case $arg in --gtest_filter=*64.*) arch=win64 ;; esac
done
template=$bench/template-$arch
[ -f "$template/system.reg" ] || { echo "no template prefix: run the wine.bench.start test first" >&2; exit 1; }

run=$(mktemp -d "$bench/run.XXXXXX")
prefix=$run/prefix
cleanup() { WINEPREFIX=$prefix wineserver -k 2>/dev/null; rm -rf "$run"; }
trap cleanup EXIT

# The DLL folders are only read, so they are linked, not copied.
mkdir -p "$prefix"
tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 -cf - . | tar -C "$prefix" -xf -
for lib in system32 syswow64; do
    [ -d "$template/drive_c/windows/$lib" ] && cp -al "$template/drive_c/windows/$lib" "$prefix/drive_c/windows/"
done

"$here/../../scripts/lay-out-medium.sh" "$prefix/drive_c/medium" "$build"
mkdir -p "$prefix/drive_c/artifacts"
cp "$build/planted.dll" "$exe" "$prefix/drive_c/artifacts/"

export WINEPREFIX=$prefix WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export DISPLAY=$(cat "$bench/display")
cd "$prefix/drive_c/artifacts"
wine "$(basename "$exe")" "$@"
