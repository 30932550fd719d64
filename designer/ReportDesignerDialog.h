#pragma once
// The report dialog facade the application places on its main window: the
// output jobs of the printer dialog plus the design jobs.

#include "designer/ReportPrinterDialog.h"

#include <functional>

namespace zelmio {

class TReportDesignerDialog : public TReportPrinterDialog {
    Q_OBJECT
public:
    explicit TReportDesignerDialog(QObject *owner = nullptr);
    ~TReportDesignerDialog() override;

    // Opens the designer on a new template (with the report wizard when
    // showExpert); returns when the designer closes.
    virtual bool NewReport(const QString &fileName, bool showExpert);
};

// Runs a design job in the designer window and returns when the window
// closes (fileName: the template to start from, empty for a new one). The
// windows library installs it; without it the design jobs are refused.
using TDesignerWindowRunner =
    std::function<bool(TReportDesignerDialog &dialog, const QString &fileName, bool showExpert)>;
TDesignerWindowRunner &GlobalDesignerWindow();

} // namespace zelmio
