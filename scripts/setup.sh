#!/usr/bin/env bash
# Installs, from Debian packages, everything the build, the wizard's run and
# the tests need on a fresh Debian bookworm machine. Safe to run again.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    exec sudo --preserve-env=DEBIAN_FRONTEND "$0" "$@"
fi
export DEBIAN_FRONTEND=noninteractive

packages=(
    cmake make g++ libgtest-dev googletest clang-format         # native build and unit tests
    g++-mingw-w64-i686 binutils-mingw-w64-i686                 # the 32-bit Windows product
    wine wine32:i386 wine64                                     # Wine, the reference platform
    xvfb x11-apps imagemagick                                   # a display and screenshots
    fonts-wqy-zenhei locales                                    # Chinese text under zh_CN.UTF-8
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page from the locale: zh_CN.UTF-8 gives 936.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
    localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
echo "setup: everything is installed"
