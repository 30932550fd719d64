#include "model/VxController.h"

#include "model/CustomVexa.h"
#include "model/VxGroup.h"
#include "platform/DataSet.h"

namespace zelmio {

TVxController::TVxController(TComponent *orgOwner)
    : TVxCustomController(orgOwner)
{
}

void TVxController::RegisterBands()
{
    RegisterBand(m_header);
    const QList<TVxGroup *> groups = GroupList();
    for (TVxGroup *group : groups)
        RegisterBand(group);
    RegisterControllerList(m_printBeforeList);
    RegisterBand(m_detail);
    RegisterControllerList(m_printAfterList);
    for (auto it = groups.crbegin(); it != groups.crend(); ++it) {
        if (TVxCustomBand *footer = (*it)->FooterBand())
            RegisterBand(footer);
    }
    RegisterBand(m_footer);
}

void TVxController::RegisterDatasets()
{
    TCustomVexa *report = ParentReport();
    if (!report || !m_dataSet || !m_dataSet->Active())
        return;
    TVxDataSetList &list = report->RunState().AllDataSets;
    if (!list.contains(m_dataSet.data()))
        list.append(m_dataSet.data());
}

void TVxController::Notification(TComponent *component, TOperation operation)
{
    TVxCustomController::Notification(component, operation);
    if (operation != TOperation::opRemove)
        return;
    if (component == m_header)
        m_header = nullptr;
    if (component == m_detail)
        m_detail = nullptr;
    if (component == m_footer)
        m_footer = nullptr;
}

} // namespace zelmio
