#include "designer/TesmolaExpr.h"

#include "model/PropertyAccess.h"

namespace zelmio {

TTesmolaExpr::TTesmolaExpr(TComponent *owner)
    : TVxExpr(owner)
{
}

void TTesmolaExpr::SetDegree(quint16 value)
{
    if (value == m_degree)
        return;
    if (value != 0)
        SetBooleanProperty(this, QStringLiteral("AutoSize"), false);
    while (value > 3600)
        value -= 3600;
    m_degree = value;
    Invalidate();
}

} // namespace zelmio
