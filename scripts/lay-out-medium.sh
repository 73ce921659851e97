#!/usr/bin/env bash
# Lays out an installation medium in DIR: the wizard at its root, the eight
# driver files of each model and architecture under "Printer Driver", and the
# USB installers under "USB Driver". Driver files are placeholders unless
# DRIVER_SOURCE names a folder with real x86/ and x64/ subfolders.
#   lay-out-medium.sh DIR BUILD_DIR
set -euo pipefail
dir=$1
build=$2
mkdir -p "$dir"
cp "$build/OstrelSetup.exe" "$dir/"
for arch in x86 x64; do
    mkdir -p "$dir/Printer Driver/$arch" "$dir/USB Driver/$arch"
    for file in TP58.DLL RP76.DLL TP80.DLL 58Printer.GPD 76Printer.GPD 80Printer.GPD \
                uniDRVui.DLL uniDRV.DLL UNIDRV.HLP UNIRES.DLL TTFSUB.GPD STDNAMES.GPD; do
        if [ -n "${DRIVER_SOURCE:-}" ]; then
            cp "$DRIVER_SOURCE/$arch/$file" "$dir/Printer Driver/$arch/$file"
        else
            printf 'placeholder %s for %s\r\n' "$file" "$arch" > "$dir/Printer Driver/$arch/$file"
        fi
    done
    cp "$build/placeholder_dpinst.exe" "$dir/USB Driver/$arch/dpinst$arch.exe"
done
