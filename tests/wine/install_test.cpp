// Installing the driver through the wizard as a person would, then looking at
// what the prefix's spooler, driver directory and registry hold.

#include <string>
#include <vector>

#include <windows.h>
#include <winspool.h>

#include "spooler_view.h"
#include "wizard_pages.h"

using namespace wine_test;

namespace {
const char* const kCompleted = "驱动安装完成";
const char* const kUserWindowsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

struct Model {
    int index;            // in the settings page's driver combo
    const char* printer;  // driver and printer name
    const char* dll;      // the model's own DLL, without extension
    const char* gpd;      // the model's GPD, without extension
};
const Model kModels[] = {
    {0, "58 Printer Series", "TP58", "58Printer"},
    {1, "76 Printer Series", "RP76", "76Printer"},
    {2, "80 Printer Series", "TP80", "80Printer"},
};

struct DriverSet {
    const char* environment;
    const char* mediumFolder;  // under "Printer Driver"
};
const DriverSet kX86 = {"Windows NT x86", "x86"};
const DriverSet kX64 = {"Windows x64", "x64"};

std::vector<std::string> DriverFiles(const Model& model) {
    return {std::string(model.dll) + ".DLL",
            std::string(model.gpd) + ".GPD",
            "uniDRVui.DLL",
            "uniDRV.DLL",
            "UNIDRV.HLP",
            "UNIRES.DLL",
            "TTFSUB.GPD",
            "STDNAMES.GPD"};
}

std::string MediumFile(const DriverSet& set, const std::string& name) {
    return MediumRoot() + "\\Printer Driver\\" + set.mediumFolder + "\\" + name;
}

// Every real Windows has this key; a new Wine prefix lacks it, and without it
// the default-printer step has nowhere to write.
void CreateUserWindowsKey() {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegDeleteValueA(key, "Device");
    RegCloseKey(key);
}

bool UserWindowsKeyExists() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserWindowsKey, 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(key);
    return true;
}

::testing::AssertionResult NoDeviceValue() {
    std::string device;
    if (!ReadRegistryString(HKEY_CURRENT_USER, kUserWindowsKey, "Device", device)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "expected no Device value, saw \"" << device << "\"";
}

int PortRow(HWND port, const char* name) {
    for (int row = 0; row < ListCount(port, IDC_PORT_LIST); ++row) {
        if (ListText(port, IDC_PORT_LIST, row, 0) == name) {
            return row;
        }
    }
    return -1;
}

// The settings page with the model chosen (and the default-printer box
// unticked when asked), then the port page with the port selected.
HWND OpenPortPageFor(Wizard& wizard, const Model& model, const char* portName,
                     bool makeDefault = true) {
    HWND settings = OpenSettingsPage(wizard);
    if (!settings) {
        return nullptr;
    }
    ChooseComboItem(settings, IDC_SETTINGS_DRIVER, model.index);
    if (!makeDefault) {
        Click(settings, IDC_SETTINGS_DEFAULT_PRINTER);
    }
    Click(settings, IDC_SETTINGS_NEXT);
    HWND port = wizard.WaitForWindow(kPortPageCaption);
    if (!port) {
        return nullptr;
    }
    EXPECT_EQ(IsChecked(settings, IDC_SETTINGS_DEFAULT_PRINTER), makeDefault);
    const int row = PortRow(port, portName);
    EXPECT_GE(row, 0) << "no port " << portName << " in the list";
    if (ListSelectedRow(port, IDC_PORT_LIST) != row) {
        SelectListRow(port, IDC_PORT_LIST, row);
    }
    EXPECT_EQ(ListSelectedRow(port, IDC_PORT_LIST), row);
    return port;
}

// Install pressed, the completion message acknowledged, the wizard gone.
void ExpectInstallationCompletes(Wizard& wizard, HWND port) {
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard, 20000);
    ASSERT_TRUE(box.window);
    EXPECT_TRUE(SameText(box.text, kCompleted));
    DismissMessageBox(box);
    EXPECT_TRUE(wizard.WaitForExit()) << "still open: " << wizard.VisibleWindows();
    EXPECT_EQ(wizard.ExitCode(), 0u);
    EXPECT_FALSE(wizard.Crashed());
}

void ExpectFilesCopied(const DriverSet& set, const Model& model) {
    const std::string directory = DriverDirectory(set.environment);
    ASSERT_FALSE(directory.empty());
    for (const std::string& name : DriverFiles(model)) {
        const std::string copy = directory + "\\" + name;
        EXPECT_TRUE(FileExists(copy)) << copy;
        EXPECT_EQ(ReadFile(copy), ReadFile(MediumFile(set, name))) << copy;
    }
}

// The spooler keeps its own copy of each file in the version subfolder and
// reports the paths of those copies, in the letter case the driver was
// registered with.
void ExpectDriverRegistered(const DriverSet& set, const Model& model) {
    const DriverView driver = FindDriver(set.environment, model.printer);
    ASSERT_TRUE(driver.found) << "no driver \"" << model.printer << "\" for " << set.environment;
    const std::string kept = DriverDirectory(set.environment) + "\\3\\";
    EXPECT_EQ(driver.environment, set.environment);
    EXPECT_EQ(driver.driverPath, kept + "uniDRV.DLL");
    EXPECT_EQ(driver.dataFile, kept + model.gpd + ".GPD");
    EXPECT_EQ(driver.configFile, kept + "uniDRVui.DLL");
    EXPECT_EQ(driver.helpFile, kept + "uniDRV.HLP");
    const std::vector<std::string> dependent = {kept + "ttfsub.GPD", kept + "unires.DLL",
                                                kept + "stdnames.GPD", kept + model.dll + ".DLL"};
    EXPECT_EQ(driver.dependentFiles, dependent);
    EXPECT_EQ(driver.monitorName, "");
    EXPECT_EQ(driver.defaultDataType, "RAW");
    EXPECT_EQ(ReadFile(driver.dataFile),
              ReadFile(MediumFile(set, std::string(model.gpd) + ".GPD")));
    EXPECT_EQ(ReadFile(dependent.back()),
              ReadFile(MediumFile(set, std::string(model.dll) + ".DLL")));
}

void ExpectPrinter(const Model& model, const char* portName) {
    const PrinterView printer = FindPrinter(model.printer);
    ASSERT_TRUE(printer.found) << "no printer \"" << model.printer << "\"";
    EXPECT_EQ(printer.port, portName);
    EXPECT_EQ(printer.driver, model.printer);
    EXPECT_EQ(printer.printProcessor, "WinPrint");
    EXPECT_EQ(printer.datatype, "RAW");
}

void ExpectDeviceValue(const Model& model, const char* portName) {
    std::string device;
    ASSERT_TRUE(ReadRegistryString(HKEY_CURRENT_USER, kUserWindowsKey, "Device", device))
        << "no Device value";
    EXPECT_EQ(device, std::string(model.printer) + ",winspool," + portName);
}

std::string SystemErrorText(DWORD error) {
    char text[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                   text, sizeof text, nullptr);
    std::string trimmed = text;
    while (!trimmed.empty() &&
           (trimmed.back() == '\n' || trimmed.back() == '\r' || trimmed.back() == ' ')) {
        trimmed.pop_back();
    }
    return trimmed;
}

// What the engine shows for a failed step: what failed, then the system's
// own text for the error and its code.
std::string FailureText(const std::string& what, DWORD error) {
    return what + "\n" + SystemErrorText(error) + "（错误代码 " + std::to_string(error) + "）";
}
}  // namespace

TEST(Install, EachModelGetsItsDriverFilesDriverPrinterAndDefaultPrinterValue) {
    struct Case {
        const Model& model;
        const char* port;
        bool makeDefault;
    };
    // LPT1: is the page's own preselection; the others are picked in the list.
    const Case cases[] = {
        {kModels[0], "LPT1:", true},
        {kModels[1], "COM2:", true},
        {kModels[2], "LPT3:", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.model.printer) + " on " + c.port +
                     (c.makeDefault ? "" : ", box unticked"));
        CreateUserWindowsKey();  // and no Device value left from the case before
        Wizard wizard;
        HWND port = OpenPortPageFor(wizard, c.model, c.port, c.makeDefault);
        ASSERT_TRUE(port);
        ExpectInstallationCompletes(wizard, port);
        ExpectFilesCopied(kX86, c.model);
        ExpectDriverRegistered(kX86, c.model);
        ExpectPrinter(c.model, c.port);
        if (c.makeDefault) {
            ExpectDeviceValue(c.model, c.port);
        } else {
            EXPECT_TRUE(NoDeviceValue());
        }
    }
}

TEST(Install, SecondInstallationOverTheFirstCompletesAndRenewsTheFiles) {
    const Model& model = kModels[0];
    CreateUserWindowsKey();
    {
        Wizard wizard;
        HWND port = OpenPortPageFor(wizard, model, "LPT1:");
        ASSERT_TRUE(port);
        ExpectInstallationCompletes(wizard, port);
    }
    // A file left changed since the first installation is overwritten.
    const std::string copy = DriverDirectory(kX86.environment) + "\\" + model.dll + ".DLL";
    HANDLE file = CreateFileA(copy.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << copy;
    DWORD written = 0;
    WriteFile(file, "stale", 5, &written, nullptr);
    CloseHandle(file);

    Wizard wizard;
    HWND port = OpenPortPageFor(wizard, model, "LPT1:");
    ASSERT_TRUE(port);
    ExpectInstallationCompletes(wizard, port);
    ExpectFilesCopied(kX86, model);
    ExpectDriverRegistered(kX86, model);
    ExpectPrinter(model, "LPT1:");
    ExpectDeviceValue(model, "LPT1:");
    EXPECT_EQ(PrinterNames(), std::vector<std::string>{model.printer});
}

TEST(Install, WithoutTheUserWindowsKeyCompletesSilentlyWithoutDefaultPrinter) {
    ASSERT_FALSE(UserWindowsKeyExists()) << "a new prefix has no such key";
    const Model& model = kModels[1];
    Wizard wizard;
    HWND port = OpenPortPageFor(wizard, model, "LPT1:");
    ASSERT_TRUE(port);
    // The completion message is the first and only message.
    ExpectInstallationCompletes(wizard, port);
    ExpectDriverRegistered(kX86, model);
    ExpectPrinter(model, "LPT1:");
    EXPECT_FALSE(UserWindowsKeyExists()) << "the key is not created";
}

TEST(Install, MissingDriverFileIsNamedStopsTheInstallationAndInstallAgainCompletesOnceRestored) {
    const Model& model = kModels[0];
    CreateUserWindowsKey();
    const std::string missing = MediumFile(kX86, "UNIRES.DLL");
    const std::string aside = "C:\\UNIRES.DLL.aside";
    ASSERT_TRUE(MoveFileA(missing.c_str(), aside.c_str()));

    Wizard wizard;
    HWND port = OpenPortPageFor(wizard, model, "LPT1:");
    ASSERT_TRUE(port);
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard, 20000);
    ASSERT_TRUE(box.window);
    const std::string directory = DriverDirectory(kX86.environment);
    EXPECT_TRUE(SameText(
        box.text,
        FailureText("无法复制驱动文件“Printer Driver\\x86\\UNIRES.DLL”到“" + directory + "”。",
                    ERROR_FILE_NOT_FOUND)));
    EXPECT_EQ(box.owner, port);
    EXPECT_TRUE(box.exclamationIcon);
    // The bar stands where the installation stopped: after UNIDRV.HLP.
    EXPECT_EQ(ProgressPos(port, IDC_PORT_PROGRESS), 40);
    DismissMessageBox(box);
    ASSERT_TRUE(wizard.WaitForWindowGone(box.window));

    EXPECT_TRUE(wizard.StaysOpen(port)) << "the port page closed after a failed installation";
    EXPECT_EQ(ProgressPos(port, IDC_PORT_PROGRESS), 0) << "the bar is reset for another try";
    EXPECT_FALSE(FindDriver(kX86.environment, model.printer).found);
    EXPECT_TRUE(PrinterNames().empty());
    EXPECT_TRUE(NoDeviceValue());
    // No copy after the failed one was made.
    for (const char* later : {"UNIRES.DLL", "TTFSUB.GPD", "STDNAMES.GPD"}) {
        EXPECT_FALSE(FileExists(directory + "\\" + later)) << later;
    }

    ASSERT_TRUE(MoveFileA(aside.c_str(), missing.c_str()));
    ExpectInstallationCompletes(wizard, port);
    ExpectFilesCopied(kX86, model);
    ExpectDriverRegistered(kX86, model);
    ExpectPrinter(model, "LPT1:");
    ExpectDeviceValue(model, "LPT1:");
}

// A 32-bit wizard in a 64-bit prefix installs the x64 driver set. Wine's
// spooler then looks the new printer's driver up among the caller's own
// environment ("Windows NT x86") and refuses the printer; 64-bit Windows
// looks in the system's. The wizard must say exactly that the printer was
// not created, with the spooler's own error, and create nothing after it.
TEST(Install64, RegistersTheX64DriverAndReportsTheRefusedPrinterTruthfully) {
    const Model& model = kModels[0];
    CreateUserWindowsKey();
    Wizard wizard;
    HWND port = OpenPortPageFor(wizard, model, "LPT1:");
    ASSERT_TRUE(port);
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard, 20000);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(ProgressPos(port, IDC_PORT_PROGRESS), 70) << "the driver was registered";

    ExpectFilesCopied(kX64, model);
    ExpectDriverRegistered(kX64, model);
    EXPECT_FALSE(FindDriver(kX86.environment, model.printer).found);
    const std::string x86Directory = DriverDirectory(kX86.environment);
    for (const std::string& name : DriverFiles(model)) {
        EXPECT_FALSE(FileExists(x86Directory + "\\" + name)) << "x86 file " << name;
    }

    // The same request from this 32-bit process gets the error the wizard got.
    PRINTER_INFO_2A printer{};
    printer.pPrinterName = const_cast<char*>(model.printer);
    printer.pPortName = const_cast<char*>("LPT1:");
    printer.pDriverName = const_cast<char*>(model.printer);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    HANDLE created = AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    const DWORD error = GetLastError();
    ASSERT_EQ(created, nullptr) << "Wine now creates the printer: the wizard may now complete here";
    EXPECT_TRUE(SameText(box.text,
                         FailureText("无法在端口“LPT1:”上创建打印机“58 Printer Series”。", error)));
    EXPECT_EQ(box.owner, port);

    DismissMessageBox(box);
    ASSERT_TRUE(wizard.WaitForWindowGone(box.window));
    EXPECT_TRUE(wizard.StaysOpen(port));
    EXPECT_EQ(ProgressPos(port, IDC_PORT_PROGRESS), 0);
    EXPECT_TRUE(PrinterNames().empty());
    EXPECT_TRUE(NoDeviceValue()) << "no default printer naming a printer that does not exist";
}
