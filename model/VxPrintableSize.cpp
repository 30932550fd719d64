#include "model/VxPrintableSize.h"

#include "model/VxControl.h"

namespace zelmio {

TVxPrintableSize::TVxPrintableSize(TVxControl *element)
    : TVxUnitBase(element, 4)
{
    for (long double &value : m_values)
        value = 20;
}

void TVxPrintableSize::SetParentSizes()
{
    if (!m_parent || m_parent->IsLoading() || m_parent->IsDestroying())
        return;
    const int left = ToPixels(InternalValue(LeftIndex));
    const int top = ToPixels(InternalValue(TopIndex));
    const int width = ToPixels(InternalValue(WidthIndex));
    const int height = ToPixels(InternalValue(HeightIndex));
    WithParentUpdating([&] { m_parent->SetBounds(left, top, width, height); });
}

} // namespace zelmio
