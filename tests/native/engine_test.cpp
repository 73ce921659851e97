#include "install/engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "recording_platform.h"

namespace {

using recording::Call;
using recording::CallLog;
using recording::RecordingPlatform;

constexpr ErrorCode kFileNotFound = 2;
constexpr ErrorCode kPathNotFound = 3;
constexpr ErrorCode kAccessDenied = 5;
constexpr ErrorCode kUnknownPrinterDriver = 1797;
constexpr ErrorCode kInvalidEnvironment = 1805;
constexpr ErrorCode kUnknownPort = 1796;
constexpr ErrorCode kPrinterAlreadyExists = 1802;

const char* const kDir86 = "C:\\windows\\system32\\spool\\drivers\\w32x86";
const char* const kDir64 = "C:\\windows\\system32\\spool\\drivers\\x64";
const char* const kDefaultPrinterKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
const char* const kPortsKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
const char* const kRegistryMessage = "错误：无法设置有关的注册表信息";
const char* const kAdministratorHint = "需要管理员权限";

// One model installed for one architecture, with what the machine should see.
struct Installation {
    const char* label;
    Architecture architecture;
    ModelIndex model;
    const char* port;
    const char* environment;
    const char* sourceFolder;
    std::string driverDirectory;
    const char* dll;
    const char* gpd;
    const char* printer;
};

void PrintTo(const Installation& row, std::ostream* out) {
    *out << row.label;
}

const Installation kInstallations[] = {
    {"x86_58", ARCH_X86, 0, "LPT1:", "Windows NT x86", "Printer Driver\\x86", kDir86, "TP58",
     "58Printer", "58 Printer Series"},
    {"x86_76", ARCH_X86, 1, "COM2:", "Windows NT x86", "Printer Driver\\x86", kDir86, "RP76",
     "76Printer", "76 Printer Series"},
    {"x86_80", ARCH_X86, 2, "FILE:", "Windows NT x86", "Printer Driver\\x86", kDir86, "TP80",
     "80Printer", "80 Printer Series"},
    {"x64_58", ARCH_X64, 0, "LPT1:", "Windows x64", "Printer Driver\\x64", kDir64, "TP58",
     "58Printer", "58 Printer Series"},
    {"x64_76", ARCH_X64, 1, "USB001", "Windows x64", "Printer Driver\\x64", kDir64, "RP76",
     "76Printer", "76 Printer Series"},
    {"x64_80", ARCH_X64, 2, "LPT2:", "Windows x64", "Printer Driver\\x64", kDir64, "TP80",
     "80Printer", "80 Printer Series"},
};
const Installation& kX86Model58 = kInstallations[0];

Call Progress(int percent) {
    return {"ReportProgress", {std::to_string(percent)}};
}
Call OpenDefaultPrinterKey() {
    return {"OpenKeyForWriting", {"HKCU", kDefaultPrinterKey}};
}
Call OpenPortsKey() {
    return {"OpenKeyForWriting", {"HKLM", kPortsKey}};
}
// The recorded text is the bytes the registry was given, so its NUL shows.
Call SetValue(const std::string& key, const std::string& name, const std::string& text) {
    return {"SetStringValue", {key, name, text + '\0'}};
}
Call CloseKey(const std::string& key) {
    return {"CloseKey", {key}};
}
Call RegistryMessage() {
    return {"ShowMessage", {kRegistryMessage}};
}

// The whole run for the page's usual job: default printer ticked, port combo
// at LPT1, so no Ports value.
CallLog ExpectedInstallation(const Installation& in) {
    const std::string& dir = in.driverDirectory;
    const std::string dll = std::string(in.dll) + ".DLL";
    const std::string gpd = std::string(in.gpd) + ".GPD";
    const auto copy = [&](const std::string& name) {
        return Call{"CopyFile", {std::string(in.sourceFolder) + "\\" + name, dir + "\\" + name}};
    };
    // Both closing NULs: the DLL name's own and the empty name ending the list.
    std::string dependentFiles("\\ttfsub.GPD\0\\unires.DLL\0\\stdnames.GPD\0", 38);
    dependentFiles += dll + '\0' + '\0';
    return {
        {"GetPrinterDriverDirectory", {in.environment}},
        copy(dll),
        Progress(10),
        copy(gpd),
        Progress(20),
        copy("uniDRVui.DLL"),
        Progress(30),
        copy("uniDRV.DLL"),
        copy("UNIDRV.HLP"),
        Progress(40),
        copy("UNIRES.DLL"),
        copy("TTFSUB.GPD"),
        Progress(50),
        copy("STDNAMES.GPD"),
        Progress(60),
        {"AddPrinterDriver",
         {"2", in.printer, in.environment, dir + "\\uniDRV.DLL", dir + "\\" + gpd,
          dir + "\\uniDRVui.DLL", dir + "\\uniDRV.HLP", dependentFiles, "", "RAW"}},
        Progress(70),
        {"AddPrinter", {in.printer, in.port, in.printer, "WinPrint", "RAW"}},
        Progress(80),
        OpenDefaultPrinterKey(),
        SetValue("key1", "Device", std::string(in.printer) + ",winspool," + in.port),
        CloseKey("key1"),
        Progress(90),
        Progress(95),
        {"ClosePrinter", {"printer"}},
        {"Sleep", {"500"}},
        Progress(100),
    };
}

// The calls up to and including the nth (from 1) of that name.
CallLog CallsUpTo(const CallLog& calls, const std::string& name, int nth) {
    CallLog prefix;
    for (const Call& call : calls) {
        prefix.push_back(call);
        if (call.name == name && --nth == 0) {
            return prefix;
        }
    }
    ADD_FAILURE() << "the run has no call " << name << " #" << nth;
    return prefix;
}

// The calls after the printer was created: the registry steps onwards.
CallLog CallsAfterProgress80(const CallLog& calls) {
    const auto at = std::find(calls.begin(), calls.end(), Progress(80));
    return at == calls.end() ? CallLog{} : CallLog(at + 1, calls.end());
}

std::vector<int> ProgressValues(const CallLog& calls) {
    std::vector<int> values;
    for (const Call& call : calls) {
        if (call.name == "ReportProgress") {
            values.push_back(std::stoi(call.args.at(0)));
        }
    }
    return values;
}

bool OpensKey(const CallLog& calls, const char* root) {
    return std::any_of(calls.begin(), calls.end(), [&](const Call& call) {
        return call.name == "OpenKeyForWriting" && call.args.at(0) == root;
    });
}

// Names each instantiated case after its table row.
struct ByLabel {
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case>& row) const {
        return row.param.label;
    }
};

class EngineTest : public ::testing::Test {
  protected:
    void Prepare(const Installation& in) {
        job.architecture = in.architecture;
        job.model = in.model;
        job.portName = in.port;
        platform.driverDirectory = in.driverDirectory;
    }
    void SetUp() override { Prepare(kX86Model58); }
    bool Run() { return RunInstallation(job, platform, platform, platform); }

    RecordingPlatform platform;
    InstallJob job;
};

class InstallationSequenceTest : public EngineTest,
                                 public ::testing::WithParamInterface<Installation> {};

TEST_P(InstallationSequenceTest, MakesEveryCallWithItsArgumentsInOrder) {
    Prepare(GetParam());
    EXPECT_TRUE(Run());
    EXPECT_EQ(platform.log, ExpectedInstallation(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(AllModelsBothArchitectures, InstallationSequenceTest,
                         ::testing::ValuesIn(kInstallations), ByLabel{});

TEST_F(EngineTest, VeryLongDriverDirectoryGivesWholePaths) {
    Installation in = kX86Model58;
    in.driverDirectory = "D:\\" + std::string(400, 'd') + "\\w32x86";
    Prepare(in);
    EXPECT_TRUE(Run());
    EXPECT_EQ(platform.log, ExpectedInstallation(in));
}

// A step that fails ends the run there with one message naming what failed.
struct StepFailure {
    const char* label;
    const Installation* installation;
    const char* call;
    int nth;
    ErrorCode error;
    std::vector<std::string> named;  // what the message must mention
};

void PrintTo(const StepFailure& row, std::ostream* out) {
    *out << row.label;
}

const std::vector<StepFailure> kStepFailures = {
    {"DriverDirectory",
     &kInstallations[0],
     "GetPrinterDriverDirectory",
     1,
     kInvalidEnvironment,
     {"Windows NT x86"}},
    {"DriverDirectoryX64",
     &kInstallations[3],
     "GetPrinterDriverDirectory",
     1,
     kAccessDenied,
     {"Windows x64"}},
    {"CopyModelDll",
     &kInstallations[0],
     "CopyFile",
     1,
     kFileNotFound,
     {"Printer Driver\\x86\\TP58.DLL", kDir86}},
    {"CopyModelGpd",
     &kInstallations[0],
     "CopyFile",
     2,
     kFileNotFound,
     {"Printer Driver\\x86\\58Printer.GPD", kDir86}},
    {"CopyUiDll",
     &kInstallations[0],
     "CopyFile",
     3,
     kAccessDenied,
     {"Printer Driver\\x86\\uniDRVui.DLL", kDir86}},
    {"CopyUnidrvDll",
     &kInstallations[0],
     "CopyFile",
     4,
     kFileNotFound,
     {"Printer Driver\\x86\\uniDRV.DLL", kDir86}},
    {"CopyHelp",
     &kInstallations[0],
     "CopyFile",
     5,
     kPathNotFound,
     {"Printer Driver\\x86\\UNIDRV.HLP", kDir86}},
    {"CopyUnires",
     &kInstallations[0],
     "CopyFile",
     6,
     kFileNotFound,
     {"Printer Driver\\x86\\UNIRES.DLL", kDir86}},
    {"CopyTtfsub",
     &kInstallations[0],
     "CopyFile",
     7,
     kFileNotFound,
     {"Printer Driver\\x86\\TTFSUB.GPD", kDir86}},
    {"CopyStdnames",
     &kInstallations[5],
     "CopyFile",
     8,
     kFileNotFound,
     {"Printer Driver\\x64\\STDNAMES.GPD", kDir64}},
    {"RegisterDriver",
     &kInstallations[1],
     "AddPrinterDriver",
     1,
     kUnknownPrinterDriver,
     {"76 Printer Series", "Windows NT x86"}},
    {"RegisterDriverDenied",
     &kInstallations[4],
     "AddPrinterDriver",
     1,
     kAccessDenied,
     {"76 Printer Series", "Windows x64"}},
    {"CreatePrinter",
     &kInstallations[2],
     "AddPrinter",
     1,
     kUnknownPort,
     {"80 Printer Series", "FILE:"}},
    {"CreatePrinterDenied",
     &kInstallations[0],
     "AddPrinter",
     1,
     kAccessDenied,
     {"58 Printer Series", "LPT1:"}},
};

class StepFailureTest : public EngineTest, public ::testing::WithParamInterface<StepFailure> {};

TEST_P(StepFailureTest, EndsTheRunWithOneMessageNamingWhatFailed) {
    const StepFailure& failure = GetParam();
    Prepare(*failure.installation);
    platform.Fail(failure.call, failure.nth, failure.error);

    EXPECT_FALSE(Run());

    // Nothing after the failed call but fetching the system's text and telling
    // the user: no later step, no later progress.
    CallLog expected =
        CallsUpTo(ExpectedInstallation(*failure.installation), failure.call, failure.nth);
    expected.push_back({"ErrorText", {std::to_string(failure.error)}});
    ASSERT_EQ(platform.log.size(), expected.size() + 1);
    const Call shown = platform.log.back();
    platform.log.pop_back();
    EXPECT_EQ(platform.log, expected);

    ASSERT_EQ(shown.name, "ShowMessage");
    const std::string& message = shown.args.at(0);
    for (const std::string& name : failure.named) {
        EXPECT_NE(message.find(name), std::string::npos) << name << " missing in: " << message;
    }
    EXPECT_NE(message.find(platform.SystemText(failure.error)), std::string::npos) << message;
    const bool denied = failure.error == kAccessDenied;
    EXPECT_EQ(message.find(kAdministratorHint) != std::string::npos, denied) << message;
    // What failed, why, and the rights hint each on a line of their own; the
    // system text's own line break does not add an empty line.
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), denied ? 2 : 1) << message;
    EXPECT_EQ(message.find('\r'), std::string::npos) << message;
}

INSTANTIATE_TEST_SUITE_P(EachStep, StepFailureTest, ::testing::ValuesIn(kStepFailures), ByLabel{});

TEST_F(EngineTest, EmptyDriverDirectoryEndsTheRunNamingTheEnvironment) {
    platform.driverDirectory.clear();
    EXPECT_FALSE(Run());
    ASSERT_EQ(platform.log.size(), 2u);
    EXPECT_EQ(platform.log[0], (Call{"GetPrinterDriverDirectory", {"Windows NT x86"}}));
    ASSERT_EQ(platform.log[1].name, "ShowMessage");
    EXPECT_NE(platform.log[1].args.at(0).find("Windows NT x86"), std::string::npos);
}

TEST_F(EngineTest, ModelOutsideTheCatalogueTouchesNothing) {
    for (const ModelIndex model : {-1, kModelCount}) {
        platform.log.clear();
        job.model = model;
        EXPECT_FALSE(Run());
        ASSERT_EQ(platform.log.size(), 1u) << model;
        EXPECT_EQ(platform.log[0].name, "ShowMessage");
    }
}

TEST_F(EngineTest, PrinterThatAlreadyExistsIsInstalledOver) {
    platform.Fail("AddPrinter", 1, kPrinterAlreadyExists);
    EXPECT_TRUE(Run());
    CallLog expected = ExpectedInstallation(kX86Model58);
    *std::find(expected.begin(), expected.end(), Call{"ClosePrinter", {"printer"}}) =
        Call{"ClosePrinter", {recording::kNull}};
    EXPECT_EQ(platform.log, expected);
}

// Registry values are conveniences: their failures never end the run.
struct RegistryFailure {
    const char* label;
    std::vector<std::pair<const char*, int>> failingCalls;  // call name, nth
    CallLog expectedAfterPrinter;
};

void PrintTo(const RegistryFailure& row, std::ostream* out) {
    *out << row.label;
}

const char* const kCom1Settings = "19200,N,8,1,p";
const Call kFinish[] = {
    Progress(95), {"ClosePrinter", {"printer"}}, {"Sleep", {"500"}}, Progress(100)};

CallLog WithFinish(CallLog calls) {
    calls.insert(calls.end(), std::begin(kFinish), std::end(kFinish));
    return calls;
}

const std::vector<RegistryFailure> kRegistryFailures = {
    {"None",
     {},
     WithFinish({OpenDefaultPrinterKey(),
                 SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"), CloseKey("key1"),
                 Progress(90), OpenPortsKey(), SetValue("key2", "COM1:", kCom1Settings),
                 CloseKey("key2")})},
    {"DefaultPrinterKeyNotOpened",
     {{"OpenKeyForWriting", 1}},
     WithFinish({OpenDefaultPrinterKey(), Progress(90), OpenPortsKey(),
                 SetValue("key1", "COM1:", kCom1Settings), CloseKey("key1")})},
    {"DeviceNotSet",
     {{"SetStringValue", 1}},
     WithFinish({OpenDefaultPrinterKey(),
                 SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"), RegistryMessage(),
                 CloseKey("key1"), Progress(90), OpenPortsKey(),
                 SetValue("key2", "COM1:", kCom1Settings), CloseKey("key2")})},
    {"PortsKeyNotOpened",
     {{"OpenKeyForWriting", 2}},
     WithFinish({OpenDefaultPrinterKey(),
                 SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"), CloseKey("key1"),
                 Progress(90), OpenPortsKey()})},
    {"PortValueNotSet",
     {{"SetStringValue", 2}},
     WithFinish({OpenDefaultPrinterKey(),
                 SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"), CloseKey("key1"),
                 Progress(90), OpenPortsKey(), SetValue("key2", "COM1:", kCom1Settings),
                 RegistryMessage(), CloseKey("key2")})},
    {"NeitherValueSet",
     {{"SetStringValue", 1}, {"SetStringValue", 2}},
     WithFinish({OpenDefaultPrinterKey(),
                 SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"), RegistryMessage(),
                 CloseKey("key1"), Progress(90), OpenPortsKey(),
                 SetValue("key2", "COM1:", kCom1Settings), RegistryMessage(), CloseKey("key2")})},
};

class RegistryFailureTest : public EngineTest,
                            public ::testing::WithParamInterface<RegistryFailure> {};

TEST_P(RegistryFailureTest, IsToldOrPassedOverAndTheRunCompletes) {
    job.portIndex = 3;
    for (const auto& [call, nth] : GetParam().failingCalls) {
        platform.Fail(call, nth, kAccessDenied);
    }
    EXPECT_TRUE(Run());
    EXPECT_EQ(CallsAfterProgress80(platform.log), GetParam().expectedAfterPrinter);
}

INSTANTIATE_TEST_SUITE_P(BothValues, RegistryFailureTest, ::testing::ValuesIn(kRegistryFailures),
                         ByLabel{});

// Whatever the job, the bar moves through the same values and rests at 95
// for the pause.
struct ProgressCase {
    const char* label;
    bool makeDefaultPrinter;
    int portIndex;
    ErrorCode addPrinterError;
};

void PrintTo(const ProgressCase& row, std::ostream* out) {
    *out << row.label;
}

class ProgressTest : public EngineTest, public ::testing::WithParamInterface<ProgressCase> {};

TEST_P(ProgressTest, GoesThroughEveryValueAndPausesBefore100) {
    job.makeDefaultPrinter = GetParam().makeDefaultPrinter;
    job.portIndex = GetParam().portIndex;
    if (GetParam().addPrinterError != 0) {
        platform.Fail("AddPrinter", 1, GetParam().addPrinterError);
    }
    EXPECT_TRUE(Run());
    EXPECT_EQ(ProgressValues(platform.log),
              (std::vector<int>{10, 20, 30, 40, 50, 60, 70, 80, 90, 95, 100}));

    const auto& log = platform.log;
    const auto sleep =
        std::find_if(log.begin(), log.end(), [](const Call& call) { return call.name == "Sleep"; });
    ASSERT_NE(sleep, log.end());
    EXPECT_EQ(sleep->args, std::vector<std::string>{"500"});
    EXPECT_EQ(std::count_if(log.begin(), log.end(),
                            [](const Call& call) { return call.name == "Sleep"; }),
              1);
    EXPECT_LT(std::find(log.begin(), log.end(), Progress(95)), sleep);
    EXPECT_EQ(sleep + 1, std::find(log.begin(), log.end(), Progress(100)));
}

INSTANTIATE_TEST_SUITE_P(Jobs, ProgressTest,
                         ::testing::Values(ProgressCase{"Usual", true, 0, 0},
                                           ProgressCase{"NoDefaultPrinter", false, 0, 0},
                                           ProgressCase{"SerialPort", true, 6, 0},
                                           ProgressCase{"PrinterExists", true, 0,
                                                        kPrinterAlreadyExists}),
                         ByLabel{});

TEST_F(EngineTest, UntickedDefaultPrinterBoxWritesNoDeviceValue) {
    job.makeDefaultPrinter = false;
    EXPECT_TRUE(Run());
    EXPECT_FALSE(OpensKey(platform.log, "HKCU"));
    EXPECT_EQ(CallsAfterProgress80(platform.log), WithFinish({Progress(90)}));
}

TEST(DefaultPrinterTextTest, IsPrinterWinspoolAndPortJoinedByCommas) {
    EXPECT_EQ(DefaultPrinterText(0, "LPT1:"), "58 Printer Series,winspool,LPT1:");
    EXPECT_EQ(DefaultPrinterText(2, "USB001"), "80 Printer Series,winspool,USB001");
    // No port chosen on the port page: the text still names the printer.
    EXPECT_EQ(DefaultPrinterText(1, ""), "76 Printer Series,winspool,");
}

InstallJob SerialJob(int baud, int parity, int dataBits, int stopBits, int flow) {
    InstallJob job;
    job.baudIndex = baud;
    job.parityIndex = parity;
    job.dataBitsIndex = dataBits;
    job.stopBitsIndex = stopBits;
    job.flowIndex = flow;
    return job;
}

struct SerialText {
    InstallJob job;
    const char* expected;
};

TEST(SerialSettingsTextTest, JoinsTheFiveCodesInTheirOrder) {
    const SerialText cases[] = {
        // The settings page's initial selections.
        {SerialJob(5, 2, 3, 0, 2), "19200,N,8,1,p"},
        // Flow "None" is a space, so the text ends in a comma and a space.
        {SerialJob(0, 0, 0, 0, 0), "300,E,5,1, "},
        // "Mark" is M, not the E of "Even".
        {SerialJob(8, 1, 3, 2, 1), "115200,M,8,2,x"},
        {SerialJob(4, 3, 2, 1, 0), "9600,O,7,1.5, "},
        {SerialJob(1, 4, 1, 0, 2), "1200,S,6,1,p"},
    };
    for (const SerialText& c : cases) {
        EXPECT_EQ(SerialSettingsText(c.job), c.expected);
    }
}

TEST(SerialSettingsTextTest, EveryBaudRateIsItsComboItem) {
    const char* const rates[] = {"300",   "1200",  "2400",  "4800",  "9600",
                                 "19200", "38400", "57600", "115200"};
    for (int index = 0; index < 9; ++index) {
        EXPECT_EQ(SerialSettingsText(SerialJob(index, 2, 3, 0, 2)),
                  std::string(rates[index]) + ",N,8,1,p");
    }
}

TEST(SerialSettingsTextTest, IsEmptyWhenAnyIndexLiesOutsideItsTable) {
    const InstallJob cases[] = {
        SerialJob(-1, 2, 3, 0, 2), SerialJob(9, 2, 3, 0, 2),  SerialJob(5, -1, 3, 0, 2),
        SerialJob(5, 5, 3, 0, 2),  SerialJob(5, 2, -1, 0, 2), SerialJob(5, 2, 4, 0, 2),
        SerialJob(5, 2, 3, -1, 2), SerialJob(5, 2, 3, 3, 2),  SerialJob(5, 2, 3, 0, -1),
        SerialJob(5, 2, 3, 0, 3),
    };
    for (const InstallJob& job : cases) {
        EXPECT_EQ(SerialSettingsText(job), "")
            << job.baudIndex << job.parityIndex << job.dataBitsIndex << job.stopBitsIndex
            << job.flowIndex;
    }
}

struct SerialPort {
    const char* label;
    int portIndex;
    const char* valueName;
};

void PrintTo(const SerialPort& row, std::ostream* out) {
    *out << row.label;
}

class SerialPortTest : public EngineTest, public ::testing::WithParamInterface<SerialPort> {};

TEST_P(SerialPortTest, ComPortGetsItsValueUnderPorts) {
    job.portIndex = GetParam().portIndex;
    EXPECT_TRUE(Run());
    EXPECT_EQ(
        CallsAfterProgress80(platform.log),
        WithFinish({OpenDefaultPrinterKey(),
                    SetValue("key1", "Device", "58 Printer Series,winspool,LPT1:"),
                    CloseKey("key1"), Progress(90), OpenPortsKey(),
                    SetValue("key2", GetParam().valueName, kCom1Settings), CloseKey("key2")}));
}

INSTANTIATE_TEST_SUITE_P(Com1ToCom4, SerialPortTest,
                         ::testing::Values(SerialPort{"COM1", 3, "COM1:"},
                                           SerialPort{"COM2", 4, "COM2:"},
                                           SerialPort{"COM3", 5, "COM3:"},
                                           SerialPort{"COM4", 6, "COM4:"}),
                         ByLabel{});

TEST_F(EngineTest, NoPortsValueUnlessTheSettingsPortIsACom) {
    job.makeDefaultPrinter = false;
    for (const int portIndex : {0, 1, 2, -1, 7}) {
        platform.log.clear();
        job.portIndex = portIndex;
        EXPECT_TRUE(Run());
        EXPECT_EQ(CallsAfterProgress80(platform.log), WithFinish({Progress(90)})) << portIndex;
    }
}

TEST_F(EngineTest, SerialSelectionOutsideItsTableWritesNoPortsValue) {
    job.portIndex = 3;
    job.parityIndex = 5;
    EXPECT_TRUE(Run());
    EXPECT_FALSE(OpensKey(platform.log, "HKLM"));
    EXPECT_EQ(ProgressValues(platform.log).back(), 100);
}

}  // namespace
