#include "model/VxChildBand.h"

#include "model/CustomVexa.h"

namespace zelmio {

TVxChildBand::TVxChildBand(TComponent *owner)
    : TVxCustomBand(owner)
{
    SetBandType(TVxBandType::rbChild);
}

void TVxChildBand::SetParentBand(TVxCustomBand *band)
{
    if (!ParentReport() || band == m_parentBand)
        return;
    for (TVxCustomBand *up = band; up;) {
        if (up == this)
            return;
        const auto *child = qobject_cast<const TVxChildBand *>(up);
        up = child ? child->ParentBand() : nullptr;
    }
    if (band)
        band->FreeNotification(this);
    m_parentBand = band;
    ReportBandsChanged();
}

void TVxChildBand::Notification(TComponent *component, TOperation operation)
{
    TVxCustomBand::Notification(component, operation);
    if (operation == TOperation::opRemove && component && component == m_parentBand)
        m_parentBand = nullptr;
}

} // namespace zelmio
