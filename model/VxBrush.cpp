#include "model/VxBrush.h"

namespace zelmio {

TVxBrush::TVxBrush(TPersistent *owner)
    : m_owner(owner)
{
}

void TVxBrush::Assign(const TPersistent *source)
{
    if (const auto *other = qobject_cast<const TVxBrush *>(source)) {
        m_color = other->m_color;
        m_style = other->m_style;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TVxBrush::SetColor(TColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TVxBrush::SetStyle(TBrushStyle style)
{
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

void TVxBrush::Changed()
{
    if (m_onChange)
        m_onChange();
}

QBrush TVxBrush::ToQBrush() const
{
    Qt::BrushStyle style = Qt::SolidPattern;
    switch (m_style) {
    case TBrushStyle::bsSolid:
        style = Qt::SolidPattern;
        break;
    case TBrushStyle::bsClear:
        style = Qt::NoBrush;
        break;
    case TBrushStyle::bsHorizontal:
        style = Qt::HorPattern;
        break;
    case TBrushStyle::bsVertical:
        style = Qt::VerPattern;
        break;
    case TBrushStyle::bsFDiagonal:
        style = Qt::FDiagPattern;
        break;
    case TBrushStyle::bsBDiagonal:
        style = Qt::BDiagPattern;
        break;
    case TBrushStyle::bsCross:
        style = Qt::CrossPattern;
        break;
    case TBrushStyle::bsDiagCross:
        style = Qt::DiagCrossPattern;
        break;
    }
    return QBrush(ColorToQColor(m_color), style);
}

} // namespace zelmio
