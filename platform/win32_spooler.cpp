#include <windows.h>

#include <winspool.h>

#include "platform/spooler.h"

namespace {
// The two-call enumeration: ask for the size, then fill a buffer of exactly
// that size. A failed call leaves the count at 0.
template <class Enumerate>
std::vector<unsigned char> Enumerate2(Enumerate enumerate, DWORD& count) {
    DWORD needed = 0;
    count = 0;
    enumerate(nullptr, 0, &needed, &count);
    std::vector<unsigned char> buffer(needed);
    count = 0;
    if (needed == 0 || !enumerate(buffer.data(), needed, &needed, &count))
        count = 0;
    return buffer;
}

class Win32Spooler final : public Spooler {
  public:
    ErrorCode GetPrinterDriverDirectory(const char* environment, std::string& directory) override {
        // 255 bytes hold every ordinary driver directory; a longer one is
        // fetched whole with the size the spooler asks for.
        std::string buffer(255, '\0');
        DWORD needed = 0;
        BOOL ok =
            ::GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), 1,
                                         reinterpret_cast<BYTE*>(buffer.data()), 255, &needed);
        if (!ok && GetLastError() == ERROR_INSUFFICIENT_BUFFER && needed > buffer.size()) {
            buffer.assign(needed, '\0');
            ok = ::GetPrinterDriverDirectoryA(nullptr, const_cast<char*>(environment), 1,
                                              reinterpret_cast<BYTE*>(buffer.data()), needed,
                                              &needed);
        }
        if (!ok) {
            const DWORD error = GetLastError();
            directory.clear();
            return error ? error : ERROR_INVALID_FUNCTION;
        }
        directory.assign(buffer.c_str());
        return ERROR_SUCCESS;
    }

    ErrorCode AddPrinterDriver(const DriverRecord& record) override {
        DRIVER_INFO_3A info{};
        info.cVersion = record.version;
        info.pName = const_cast<char*>(record.name);
        info.pEnvironment = const_cast<char*>(record.environment);
        info.pDriverPath = const_cast<char*>(record.driverPath);
        info.pDataFile = const_cast<char*>(record.dataFile);
        info.pConfigFile = const_cast<char*>(record.configFile);
        info.pHelpFile = const_cast<char*>(record.helpFile);
        info.pDependentFiles = const_cast<char*>(record.dependentFiles);
        info.pMonitorName = const_cast<char*>(record.monitorName);
        info.pDefaultDataType = const_cast<char*>(record.defaultDataType);
        if (::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&info)))
            return ERROR_SUCCESS;
        const DWORD error = GetLastError();
        return error ? error : ERROR_INVALID_FUNCTION;
    }

    PrinterHandle AddPrinter(const PrinterRecord& record, ErrorCode& error) override {
        PRINTER_INFO_2A info{};
        info.pPrinterName = const_cast<char*>(record.printerName);
        info.pPortName = const_cast<char*>(record.portName);
        info.pDriverName = const_cast<char*>(record.driverName);
        info.pPrintProcessor = const_cast<char*>(record.printProcessor);
        info.pDatatype = const_cast<char*>(record.datatype);
        HANDLE printer = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&info));
        error = printer ? ERROR_SUCCESS : GetLastError();
        if (!printer && error == ERROR_SUCCESS)
            error = ERROR_INVALID_FUNCTION;
        return printer;
    }

    void ClosePrinter(PrinterHandle printer) override { ::ClosePrinter(printer); }

    PortList EnumPorts() override {
        PortList list;
        DWORD count = 0;
        list.buffer = Enumerate2(
            [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
                return ::EnumPortsA(nullptr, 2, buffer, size, needed, returned);
            },
            count);
        const auto* records = reinterpret_cast<const PORT_INFO_2A*>(list.buffer.data());
        list.entries.reserve(count);
        for (DWORD i = 0; i < count; ++i)
            list.entries.push_back({records[i].pPortName, records[i].pDescription});
        return list;
    }

    MonitorList EnumMonitors() override {
        MonitorList list;
        DWORD count = 0;
        list.buffer = Enumerate2(
            [](BYTE* buffer, DWORD size, DWORD* needed, DWORD* returned) {
                return ::EnumMonitorsA(nullptr, 1, buffer, size, needed, returned);
            },
            count);
        const auto* records = reinterpret_cast<const MONITOR_INFO_1A*>(list.buffer.data());
        list.entries.reserve(count);
        for (DWORD i = 0; i < count; ++i)
            list.entries.push_back(records[i].pName);
        return list;
    }

    void AddPort(WindowHandle owner, const char* monitorName) override {
        ::AddPortA(nullptr, static_cast<HWND>(owner), const_cast<char*>(monitorName));
    }

    void ConfigurePort(WindowHandle owner, const char* portName) override {
        ::ConfigurePortA(nullptr, static_cast<HWND>(owner), const_cast<char*>(portName));
    }
};
}  // namespace

Spooler& SystemSpooler() {
    static Win32Spooler spooler;
    return spooler;
}
