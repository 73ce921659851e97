// The settings page's side of an installation: read the choices off the
// pages' controls, run the engine, and show its progress on the port page.

#include "app/wizard_state.h"
#include "framework/win_app.h"
#include "install/engine.h"
#include "pages/port_select_dlg.h"
#include "pages/printer_settings_dlg.h"
#include "res/resource.h"

namespace {
class PortPageReporter final : public InstallReporter {
  public:
    explicit PortPageReporter(CPortSelectDlg& page) : m_page(page) {}
    void ReportProgress(int percent) override { m_page.ReportProgress(percent); }
    void ShowMessage(const std::string& text) override { AfxMessageBox(text.c_str(), MB_OK); }

  private:
    CPortSelectDlg& m_page;
};

int Selection(CWnd* combo) {
    return static_cast<int>(combo->SendMessage(CB_GETCURSEL));
}
}  // namespace

bool CPrinterSettingsDlg::InstallPrinter(Architecture architecture) {
    m_pDefaultPrinterCheck = GetDlgItem(IDC_SETTINGS_DEFAULT_PRINTER);

    InstallJob job;
    job.architecture = architecture;
    job.portName = g_pPortDlg->m_portName;
    g_portName = job.portName;
    job.portIndex = Selection(m_pPortCombo);
    job.model = Selection(m_pDriverCombo);
    job.makeDefaultPrinter = m_pDefaultPrinterCheck->SendMessage(BM_GETCHECK) == BST_CHECKED;
    job.baudIndex = Selection(m_pBaudCombo);
    job.dataBitsIndex = Selection(m_pDataBitsCombo);
    job.stopBitsIndex = Selection(m_pStopBitsCombo);
    job.parityIndex = Selection(m_pParityCombo);
    job.flowIndex = Selection(m_pFlowCombo);

    PortPageReporter reporter(*g_pPortDlg);
    const bool completed = RunInstallation(job, SystemSpooler(), RealSystem(), reporter);
    if (!completed)
        g_pPortDlg->ReportProgress(0);  // ready for another try
    return completed;
}
