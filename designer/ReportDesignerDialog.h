#pragma once
// The report dialog facade the application places on its main window: the
// output jobs of the printer dialog plus the design jobs.

#include "designer/ReportPrinterDialog.h"

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

} // namespace zelmio
