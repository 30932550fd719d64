#include "designer/TesmolaLabel.h"

#include "designer/DesignElementPrint.h"

#include "model/PropertyAccess.h"

namespace zelmio {

TTesmolaLabel::TTesmolaLabel(TComponent *owner)
    : TVxLabel(owner)
{
}

void TTesmolaLabel::SetDegree(quint16 value)
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

void TTesmolaLabel::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) {
        if (m_degree != 0)
            PrintRotatedText(x, y, Caption(), m_degree);
        else
            TVxLabel::Print(x, y);
    });
}

void TTesmolaLabel::FormatLines()
{
    // A rotated caption prints as one line.
    if (m_degree == 0)
        TVxLabel::FormatLines();
}

} // namespace zelmio
