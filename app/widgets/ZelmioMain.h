#pragma once
// The shell's main window: a 10 x 10 pixel window at the top right corner of
// the screen that owns the facade and the record set and runs one mode when
// it is shown.

#include "app/PrintTimeHooks.h"
#include "app/ShellArguments.h"
#include "app/ZelmioShell.h"

#include <QWidget>
#include <memory>

namespace zelmio {

class TReportDesignerDialog;
class TClientDataSet;
class TVxPDFFilter;
class TVxExcelFilter;
class TVxExcelWorkbookFilter;
class TVxCSVFileFilter;

// Messages as plain message boxes with one OK button when a display is
// present; always also on standard error, which is all there is headless.
class MessageBoxShellMessages : public ShellMessages {
public:
    void ShowMessage(const QString &text) override;
};

class TZelmioMain : public QWidget {
    Q_OBJECT
public:
    explicit TZelmioMain(const ShellArguments &args, QWidget *parent = nullptr);
    ~TZelmioMain() override;

    TReportDesignerDialog *ReportDesignerDialog1() const { return m_reportDesignerDialog1; }
    TClientDataSet *RovevarurezDataSet() const { return m_rovevarurezDataSet; }

    // Shows the window when a display is present and runs the mode once the
    // event loop has started; the application then exits with the mode's code.
    void Start();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void RunModesAndQuit();

    ShellArguments m_args;
    TReportDesignerDialog *m_reportDesignerDialog1;
    TClientDataSet *m_rovevarurezDataSet;
    // Registers the PDF document filter and sets the PDF files' code page.
    TVxPDFFilter *m_vxPDFFilter1;
    // Register the .XLS, .XLSX and .CSV filters.
    TVxExcelFilter *m_vxExcelFilter1;
    TVxExcelWorkbookFilter *m_vxExcelWorkbookFilter1;
    TVxCSVFileFilter *m_vxCSVFilter1;
    std::unique_ptr<TZelmioPrintHooks> m_printHooks;
    MessageBoxShellMessages m_messages;
    bool m_started = false;
};

} // namespace zelmio
