#include "designer/ReportDesignerDialog.h"

#include "platform/VxError.h"

namespace zelmio {

TReportDesignerDialog::TReportDesignerDialog(QObject *owner)
    : TReportPrinterDialog(owner)
{
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

// The designer arrives with the windows; until then it says plainly that it
// cannot run.
bool TReportDesignerDialog::NewReport(const QString &, bool)
{
    throw EVxError(QStringLiteral("The report designer is not available yet in this version of Zelmio"));
}

} // namespace zelmio
