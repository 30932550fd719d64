#include "model/VxLoopController.h"

#include "model/VxCustomBand.h"

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

} // namespace zelmio
