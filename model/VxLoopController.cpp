#include "model/VxLoopController.h"

#include "model/CustomVexa.h"
#include "model/VxCustomBand.h"
#include "model/VxRunEngine.h"

namespace zelmio {

TVxLoopController::TVxLoopController(TComponent *orgOwner)
    : TVxCustomController(orgOwner)
{
}

TVxCustomBand *TVxLoopController::DetailBand() const
{
    return qobject_cast<TVxCustomBand *>(OrgOwner());
}

void TVxLoopController::RegisterBands()
{
    RegisterControllerList(m_printBeforeList);
    RegisterBand(DetailBand());
    RegisterControllerList(m_printAfterList);
}

void TVxLoopController::Execute()
{
    TCustomVexa *report = ParentReport();
    if (!report || !report->RunState().Engine)
        return;
    TVxCustomBand *band = DetailBand();
    for (int index = 0; index < m_printCount; ++index) {
        if (report->RunState().Engine->Cancelled())
            break;
        m_count = index;
        UpdateLocalVar();
        PrintBeforeControllers();
        if (band)
            report->PrintBand(band);
        PrintAfterControllers();
    }
    m_count = 0;
    UpdateLocalVar();
}

TVxEvResult TVxLoopController::LocalVarValue() const
{
    return TVxEvResult::Int(m_count);
}

} // namespace zelmio
