#include <windows.h>

#include "app/wizard_state.h"
#include "platform/os_version.h"

void DetectOsClass() {
    OSVERSIONINFOEXA info;
    ZeroMemory(&info, sizeof info);
    static_assert(sizeof info == 156, "OSVERSIONINFOEXA is 156 bytes");
    info.dwOSVersionInfoSize = sizeof info;
    auto* plain = reinterpret_cast<OSVERSIONINFOA*>(&info);
    if (!GetVersionExA(plain)) {
        // Systems older than NT4 SP6 and Windows 98 only take the plain record.
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
        if (!GetVersionExA(plain))
            return;
    }
    g_osClass =
        ClassifyOsVersion(info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, g_osClass);
}

bool IsRunningUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    BOOL flag = 0;
    HMODULE kernel = GetModuleHandleA("kernel32");
    auto isWow64Process = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    if (isWow64Process)
        isWow64Process(GetCurrentProcess(), &flag);
    return flag == TRUE;
}
