// The medium may be a download folder, so a DLL planted beside the wizard must
// never be loaded in place of the system's. Each DLL the wizard loads that
// Windows does not protect as a KnownDLL is planted as C:\medium\<name> (a copy
// of planted.dll, which leaves a marker when it is loaded) and the wizard is
// walked through the whole installation.

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "wizard_pages.h"

using namespace wine_test;

namespace {
const char* const kMarker = "C:\\planted-loaded.txt";
const char* const kUsbInstallerLog = "C:\\usb-installer-runs.txt";
const char* const kOverridesKey = "Software\\Wine\\AppDefaults\\OstrelSetup.exe\\DllOverrides";

// The DLLs whose safety is this program's own doing: the manifest sends
// comctl32 to the side-by-side assembly, winspool.drv is delay-loaded from
// System32 by full path (and the spooler DLLs behind it come from there too),
// and what the program loads itself after its first statement is confined to
// System32.
const char* const kGuardedDlls[] = {"comctl32.dll", "winspool.drv", "compstui.dll",
                                    "localspl.dll", "spoolss.dll",  "tzres.dll"};

// Taken from the medium under Wine whatever the program does, so not tested
// here: Wine's own user32 and gdi32 import version.dll and zlib1.dll while the
// process is being mapped, Wine's comctl32 loads uxtheme.dll from its DllMain,
// both before the program's first instruction, and Wine's uxtheme
// delay-loads msimg32.dll along a search path that ignores
// SetDefaultDllDirectories. zlib1.dll and winex11.drv exist only under Wine.
const char* const kTakenByWineItself[] = {"version.dll", "zlib1.dll", "uxtheme.dll", "msimg32.dll",
                                          "winex11.drv"};

// Windows maps these from System32 whatever the search path says (the
// KnownDLLs list of Windows 10, with the dependencies that the session
// manager maps beside them, such as kernelbase, ucrtbase and win32u). The
// Wine prefix has no KnownDLLs key at all, which is why the lists above
// cannot be taken from it.
const char* const kWindowsKnownDlls[] = {
    "ntdll.dll",    "kernel32.dll", "kernelbase.dll", "advapi32.dll", "sechost.dll",
    "msvcrt.dll",   "ucrtbase.dll", "rpcrt4.dll",     "combase.dll",  "ole32.dll",
    "oleaut32.dll", "gdi32.dll",    "gdi32full.dll",  "user32.dll",   "win32u.dll",
    "imm32.dll",    "msctf.dll",    "shell32.dll",    "shlwapi.dll",  "shcore.dll",
    "comdlg32.dll", "setupapi.dll", "ws2_32.dll",     "nsi.dll",      "psapi.dll",
    "normaliz.dll", "wldap32.dll",  "clbcatq.dll",    "coml2.dll",    "imagehlp.dll",
    "gdiplus.dll",  "difxapi.dll"};

// Wine's load order for the wizard alone. WINEDLLOVERRIDES cannot carry it:
// Wine gives a new process the WINE* variables of its Unix environment, so a
// value this test sets in its own environment never reaches the wizard (a
// "cmd /c set" started from here does not list it). This key is read by the
// same load-order lookup, right after that variable.
void PreferNativeDll(const std::string& fileName) {
    std::string module = fileName;
    if (module.size() > 4 && _stricmp(module.c_str() + module.size() - 4, ".dll") == 0) {
        module.resize(module.size() - 4);  // how Wine names DLL overrides
    }
    SetRegistryString(HKEY_CURRENT_USER, kOverridesKey, module.c_str(), "native,builtin");
}

void PlantDll(const std::string& fileName) {
    const std::string planted = MediumRoot() + "\\" + fileName;
    ASSERT_TRUE(CopyFileA("C:\\artifacts\\planted.dll", planted.c_str(), FALSE)) << planted;
}

bool WaitForFile(const char* path, DWORD timeoutMs = kWaitMs) {
    const DWORD start = GetTickCount();
    while (!FileExists(path)) {
        if (GetTickCount() - start >= timeoutMs) {
            return false;
        }
        Sleep(15);
    }
    return true;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Every part of the wizard that loads a DLL: the USB driver launcher on the
// first page, the port list (the spooler), the installation and the
// completion message.
void RunTheWholeWizard(Wizard& wizard) {
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(osPage);
    Click(osPage, IDC_OS_INSTALL_USB);
    ASSERT_TRUE(WaitForFile(kUsbInstallerLog)) << "the USB driver installer did not run";
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    HWND settings = wizard.WaitForWindow(kSettingsPageCaption);
    ASSERT_TRUE(settings);
    Click(settings, IDC_SETTINGS_NEXT);
    HWND port = wizard.WaitForWindow(kPortPageCaption);
    ASSERT_TRUE(port);
    ASSERT_GT(ListCount(port, IDC_PORT_LIST), 0) << "the spooler listed no ports";
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard, 20000);
    ASSERT_TRUE(box.window);
    EXPECT_TRUE(SameText(box.text, "驱动安装完成"));
    DismissMessageBox(box);
    EXPECT_TRUE(wizard.WaitForExit()) << "still open: " << wizard.VisibleWindows();
    EXPECT_EQ(wizard.ExitCode(), 0u);
    EXPECT_FALSE(wizard.Crashed());
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += name + " ";
    return text;
}
}  // namespace

TEST(DllPlanting, PlantedCopiesOfTheGuardedDllsAreNeverLoaded) {
    for (const char* name : kGuardedDlls) {
        PlantDll(name);
        PreferNativeDll(name);
    }
    Wizard wizard;
    RunTheWholeWizard(wizard);
    const std::vector<std::string> loaded = wizard.LoadedModules();
    for (const char* name : kGuardedDlls) {
        EXPECT_TRUE(Contains(loaded, name))
            << name << " was not loaded at all, so its planted copy proves "
            << "nothing; loaded: " << Joined(loaded);
    }
    EXPECT_FALSE(FileExists(kMarker)) << "planted DLLs loaded:\n" << ReadFile(kMarker);
}

// The control for the test above: without it, a wizard that no planted DLL
// can reach and a bench on which no override takes effect look the same.
TEST(DllPlanting, ControlWineTakesAPlantedVersionDllOnlyWithTheOverride) {
    PlantDll("version.dll");
    {
        Wizard wizard;
        ASSERT_TRUE(wizard.WaitForWindow(kOsPageCaption));
        EXPECT_TRUE(Contains(wizard.LoadedModules(), "version.dll"));
    }
    EXPECT_FALSE(FileExists(kMarker)) << "without an override Wine maps its own DLL in its place";

    PreferNativeDll("version.dll");
    Wizard wizard;
    // The planted copy exports nothing, so the wizard cannot start with it.
    EXPECT_TRUE(wizard.WaitForExit());
    EXPECT_EQ(ReadFile(kMarker), MediumRoot() + "\\version.dll\r\n");
}

// A DLL that the wizard starts to load must join one of the lists above, and
// a guarded one is then planted by the first test.
TEST(DllPlanting, EveryDllTheWizardLoadsIsKnownGuardedOrTakenByWineItself) {
    HKEY knownDlls = nullptr;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE,
                            "System\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs", 0,
                            KEY_READ, &knownDlls),
              ERROR_SUCCESS)
        << "the prefix now has a KnownDLLs key: compare with it";
    if (knownDlls) {
        RegCloseKey(knownDlls);
    }

    std::set<std::string> classified(std::begin(kWindowsKnownDlls), std::end(kWindowsKnownDlls));
    classified.insert(std::begin(kGuardedDlls), std::end(kGuardedDlls));
    classified.insert(std::begin(kTakenByWineItself), std::end(kTakenByWineItself));
    classified.insert("ostrelsetup.exe");

    Wizard wizard;
    RunTheWholeWizard(wizard);
    std::vector<std::string> unclassified;
    for (const std::string& name : wizard.LoadedModules()) {
        if (!classified.count(name) && !Contains(unclassified, name)) {
            unclassified.push_back(name);
        }
    }
    EXPECT_TRUE(unclassified.empty())
        << "loaded, but neither known, guarded nor taken by Wine: " << Joined(unclassified);
}
