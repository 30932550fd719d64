#include "model/VexaBands.h"

#include "model/CustomVexa.h"
#include "model/VxCustomBand.h"

namespace zelmio {

TVexaBands::TVexaBands(TCustomVexa *report)
    : m_report(report)
{
}

TPersistent *TVexaBands::GetOwner() const
{
    return m_report;
}

void TVexaBands::Assign(const TPersistent *source)
{
    if (qobject_cast<const TVexaBands *>(source))
        return;
    TPersistent::Assign(source);
}

TVxCustomBand *TVexaBands::Band(TVxBandType bandType) const
{
    return m_report ? m_report->FindBand(bandType) : nullptr;
}

void TVexaBands::SetHas(TVxBandType bandType, bool value)
{
    if (!m_report || m_report->IsLoading())
        return;
    TVxCustomBand *existing = Band(bandType);
    if (value && !existing)
        m_report->CreateBand(bandType);
    else if (!value && existing)
        delete existing;
}

} // namespace zelmio
