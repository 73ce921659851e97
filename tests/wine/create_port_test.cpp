// The create-port dialog: the spooler's port monitors, adding a port through
// a monitor's own dialog, and the port page's list rebuilt after it closes.

#include <windows.h>
#include <commctrl.h>
#include <winspool.h>

#include <algorithm>
#include <functional>

#include "spooler_view.h"
#include "wizard_pages.h"

using namespace wine_test;

namespace {
const char kPortsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Ports";
// The caption of the add-port dialog of Wine's local port monitor (localui).
const char kAddLocalPortCaption[] = "添加本地端口";
constexpr int kAddLocalPortName = 101;  // its edit box

std::vector<std::string> MonitorNames() {
    DWORD needed = 0, count = 0;
    EnumMonitorsA(nullptr, 1, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer(needed ? needed : 1);
    std::vector<std::string> names;
    if (!EnumMonitorsA(nullptr, 1, buffer.data(), needed, &needed, &count))
        return names;
    const auto* monitors = reinterpret_cast<const MONITOR_INFO_1A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        if (monitors[i].pName)
            names.push_back(monitors[i].pName);
    }
    return names;
}

std::vector<std::string> DebugLines(const std::vector<std::string>& names) {
    std::vector<std::string> lines;
    for (const std::string& name : names)
        lines.push_back(name + "\n");
    return lines;
}

std::vector<std::string> OutputSince(Wizard& wizard, size_t start) {
    const std::vector<std::string> output = wizard.DebugOutput();
    return std::vector<std::string>(output.begin() + std::min(start, output.size()), output.end());
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

int IndexOf(const std::vector<std::string>& names, const std::string& name) {
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

HWND OpenCreatePortDialog(Wizard& wizard, HWND portPage) {
    Click(portPage, IDC_PORT_CREATE);
    return wizard.WaitForWindow(kCreatePortCaption);
}

// The port page after a rebuild: the spooler's ports, LPT1: chosen afresh,
// and the columns as the page made them.
void ExpectRebuiltPortList(HWND page) {
    const std::vector<std::string> names = PortNames();
    EXPECT_TRUE(SameTexts(ListColumnTexts(page, IDC_PORT_LIST, 0), names));
    const int lpt1 = IndexOf(names, "LPT1:");
    EXPECT_EQ(ListSelectedRow(page, IDC_PORT_LIST), lpt1);
    if (lpt1 >= 0) {
        EXPECT_EQ(ListItemState(page, IDC_PORT_LIST, lpt1, LVIS_SELECTED | LVIS_FOCUSED),
                  UINT{LVIS_SELECTED});
    }
    EXPECT_EQ(ListColumnCount(page, IDC_PORT_LIST), 2);
    EXPECT_EQ(ListColumnWidth(page, IDC_PORT_LIST, 0), 150);
    EXPECT_EQ(ListColumnWidth(page, IDC_PORT_LIST, 1), 280);
}
}  // namespace

TEST(CreatePort, ListsTheSpoolersMonitorsWithRow0SelectedWithoutFocus) {
    const std::vector<std::string> monitors = MonitorNames();
    ASSERT_FALSE(monitors.empty());
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    const size_t portLines = wizard.DebugOutput().size();
    HWND dialog = OpenCreatePortDialog(wizard, page);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), page);
    EXPECT_FALSE(IsWindowEnabled(page));

    EXPECT_TRUE(SameTexts(ListColumnTexts(dialog, IDC_CREATE_PORT_MONITORS, 0), monitors));
    EXPECT_TRUE(SameTexts(OutputSince(wizard, portLines), DebugLines(monitors)));
    EXPECT_EQ(ListItemState(dialog, IDC_CREATE_PORT_MONITORS, 0, LVIS_SELECTED | LVIS_FOCUSED),
              UINT{LVIS_SELECTED});
    EXPECT_EQ(ListSelectedRow(dialog, IDC_CREATE_PORT_MONITORS), 0);
    ASSERT_EQ(ListColumnCount(dialog, IDC_CREATE_PORT_MONITORS), 1);
    EXPECT_TRUE(SameText(ListColumnHeading(dialog, IDC_CREATE_PORT_MONITORS, 0), "可用端口类型"));
    EXPECT_EQ(ListColumnWidth(dialog, IDC_CREATE_PORT_MONITORS, 0), 340);
    const DWORD style = ListExtendedStyle(dialog, IDC_CREATE_PORT_MONITORS);
    EXPECT_EQ(style & (LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT),
              DWORD{LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT})
        << std::hex << style;
    EXPECT_EQ(style & LVS_EX_TRACKSELECT, 0u) << std::hex << style;
    EXPECT_EQ(GetDlgCtrlID(FocusedControl(dialog)), IDC_CREATE_PORT_MONITORS);
}

TEST(CreatePort, NewPortAddsAPortThroughTheMonitorsDialogThatThePortPageListsAfterClosing) {
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    // A choice of the user's and a position of the bar, to see what the
    // rebuild keeps: the choice is made afresh, the bar is left alone.
    SelectListRow(page, IDC_PORT_LIST, IndexOf(PortNames(), "FILE:"));
    SendDlgItemMessageA(page, IDC_PORT_PROGRESS, PBM_SETPOS, 37, 0);
    HWND dialog = OpenCreatePortDialog(wizard, page);
    ASSERT_TRUE(dialog);
    const std::vector<std::string> monitors = ListColumnTexts(dialog, IDC_CREATE_PORT_MONITORS, 0);
    const std::vector<std::string> portsBefore = PortNames();

    // Cancelled in the monitor's dialog: no port.
    Click(dialog, IDC_CREATE_PORT_NEW);
    HWND addPort = wizard.WaitForWindow(kAddLocalPortCaption);
    ASSERT_TRUE(addPort);
    EXPECT_EQ(GetWindow(addPort, GW_OWNER), dialog);
    EXPECT_FALSE(IsWindowEnabled(dialog));
    Click(addPort, IDCANCEL);
    ASSERT_TRUE(wizard.WaitForWindowGone(addPort));
    EXPECT_TRUE(wizard.StaysOpen(dialog));
    EXPECT_TRUE(SameTexts(PortNames(), portsBefore));

    // Entered there: a new port, and the dialog stays as it was.
    Click(dialog, IDC_CREATE_PORT_NEW);
    addPort = wizard.WaitForWindow(kAddLocalPortCaption);
    ASSERT_TRUE(addPort);
    SendDlgItemMessageA(addPort, kAddLocalPortName, WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>("OSTREL1:"));
    Click(addPort, IDOK);
    ASSERT_TRUE(wizard.WaitForWindowGone(addPort));
    ASSERT_TRUE(WaitFor([] { return Contains(PortNames(), "OSTREL1:"); }))
        << "the monitor added no port";
    EXPECT_TRUE(wizard.StaysOpen(dialog));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(dialog) != FALSE; }));
    EXPECT_TRUE(SameTexts(ListColumnTexts(dialog, IDC_CREATE_PORT_MONITORS, 0), monitors));
    EXPECT_EQ(ListSelectedRow(dialog, IDC_CREATE_PORT_MONITORS), 0);
    EXPECT_FALSE(Contains(ListColumnTexts(page, IDC_PORT_LIST, 0), "OSTREL1:"))
        << "the port page rebuilds its list when the dialog closes, not before";

    const size_t linesBefore = wizard.DebugOutput().size();
    Click(dialog, IDC_CREATE_PORT_CLOSE);
    ASSERT_TRUE(wizard.WaitForWindowGone(dialog));
    ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(page) != FALSE; }));
    EXPECT_TRUE(Contains(ListColumnTexts(page, IDC_PORT_LIST, 0), "OSTREL1:"));
    ExpectRebuiltPortList(page);
    EXPECT_TRUE(SameTexts(OutputSince(wizard, linesBefore), DebugLines(PortNames())));
    EXPECT_EQ(ProgressPos(page, IDC_PORT_PROGRESS), 37);
}

TEST(CreatePort, EveryWayOfClosingLetsThePortPageRebuildItsList) {
    struct Gesture {
        const char* name;
        std::function<void(HWND dialog)> perform;
    };
    const Gesture gestures[] = {
        {"关闭", [](HWND dialog) { Click(dialog, IDC_CREATE_PORT_CLOSE); }},
        {"Esc", [](HWND dialog) { PressEsc(dialog); }},
        {"close box", [](HWND dialog) { CloseBox(dialog); }},
        {"Enter in the list", [](HWND dialog) { PressEnter(dialog); }},
    };
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    int added = 0;
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(Utf8(gesture.name));
        HWND dialog = OpenCreatePortDialog(wizard, page);
        ASSERT_TRUE(dialog);
        // A port that appears while the dialog is open shows whether the
        // page asked the spooler again.
        const std::string port = "LATE" + std::to_string(++added) + ":";
        SetRegistryString(HKEY_LOCAL_MACHINE, kPortsKey, port.c_str(), "");
        gesture.perform(dialog);
        ASSERT_TRUE(wizard.WaitForWindowGone(dialog)) << "the dialog stayed open";
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(page) != FALSE; }));
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_TRUE(Contains(ListColumnTexts(page, IDC_PORT_LIST, 0), port));
        ExpectRebuiltPortList(page);
    }
    EXPECT_FALSE(wizard.Crashed());
}

TEST(CreatePort, NewPortWithoutASelectedMonitorDoesNothing) {
    Wizard wizard;
    HWND page = OpenPortPage(wizard);
    ASSERT_TRUE(page);
    HWND dialog = OpenCreatePortDialog(wizard, page);
    ASSERT_TRUE(dialog);
    const std::vector<HWND> windows = wizard.TopLevelWindows();
    SelectListRow(dialog, IDC_CREATE_PORT_MONITORS, -1);
    ASSERT_EQ(ListSelectedRow(dialog, IDC_CREATE_PORT_MONITORS), -1);
    Click(dialog, IDC_CREATE_PORT_NEW);
    EXPECT_TRUE(wizard.StaysOpen(dialog));
    EXPECT_EQ(wizard.TopLevelWindows(), windows) << "saw " << wizard.VisibleWindows();
    EXPECT_TRUE(IsWindowEnabled(dialog));
}
