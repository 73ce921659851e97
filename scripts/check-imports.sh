#!/usr/bin/env bash
# The executable must import only system DLLs that the loader never takes
# from the program's folder, and only functions that Windows XP has;
# winspool.drv is delay-loaded and so is not among them.
set -euo pipefail
exe=$1
allowed="ADVAPI32.dll COMCTL32.DLL KERNEL32.dll msvcrt.dll SHELL32.dll USER32.dll"
imports=$(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
status=0
for dll in $imports; do
    case " $allowed " in
        *" $dll "*) ;;
        *) echo "imports: $exe imports $dll, which is not allowed" >&2; status=1 ;;
    esac
done
# Functions newer than XP are looked up at run time, never imported.
for newer in SetDefaultDllDirectories IsWow64Process GetTickCount64 GetFinalPathNameByHandleA; do
    if i686-w64-mingw32-objdump -p "$exe" | grep -qw "$newer"; then
        echo "imports: $exe imports $newer, which Windows XP lacks" >&2
        status=1
    fi
done
[ $status -eq 0 ] && echo "imports: $(echo $imports)"
exit $status
