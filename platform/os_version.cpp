#include "platform/os_version.h"

namespace {
constexpr unsigned long kPlatformWin9x = 1;  // VER_PLATFORM_WIN32_WINDOWS
constexpr unsigned long kPlatformNt = 2;     // VER_PLATFORM_WIN32_NT
}  // namespace

OsClass ClassifyOsVersion(unsigned long platformId, unsigned long major, unsigned long minor,
                          OsClass current) {
    if (platformId == kPlatformWin9x) {
        if (major != 4)
            return current;
        switch (minor) {
            case 0:
                return OS_WIN95;
            case 10:
                return OS_WIN98;
            case 90:
                return OS_WIN98;  // Windows Me
            default:
                return current;
        }
    }
    if (platformId == kPlatformNt) {
        if (major <= 4)
            return OS_NT4;
        if (major == 5) {
            switch (minor) {
                case 0:
                    return OS_WIN2000;
                case 1:
                    return OS_WINXP;
                case 2:
                    return OS_WIN2003;  // also XP x64
                default:
                    return current;
            }
        }
        if (major == 6) {
            switch (minor) {
                case 0:
                    return OS_VISTA;
                case 1:
                    return OS_WIN7;
                // Windows 8 and every later release report 6.2 to a program
                // whose manifest declares no supported systems.
                case 2:
                    return OS_WIN8;
                default:
                    return current;
            }
        }
        return current;
    }
    return OS_WIN7;
}
