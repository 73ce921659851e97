// The settings page: the model choice, the hidden port group, the system
// menu's about item with the about box, and the page's icon.

#include <cstdio>
#include <functional>

#include "wizard_pages.h"

using namespace wine_test;

namespace {
const std::vector<std::string> kModelNames = {"POS-58 小票打印机", "POS-76 小票打印机",
                                              "POS-80 小票打印机"};

const int kSerialCombos[] = {IDC_SETTINGS_BAUD, IDC_SETTINGS_DATA_BITS, IDC_SETTINGS_STOP_BITS,
                             IDC_SETTINGS_PARITY, IDC_SETTINGS_FLOW};

void ExpectInitialState(HWND page) {
    EXPECT_TRUE(SameTexts(ComboItems(page, IDC_SETTINGS_DRIVER), kModelNames));
    EXPECT_EQ(ComboSelection(page, IDC_SETTINGS_DRIVER), 0);
    EXPECT_TRUE(IsChecked(page, IDC_SETTINGS_DEFAULT_PRINTER));
    EXPECT_TRUE(SameText(ItemText(page, IDC_SETTINGS_PRINTER_NAME), kModelNames[0]));

    // The port group is never shown, but its selections are what the
    // installation reads.
    struct Combo {
        int id;
        std::vector<std::string> items;
        int selection;
        bool enabled;
    };
    const Combo combos[] = {
        {IDC_SETTINGS_PORT, {"LPT1", "LPT2", "LPT3", "COM1", "COM2", "COM3", "COM4"}, 0, true},
        {IDC_SETTINGS_BAUD,
         {"300", "1200", "2400", "4800", "9600", "19200", "38400", "57600", "115200"},
         5,
         false},
        {IDC_SETTINGS_DATA_BITS, {"5", "6", "7", "8"}, 3, false},
        {IDC_SETTINGS_STOP_BITS, {"1", "1.5", "2"}, 0, false},
        {IDC_SETTINGS_PARITY, {"Even", "Mark", "None", "Odd", "Space"}, 2, false},
        {IDC_SETTINGS_FLOW, {"None", "XonXoff", "Hardware"}, 2, false},
    };
    for (const Combo& combo : combos) {
        SCOPED_TRACE("combo box " + std::to_string(combo.id));
        ASSERT_TRUE(GetDlgItem(page, combo.id));
        EXPECT_TRUE(SameTexts(ComboItems(page, combo.id), combo.items));
        EXPECT_EQ(ComboSelection(page, combo.id), combo.selection);
        EXPECT_EQ(IsEnabled(page, combo.id), combo.enabled);
        EXPECT_FALSE(IsVisible(page, combo.id));
    }
}

// What the user can change on the page, to see that something left it alone.
struct PageState {
    int driver, port;
    bool ticked;
    std::string name;
    std::vector<bool> serialEnabled;
    bool operator==(const PageState& other) const {
        return driver == other.driver && port == other.port && ticked == other.ticked &&
               name == other.name && serialEnabled == other.serialEnabled;
    }
};

PageState StateOf(HWND page) {
    PageState state{ComboSelection(page, IDC_SETTINGS_DRIVER),
                    ComboSelection(page, IDC_SETTINGS_PORT),
                    IsChecked(page, IDC_SETTINGS_DEFAULT_PRINTER),
                    ItemText(page, IDC_SETTINGS_PRINTER_NAME),
                    {}};
    for (int combo : kSerialCombos)
        state.serialEnabled.push_back(IsEnabled(page, combo));
    return state;
}

std::ostream& operator<<(std::ostream& out, const PageState& state) {
    out << "{driver " << state.driver << ", port " << state.port << ", ticked " << state.ticked
        << ", name \"" << Utf8(state.name) << "\", serial enabled";
    for (bool enabled : state.serialEnabled)
        out << " " << enabled;
    return out << "}";
}

// Moves the page away from its initial state.
void ChangeEverything(HWND page) {
    ChooseComboItem(page, IDC_SETTINGS_DRIVER, 1);
    ChooseComboItem(page, IDC_SETTINGS_PORT, 4);
    Click(page, IDC_SETTINGS_DEFAULT_PRINTER);
    ASSERT_TRUE(WaitFor([&] { return !IsChecked(page, IDC_SETTINGS_DEFAULT_PRINTER); }));
}

// A copy of what the screen shows in a rectangle.
class ScreenArea {
  public:
    explicit ScreenArea(const RECT& rect) : m_rect(rect) {
        const int width = rect.right - rect.left, height = rect.bottom - rect.top;
        m_pixels.resize(static_cast<size_t>(width) * height);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        HDC screen = GetDC(nullptr);
        HDC copy = CreateCompatibleDC(screen);
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(copy, bitmap);
        BitBlt(copy, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        GdiFlush();
        const auto* bgra = static_cast<const BYTE*>(bits);
        for (size_t i = 0; i < m_pixels.size(); ++i) {
            m_pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
        }
        SelectObject(copy, old);
        DeleteObject(bitmap);
        DeleteDC(copy);
        ReleaseDC(nullptr, screen);
    }
    // Screen coordinates.
    COLORREF At(int x, int y) const {
        return m_pixels[static_cast<size_t>(y - m_rect.top) * (m_rect.right - m_rect.left) +
                        (x - m_rect.left)];
    }
    // Whether most of row y (screen coordinate) between left and right has the colour.
    bool RowIs(int y, int left, int right, const std::function<bool(COLORREF)>& colour) const {
        int matching = 0;
        for (int x = left; x < right; ++x)
            matching += colour(At(x, y));
        return matching * 10 >= (right - left) * 8;
    }

  private:
    RECT m_rect;
    std::vector<COLORREF> m_pixels;
};

// Other tests may run at the same time on the same display, each with its
// wizard's pages in the middle of the screen. A test that reads the screen
// first moves its window into a corner of its own.
enum class Corner { kTopLeft, kTopRight };

bool MoveToCorner(HWND window, Corner corner) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const int x =
        corner == Corner::kTopLeft ? 0 : GetSystemMetrics(SM_CXSCREEN) - (rect.right - rect.left);
    SetWindowPos(window, nullptr, x, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return WaitFor([&] {
        RECT now{};
        GetWindowRect(window, &now);
        return now.left == x && now.top == 0;
    });
}

HWND WaitForPopupMenu(Wizard& wizard) {
    HWND menu = nullptr;
    WaitFor([&] {
        for (HWND window : wizard.TopLevelWindows()) {
            char className[16] = {};
            GetClassNameA(window, className, sizeof className);
            if (strcmp(className, "#32768") == 0)
                menu = window;
        }
        return menu != nullptr;
    });
    return menu;
}

// The rows of the highlighted item of an open menu, or {-1, -1}.
struct Band {
    int top = -1, bottom = -1;  // inclusive, screen coordinates
    bool operator==(const Band& other) const { return top == other.top && bottom == other.bottom; }
};

Band HighlightedItem(HWND menu) {
    RECT rect{};
    GetWindowRect(menu, &rect);
    const ScreenArea area(rect);
    const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT), flat = GetSysColor(COLOR_MENUHILIGHT);
    Band band;
    for (int y = rect.top; y < rect.bottom; ++y) {
        if (area.RowIs(y, rect.left + 4, rect.right - 4,
                       [&](COLORREF c) { return c == highlight || c == flat; })) {
            if (band.top < 0)
                band.top = y;
            band.bottom = y;
        }
    }
    return band;
}

// Presses a key in the open menu and waits for the highlight to move.
Band MoveHighlight(HWND page, HWND menu, WPARAM key, const Band& from) {
    PressKey(page, key);
    Band now;
    WaitFor([&] {
        now = HighlightedItem(menu);
        return now.top >= 0 && !(now == from);
    });
    return now;
}

// The wizard's icon 128, drawn by this process at the caption's icon size
// on black and on white: where both agree the icon is opaque.
struct IconPicture {
    int width = 0, height = 0;
    std::vector<COLORREF> colour;
    std::vector<bool> opaque;
};

std::vector<COLORREF> Draw(HICON icon, int width, int height, COLORREF background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    HBRUSH brush = CreateSolidBrush(background);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, brush);
    DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<COLORREF> pixels(static_cast<size_t>(width) * height);
    const auto* bgra = static_cast<const BYTE*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = RGB(bgra[4 * i + 2], bgra[4 * i + 1], bgra[4 * i]);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixels;
}

IconPicture Picture(HICON icon, int width, int height) {
    IconPicture picture{width, height, Draw(icon, width, height, RGB(0, 0, 0)), {}};
    const std::vector<COLORREF> onWhite = Draw(icon, width, height, RGB(255, 255, 255));
    for (size_t i = 0; i < onWhite.size(); ++i)
        picture.opaque.push_back(picture.colour[i] == onWhite[i]);
    return picture;
}

// The caption draws the small icon; it may be the 32 x 32 image scaled or
// the 16 x 16 image of the icon group, so both count.
std::vector<IconPicture> WizardIconPictures() {
    HMODULE exe = LoadLibraryExA((MediumRoot() + "\\OstrelSetup.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    const int width = GetSystemMetrics(SM_CXSMICON), height = GetSystemMetrics(SM_CYSMICON);
    std::vector<IconPicture> pictures;
    if (HICON big = LoadIconA(exe, MAKEINTRESOURCEA(IDR_MAINFRAME))) {
        pictures.push_back(Picture(big, width, height));
    }
    if (HANDLE small =
            LoadImageA(exe, MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, width, height, 0)) {
        pictures.push_back(Picture(static_cast<HICON>(small), width, height));
    }
    return pictures;
}

// Whether the window's caption, left of its text, shows one of the pictures.
bool CaptionShows(HWND window, const std::vector<IconPicture>& pictures) {
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT client{0, 0};
    ClientToScreen(window, &client);
    const RECT caption{frame.left, frame.top, frame.left + 64, client.y};
    if (caption.bottom <= caption.top)
        return false;
    const ScreenArea area(caption);
    for (const IconPicture& picture : pictures) {
        int opaque = 0;
        for (bool o : picture.opaque)
            opaque += o;
        for (int y = caption.top; y + picture.height <= caption.bottom; ++y) {
            for (int x = caption.left; x + picture.width <= caption.right; ++x) {
                int same = 0;
                for (int py = 0; py < picture.height; ++py) {
                    for (int px = 0; px < picture.width; ++px) {
                        const size_t i = static_cast<size_t>(py) * picture.width + px;
                        same += picture.opaque[i] && area.At(x + px, y + py) == picture.colour[i];
                    }
                }
                if (opaque > 0 && same * 20 >= opaque * 19)
                    return true;
            }
        }
    }
    return false;
}
}  // namespace

TEST(SettingsPage, OpensWithTheThreeModelsTheFirstChosenAndTheHiddenPortGroupPreset) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    ExpectInitialState(page);
    EXPECT_EQ(GetDlgCtrlID(FocusedControl(page)), IDC_SETTINGS_DRIVER);
}

TEST(SettingsPage, PrinterNameBoxFollowsTheChosenModelAndTakesNoTyping) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    for (int model : {2, 0, 1}) {
        SCOPED_TRACE("model " + std::to_string(model));
        ChooseComboItem(page, IDC_SETTINGS_DRIVER, model);
        EXPECT_TRUE(SameText(ItemText(page, IDC_SETTINGS_PRINTER_NAME), kModelNames[model]));
    }
    HWND nameBox = GetDlgItem(page, IDC_SETTINGS_PRINTER_NAME);
    EXPECT_TRUE(GetWindowLongA(nameBox, GWL_STYLE) & ES_READONLY);
    SendMessageA(page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(nameBox), TRUE);
    SendMessageA(nameBox, WM_CHAR, 'x', 1);
    SendMessageA(nameBox, WM_KEYDOWN, VK_BACK, 1);
    SendMessageA(nameBox, WM_CHAR, VK_BACK, 1);
    EXPECT_TRUE(SameText(ItemText(page, IDC_SETTINGS_PRINTER_NAME), kModelNames[1]));
    EXPECT_TRUE(IsWindowVisible(page));
}

TEST(SettingsPage, DefaultPrinterBoxChangesNothingButItsTick) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    PageState expected = StateOf(page);
    for (bool ticked : {false, true}) {
        Click(page, IDC_SETTINGS_DEFAULT_PRINTER);
        ASSERT_TRUE(
            WaitFor([&] { return IsChecked(page, IDC_SETTINGS_DEFAULT_PRINTER) == ticked; }));
        expected.ticked = ticked;
        EXPECT_EQ(StateOf(page), expected);
    }
    EXPECT_TRUE(wizard.StaysOpen(page));
}

TEST(SettingsPage, ComPortEnablesTheLineSettingsAndAnLptPortDisablesThem) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    // 0 to 2 are LPT1 to LPT3, 3 to 6 COM1 to COM4; -1 is no selection.
    for (int port : {3, 0, 6, 2, 4, 1, 5, -1}) {
        SCOPED_TRACE("port index " + std::to_string(port));
        ChooseComboItem(page, IDC_SETTINGS_PORT, port);
        for (int combo : kSerialCombos) {
            EXPECT_EQ(IsEnabled(page, combo), port > 2) << "combo box " << combo;
            EXPECT_FALSE(IsVisible(page, combo)) << "combo box " << combo;
        }
        EXPECT_TRUE(IsEnabled(page, IDC_SETTINGS_PORT));
    }
}

TEST(SettingsPage, BackAndForwardAgainGivesAPageInItsInitialState) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    ChangeEverything(page);
    Click(page, IDC_SETTINGS_BACK);
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(osPage);
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    HWND again = wizard.WaitForWindow(kSettingsPageCaption);
    ASSERT_TRUE(again);
    ExpectInitialState(again);
}

TEST(SettingsPage, AboutCommandsOpenTheAboutBoxWhichClosesBackToThePageAsItWas) {
    struct Case {
        WPARAM command;  // the about item's id, 0x10, with any low four bits
        const char* closing;
        std::function<void(HWND about)> close;
    };
    const Case cases[] = {
        {0x10, "确定", [](HWND about) { Click(about, IDOK); }},
        {0x13, "Esc", [](HWND about) { PressEsc(about); }},
        {0x1F, "Enter", [](HWND about) { PressEnter(about); }},
        {0x10, "close box", [](HWND about) { CloseBox(about); }},
    };
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    ChangeEverything(page);
    const PageState before = StateOf(page);
    for (const Case& c : cases) {
        char command[16];
        snprintf(command, sizeof command, "0x%02X", static_cast<unsigned>(c.command));
        SCOPED_TRACE(std::string("command ") + command + ", closed with " + Utf8(c.closing));
        SystemCommand(page, c.command);
        HWND about = wizard.WaitForWindow(kAboutCaption);
        ASSERT_TRUE(about);
        EXPECT_EQ(GetWindow(about, GW_OWNER), page);
        EXPECT_FALSE(IsWindowEnabled(page)) << "the about box is modal";
        EXPECT_TRUE(SameText(ItemText(about, IDOK), "确定"));
        c.close(about);
        ASSERT_TRUE(wizard.WaitForWindowGone(about)) << "the about box stayed open";
        ASSERT_TRUE(WaitFor([&] { return IsWindowEnabled(page) != FALSE; }));
        EXPECT_TRUE(IsWindowVisible(page));
        EXPECT_EQ(StateOf(page), before);
    }
    EXPECT_FALSE(wizard.HasExited());
}

// Wine does not let one process read another's menus (GetSystemMenu of the
// page fails with access denied), so the menu is read as a person reads it:
// opened with the keyboard, its highlighted items found on the screen. (The
// mnemonic does not single the item out: Wine's own "About Wine" item, just
// above it, has the A as well.)
TEST(SettingsPage, SystemMenuEndsWithASeparatorAndTheAboutItem) {
    Wizard wizard;
    HWND page = OpenSettingsPage(wizard);
    ASSERT_TRUE(page);
    ASSERT_TRUE(MoveToCorner(page, Corner::kTopRight));
    PostMessageA(page, WM_SYSCOMMAND, SC_KEYMENU, ' ');  // Alt+Space
    HWND menu = WaitForPopupMenu(wizard);
    ASSERT_TRUE(menu) << "no menu opened; saw " << wizard.VisibleWindows();
    RECT rect{};
    GetWindowRect(menu, &rect);

    // Opened by the keyboard, the menu highlights its first item; Up from
    // there wraps round to the last.
    Band first;
    ASSERT_TRUE(WaitFor([&] { return (first = HighlightedItem(menu)).top >= 0; }))
        << "no item was highlighted";
    EXPECT_LE(first.top - rect.top, 4) << "the highlighted item is not the first";
    const Band last = MoveHighlight(page, menu, VK_UP, first);
    ASSERT_GE(last.top, 0) << "no item was highlighted";
    EXPECT_LE(rect.bottom - 1 - last.bottom, 4) << "the highlighted item is not the lowest";
    const Band previous = MoveHighlight(page, menu, VK_UP, last);
    ASSERT_GE(previous.top, 0);
    ASSERT_LT(previous.bottom, last.top) << "the highlight did not move up";

    // Between them lies a separator, which the keyboard passes over.
    const ScreenArea area(rect);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    bool separator = false;
    for (int y = previous.bottom + 1; y < last.top; ++y) {
        separator |=
            area.RowIs(y, rect.left + 4, rect.right - 4, [&](COLORREF c) { return c == shadow; });
    }
    EXPECT_TRUE(separator) << "no separator line between rows " << previous.bottom << " and "
                           << last.top;

    // The last item is the about item.
    ASSERT_EQ(MoveHighlight(page, menu, VK_DOWN, previous), last);
    PressEnter(page);
    HWND about = wizard.WaitForWindow(kAboutCaption);
    ASSERT_TRUE(about);
    EXPECT_EQ(GetWindow(about, GW_OWNER), page);
    Click(about, IDOK);
    EXPECT_TRUE(wizard.WaitForWindowGone(about));
}

// Without a window manager Wine draws the captions itself when it is told
// not to leave the windows to one; then the page's icon can be seen.
TEST(SettingsPage, CaptionShowsTheWizardsIconWhereTheOperatingSystemPageHasNone) {
    SetRegistryString(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", "N");
    const std::vector<IconPicture> pictures = WizardIconPictures();
    ASSERT_FALSE(pictures.empty()) << "icon 128 could not be read from the medium's executable";
    Wizard wizard;
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    ASSERT_TRUE(osPage);
    ASSERT_TRUE(MoveToCorner(osPage, Corner::kTopLeft));
    EXPECT_FALSE(WaitFor([&] { return CaptionShows(osPage, pictures); }, 1000))
        << "the operating-system page sets no icon of its own";
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    HWND page = wizard.WaitForWindow(kSettingsPageCaption);
    ASSERT_TRUE(page);
    ASSERT_TRUE(MoveToCorner(page, Corner::kTopLeft));
    EXPECT_TRUE(WaitFor([&] { return CaptionShows(page, pictures); }))
        << "the settings page's caption does not show icon 128";
}
