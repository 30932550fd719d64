#include "model/VxGroup.h"

#include "model/CustomVexa.h"
#include "model/VxBand.h"
#include "model/VxControllerBand.h"

namespace zelmio {

TVxGroup::TVxGroup(TComponent *owner)
    : TVxCustomBand(owner)
{
    SetBandType(TVxBandType::rbGroupHeader);
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
