#include "spooler_view.h"

#include <winspool.h>

#include <gtest/gtest.h>

namespace wine_test {
namespace {
std::string Str(const char* text) {
    return text ? text : "";
}

std::vector<BYTE> Enumerate(BOOL (*call)(BYTE*, DWORD, DWORD*, DWORD*), DWORD& count) {
    DWORD needed = 0;
    count = 0;
    call(nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (!call(buffer.data(), needed, &needed, &count))
        count = 0;
    return buffer;
}
}  // namespace

std::string DriverDirectory(const char* environment) {
    char directory[MAX_PATH * 4] = {};
    DWORD needed = 0;
    GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), 1,
                               reinterpret_cast<BYTE*>(directory), sizeof directory, &needed);
    return directory;
}

DriverView FindDriver(const char* environment, const char* name) {
    static const char* env;
    env = environment;
    DWORD count = 0;
    std::vector<BYTE> buffer = Enumerate(
        [](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrinterDriversA(nullptr, const_cast<char*>(env), 3, b, size, needed,
                                       returned);
        },
        count);
    DriverView view;
    const auto* drivers = reinterpret_cast<const DRIVER_INFO_3A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (Str(drivers[i].pName) != name)
            continue;
        view.found = true;
        view.version = drivers[i].cVersion;
        view.environment = Str(drivers[i].pEnvironment);
        view.driverPath = Str(drivers[i].pDriverPath);
        view.dataFile = Str(drivers[i].pDataFile);
        view.configFile = Str(drivers[i].pConfigFile);
        view.helpFile = Str(drivers[i].pHelpFile);
        view.monitorName = Str(drivers[i].pMonitorName);
        view.defaultDataType = Str(drivers[i].pDefaultDataType);
        for (const char* file = drivers[i].pDependentFiles; file && *file;
             file += strlen(file) + 1) {
            view.dependentFiles.push_back(file);
        }
    }
    return view;
}

PrinterView FindPrinter(const char* name) {
    PrinterView view;
    HANDLE printer = nullptr;
    if (!OpenPrinterA(const_cast<char*>(name), &printer, nullptr))
        return view;
    DWORD needed = 0;
    GetPrinterA(printer, 2, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    if (GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
        view.found = true;
        view.port = Str(info->pPortName);
        view.driver = Str(info->pDriverName);
        view.printProcessor = Str(info->pPrintProcessor);
        view.datatype = Str(info->pDatatype);
    }
    ClosePrinter(printer);
    return view;
}

std::vector<std::string> PrinterNames() {
    DWORD count = 0;
    std::vector<BYTE> buffer = Enumerate(
        [](BYTE* b, DWORD size, DWORD* needed, DWORD* returned) {
            return EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 4, b, size, needed, returned);
        },
        count);
    std::vector<std::string> names;
    const auto* printers = reinterpret_cast<const PRINTER_INFO_4A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        names.push_back(Str(printers[i].pPrinterName));
    return names;
}

std::vector<std::string> PortNames() {
    DWORD count = 0;
    std::vector<BYTE> buffer =
        Enumerate([](BYTE* b, DWORD size, DWORD* needed,
                     DWORD* returned) { return EnumPortsA(nullptr, 2, b, size, needed, returned); },
                  count);
    std::vector<std::string> names;
    const auto* ports = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        names.push_back(Str(ports[i].pPortName));
    return names;
}

void RegisterPlaceholderDriver(const char* environment, const char* name) {
    const std::string directory = DriverDirectory(environment);
    ASSERT_FALSE(directory.empty()) << environment;
    CreateDirectoryA(directory.c_str(), nullptr);
    for (const char* file : {"PLACEHOLDER.DRV", "PLACEHOLDER.GPD", "PLACEHOLDERUI.DLL"}) {
        const std::string path = directory + "\\" + file;
        HANDLE handle =
            CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        WriteFile(handle, "placeholder", 11, &written, nullptr);
        CloseHandle(handle);
    }
    std::string driver = directory + "\\PLACEHOLDER.DRV", data = directory + "\\PLACEHOLDER.GPD",
                config = directory + "\\PLACEHOLDERUI.DLL";
    DRIVER_INFO_3A info{};
    info.cVersion = 3;
    info.pName = const_cast<char*>(name);
    info.pEnvironment = const_cast<char*>(environment);
    info.pDriverPath = driver.data();
    info.pDataFile = data.data();
    info.pConfigFile = config.data();
    info.pDefaultDataType = const_cast<char*>("RAW");
    ASSERT_TRUE(AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info))) << GetLastError();
}

}  // namespace wine_test
