#include "designer/ReportDesignerDialog.h"

#include "designer/DesignVexa.h"
#include "designer/ReportPrintForm.h"
#include "designer/VxDLoader.h"
#include "engine/VxReportJobs.h"
#include "export/VxExportFilter.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"

#include <exception>

namespace zelmio {

TReportDesignerDialog::TReportDesignerDialog(QObject *owner)
    : QObject(owner)
{
}

TReportDesignerDialog::~TReportDesignerDialog() = default;

// The designer and the preview arrive with the windows; until then each says
// plainly that it cannot run.
bool TReportDesignerDialog::NewReport(const QString &, bool)
{
    throw EVxError(QStringLiteral("The report designer is not available yet in this version of Zelmio"));
}

bool TReportDesignerDialog::PreviewReport(const QString &)
{
    throw EVxError(QStringLiteral("The report preview is not available yet in this version of Zelmio"));
}

bool TReportDesignerDialog::ExportReport(const QString &fileName, TVxExportFilter *filter)
{
    SetLastError(QString());
    if (!filter) {
        SetLastError(QStringLiteral("no export filter was given"));
        return false;
    }
    // The template names the application's record set through the window
    // that owns it.
    QObject *databaseOwner = m_dataSet ? m_dataSet->parent() : parent();
    TReportPrintForm form(databaseOwner);
    try {
        form.Loader()->LoadCompsAndDatamoduleFromFile(fileName);
    } catch (const std::exception &e) {
        SetLastError(QString::fromUtf8(e.what()));
        return false;
    }
    // The design report calls them for every band and every field picture.
    form.PrintLoader()->SetBandBeforePrint(m_bandBeforePrint);
    form.PrintLoader()->SetDBImageBeforePrint(m_dbImageBeforePrint);
    if (!ExportReportToFilter(*form.Report(), *filter)) {
        SetLastError(QStringLiteral("%1: the report is running already").arg(fileName));
        return false;
    }
    return true;
}

} // namespace zelmio
