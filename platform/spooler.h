#pragma once

// The print spooler as the wizard uses it: eight operations, each made as the
// ANSI call for the local machine. Pages and the installation engine reach
// the spooler only through this interface; Win32Spooler makes the real calls
// and native tests put a recording double in its place.

#include <cstdint>
#include <string>
#include <vector>

using WindowHandle = void*;       // HWND
using PrinterHandle = void*;      // HANDLE from AddPrinterA, null on failure
using ErrorCode = std::uint32_t;  // a Win32 error code, 0 for success

// The fields of a level-3 driver record (DRIVER_INFO_3A). The strings point
// into the caller's storage; dependentFiles is a list of NUL-terminated
// names closed by an empty name.
struct DriverRecord {
    std::uint32_t version;
    const char* name;
    const char* environment;
    const char* driverPath;
    const char* dataFile;
    const char* configFile;
    const char* helpFile;
    const char* dependentFiles;
    const char* monitorName;
    const char* defaultDataType;
};

// The five fields of a level-2 printer record (PRINTER_INFO_2A) that the
// wizard sets; every other field is null or zero.
struct PrinterRecord {
    const char* printerName;
    const char* portName;
    const char* driverName;
    const char* printProcessor;
    const char* datatype;
};

struct PortEntry {
    const char* name;         // may be null
    const char* description;  // may be null
};

// An enumeration's records; the texts live in the enumeration's own buffer,
// which goes when the list goes.
template <class Entry>
struct SpoolerList {
    std::vector<unsigned char> buffer;
    std::vector<Entry> entries;
};
using PortList = SpoolerList<PortEntry>;
using MonitorList = SpoolerList<const char*>;  // monitor names, null kept

class Spooler {
  public:
    virtual ~Spooler() = default;

    // The spooler's printer-driver directory for an environment, whole
    // whatever its length; empty with the error on failure.
    virtual ErrorCode GetPrinterDriverDirectory(const char* environment,
                                                std::string& directory) = 0;
    virtual ErrorCode AddPrinterDriver(const DriverRecord& record) = 0;
    virtual PrinterHandle AddPrinter(const PrinterRecord& record, ErrorCode& error) = 0;
    virtual void ClosePrinter(PrinterHandle printer) = 0;
    // Level-2 ports and level-1 monitors, by the two-call enumeration with a
    // buffer of exactly the needed size; empty when the enumeration fails.
    virtual PortList EnumPorts() = 0;
    virtual MonitorList EnumMonitors() = 0;
    // Run the monitor's own modal dialogs, owned by `owner`.
    virtual void AddPort(WindowHandle owner, const char* monitorName) = 0;
    virtual void ConfigurePort(WindowHandle owner, const char* portName) = 0;
};

#ifdef _WIN32
// The real spooler (winspool.drv, delay-loaded from System32).
Spooler& SystemSpooler();
#endif
