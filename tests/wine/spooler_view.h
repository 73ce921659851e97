#pragma once

// What the prefix's spooler holds, asked from the test program's side.

#include <windows.h>

#include <string>
#include <vector>

namespace wine_test {

struct DriverView {
    bool found = false;
    DWORD version = 0;
    std::string environment, driverPath, dataFile, configFile, helpFile, monitorName,
        defaultDataType;
    std::vector<std::string> dependentFiles;
};

struct PrinterView {
    bool found = false;
    std::string port, driver, printProcessor, datatype;
};

std::string DriverDirectory(const char* environment);
DriverView FindDriver(const char* environment, const char* name);
PrinterView FindPrinter(const char* name);
std::vector<std::string> PrinterNames();
std::vector<std::string> PortNames();
// Registers a driver of that name for an environment from placeholder files,
// as an earlier installation would have left it.
void RegisterPlaceholderDriver(const char* environment, const char* name);

}  // namespace wine_test
