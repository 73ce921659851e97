// Planted beside the wizard under the name of a DLL it loads: if the loader
// ever takes it, it appends its own path to C:\planted-loaded.txt.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH)
        return TRUE;
    char path[MAX_PATH * 4] = {};
    const DWORD length = GetModuleFileNameA(instance, path, sizeof path - 2);
    path[length] = '\r';
    path[length + 1] = '\n';
    HANDLE marker = CreateFileA("C:\\planted-loaded.txt", FILE_APPEND_DATA, FILE_SHARE_READ,
                                nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(marker, path, length + 2, &written, nullptr);
        CloseHandle(marker);
    }
    return TRUE;
}
