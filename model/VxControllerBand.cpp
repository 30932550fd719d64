#include "model/VxControllerBand.h"

#include "expr/VxEvEnvironment.h"
#include "model/CustomVexa.h"
#include "model/VxCustomController.h"

namespace zelmio {

TVxControllerBand::TVxControllerBand(TComponent *owner)
    : TVxCustomBand(owner)
{
}

TVxControllerBand::~TVxControllerBand()
{
    Destroying();
    DestroyChildControls();
    DetachFromReport();
}

void TVxControllerBand::InstallController(std::unique_ptr<TVxCustomController> controller)
{
    m_controller = std::move(controller);
}

TComponent *TVxControllerBand::Master() const
{
    return m_controller ? m_controller->Master() : nullptr;
}

void TVxControllerBand::SetMaster(TComponent *master)
{
    if (!m_controller || master == Master())
        return;
    if (master && !qobject_cast<TCustomVexa *>(master) && !qobject_cast<TVxControllerBand *>(master))
        return;
    for (TComponent *up = master; up;) {
        if (up == this)
            return;
        const auto *band = qobject_cast<const TVxControllerBand *>(up);
        up = band ? band->Master() : nullptr;
    }
    if (!m_controller->SetMaster(master))
        return;
    ReportBandsChanged();
}

bool TVxControllerBand::PrintIfEmpty() const
{
    return m_controller ? m_controller->PrintIfEmpty() : true;
}

void TVxControllerBand::SetPrintIfEmpty(bool value)
{
    if (m_controller)
        m_controller->SetPrintIfEmpty(value);
}

bool TVxControllerBand::PrintBefore() const
{
    return m_controller && m_controller->PrintBefore();
}

void TVxControllerBand::SetPrintBefore(bool value)
{
    if (!m_controller || value == m_controller->PrintBefore())
        return;
    m_controller->SetPrintBefore(value);
    ReportBandsChanged();
}

void TVxControllerBand::RegisterBands()
{
    if (m_controller)
        m_controller->RegisterBands();
}

void TVxControllerBand::SetParentReport(TCustomVexa *report)
{
    if (report == ParentReport())
        return;
    if (ParentReport())
        RemoveLocalVar();
    TVxCustomBand::SetParentReport(report);
    if (m_controller)
        m_controller->SetParentReport(report);
    if (report) {
        if (m_controller && !m_controller->Master())
            m_controller->SetMaster(report);
        CreateLocalVar();
    }
}

void TVxControllerBand::SetName(const QString &name)
{
    if (name == Name())
        return;
    // Validate first: a refused name keeps the old variable.
    RemoveLocalVar();
    try {
        TVxCustomBand::SetName(name);
    } catch (...) {
        CreateLocalVar();
        throw;
    }
    CreateLocalVar();
}

QString TVxControllerBand::LocalVarExpression() const
{
    return QString();
}

void TVxControllerBand::CreateLocalVar()
{
    TCustomVexa *report = ParentReport();
    if (!report || !report->Functions() || Name().isEmpty())
        return;
    const QString expression = LocalVarExpression();
    if (expression.isEmpty())
        return;
    report->Functions()->AddFunction(Name(), expression);
    m_localVarName = Name();
}

void TVxControllerBand::RemoveLocalVar()
{
    TCustomVexa *report = ParentReport();
    if (!m_localVarName.isEmpty() && report && report->Functions())
        report->Functions()->DeleteFunction(m_localVarName);
    m_localVarName.clear();
}

} // namespace zelmio
