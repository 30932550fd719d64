#include "designer/ReportDesignerDialog.h"

#include "platform/VxError.h"

namespace zelmio {

TReportDesignerDialog::TReportDesignerDialog(QObject *owner)
    : TReportPrinterDialog(owner)
{
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

TDesignerWindowRunner &GlobalDesignerWindow()
{
    static TDesignerWindowRunner runner;
    return runner;
}

// Without the windows the designer says plainly that it cannot run.
bool TReportDesignerDialog::NewReport(const QString &, bool showExpert)
{
    if (!GlobalDesignerWindow())
        throw EVxError(QStringLiteral("The report designer is not available in this build of Zelmio"));
    return GlobalDesignerWindow()(*this, QString(), showExpert);
}

} // namespace zelmio
