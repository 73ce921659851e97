#!/usr/bin/env bash
# The Wine test bench: an Xvfb display and one template prefix per
# architecture, made once per test run and copied for every test.
#   bench.sh start DIR    bench.sh stop DIR
set -euo pipefail
action=$1
dir=$2
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all

make_prefix() {
    local prefix=$1 arch=$2
    rm -rf "$prefix"
    WINEARCH=$arch WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
    # Dialogs ask for "宋体"; name the CJK font that stands in for it, and
    # let no crash dialog wait for a click.
    WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
    WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    WINEPREFIX=$prefix wineserver -w
}

case $action in
start)
    mkdir -p "$dir"
    "$0" stop "$dir" || true
    display=""
    for n in $(seq 90 140); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=$n; break; fi
    done
    [ -n "$display" ] || { echo "no free X display" >&2; exit 1; }
    setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 < /dev/null &
    echo $! > "$dir/xvfb.pid"
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
    [ -e "/tmp/.X11-unix/X$display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; exit 1; }
    echo ":$display" > "$dir/display"
    export DISPLAY=":$display"
    make_prefix "$dir/template-win32" win32 &
    win32=$!
    make_prefix "$dir/template-win64" win64 &
    win64=$!
    wait "$win32" "$win64"
    for arch in win32 win64; do
        [ -f "$dir/template-$arch/system.reg" ] || { echo "prefix $arch was not made" >&2; exit 1; }
    done
    echo "bench ready on DISPLAY=:$display"
    ;;
stop)
    for arch in win32 win64; do
        [ -d "$dir/template-$arch" ] && WINEPREFIX="$dir/template-$arch" wineserver -k 2>/dev/null || true
    done
    if [ -f "$dir/xvfb.pid" ]; then kill "$(cat "$dir/xvfb.pid")" 2>/dev/null || true; rm -f "$dir/xvfb.pid"; fi
    rm -rf "$dir"/template-* "$dir"/run.*
    ;;
esac
