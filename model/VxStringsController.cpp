#include "model/VxStringsController.h"

#include "model/VxCustomBand.h"

namespace zelmio {

TVxStringsController::TVxStringsController(TComponent *orgOwner)
    : TVxCustomController(orgOwner)
{
}

TVxCustomBand *TVxStringsController::DetailBand() const
{
    return qobject_cast<TVxCustomBand *>(OrgOwner());
}

void TVxStringsController::RegisterBands()
{
    RegisterControllerList(m_printBeforeList);
    RegisterBand(DetailBand());
    RegisterControllerList(m_printAfterList);
}

} // namespace zelmio
