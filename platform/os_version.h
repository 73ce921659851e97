#pragma once

// The class of Windows version the wizard runs on. Shown on the first page and
// consulted by the completion message; the installation itself ignores it.
enum OsClass : int {
    OS_UNKNOWN = 0,
    OS_WIN95 = 1,
    OS_WIN98 = 2,
    OS_NT4 = 3,
    OS_WIN2000 = 4,
    OS_WINXP = 5,
    OS_WIN2003 = 6,
    OS_VISTA = 7,
    OS_WIN7 = 8,
    OS_WIN8 = 9,
};

enum Architecture { ARCH_X86, ARCH_X64 };

// Classifies a reported version. Returns `current` for versions the wizard
// does not know (NT 5.3, 6.3, 7+; 9x other than 4.0/4.10/4.90), so a caller
// that keeps its value on "unknown" can pass it straight through.
OsClass ClassifyOsVersion(unsigned long platformId, unsigned long major, unsigned long minor,
                          OsClass current);

#ifdef _WIN32
// Writes the running system's class into g_osClass, or leaves it as it is
// when the version query fails or the version is not one of the table's.
void DetectOsClass();

// True exactly when the process runs under WOW64 (a 32-bit wizard on 64-bit
// Windows). IsWow64Process is looked up at run time: Windows 2000 lacks it.
bool IsRunningUnderWow64();

inline Architecture CurrentArchitecture() {
    return IsRunningUnderWow64() ? ARCH_X64 : ARCH_X86;
}
#endif
