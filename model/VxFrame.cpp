#include "model/VxFrame.h"

#include "model/VxControl.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

TVxFrame::TVxFrame(TVxControl *parent)
    : m_parent(parent)
{
}

TPersistent *TVxFrame::GetOwner() const
{
    return m_parent;
}

void TVxFrame::Assign(const TPersistent *source)
{
    if (const auto *frame = qobject_cast<const TVxFrame *>(source)) {
        m_color = frame->m_color;
        m_top = frame->m_top;
        m_bottom = frame->m_bottom;
        m_left = frame->m_left;
        m_right = frame->m_right;
        m_style = frame->m_style;
        m_width = frame->m_width;
        Changed();
        return;
    }
    TPersistent::Assign(source);
}

void TVxFrame::Changed()
{
    if (m_parent)
        m_parent->Invalidate();
}

void TVxFrame::SetColor(TColor color)
{
    m_color = color;
    Changed();
}

void TVxFrame::SetDrawTop(bool draw)
{
    m_top = draw;
    Changed();
}

void TVxFrame::SetDrawBottom(bool draw)
{
    m_bottom = draw;
    Changed();
}

void TVxFrame::SetDrawLeft(bool draw)
{
    m_left = draw;
    Changed();
}

void TVxFrame::SetDrawRight(bool draw)
{
    m_right = draw;
    Changed();
}

void TVxFrame::SetStyle(TPenStyle style)
{
    m_style = style;
    Changed();
}

void TVxFrame::SetWidth(int width)
{
    m_width = width;
    Changed();
}

int TVxFrame::Thickness(double factor) const
{
    if (m_width == -1)
        return 1;
    if (m_width <= 0)
        return 0;
    const int thickness = int(std::lround(factor / 72.0 * 254.0 * m_width));
    return thickness < 1 ? 1 : thickness;
}

int TVxFrame::HorizontalThickness(double xFactor) const
{
    return Thickness(xFactor);
}

int TVxFrame::VerticalThickness(double yFactor) const
{
    return Thickness(yFactor);
}

QList<QRect> TVxFrame::SideRects(const QRect &rect, double xFactor, double yFactor) const
{
    QList<QRect> sides;
    const int h = HorizontalThickness(xFactor);
    const int v = VerticalThickness(yFactor);
    const int left = rect.left();
    const int top = rect.top();
    const int right = rect.left() + rect.width();
    const int bottom = rect.top() + rect.height();
    if (m_top && v > 0)
        sides.append(QRect(left, top, right - left, v));
    if (m_bottom && v > 0)
        sides.append(QRect(left, bottom - v, right - left, v));
    if (m_left && h > 0)
        sides.append(QRect(left, top, h, bottom - top));
    if (m_right && h > 0)
        sides.append(QRect(right - h, top, h, bottom - top));
    return sides;
}

void TVxFrame::PaintIt(QPainter &painter, const QRect &rect, double xFactor, double yFactor) const
{
    if (!AnyFrame())
        return;
    const QColor color = ColorToQColor(m_color);
    for (const QRect &side : SideRects(rect, xFactor, yFactor))
        painter.fillRect(side, color);
}

} // namespace zelmio
