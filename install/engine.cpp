#include "install/engine.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr ErrorCode kErrorAccessDenied = 5;
// A printer of that name from an earlier installation: installing again over
// it is normal, the driver has just been registered anew beneath it.
constexpr ErrorCode kErrorPrinterAlreadyExists = 1802;

constexpr std::uint32_t kDriverRecordVersion = 2;
constexpr std::uint32_t kPauseBeforeDoneMs = 500;

const char* const kDefaultPrinterKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char* const kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char* const kRegistryFailureMessage = "错误：无法设置有关的注册表信息";
const char* const kAdministratorHint = "需要管理员权限：请以管理员身份运行本程序。";

// The spooler reads the dependent files as NUL-terminated names closed by an
// empty one. These three are the same for every model; the model's DLL and the
// closing NUL follow them.
constexpr char kDependentFilesBlock[] = "\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD";
static_assert(sizeof kDependentFilesBlock == 38, "the fixed block and its three terminators");

// No language monitor. The record still carries a valid empty text rather than
// a null pointer, so the spooler is never left to decide what null means.
const char kNoMonitor[] = "";

// Indexed by the settings page's port combo: LPT1-3, then COM1-4.
constexpr std::array<const char*, 7> kPortValueNames = {
    "LPT1:", "LPT2:", "LPT3:", "COM1:", "COM2:", "COM3:", "COM4:"};
constexpr int kFirstSerialPortIndex = 3;

// Indexed by the selections of the settings page's serial combos, whose items
// stand in the same order.
constexpr std::array<const char*, 9> kBaudRates = {"300",   "1200",  "2400",  "4800",  "9600",
                                                   "19200", "38400", "57600", "115200"};
constexpr std::array<const char*, 5> kParityCodes = {"E", "M", "N", "O", "S"};
constexpr std::array<const char*, 4> kDataBits = {"5", "6", "7", "8"};
constexpr std::array<const char*, 3> kStopBits = {"1", "1.5", "2"};
// "None" is a space, not an empty field: that is how the Ports value spells it.
constexpr std::array<const char*, 3> kFlowCodes = {" ", "x", "p"};

template <std::size_t N>
const char* Pick(const std::array<const char*, N>& table, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N) {
        return nullptr;
    }
    return table[static_cast<std::size_t>(index)];
}

bool IsKnownModel(ModelIndex model) {
    return model >= 0 && model < kModelCount;
}

struct Variant {
    const char* environment;
    const char* sourceFolder;
};

Variant VariantFor(Architecture architecture) {
    if (architecture == ARCH_X64) {
        return {"Windows x64", "Printer Driver\\x64"};
    }
    return {"Windows NT x86", "Printer Driver\\x86"};
}

struct CopyStep {
    std::string fileName;
    int progress;  // 0: the bar stays where it is after this file
};

std::vector<CopyStep> CopyPlan(ModelIndex model) {
    return {
        {std::string(g_driverDllNames[model]) + ".DLL", 10},
        {std::string(g_gpdNames[model]) + ".GPD", 20},
        {"uniDRVui.DLL", 30},
        {"uniDRV.DLL", 0},
        {"UNIDRV.HLP", 40},
        {"UNIRES.DLL", 0},
        {"TTFSUB.GPD", 50},
        {"STDNAMES.GPD", 60},
    };
}

// The system's texts end in a line break of their own; dropping it keeps the
// message to the lines it means to have. Only ASCII bytes are stripped, and
// no code page 936 trail byte is one of them.
std::string TrimmedLine(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

// Every failed step is told the same way: what failed, then why in the
// system's own words, and what to do when the cause is missing rights.
std::string FailureMessage(const std::string& what, ErrorCode error, System& system) {
    std::string message = what;
    if (error != 0) {
        message += "\n";
        message += TrimmedLine(system.ErrorText(error));
        message += "（错误代码 " + std::to_string(error) + "）";
    }
    if (error == kErrorAccessDenied) {
        message += "\n";
        message += kAdministratorHint;
    }
    return message;
}

bool Fail(const std::string& what, ErrorCode error, System& system, InstallReporter& reporter) {
    reporter.ShowMessage(FailureMessage(what, error, system));
    return false;
}

std::string Quoted(const std::string& text) {
    return "“" + text + "”";
}

// A key that cannot be opened is passed over without a word (the value it
// would hold is a convenience); a value that cannot be set is told.
void WriteRegistryText(RegistryRoot root, const char* subKey, const char* valueName,
                       const std::string& text, System& system, InstallReporter& reporter) {
    RegistryKey key = nullptr;
    if (system.OpenKeyForWriting(root, subKey, key) != 0) {
        return;
    }
    const auto size = static_cast<std::uint32_t>(text.size() + 1);
    if (system.SetStringValue(key, valueName, text.c_str(), size) != 0) {
        reporter.ShowMessage(kRegistryFailureMessage);
    }
    system.CloseKey(key);
}

}  // namespace

std::string DefaultPrinterText(ModelIndex model, const std::string& portName) {
    if (!IsKnownModel(model)) {
        return {};
    }
    return std::string(g_printerNames[model]) + ",winspool," + portName;
}

std::string SerialSettingsText(const InstallJob& job) {
    const char* const fields[] = {
        Pick(kBaudRates, job.baudIndex),    Pick(kParityCodes, job.parityIndex),
        Pick(kDataBits, job.dataBitsIndex), Pick(kStopBits, job.stopBitsIndex),
        Pick(kFlowCodes, job.flowIndex),
    };
    std::string text;
    for (const char* field : fields) {
        if (field == nullptr) {
            return {};
        }
        if (!text.empty()) {
            text += ',';
        }
        text += field;
    }
    return text;
}

bool RunInstallation(const InstallJob& job, Spooler& spooler, System& system,
                     InstallReporter& reporter) {
    if (!IsKnownModel(job.model)) {
        reporter.ShowMessage("未选择打印机型号。");
        return false;
    }
    const Variant variant = VariantFor(job.architecture);
    const std::string printerName = g_printerNames[job.model];

    std::string driverDirectory;
    const ErrorCode directoryError =
        spooler.GetPrinterDriverDirectory(variant.environment, driverDirectory);
    if (directoryError != 0 || driverDirectory.empty()) {
        return Fail("无法取得打印机驱动程序目录（环境" + Quoted(variant.environment) + "）。",
                    directoryError, system, reporter);
    }

    for (const CopyStep& step : CopyPlan(job.model)) {
        const std::string source = std::string(variant.sourceFolder) + "\\" + step.fileName;
        const std::string destination = driverDirectory + "\\" + step.fileName;
        if (const ErrorCode error = system.CopyFile(source, destination); error != 0) {
            return Fail("无法复制驱动文件" + Quoted(source) + "到" + Quoted(driverDirectory) + "。",
                        error, system, reporter);
        }
        if (step.progress != 0) {
            reporter.ReportProgress(step.progress);
        }
    }

    // The record's names differ in letter case from the copied files; the
    // driver directory matches names regardless of case, and these are the
    // spellings the driver has always been registered with.
    const std::string driverPath = driverDirectory + "\\uniDRV.DLL";
    const std::string dataFile = driverDirectory + "\\" + g_gpdNames[job.model] + ".GPD";
    const std::string configFile = driverDirectory + "\\uniDRVui.DLL";
    const std::string helpFile = driverDirectory + "\\uniDRV.HLP";
    std::string dependentFiles(kDependentFilesBlock, sizeof kDependentFilesBlock);
    dependentFiles += g_driverDllNames[job.model];
    dependentFiles += ".DLL";
    dependentFiles += '\0';  // the DLL name's own terminator
    dependentFiles += '\0';  // the empty name that closes the list

    const DriverRecord driver = {
        kDriverRecordVersion, printerName.c_str(),
        variant.environment,  driverPath.c_str(),
        dataFile.c_str(),     configFile.c_str(),
        helpFile.c_str(),     dependentFiles.data(),
        kNoMonitor,           "RAW",
    };
    if (const ErrorCode error = spooler.AddPrinterDriver(driver); error != 0) {
        return Fail("无法注册打印机驱动程序" + Quoted(printerName) + "（环境" +
                        Quoted(variant.environment) + "）。",
                    error, system, reporter);
    }
    reporter.ReportProgress(70);

    const PrinterRecord printer = {printerName.c_str(), job.portName.c_str(), printerName.c_str(),
                                   "WinPrint", "RAW"};
    ErrorCode printerError = 0;
    const PrinterHandle handle = spooler.AddPrinter(printer, printerError);
    if (handle == nullptr && printerError != kErrorPrinterAlreadyExists) {
        return Fail(
            "无法在端口" + Quoted(job.portName) + "上创建打印机" + Quoted(printerName) + "。",
            printerError, system, reporter);
    }
    reporter.ReportProgress(80);

    if (job.makeDefaultPrinter) {
        WriteRegistryText(RegistryRoot::CurrentUser, kDefaultPrinterKey, "Device",
                          DefaultPrinterText(job.model, job.portName), system, reporter);
    }
    reporter.ReportProgress(90);

    if (job.portIndex >= kFirstSerialPortIndex) {
        const char* valueName = Pick(kPortValueNames, job.portIndex);
        const std::string settings = SerialSettingsText(job);
        if (valueName != nullptr && !settings.empty()) {
            WriteRegistryText(RegistryRoot::LocalMachine, kPortsKey, valueName, settings, system,
                              reporter);
        }
    }
    reporter.ReportProgress(95);

    spooler.ClosePrinter(handle);
    // The bar rests at 95 long enough to be seen before the page closes.
    system.Sleep(kPauseBeforeDoneMs);
    reporter.ReportProgress(100);
    return true;
}
