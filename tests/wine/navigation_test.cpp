// The page loop and every way of leaving each page.

#include <algorithm>
#include <functional>

#include "spooler_view.h"
#include "wizard_pages.h"

using namespace wine_test;

namespace {
struct Gesture {
    const char* name;
    std::function<void(HWND page)> perform;
};

// The IDCANCEL gestures every page shares.
const Gesture kCancelGestures[] = {
    {"Esc", [](HWND page) { PressEsc(page); }},
    {"close box", [](HWND page) { CloseBox(page); }},
    {"Alt+F4", [](HWND page) { PressAltF4(page); }},
};
}  // namespace

TEST(OsPage, ExitButtonAndCancelGesturesEndTheWizardWithoutAnotherWindow) {
    std::vector<Gesture> gestures(std::begin(kCancelGestures), std::end(kCancelGestures));
    gestures.push_back({"exit button", [](HWND page) { Click(page, IDC_OS_EXIT); }});
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        Wizard wizard;
        HWND page = wizard.WaitForWindow(kOsPageCaption);
        ASSERT_TRUE(page);
        gesture.perform(page);
        const std::vector<std::string> seen = CaptionsUntilExit(wizard);
        ASSERT_TRUE(wizard.HasExited()) << "still open: " << wizard.VisibleWindows();
        EXPECT_EQ(wizard.ExitCode(), 0u);
        EXPECT_FALSE(wizard.Crashed());
        for (const std::string& caption : seen)
            EXPECT_TRUE(SameText(caption, kOsPageCaption));
    }
}

TEST(OsPage, InstallButtonAndEnterOpenTheSettingsPage) {
    const Gesture gestures[] = {
        {"install button", [](HWND page) { Click(page, IDC_OS_INSTALL_DRIVER); }},
        {"Enter on the focused install button", [](HWND page) { PressEnter(page); }},
        {"Enter on a radio button",
         [](HWND page) {
             SendMessageA(page, WM_NEXTDLGCTL,
                          reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_OS_WINXP)), TRUE);
             PressEnter(page);
         }},
    };
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        Wizard wizard;
        HWND page = wizard.WaitForWindow(kOsPageCaption);
        ASSERT_TRUE(page);
        gesture.perform(page);
        ASSERT_TRUE(wizard.WaitForWindow(kSettingsPageCaption));
        EXPECT_TRUE(wizard.WaitForWindowGone(page));
        EXPECT_FALSE(IsWindow(page)) << "the operating-system page stayed open";
    }
}

TEST(OsPage, HiddenBackButtonDoesNothing) {
    Wizard wizard;
    HWND page = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(page);
    EXPECT_FALSE(IsVisible(page, IDC_OS_BACK));
    EXPECT_FALSE(IsEnabled(page, IDC_OS_BACK));
    // A command from it, as if it could be pressed, changes nothing either.
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_OS_BACK, BN_CLICKED), 0);
    Click(page, IDC_OS_BACK);
    EXPECT_TRUE(wizard.StaysOpen(page));
    EXPECT_EQ(wizard.TopLevelWindows().size(), 1u) << wizard.VisibleWindows();
}

TEST(SettingsPage, ExitButtonEnterAndCancelGesturesEndTheWizard) {
    std::vector<Gesture> gestures = {
        {"Esc", [](HWND page) { PressEsc(page); }},
        {"close box", [](HWND page) { CloseBox(page); }},
        // Wine's combo box takes Alt+F4 for F4 and opens its list, so the
        // keys go to a button here.
        {"Alt+F4",
         [](HWND page) {
             SendMessageA(page, WM_NEXTDLGCTL,
                          reinterpret_cast<WPARAM>(GetDlgItem(page, IDC_SETTINGS_NEXT)), TRUE);
             PressAltF4(page);
         }},
    };
    gestures.push_back({"exit button", [](HWND page) { Click(page, IDC_SETTINGS_EXIT); }});
    gestures.push_back({"Enter in the driver combo box", [](HWND page) { PressEnter(page); }});
    gestures.push_back({"system-menu Close", [](HWND page) { SystemCommand(page, SC_CLOSE); }});
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        Wizard wizard;
        HWND page = OpenSettingsPage(wizard);
        ASSERT_TRUE(page);
        gesture.perform(page);
        const std::vector<std::string> seen = CaptionsUntilExit(wizard);
        ASSERT_TRUE(wizard.HasExited()) << "still open: " << wizard.VisibleWindows();
        EXPECT_FALSE(wizard.Crashed());
        for (const std::string& caption : seen)
            EXPECT_TRUE(SameText(caption, kSettingsPageCaption));
    }
}

TEST(SettingsPage, BackShowsTheOperatingSystemPageAgainAndForwardGivesAFreshPage) {
    Wizard wizard;
    HWND settings = OpenSettingsPage(wizard);
    ASSERT_TRUE(settings);
    ChooseComboItem(settings, IDC_SETTINGS_DRIVER, 2);
    Click(settings, IDC_SETTINGS_DEFAULT_PRINTER);
    Click(settings, IDC_SETTINGS_BACK);
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(osPage);
    EXPECT_TRUE(wizard.WaitForWindowGone(settings));
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    HWND again = wizard.WaitForWindow(kSettingsPageCaption);
    ASSERT_TRUE(again);
    EXPECT_EQ(ComboSelection(again, IDC_SETTINGS_DRIVER), 0);
    EXPECT_TRUE(IsChecked(again, IDC_SETTINGS_DEFAULT_PRINTER));
}

TEST(SettingsPage, NextRunsThePortPageOwnedByTheDisabledSettingsPage) {
    Wizard wizard;
    HWND settings = nullptr;
    HWND port = OpenPortPage(wizard, &settings);
    ASSERT_TRUE(port);
    EXPECT_EQ(GetWindow(port, GW_OWNER), settings);
    EXPECT_FALSE(IsWindowEnabled(settings));
    EXPECT_TRUE(IsWindowVisible(settings));
}

TEST(PortPage, BackCancelAndCancelGesturesReturnToTheUnchangedSettingsPage) {
    std::vector<Gesture> gestures(std::begin(kCancelGestures), std::end(kCancelGestures));
    gestures.push_back({"back button", [](HWND page) { Click(page, IDC_PORT_BACK); }});
    gestures.push_back({"cancel button", [](HWND page) { Click(page, IDC_PORT_CANCEL); }});
    Wizard wizard;
    HWND settings = OpenSettingsPage(wizard);
    ASSERT_TRUE(settings);
    ChooseComboItem(settings, IDC_SETTINGS_DRIVER, 1);
    Click(settings, IDC_SETTINGS_DEFAULT_PRINTER);  // untick
    const std::string name = ItemText(settings, IDC_SETTINGS_PRINTER_NAME);
    for (const Gesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        Click(settings, IDC_SETTINGS_NEXT);
        HWND port = wizard.WaitForWindow(kPortPageCaption);
        ASSERT_TRUE(port);
        gesture.perform(port);
        ASSERT_TRUE(wizard.WaitForWindowGone(port)) << "the port page stayed open";
        EXPECT_FALSE(wizard.HasExited());
        EXPECT_TRUE(IsWindowVisible(settings));
        EXPECT_TRUE(IsWindowEnabled(settings));
        EXPECT_EQ(ComboSelection(settings, IDC_SETTINGS_DRIVER), 1);
        EXPECT_FALSE(IsChecked(settings, IDC_SETTINGS_DEFAULT_PRINTER));
        EXPECT_TRUE(SameText(ItemText(settings, IDC_SETTINGS_PRINTER_NAME), name));
    }
    EXPECT_FALSE(wizard.Crashed());
}

TEST(PortPage, EnterInTheListDoesNotEndThePage) {
    Wizard wizard;
    HWND port = OpenPortPage(wizard);
    ASSERT_TRUE(port);
    ASSERT_EQ(GetDlgCtrlID(FocusedControl(port)), IDC_PORT_LIST);
    PressEnter(port);
    EXPECT_TRUE(wizard.StaysOpen(port));
    // The command Enter sends, as the dialog manager sends it.
    SendMessageA(port, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(IsWindowVisible(port));
    EXPECT_EQ(ProgressPos(port, IDC_PORT_PROGRESS), 0) << "nothing was installed";
    EXPECT_FALSE(wizard.HasExited());
}

TEST(PortPage, InstallEndsWithTheCompletionMessageOverTheSettingsPageThenExits) {
    Wizard wizard;
    HWND settings = nullptr;
    HWND port = OpenPortPage(wizard, &settings);
    ASSERT_TRUE(port);
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView box = WaitForMessageBox(wizard);
    ASSERT_TRUE(box.window);
    EXPECT_TRUE(SameText(box.text, "驱动安装完成"));
    EXPECT_TRUE(box.exclamationIcon);
    EXPECT_EQ(box.owner, settings) << "the completion message belongs to the settings page";
    EXPECT_FALSE(IsWindow(port)) << "the port page closes before the message";
    EXPECT_TRUE(IsWindowVisible(settings));
    DismissMessageBox(box);
    EXPECT_TRUE(wizard.WaitForExit());
    EXPECT_EQ(wizard.ExitCode(), 0u);
    EXPECT_FALSE(wizard.Crashed());
}

TEST(PortPage, NoCompletionMessageOnWindows95And98) {
    // Wine's spooler looks a new printer's driver up in the environment of
    // the calling program's Windows version, "Windows 4.0" for 9x; there it
    // finds the model's driver as an earlier installation left it.
    RegisterPlaceholderDriver("Windows 4.0", "58 Printer Series");
    for (const char* version : {"win95", "win98", "winme"}) {
        SCOPED_TRACE(version);
        SetWineVersion(version);
        Wizard wizard;
        HWND port = OpenPortPage(wizard);
        ASSERT_TRUE(port);
        Click(port, IDC_PORT_INSTALL);
        const std::vector<std::string> seen = CaptionsUntilExit(wizard, 20000);
        HWND box = FindWindowA("#32770", kMessageBoxCaption);
        ASSERT_TRUE(wizard.HasExited()) << "still open: " << wizard.VisibleWindows() << " saying \""
                                        << Utf8(box ? Text(GetDlgItem(box, 0xFFFF)) : "") << "\"";
        for (const std::string& caption : seen)
            EXPECT_FALSE(SameText(caption, kMessageBoxCaption));
    }
}

TEST(PortPage, NextAfterCancelOpensAFreshPortPage) {
    Wizard wizard;
    HWND settings = nullptr;
    HWND port = OpenPortPage(wizard, &settings);
    ASSERT_TRUE(port);
    SelectListRow(port, IDC_PORT_LIST, 0);
    Click(port, IDC_PORT_CANCEL);
    ASSERT_TRUE(wizard.WaitForWindowGone(port));
    Click(settings, IDC_SETTINGS_NEXT);
    HWND again = wizard.WaitForWindow(kPortPageCaption);
    ASSERT_TRUE(again);
    const int rows = ListCount(again, IDC_PORT_LIST);
    EXPECT_GT(rows, 0);
    int lpt1 = -1;
    for (int row = 0; row < rows; ++row) {
        if (ListText(again, IDC_PORT_LIST, row, 0) == "LPT1:")
            lpt1 = row;
    }
    EXPECT_EQ(ListSelectedRow(again, IDC_PORT_LIST), lpt1) << "the preselection is made afresh";
}
