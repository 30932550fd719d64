#include "designer/ReportDesignerDialog.h"

#include "platform/VxError.h"

namespace zelmio {

TReportDesignerDialog::TReportDesignerDialog(QObject *owner)
    : QObject(owner)
{
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

// The designer, the preview and the export arrive with the generation engine
// and the windows; until then each mode says plainly that it cannot run.
bool TReportDesignerDialog::NewReport(const QString &, bool)
{
    throw EVxError(QStringLiteral("The report designer is not available yet in this version of Zelmio"));
}

bool TReportDesignerDialog::PreviewReport(const QString &)
{
    throw EVxError(QStringLiteral("The report preview is not available yet in this version of Zelmio"));
}

bool TReportDesignerDialog::ExportReport(const QString &, TVxExportFilter *)
{
    throw EVxError(QStringLiteral("PDF export is not available yet in this version of Zelmio"));
}

} // namespace zelmio
