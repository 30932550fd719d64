#include "model/VxGroup.h"

#include "model/CustomVexa.h"
#include "model/VxBand.h"
#include "model/VxControllerBand.h"
#include "expr/VxEvaluator.h"

namespace zelmio {

TVxGroup::TVxGroup(TComponent *owner)
    : TVxCustomBand(owner)
{
    SetBandType(TVxBandType::rbGroupHeader);
}

TVxGroup::~TVxGroup() = default;

void TVxGroup::Prepare()
{
    m_hasResult = false;
    m_reprint = false;
    m_inGroup = false;
    if (!m_evaluator)
        m_evaluator = std::make_unique<TVxEvaluator>();
    if (TCustomVexa *report = ParentReport()) {
        m_evaluator->SetDataSets(&report->RunState().AllDataSets);
        m_evaluator->SetEnvironment(report->Functions());
    }
    m_evaluator->Prepare(m_expression);
}

void TVxGroup::Unprepare()
{
    if (m_evaluator) {
        m_evaluator->UnPrepare();
        m_evaluator->SetDataSets(nullptr);
        m_evaluator->SetEnvironment(nullptr);
    }
}

namespace {

bool SameValue(const TVxEvResult &a, const TVxEvResult &b)
{
    if (a.Kind != b.Kind)
        return false;
    switch (a.Kind) {
    case TVxEvResultType::resInt: return a.intResult == b.intResult;
    case TVxEvResultType::resDouble: return a.dblResult == b.dblResult;
    case TVxEvResultType::resString: return a.StringVal == b.StringVal;
    case TVxEvResultType::resBool: return a.booResult == b.booResult;
    case TVxEvResultType::resError: return a.StringVal == b.StringVal;
    }
    return false;
}

} // namespace

bool TVxGroup::Check()
{
    const TVxEvResult value = m_evaluator && m_evaluator->Prepared() ? m_evaluator->Value() : TVxEvResult();
    if (m_hasResult) {
        m_reprint = !SameValue(value, m_groupValue);
        if (m_reprint)
            m_groupValue = value;
        return m_reprint;
    }
    m_groupValue = value;
    m_hasResult = true;
    m_reprint = true;
    return true;
}

void TVxGroup::Restart()
{
    m_groupValue = m_evaluator && m_evaluator->Prepared() ? m_evaluator->Value() : TVxEvResult();
    m_hasResult = true;
    m_reprint = true;
}

void TVxGroup::SetFooterBand(TVxBand *band)
{
    if (band == m_footerBand)
        return;
    if (band) {
        band->FreeNotification(this);
        band->SetBandType(TVxBandType::rbGroupFooter);
    }
    m_footerBand = band;
    ReportBandsChanged();
}

void TVxGroup::SetMaster(TComponent *master)
{
    if (master && !qobject_cast<TCustomVexa *>(master) && !qobject_cast<TVxControllerBand *>(master))
        return;
    if (master == m_master)
        return;
    if (master)
        master->FreeNotification(this);
    m_master = master;
    ReportBandsChanged();
}

void TVxGroup::SetParentReport(TCustomVexa *report)
{
    TVxCustomBand::SetParentReport(report);
    if (report && !m_master)
        m_master = report;
}

void TVxGroup::Notification(TComponent *component, TOperation operation)
{
    TVxCustomBand::Notification(component, operation);
    if (operation != TOperation::opRemove || !component)
        return;
    if (component == m_footerBand)
        m_footerBand = nullptr;
    if (component == m_master)
        m_master = nullptr;
}

} // namespace zelmio
