#include "model/VxBandSize.h"

#include "model/VxControl.h"

namespace zelmio {

TVxBandSize::TVxBandSize(TVxControl *band)
    : TVxUnitBase(band, 2)
{
    m_values[LengthIndex] = 20;
    m_values[WidthIndex] = 40;
}

void TVxBandSize::SetParentSizes()
{
    if (!m_parent || m_parent->IsLoading() || m_parent->IsDestroying())
        return;
    const int width = ToPixels(InternalValue(WidthIndex));
    const int height = ToPixels(InternalValue(LengthIndex));
    WithParentUpdating([&] { m_parent->SetBounds(m_parent->Left(), m_parent->Top(), width, height); });
}

} // namespace zelmio
