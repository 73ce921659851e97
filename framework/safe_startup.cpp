// The program may be started from a download folder, where a DLL planted
// beside it would be loaded in place of the system's. Before anything else
// runs, the DLL search is confined to System32, and the DLLs that the program
// delay-loads are loaded from System32 by full path on every system.

#include <windows.h>

#include <delayimp.h>

#include <string>

namespace {
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFn = BOOL(WINAPI*)(LPCSTR);

constexpr DWORD kSearchSystem32 = 0x00000800;  // LOAD_LIBRARY_SEARCH_SYSTEM32

template <class Fn>
Fn Kernel32Function(const char* name) {
    return reinterpret_cast<Fn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), name)));
}

void RestrictDllSearchPath() {
    if (auto setDefault =
            Kernel32Function<SetDefaultDllDirectoriesFn>("SetDefaultDllDirectories")) {
        setDefault(kSearchSystem32);
        return;
    }
    // Older systems (XP, Vista and 7 without KB2533623): at least take the
    // current directory, the medium's root, out of the search. The program's
    // own folder stays searched there, which the hook below makes harmless
    // for the DLLs this program loads itself.
    if (auto setDllDirectory = Kernel32Function<SetDllDirectoryFn>("SetDllDirectoryA")) {
        setDllDirectory("");
    }
}

// Delay-loaded DLLs come from System32 by full path, so no search is made.
FARPROC WINAPI LoadDelayedFromSystem32(unsigned notification, PDelayLoadInfo info) {
    if (notification != dliNotePreLoadLibrary || !info || !info->szDll)
        return nullptr;
    const UINT length = GetSystemDirectoryA(nullptr, 0);
    if (length == 0)
        return nullptr;
    std::string path(length, '\0');
    const UINT written = GetSystemDirectoryA(path.data(), length);
    if (written == 0 || written >= length)
        return nullptr;
    path.resize(written);
    path += '\\';
    path += info->szDll;
    return reinterpret_cast<FARPROC>(
        LoadLibraryExA(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
}  // namespace

extern "C" {
PfnDliHook __pfnDliNotifyHook2 = LoadDelayedFromSystem32;

int WinMainCRTStartup();

// The executable's entry point (see the link options): confine DLL loading,
// then start the C runtime, which calls WinMain.
int SafeStartup() {
    RestrictDllSearchPath();
    return WinMainCRTStartup();
}
}
