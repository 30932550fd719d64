#include "model/VxPen.h"

namespace zelmio {

TVxPen::TVxPen(TPersistent *owner)
    : m_owner(owner)
{
}

void TVxPen::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxPen *>(source)) {
        m_color = other->m_color;
        m_mode = other->m_mode;
        m_style = other->m_style;
        m_width = other->m_width;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TVxPen::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TVxPen::SetMode(TPenMode mode)
{
    if (mode == m_mode)
        return;
    m_mode = mode;
    Changed();
}

void TVxPen::SetStyle(TPenStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TVxPen::SetWidth(int width)
{
    if (width == m_width)
        return;
    m_width = width;
    Changed();
}

void TVxPen::Changed()
{
    if (m_onChange)
        m_onChange();
}

QPen TVxPen::ToQPen() const
{
    Qt::PenStyle style = Qt::SolidLine;
    switch (m_style) {
    case TPenStyle::psSolid:
    case TPenStyle::psInsideFrame:
        style = Qt::SolidLine;
        break;
    case TPenStyle::psDash:
        style = Qt::DashLine;
        break;
    case TPenStyle::psDot:
        style = Qt::DotLine;
        break;
    case TPenStyle::psDashDot:
        style = Qt::DashDotLine;
        break;
    case TPenStyle::psDashDotDot:
        style = Qt::DashDotDotLine;
        break;
    case TPenStyle::psClear:
        style = Qt::NoPen;
        break;
    }
    QPen pen(ColorToQColor(m_color));
    pen.setStyle(style);
    // Width 0 is the thinnest line the device draws, as on the canvas.
    pen.setWidth(qMax(1, m_width));
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

} // namespace zelmio
