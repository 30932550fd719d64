#include "model/VxExpr.h"

#include "expr/VxEvaluator.h"
#include "model/CustomVexa.h"
#include "model/VxCustomController.h"
#include "model/VxSubDetail.h"
#include "platform/Formats.h"

namespace zelmio {

TVxExpr::TVxExpr(TComponent *owner)
    : TVxCustomLabel(owner)
    , m_evaluator(std::make_unique<TVxEvaluator>())
{
    UpdateCaption();
}

TVxExpr::~TVxExpr()
{
    Destroying();
}

void TVxExpr::SetExpression(const QString &expression)
{
    m_expression = expression;
    UpdateCaption();
}

void TVxExpr::UpdateCaption()
{
    SetCaption(m_expression.isEmpty() ? QStringLiteral("(none)") : m_expression);
}

void TVxExpr::NameChanged(const QString &, const QString &)
{
    FormatLines();
}

void TVxExpr::SetMaster(TComponent *master)
{
    if (master && !qobject_cast<TCustomVexa *>(master) && !qobject_cast<TVxSubDetail *>(master))
        return;
    if (m_master)
        m_master->RemoveFreeNotification(this);
    m_master = master;
    if (master)
        master->FreeNotification(this);
}

void TVxExpr::Notification(TComponent *component, TOperation operation)
{
    TVxCustomLabel::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == m_master)
        m_master = nullptr;
}

void TVxExpr::RegisterForRecords()
{
    TCustomVexa *report = ParentReport();
    TVxCustomController *controller = nullptr;
    if (auto *subDetail = qobject_cast<TVxSubDetail *>(m_master.data()))
        controller = subDetail->Controller();
    else if (auto *masterReport = qobject_cast<TCustomVexa *>(m_master.data()))
        controller = masterReport->Controller();
    else if (report && m_evaluator->IsAggreg())
        controller = report->Controller();
    // Registered once, however many runs the element takes part in.
    if (controller && !controller->NotifyList().contains(this))
        controller->AddNotifyClient(this);
}

void TVxExpr::Prepare()
{
    TVxCustomLabel::Prepare();
    if (TCustomVexa *report = ParentReport()) {
        m_evaluator->SetDataSets(&report->RunState().AllDataSets);
        m_evaluator->SetEnvironment(report->Functions());
    }
    m_evaluator->Prepare(m_expression);
    RegisterForRecords();
    m_evaluator->Reset();
}

void TVxExpr::UnPrepare()
{
    TVxCustomLabel::UnPrepare();
    m_evaluator->UnPrepare();
    m_evaluator->SetDataSets(nullptr);
}

void TVxExpr::VXNotification(TComponent *sender, TVxNotifyOperation operation)
{
    TVxCustomLabel::VXNotification(sender, operation);
    if (operation != TVxNotifyOperation::vxMasterDataAdvance || !m_evaluator->Prepared())
        return;
    try {
        m_evaluator->DoAggregate();
    } catch (...) {
        // An aggregate that overflows shows its error when it prints.
    }
}

QString TVxExpr::FormatValue(const TVxEvResult &value, const QString &mask)
{
    switch (value.Kind) {
    case TVxEvResultType::resInt:
        return FormatFloat(mask, value.intResult);
    case TVxEvResultType::resDouble:
        if (mask.contains(QLatin1String("%m")))
            return FormatString(mask, {QVariant(value.dblResult)});
        return FormatFloat(mask, value.dblResult);
    case TVxEvResultType::resString:
    case TVxEvResultType::resError:
        return value.StringVal;
    case TVxEvResultType::resBool:
        return value.booResult ? QStringLiteral("True") : QStringLiteral("False");
    }
    return QString();
}

QString TVxExpr::ValueText()
{
    try {
        return FormatValue(m_evaluator->Value(), m_mask);
    } catch (const std::exception &error) {
        // Expression problems print their message in place of the value.
        return QString::fromUtf8(error.what());
    }
}

void TVxExpr::Print(long double ofsX, long double ofsY)
{
    if (!IsEnabled())
        return;
    if (!IsPrinting())
        Prepare();
    SetPrintCaption(ValueText());
    TVxCustomLabel::Print(ofsX, ofsY);
    if (m_resetAfterPrint)
        m_evaluator->Reset();
}

} // namespace zelmio
