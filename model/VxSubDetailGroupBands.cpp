#include "model/VxSubDetailGroupBands.h"

#include "model/CustomVexa.h"
#include "model/VxBand.h"
#include "model/VxSubDetail.h"

namespace zelmio {

TVxSubDetailGroupBands::TVxSubDetailGroupBands(TVxSubDetail *subDetail)
    : m_subDetail(subDetail)
{
}

TPersistent *TVxSubDetailGroupBands::GetOwner() const
{
    return m_subDetail;
}

void TVxSubDetailGroupBands::Assign(const TPersistent *source)
{
    if (qobject_cast<const TVxSubDetailGroupBands *>(source))
        return;
    TPersistent::Assign(source);
}

bool TVxSubDetailGroupBands::HasHeader() const
{
    return m_subDetail && m_subDetail->HeaderBand();
}

bool TVxSubDetailGroupBands::HasFooter() const
{
    return m_subDetail && m_subDetail->FooterBand();
}

void TVxSubDetailGroupBands::SetHasHeader(bool value)
{
    if (!m_subDetail || m_subDetail->IsLoading() || value == HasHeader())
        return;
    if (value) {
        if (TCustomVexa *report = m_subDetail->ParentReport())
            m_subDetail->SetHeaderBand(report->CreateBand(TVxBandType::rbGroupHeader));
    } else {
        delete m_subDetail->HeaderBand();
    }
}

void TVxSubDetailGroupBands::SetHasFooter(bool value)
{
    if (!m_subDetail || m_subDetail->IsLoading() || value == HasFooter())
        return;
    if (value) {
        if (TCustomVexa *report = m_subDetail->ParentReport())
            m_subDetail->SetFooterBand(report->CreateBand(TVxBandType::rbGroupFooter));
    } else {
        delete m_subDetail->FooterBand();
    }
}

} // namespace zelmio
