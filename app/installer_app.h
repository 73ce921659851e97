#pragma once

#include "framework/win_app.h"

// Runs the wizard: the operating-system page, then the settings page (which
// nests the port page), as a loop of modal dialogs. InitInstance returns
// FALSE, so no message loop starts and the process ends with the wizard.
class CInstallerApp : public CWinApp {
  public:
    CInstallerApp() = default;
    ~CInstallerApp() override = default;

    BOOL InitInstance() override;

  protected:
    const MessageMap* GetMessageMap() const override;
};

extern CInstallerApp theApp;
