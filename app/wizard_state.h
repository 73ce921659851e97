#pragma once

// The wizard's shared state. Pages talk through their modal results; these
// four globals carry what the installation engine needs across them.

#include <string>

#include "platform/os_version.h"

class CPrinterSettingsDlg;
class CPortSelectDlg;

// Written by DetectOsClass each time the operating-system page opens.
extern OsClass g_osClass;
// The open settings page; set as the last step of its initialisation.
extern CPrinterSettingsDlg* g_pSettingsDlg;
// The port page that the settings page's next button created last.
extern CPortSelectDlg* g_pPortDlg;
// The port the printer is created on, taken from the port page at install.
extern std::string g_portName;
