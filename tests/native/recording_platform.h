#pragma once

// A stand-in for the spooler, the system and the wizard's progress and message
// display at once, so that one log holds every call in the order the engine
// made them. Records are copied out while the call runs: the engine's texts
// live only as long as the call does.

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "install/engine.h"
#include "platform/spooler.h"
#include "platform/system.h"

namespace recording {

struct Call {
    std::string name;
    std::vector<std::string> args;

    bool operator==(const Call&) const = default;
};

inline void PrintTo(const Call& call, std::ostream* out) {
    *out << call.name << "(";
    for (std::size_t i = 0; i < call.args.size(); ++i) {
        *out << (i == 0 ? "" : ", ") << ::testing::PrintToString(call.args[i]);
    }
    *out << ")";
}

inline std::ostream& operator<<(std::ostream& out, const Call& call) {
    PrintTo(call, &out);
    return out;
}

using CallLog = std::vector<Call>;

constexpr const char* kNull = "<null>";

inline std::string Text(const char* text) {
    return text == nullptr ? kNull : text;
}

// The list's bytes up to and including the empty name that closes it.
inline std::string NameList(const char* list) {
    if (list == nullptr) {
        return kNull;
    }
    std::size_t end = 0;
    while (list[end] != '\0' || (end > 0 && list[end - 1] != '\0')) {
        ++end;
    }
    return std::string(list, end + 1);
}

class RecordingPlatform : public Spooler, public System, public InstallReporter {
  public:
    std::string driverDirectory = "C:\\windows\\system32\\spool\\drivers\\w32x86";
    CallLog log;

    // Makes the nth call (counting from 1) of that name fail with `error`.
    void Fail(const std::string& name, int nth, ErrorCode error) { failures_[{name, nth}] = error; }

    std::string SystemText(ErrorCode error) const { return "system text " + std::to_string(error); }

    // Spooler
    ErrorCode GetPrinterDriverDirectory(const char* environment, std::string& directory) override {
        const ErrorCode error = Record("GetPrinterDriverDirectory", {Text(environment)});
        directory = error == 0 ? driverDirectory : std::string();
        return error;
    }
    ErrorCode AddPrinterDriver(const DriverRecord& r) override {
        return Record("AddPrinterDriver",
                      {std::to_string(r.version), Text(r.name), Text(r.environment),
                       Text(r.driverPath), Text(r.dataFile), Text(r.configFile), Text(r.helpFile),
                       NameList(r.dependentFiles), Text(r.monitorName), Text(r.defaultDataType)});
    }
    PrinterHandle AddPrinter(const PrinterRecord& r, ErrorCode& error) override {
        error = Record("AddPrinter", {Text(r.printerName), Text(r.portName), Text(r.driverName),
                                      Text(r.printProcessor), Text(r.datatype)});
        return error == 0 ? &printer_ : nullptr;
    }
    void ClosePrinter(PrinterHandle printer) override {
        Record("ClosePrinter", {printer == &printer_ ? "printer" : HandleName(printer)});
    }
    PortList EnumPorts() override {
        Record("EnumPorts", {});
        return {};
    }
    MonitorList EnumMonitors() override {
        Record("EnumMonitors", {});
        return {};
    }
    void AddPort(WindowHandle, const char* monitorName) override {
        Record("AddPort", {Text(monitorName)});
    }
    void ConfigurePort(WindowHandle, const char* portName) override {
        Record("ConfigurePort", {Text(portName)});
    }

    // System
    ErrorCode CopyFile(const std::string& source, const std::string& destination) override {
        return Record("CopyFile", {source, destination});
    }
    ErrorCode OpenKeyForWriting(RegistryRoot root, const char* subKey, RegistryKey& key) override {
        const ErrorCode error =
            Record("OpenKeyForWriting",
                   {root == RegistryRoot::CurrentUser ? "HKCU" : "HKLM", Text(subKey)});
        key = nullptr;
        if (error == 0 && opened_ < keys_.size()) {
            key = &keys_[opened_++];
        }
        return error;
    }
    ErrorCode SetStringValue(RegistryKey key, const char* name, const char* text,
                             std::uint32_t size) override {
        // Exactly the bytes the registry would store, so a size that drops the
        // NUL or runs past it shows.
        return Record("SetStringValue", {KeyName(key), Text(name),
                                         text == nullptr ? kNull : std::string(text, size)});
    }
    void CloseKey(RegistryKey key) override { Record("CloseKey", {KeyName(key)}); }
    void Sleep(std::uint32_t milliseconds) override {
        Record("Sleep", {std::to_string(milliseconds)});
    }
    std::string ErrorText(ErrorCode error) override {
        Record("ErrorText", {std::to_string(error)});
        // As the system gives it: with a line break of its own.
        return SystemText(error) + "\r\n";
    }

    // InstallReporter
    void ReportProgress(int percent) override {
        Record("ReportProgress", {std::to_string(percent)});
    }
    void ShowMessage(const std::string& text) override { Record("ShowMessage", {text}); }

  private:
    ErrorCode Record(const std::string& name, std::vector<std::string> args) {
        log.push_back({name, std::move(args)});
        const auto failure = failures_.find({name, ++counts_[name]});
        return failure == failures_.end() ? 0 : failure->second;
    }

    std::string KeyName(RegistryKey key) const {
        for (std::size_t i = 0; i < opened_; ++i) {
            if (key == &keys_[i]) {
                return "key" + std::to_string(i + 1);
            }
        }
        return HandleName(key);
    }

    static std::string HandleName(const void* handle) {
        return handle == nullptr ? kNull : "<unknown handle>";
    }

    std::map<std::pair<std::string, int>, ErrorCode> failures_;
    std::map<std::string, int> counts_;
    char printer_ = 0;
    std::array<char, 4> keys_{};
    std::size_t opened_ = 0;
};

}  // namespace recording
