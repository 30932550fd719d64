#include "designer/ReportPrintForm.h"

#include "designer/DesignTimeClasses.h"
#include "designer/DesignVexa.h"
#include "designer/VexaDesigner.h"
#include "designer/VxDLoader.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/RuntimeComponentEditor.h"

namespace zelmio {

TReportPrintForm::TReportPrintForm(QObject *databaseOwner, LoaderKind kind)
{
    RegisterDesignTimeClasses();
    setObjectName(QStringLiteral("ReportPrintForm"));
    m_report = new TDesignVexa(this);
    m_report->SetName(QStringLiteral("Vexa"));
    m_report->AfterConstruction();
    if (kind == LoaderKind::Print)
        m_loader = new TVxDLoader(this);
    else if (kind == LoaderKind::Editor)
        m_loader = new TRuntimeComponentEditor(this);
    else
        m_loader = new TVexaDesigner(this);
    m_loader->SetName(QStringLiteral("VxDLoader1"));
    m_loader->AfterConstruction();
    m_loader->SetParentControl(m_report);
    m_loader->SetDatabaseOwner(databaseOwner);
    // An open window: the expression functions find the report's elements here.
    RegisterApplicationWindow(this);
}

TReportPrintForm::~TReportPrintForm()
{
    UnregisterApplicationWindow(this);
    Destroying();
    DestroyComponents();
}

TVxDLoader *TReportPrintForm::PrintLoader() const
{
    return dynamic_cast<TVxDLoader *>(m_loader);
}

} // namespace zelmio
