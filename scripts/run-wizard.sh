#!/usr/bin/env bash
# Sets everything up, builds the wizard, lays out a demo medium and runs the
# wizard from it in a fresh 32-bit Wine prefix. With a display it opens the
# wizard for you; without one (or with WALKTHROUGH=1) a scripted walk-through
# goes through every page, saves a screenshot of each in build/demo/screenshots
# and installs the first model on LPT1:. Either way it then prints what the
# spooler, the driver directory and the registry hold.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

bash scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target OstrelSetup placeholder_dpinst walkthrough

build=$root/build/windows
demo=$root/build/demo
prefix=$demo/prefix
rm -rf "$demo"
mkdir -p "$demo/screenshots"

export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEPREFIX=$prefix WINEARCH=win32
xvfb_pid=""
cleanup() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

list_driver_directory() {
    echo "driver directory C:\windows\system32\spool\drivers\w32x86:"
    (cd "$prefix/drive_c/windows/system32/spool/drivers/w32x86" && find . -type f -printf '  %P  %s bytes\n' | sort)
}

interactive=1
if [ -z "${DISPLAY:-}" ] || [ -n "${CI:-}" ] || [ "${WALKTHROUGH:-0}" = 1 ]; then
    interactive=0
    for n in $(seq 150 199); do
        if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then export DISPLAY=:$n; break; fi
    done
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 1 100); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
fi

echo "== Making a fresh 32-bit Wine prefix in $prefix"
WINEDLLOVERRIDES="mscoree,mshtml=" wineboot -i >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /d 'WenQuanYi Zen Hei' /f >/dev/null 2>&1
# Every real Windows has the key that holds the default printer.
wine reg add 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Windows' /f >/dev/null 2>&1

medium=$prefix/drive_c/medium
echo "== Laying out the demo medium in C:\\medium ($medium)"
bash scripts/lay-out-medium.sh "$medium" "$build"
cp "$build/walkthrough.exe" "$prefix/drive_c/"

if [ "$interactive" = 1 ]; then
    echo "== Starting the wizard on $DISPLAY; close it to see what it installed"
    (cd "$medium" && wine OstrelSetup.exe)
    wine 'C:\walkthrough.exe' --report
    list_driver_directory
else
    echo "== No display: walking through the wizard on $DISPLAY"
    status=0
    mkdir -p "$prefix/drive_c/screenshots"
    wine 'C:\walkthrough.exe' 'C:\screenshots' || status=$?
    wine 'C:\walkthrough.exe' --report
    list_driver_directory
    for shot in "$prefix"/drive_c/screenshots/*.bmp; do
        [ -e "$shot" ] || continue
        convert "$shot" "$demo/screenshots/$(basename "${shot%.bmp}").png"
    done
    echo "== Screenshots:"
    ls -1 "$demo"/screenshots/*.png
    exit $status
fi
