#include "designer/TesmolaExpr.h"

#include "designer/DesignElementPrint.h"

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

void TTesmolaExpr::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxExpr::Print(x, y); });
}

} // namespace zelmio
