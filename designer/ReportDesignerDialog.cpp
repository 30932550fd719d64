#include "designer/ReportDesignerDialog.h"

#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "engine/VxReportJobs.h"
#include "export/VxExportFilter.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"

#include <exception>

namespace zelmio {

namespace {

// The invisible window of an output job: a design report named "Vexa" and
// the print loader, as templates expect them.
class TReportPrintForm : public TComponent {
public:
    explicit TReportPrintForm(QObject *databaseOwner)
    {
        RegisterDesignTimeClasses();
        setObjectName(QStringLiteral("ReportPrintForm"));
        m_report = new TDesignVexa(this);
        m_report->SetName(QStringLiteral("Vexa"));
        m_report->AfterConstruction();
        m_loader = new TVxDLoader(this);
        m_loader->SetName(QStringLiteral("VxDLoader1"));
        m_loader->AfterConstruction();
        m_loader->SetParentControl(m_report);
        m_loader->SetDatabaseOwner(databaseOwner);
    }
    ~TReportPrintForm() override
    {
        Destroying();
        DestroyComponents();
    }
    TDesignVexa *Report() const { return m_report; }
    TVxDLoader *Loader() const { return m_loader; }

private:
    TDesignVexa *m_report;
    TVxDLoader *m_loader;
};

} // namespace

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
    form.Loader()->SetBandBeforePrint(m_bandBeforePrint);
    form.Loader()->SetDBImageBeforePrint(m_dbImageBeforePrint);
    if (!ExportReportToFilter(*form.Report(), *filter)) {
        SetLastError(QStringLiteral("%1: the report is running already").arg(fileName));
        return false;
    }
    return true;
}

} // namespace zelmio
