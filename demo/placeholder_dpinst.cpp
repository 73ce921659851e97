// Stands in for DPInst on the demo and test media: it records that it ran,
// with its own path and current directory, in C:\usb-installer-runs.txt.

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::string line(32768, '\0');
    line.resize(GetModuleFileNameA(nullptr, line.data(), static_cast<DWORD>(line.size())));
    std::string directory(32768, '\0');
    directory.resize(GetCurrentDirectoryA(static_cast<DWORD>(directory.size()), directory.data()));
    line += '|';
    line += directory;
    line += "\r\n";
    HANDLE log = CreateFileA("C:\\usb-installer-runs.txt", FILE_APPEND_DATA, FILE_SHARE_READ,
                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return 1;
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
    return 0;
}
