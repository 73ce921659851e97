// The operating-system page: the radio button of the detected Windows version
// and the USB driver launcher.

#include <windows.h>
#include <winioctl.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "wizard_pages.h"

using namespace wine_test;

namespace {
// The version radio buttons, in template order.
constexpr int kRadios[] = {IDC_OS_VISTA, IDC_OS_WIN95,   IDC_OS_WIN98, IDC_OS_NT4, IDC_OS_WIN2000,
                           IDC_OS_WINXP, IDC_OS_WIN2003, IDC_OS_WIN7,  IDC_OS_WIN8};

std::vector<int> TickedRadios(HWND page) {
    std::vector<int> ticked;
    for (int radio : kRadios) {
        if (IsChecked(page, radio))
            ticked.push_back(radio);
    }
    return ticked;
}

std::string RadioList(const std::vector<int>& radios) {
    std::string list;
    for (int radio : radios)
        list += std::to_string(radio) + " ";
    return list.empty() ? "none" : list;
}

// The placeholder installer on the medium appends "<its path>|<its current
// directory>" to this file each time it runs.
const char kInstallerRuns[] = "C:\\usb-installer-runs.txt";

// Complete lines only: an installer may be writing its line just then.
std::vector<std::string> InstallerRuns() {
    std::vector<std::string> runs;
    const std::string log = ReadFile(kInstallerRuns);
    size_t start = 0, end = 0;
    while ((end = log.find("\r\n", start)) != std::string::npos) {
        runs.push_back(log.substr(start, end - start));
        start = end + 2;
    }
    return runs;
}

bool WaitForInstallerRuns(size_t count) {
    return WaitFor([count] { return InstallerRuns().size() >= count; });
}

std::string JoinedRuns() {
    std::string joined;
    for (const std::string& run : InstallerRuns())
        joined += "\"" + run + "\" ";
    return joined.empty() ? "none" : joined;
}

// Makes a drive letter of a folder the way winecfg does: Wine's mount
// manager links the letter to the folder's Unix path. DefineDosDevice does
// not do for Wine's file system what it does on Windows.
bool MapDrive(wchar_t letter, const wchar_t* folder) {
    struct UnixDrive {  // struct mountmgr_unix_drive of Wine's mount manager
        ULONG size, type, fsType;
        DWORD serial;
        ULONGLONG unixDevice;
        WCHAR letter;
        USHORT mountPointOffset, deviceOffset, labelOffset;
    };
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto unixFileName = reinterpret_cast<UnixFileName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    const char* unixPath = unixFileName ? unixFileName(folder) : nullptr;
    if (!unixPath)
        return false;
    std::vector<char> request(sizeof(UnixDrive) + strlen(unixPath) + 1);
    auto* drive = reinterpret_cast<UnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = DRIVE_FIXED;
    drive->letter = letter;
    drive->mountPointOffset = sizeof(UnixDrive);
    strcpy(request.data() + sizeof(UnixDrive), unixPath);
    HANDLE manager =
        CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (manager == INVALID_HANDLE_VALUE)
        return false;
    const DWORD defineUnixDrive =
        CTL_CODE(0x6d, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
    DWORD returned = 0;
    const BOOL defined =
        DeviceIoControl(manager, defineUnixDrive, request.data(),
                        static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr);
    CloseHandle(manager);
    return defined;
}

std::string CollapseBackslashes(std::string path) {
    path.erase(std::unique(path.begin(), path.end(),
                           [](char a, char b) { return a == '\\' && b == '\\'; }),
               path.end());
    return path;
}
}  // namespace

TEST(OsPage, TicksTheRadioOfTheDetectedWindowsVersion) {
    struct Case {
        const char* wineVersion;
        int radio;
    };
    // Windows 95, 98, Me and NT 4.0 have hidden radio buttons, so the page
    // shows none ticked for them; 8.1 and 10 report 6.2 to the wizard.
    const Case cases[] = {
        {"win95", IDC_OS_WIN95},     {"win98", IDC_OS_WIN98},   {"winme", IDC_OS_WIN98},
        {"nt40", IDC_OS_NT4},        {"win2k", IDC_OS_WIN2000}, {"winxp", IDC_OS_WINXP},
        {"win2003", IDC_OS_WIN2003}, {"vista", IDC_OS_VISTA},   {"win7", IDC_OS_WIN7},
        {"win8", IDC_OS_WIN8},       {"win81", IDC_OS_WIN8},    {"win10", IDC_OS_WIN8},
    };
    const int hidden[] = {IDC_OS_WIN95, IDC_OS_WIN98, IDC_OS_NT4};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.wineVersion);
        SetWineVersion(c.wineVersion);
        Wizard wizard;
        HWND page = wizard.WaitForWindow(kOsPageCaption);
        ASSERT_TRUE(page);
        const std::vector<int> ticked = TickedRadios(page);
        EXPECT_EQ(ticked, std::vector<int>{c.radio}) << "ticked: " << RadioList(ticked);
        const bool hiddenRadio =
            std::find(std::begin(hidden), std::end(hidden), c.radio) != std::end(hidden);
        EXPECT_EQ(IsVisible(page, c.radio), !hiddenRadio);
        EXPECT_EQ(GetDlgCtrlID(FocusedControl(page)), IDC_OS_INSTALL_DRIVER)
            << "the focus starts on the install-printer-driver button";
    }
}

TEST(OsPage, BackFromTheSettingsPageTicksTheDetectedRadioAgain) {
    SetWineVersion("winxp");
    Wizard wizard;
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    Click(page, IDC_OS_VISTA);
    ASSERT_TRUE(WaitFor([&] { return IsChecked(page, IDC_OS_VISTA); }));
    EXPECT_EQ(TickedRadios(page), std::vector<int>{IDC_OS_VISTA})
        << "one group: ticking clears the others";
    Click(page, IDC_OS_INSTALL_DRIVER);
    HWND settings = wizard.WaitForWindow(kSettingsPageCaption);
    ASSERT_TRUE(settings);
    Click(settings, IDC_SETTINGS_BACK);
    HWND again = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(again);
    const std::vector<int> ticked = TickedRadios(again);
    EXPECT_EQ(ticked, std::vector<int>{IDC_OS_WINXP}) << "ticked: " << RadioList(ticked);
    EXPECT_EQ(GetDlgCtrlID(FocusedControl(again)), IDC_OS_INSTALL_DRIVER);
}

TEST(OsPage, UsbButtonStartsTheX86InstallerOnEachPressAndThePageStays) {
    Wizard wizard;
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    const std::string run = MediumRoot() + "\\USB Driver\\x86\\dpinstx86.exe|" + MediumRoot();
    Click(page, IDC_OS_INSTALL_USB);
    ASSERT_TRUE(WaitForInstallerRuns(1)) << "no installer ran";
    EXPECT_TRUE(wizard.StaysOpen(page));
    // Each press asks for another installer, whether the first still runs or not.
    Click(page, IDC_OS_INSTALL_USB);
    ASSERT_TRUE(WaitForInstallerRuns(2)) << "runs: " << JoinedRuns();
    EXPECT_EQ(InstallerRuns(), (std::vector<std::string>{run, run}));
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_EQ(wizard.TopLevelWindows(), std::vector<HWND>{page}) << wizard.VisibleWindows();
    EXPECT_TRUE(IsWindowEnabled(page));
}

TEST(OsPage64, UsbButtonStartsTheX64Installer) {
    Wizard wizard;
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    Click(page, IDC_OS_INSTALL_USB);
    ASSERT_TRUE(WaitForInstallerRuns(1)) << "no installer ran";
    EXPECT_EQ(InstallerRuns(),
              std::vector<std::string>{MediumRoot() + "\\USB Driver\\x64\\dpinstx64.exe|" +
                                       MediumRoot()});
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_EQ(wizard.TopLevelWindows(), std::vector<HWND>{page}) << wizard.VisibleWindows();
}

TEST(OsPage, UsbButtonStartedFromAnotherFolderReportsNothing) {
    // As from a shortcut whose start folder is not the medium's root: the
    // installer is looked for below that folder and is not there.
    Wizard wizard("C:\\windows");
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    Click(page, IDC_OS_INSTALL_USB);
    EXPECT_TRUE(wizard.StaysOpen(page, 2000));
    EXPECT_EQ(wizard.TopLevelWindows(), std::vector<HWND>{page})
        << "expected no message, saw " << wizard.VisibleWindows();
    EXPECT_FALSE(wizard.Crashed());
    EXPECT_FALSE(FileExists(kInstallerRuns)) << "runs: " << JoinedRuns();
    // The page still works.
    Click(page, IDC_OS_INSTALL_DRIVER);
    EXPECT_TRUE(wizard.WaitForWindow(kSettingsPageCaption));
}

TEST(OsPage, UsbButtonStartedFromADriveRootStartsTheInstaller) {
    // The drive root's text already ends in a backslash, so the wizard asks
    // for "M:\\USB Driver\..."; the system takes the doubled backslash as one.
    ASSERT_TRUE(MapDrive(L'm', L"C:\\medium")) << "could not map the medium as M:";
    ASSERT_TRUE(FileExists("M:\\OstrelSetup.exe"));
    Wizard wizard("M:\\");
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    Click(page, IDC_OS_INSTALL_USB);
    ASSERT_TRUE(WaitForInstallerRuns(1)) << "no installer ran";
    const std::vector<std::string> runs = InstallerRuns();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(CollapseBackslashes(runs[0]), "M:\\USB Driver\\x86\\dpinstx86.exe|M:\\");
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_FALSE(wizard.Crashed());
}
