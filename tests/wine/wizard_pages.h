#pragma once

// Walking the wizard to a page, for tests that start further in.

#include "res/resource.h"
#include "wizard_driver.h"

namespace wine_test {

inline HWND OpenSettingsPage(Wizard& wizard) {
    HWND osPage = wizard.WaitForWindow(kOsPageCaption);
    if (!osPage)
        return nullptr;
    Click(osPage, IDC_OS_INSTALL_DRIVER);
    return wizard.WaitForWindow(kSettingsPageCaption);
}

inline HWND OpenPortPage(Wizard& wizard, HWND* settingsPage = nullptr) {
    HWND settings = OpenSettingsPage(wizard);
    if (settingsPage)
        *settingsPage = settings;
    if (!settings)
        return nullptr;
    Click(settings, IDC_SETTINGS_NEXT);
    return wizard.WaitForWindow(kPortPageCaption);
}

// The captions of every window the wizard shows until it exits.
inline std::vector<std::string> CaptionsUntilExit(Wizard& wizard, DWORD timeoutMs = kWaitMs) {
    std::vector<std::string> seen;
    const DWORD start = GetTickCount();
    while (!wizard.HasExited() && GetTickCount() - start < timeoutMs) {
        for (HWND window : wizard.TopLevelWindows()) {
            const std::string caption = Text(window);
            if (!IsWindow(window))
                continue;  // went away while it was read
            if (std::find(seen.begin(), seen.end(), caption) == seen.end())
                seen.push_back(caption);
        }
        Sleep(10);
    }
    return seen;
}

}  // namespace wine_test
