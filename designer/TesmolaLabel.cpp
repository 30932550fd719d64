#include "designer/TesmolaLabel.h"

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

} // namespace zelmio
