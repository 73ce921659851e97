// The port page: the list of the spooler's ports and its preselection,
// configuring a port, and installing without a port.

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>

#include "spooler_view.h"
#include "wizard_pages.h"

using namespace wine_test;

namespace {
// Wine's local port monitor lists the value names under this key.
const char kPortsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";

struct SpoolerPorts {
    std::vector<std::string> names, descriptions;
};

SpoolerPorts EnumeratedPorts() {
    DWORD needed = 0, count = 0;
    EnumPortsA(nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    SpoolerPorts ports;
    if (!EnumPortsA(nullptr, 2, buffer.data(), needed, &needed, &count))
        return ports;
    const auto* records = reinterpret_cast<const PORT_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        ports.names.push_back(records[i].pPortName ? records[i].pPortName : "");
        ports.descriptions.push_back(records[i].pDescription ? records[i].pDescription : "");
    }
    return ports;
}

// Leaves the prefix with exactly these ports.
void ReplacePorts(const std::vector<std::string>& names) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kPortsKey, 0, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    for (;;) {
        char name[256] = {};
        DWORD length = sizeof name;
        if (RegEnumValueA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        ASSERT_EQ(RegDeleteValueA(key, name), ERROR_SUCCESS) << name;
    }
    RegCloseKey(key);
    for (const std::string& name : names)
        SetRegistryString(HKEY_LOCAL_MACHINE, kPortsKey, name.c_str(), "");
}

std::vector<std::string> DebugLines(const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    for (const std::string& name : names)
        lines.push_back(name + "\n");
    return lines;
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

int SelectedCount(HWND page) {
    return static_cast<int>(SendDlgItemMessageA(page, IDC_PORT_LIST, LVM_GETSELECTEDCOUNT, 0, 0));
}

std::string RowName(HWND page, int row) {
    return row < 0 ? "no row"
                   : "row " + std::to_string(row) + " " + ListText(page, IDC_PORT_LIST, row, 0);
}

// The one selected row: selected, without the focus state.
void ExpectSelectedWithoutFocus(HWND page, int row) {
    const int selected = ListSelectedRow(page, IDC_PORT_LIST);
    EXPECT_EQ(selected, row) << "expected " << RowName(page, row) << " selected, saw "
                             << RowName(page, selected);
    EXPECT_EQ(SelectedCount(page), row >= 0 ? 1 : 0);
    if (row >= 0) {
        EXPECT_EQ(ListItemState(page, IDC_PORT_LIST, row, LVIS_SELECTED | LVIS_FOCUSED),
                  UINT{LVIS_SELECTED});
    }
}

std::vector<HWND> OwnedBy(Wizard& wizard, HWND owner) {
    std::vector<HWND> owned;
    for (HWND window : wizard.TopLevelWindows()) {
        if (GetWindow(window, GW_OWNER) == owner)
            owned.push_back(window);
    }
    return owned;
}
}  // namespace

TEST(PortPage, ListsTheSpoolersPortsInTheirOrderWithLpt1SelectedWithoutFocus) {
    const SpoolerPorts ports = EnumeratedPorts();
    const int lpt1 = IndexOf(ports.names, "LPT1:");
    ASSERT_GE(lpt1, 0) << "a new prefix has LPT1:";
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 0), ports.names));
    EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 1), ports.descriptions));
    EXPECT_TRUE(SameTexts(wizard.DebugOutput(), DebugLines(ports.names)));
    ExpectSelectedWithoutFocus(page, lpt1);

    ASSERT_EQ(ListColumnCount(page, IDC_PORT_LIST), 2);
    EXPECT_TRUE(SameText(ListColumnHeading(page, IDC_PORT_LIST, 0), "端口"));
    EXPECT_TRUE(SameText(ListColumnHeading(page, IDC_PORT_LIST, 1), "类型"));
    EXPECT_EQ(ListColumnWidth(page, IDC_PORT_LIST, 0), 150);
    EXPECT_EQ(ListColumnWidth(page, IDC_PORT_LIST, 1), 280);
    const DWORD style = ListExtendedStyle(page, IDC_PORT_LIST);
    EXPECT_EQ(style & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              DWORD{LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT})
        << std::hex << style;
    EXPECT_EQ(style & LVS_EX_TRACKSELECT, 0u) << std::hex << style;

    EXPECT_EQ(ProgressPos(page, IDC_PORT_PROGRESS), 0);
    HWND progress = GetDlgItem(page, IDC_PORT_PROGRESS);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, TRUE, 0), 0);
    EXPECT_EQ(SendMessageA(progress, PBM_GETRANGE, FALSE, 0), 100);
}

TEST(PortPage, ListsOnlyTheFirst256PortsAndPreselectsAmongThemAlone) {
    // 300 more ports, named so that Wine's local monitor lists them between
    // COM4: and FILE:, which pushes every port beginning with LPT1 and FILE
    // beyond record 255.
    for (int i = 0; i < 300; ++i) {
        char name[16];
        snprintf(name, sizeof name, "DEV%03d:", i);
        SetRegistryString(HKEY_LOCAL_MACHINE, kPortsKey, name, "");
    }
    SetRegistryString(HKEY_LOCAL_MACHINE, kPortsKey, "LPT1X:", "");
    const std::vector<std::string> all = PortNames();
    ASSERT_GT(all.size(), 300u);
    const std::vector<std::string> listed(all.begin(), all.begin() + 256);
    for (const std::string& name : listed) {
        ASSERT_NE(name.compare(0, 4, "LPT1"), 0) << name << " is within the first 256 records";
        ASSERT_NE(name.compare(0, 4, "FILE"), 0) << name << " is within the first 256 records";
    }
    ASSERT_GE(IndexOf(all, "LPT1X:"), 256);
    const int com1 = IndexOf(listed, "COM1:");
    ASSERT_GE(com1, 0) << "COM1: is within the first 256 records";

    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    EXPECT_EQ(ListCount(page, IDC_PORT_LIST), 256);
    EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 0), listed));
    EXPECT_TRUE(SameTexts(wizard.DebugOutput(), DebugLines(listed)));
    ExpectSelectedWithoutFocus(page, com1);
}

TEST(PortPage, PreselectsByTheFirstFourLettersWithTheLastMatchWinning) {
    struct Case {
        const char* what;
        std::vector<std::string> ports;
        const char* selected;     // "" for none
        const char* listedFirst;  // a candidate of the same pattern listed before it
    };
    const Case cases[] = {
        {"COM1: listed after COM10:", {"COM1:", "COM10:", "FILE:"}, "COM1:", "COM10:"},
        {"COM10: begins with COM1", {"COM10:", "COM2:", "FILE:"}, "COM10:", nullptr},
        {"lpt1: in lower case is no candidate", {"lpt1:", "COM1:", "FILE:"}, "COM1:", nullptr},
        {"FILE: when nothing begins with LPT1 or COM1",
         {"lpt1:", "COM2:", "FILE:", "LPT2:"},
         "FILE:",
         nullptr},
        {"no candidate", {"lpt1:", "com1:", "file:", "LPT2:", "COM2:"}, "", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ReplacePorts(c.ports);
        // Wine's local monitor lists the ports in its own order; the rows
        // follow it.
        const std::vector<std::string> names = PortNames();
        ASSERT_EQ(names.size(), c.ports.size());
        if (c.listedFirst) {
            ASSERT_LT(IndexOf(names, c.listedFirst), IndexOf(names, c.selected));
        }
        Wizard wizard;
        HWND page = OpenPortPage(wizard);
        ASSERT_TRUE(page);
        EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 0), names));
        ExpectSelectedWithoutFocus(page, *c.selected ? IndexOf(names, c.selected) : -1);
    }
}

TEST(PortPage, ConfigureOpensTheMonitorsDialogForTheSelectedPortOwnedByThePage) {
    // Wine's local monitor has a timeout dialog for LPT ports and a message
    // for ports without settings, such as FILE:. It shows nothing for COM
    // ports on this machine, which has no serial devices, so there are none
    // here: whichever row were configured without a selection, a dialog
    // would show.
    ReplacePorts({"FILE:", "LPT1:", "LPT2:"});
    const std::vector<std::string> names = PortNames();
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    const std::vector<HWND> windows = wizard.TopLevelWindows();
    ASSERT_EQ(ListText(page, IDC_PORT_LIST, ListSelectedRow(page, IDC_PORT_LIST), 0), "LPT1:");

    struct Case {
        const char* port;
        const char* caption;  // Wine's own, in Chinese
    };
    const Case cases[] = {{"LPT1:", "设置打印端口"}, {"FILE:", "本地端口"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.port);
        const int row = IndexOf(names, c.port);
        ASSERT_GE(row, 0);
        SelectListRow(page, IDC_PORT_LIST, row);
        Click(page, IDC_PORT_CONFIGURE);
        HWND dialog = wizard.WaitForWindow(c.caption);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), page);
        EXPECT_FALSE(IsWindowEnabled(page)) << "the monitor's dialog is modal over the page";
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
        ASSERT_TRUE(wizard.WaitForWindowGone(dialog));
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(page) != FALSE; }));
        EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 0), names))
            << "the list is not rebuilt";
        EXPECT_EQ(ListSelectedRow(page, IDC_PORT_LIST), row);
    }

    SelectListRow(page, IDC_PORT_LIST, -1);
    Click(page, IDC_PORT_CONFIGURE);
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_EQ(wizard.TopLevelWindows(), windows)
        << "without a selection nothing opens; saw " << wizard.VisibleWindows();
    EXPECT_TRUE(IsWindowEnabled(page));
}

TEST(PortPage, InstallWithoutASelectedPortAsksForOneAndInstallsNothing) {
    const std::vector<std::string> printers = PrinterNames();
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    SelectListRow(page, IDC_PORT_LIST, -1);
    ASSERT_EQ(ListSelectedRow(page, IDC_PORT_LIST), -1);
    Click(page, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.text.compare(0, strlen("请先在列表中选择"), "请先在列表中选择"), 0)
        << "saw \"" << Utf8(box.text) << "\"";
    EXPECT_EQ(box.owner, page);
    DismissMessageBox(box);
    ASSERT_TRUE(wizard.WaitForWindowGone(box.window));
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_TRUE(IsWindowEnabled(page));
    EXPECT_EQ(ProgressPos(page, IDC_PORT_PROGRESS), 0);
    EXPECT_TRUE(SameTexts(PrinterNames(), printers)) << "no printer is created";
    EXPECT_TRUE(OwnedBy(wizard, page).empty()) << wizard.VisibleWindows();
}
