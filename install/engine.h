#pragma once

// The installation engine: copies a model's driver files from the medium into
// the spooler's driver directory, registers the driver, creates the printer
// and writes the default-printer and serial values. It sees the wizard only
// as an InstallJob and an InstallReporter, and the machine only through
// Spooler and System, so it builds and is tested natively.

#include <string>

#include "catalogue/models.h"
#include "platform/os_version.h"
#include "platform/spooler.h"
#include "platform/system.h"

// What the settings and port pages chose, read off their controls when the
// install button is pressed. Indexes are combo-box selections (-1 for none).
struct InstallJob {
    Architecture architecture = ARCH_X86;
    ModelIndex model = 0;
    std::string portName;  // the port page's selected row
    bool makeDefaultPrinter = true;
    int portIndex = 0;  // settings page port combo: 0-2 LPT1-3, 3-6 COM1-4
    int baudIndex = 5;
    int dataBitsIndex = 3;
    int stopBitsIndex = 0;
    int parityIndex = 2;
    int flowIndex = 2;
};

class InstallReporter {
  public:
    virtual ~InstallReporter() = default;
    virtual void ReportProgress(int percent) = 0;
    // Shows a message and returns when the user has dismissed it.
    virtual void ShowMessage(const std::string& text) = 0;
};

// Runs the whole installation. Returns true when every step completed; on a
// failed step it has shown what failed and why, and has run no later step.
bool RunInstallation(const InstallJob& job, Spooler& spooler, System& system,
                     InstallReporter& reporter);

// The texts the engine writes, exposed for tests.
std::string DefaultPrinterText(ModelIndex model, const std::string& portName);
// Empty when an index lies outside its table.
std::string SerialSettingsText(const InstallJob& job);
