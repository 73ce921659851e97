// The scripted walk-through of the wizard for a machine without a display:
// it goes through every page as a person would, saves a screenshot of each
// (BMP files in the folder given) and installs the first model on LPT1:.
// With --report it prints what the spooler and the registry then hold.
//   walkthrough.exe SHOT_FOLDER     walkthrough.exe --report

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "res/resource.h"
#include "spooler_view.h"
#include "wizard_driver.h"

using namespace wine_test;

namespace {
bool SaveScreenshot(HWND window, const std::string& path) {
    RECT rect;
    if (!GetWindowRect(window, &rect))
        return false;
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = ((width * 3 + 3) & ~3), size = stride * height;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + size;
    bool saved = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out) == 1 &&
                std::fwrite(bits, size, 1, out) == 1;
        std::fclose(out);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

class Shots {
  public:
    explicit Shots(std::string folder) : m_folder(std::move(folder)) {}
    void Take(HWND window, const char* name) {
        if (!window)
            return;
        Sleep(300);  // let the page finish painting; only the picture depends on it
        const std::string path = m_folder + "\\" + std::to_string(++m_count) + "-" + name + ".bmp";
        std::printf("screenshot: %s\n", path.c_str());
        SaveScreenshot(window, path);
    }

  private:
    std::string m_folder;
    int m_count = 0;
};

int Report() {
    std::printf("\n== What the spooler and the registry hold ==\n");
    const char* environment = "Windows NT x86";
    for (const char* name : {"58 Printer Series", "76 Printer Series", "80 Printer Series"}) {
        const DriverView driver = FindDriver(environment, name);
        if (!driver.found)
            continue;
        std::printf("driver \"%s\" for %s\n  driver %s\n  data   %s\n  config %s\n  help   %s\n",
                    name, environment, driver.driverPath.c_str(), driver.dataFile.c_str(),
                    driver.configFile.c_str(), driver.helpFile.c_str());
        for (const std::string& file : driver.dependentFiles)
            std::printf("  dependent %s\n", file.c_str());
        const PrinterView printer = FindPrinter(name);
        if (printer.found) {
            std::printf("printer \"%s\" on %s, driver \"%s\", %s, %s\n", name, printer.port.c_str(),
                        printer.driver.c_str(), printer.printProcessor.c_str(),
                        printer.datatype.c_str());
        }
    }
    std::string device;
    if (ReadRegistryString(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", "Device",
                           device)) {
        std::printf("default printer (HKCU ...\\Windows NT\\CurrentVersion\\Windows, Device): %s\n",
                    device.c_str());
    } else {
        std::printf("default printer: no Device value\n");
    }
    const std::string usb = ReadFile("C:\\usb-installer-runs.txt");
    std::printf("USB driver installer runs: %s\n", usb.empty() ? "none" : usb.c_str());
    return 0;
}

int Walk(const std::string& folder) {
    // A real Windows has this key; a new Wine prefix lacks it.
    SetRegistryString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
                      "Device", "");
    Shots shots(folder);
    Wizard wizard;
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    shots.Take(osPage, "os-page");
    std::printf(
        "operating-system page: pressing the USB driver button, then install printer driver\n");
    Click(osPage, IDC_OS_INSTALL_USB);
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    HWND settings = wizard.WaitForWindow(kSettingsPageCaption);
    shots.Take(settings, "settings-page");
    SystemCommand(settings, IDM_ABOUTBOX);
    HWND about = wizard.WaitForWindow(kAboutCaption);
    shots.Take(about, "about-box");
    Click(about, IDOK);
    wizard.WaitForWindowGone(about);
    std::printf("settings page: model %s, default printer ticked; next\n",
                Utf8(ComboItem(settings, IDC_SETTINGS_DRIVER, 0)).c_str());
    Click(settings, IDC_SETTINGS_NEXT);
    HWND port = wizard.WaitForWindow(kPortPageCaption);
    shots.Take(port, "port-page");
    Click(port, IDC_PORT_CREATE);
    HWND createPort = wizard.WaitForWindow(kCreatePortCaption);
    shots.Take(createPort, "create-port");
    Click(createPort, IDC_CREATE_PORT_CLOSE);
    wizard.WaitForWindowGone(createPort);
    const int row = ListSelectedRow(port, IDC_PORT_LIST);
    std::printf("port page: installing on %s\n", ListText(port, IDC_PORT_LIST, row, 0).c_str());
    Click(port, IDC_PORT_INSTALL);
    const MessageBoxView done = WaitForMessageBox(wizard, 30000);
    shots.Take(done.window, "completed");
    std::printf("message: %s\n", Utf8(done.text).c_str());
    DismissMessageBox(done);
    const bool exited = wizard.WaitForExit();
    std::printf("wizard %s\n", exited ? "exited" : "did not exit");
    return exited && !done.text.empty() ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--report")
        return Report();
    return Walk(argc > 1 ? argv[1] : "C:\\screenshots");
}
