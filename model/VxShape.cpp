#include "model/VxShape.h"

#include "model/VxExportTarget.h"
#include "model/VxPageCanvas.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

TVxShape::TVxShape(TComponent *owner)
    : TVxPrintable(owner)
    , m_pen(std::make_unique<TVxPen>(this))
    , m_brush(std::make_unique<TVxBrush>(this))
{
    m_pen->SetOnChange([this] { Invalidate(); });
    m_brush->SetOnChange([this] { Invalidate(); });
    SetBounds(0, 0, 65, 65);
}

void TVxShape::SetShape(TVxShapeType shape)
{
    if (shape == m_shape)
        return;
    m_shape = shape;
    Invalidate();
}

void TVxShape::SetPen(TVxPen *pen)
{
    if (pen && pen != m_pen.get())
        m_pen->Assign(pen);
}

void TVxShape::SetBrush(TVxBrush *brush)
{
    if (brush && brush != m_brush.get())
        m_brush->Assign(brush);
}

void TVxShape::SetRoundFactor(float value)
{
    if (value == m_roundFactor)
        return;
    m_roundFactor = value;
    Invalidate();
}

void TVxShape::DrawShape(QPainter &painter, TVxShapeType kind, int l, int t, int r, int b, int midX,
                         int midY, int corner)
{
    // Rectangles and ellipses cover (l, t) up to but excluding (r, b).
    const QRect box(l, t, qMax(0, r - l - 1), qMax(0, b - t - 1));
    switch (kind) {
    case TVxShapeType::vxsRectangle:
        painter.drawRect(box);
        break;
    case TVxShapeType::vxsCircle:
        painter.drawEllipse(box);
        break;
    case TVxShapeType::vxsVertLine:
        painter.drawLine(midX, t, midX, b);
        break;
    case TVxShapeType::vxsHorLine:
        painter.drawLine(l, midY, r, midY);
        break;
    case TVxShapeType::vxsTopAndBottom:
        painter.drawLine(l, t, r, t);
        painter.drawLine(l, b, r, b);
        break;
    case TVxShapeType::vxsRightAndLeft:
        painter.drawLine(l, t, l, b);
        painter.drawLine(r, t, r, b);
        break;
    case TVxShapeType::vxsRoundRect:
        if (corner > 0)
            painter.drawRoundedRect(box, corner / 2.0, corner / 2.0);
        else
            painter.drawRect(box);
        break;
    case TVxShapeType::vxsLeftDiagonal:
        painter.drawLine(r, t, l, b);
        break;
    case TVxShapeType::vxsRightDiagonal:
        painter.drawLine(l, t, r, b);
        break;
    }
}

void TVxShape::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!printer || !IsEnabled())
        return;
    const long double left = ofsX + InternalLeft();
    const long double top = ofsY + InternalTop();
    const int l = printer->XPos(left);
    const int t = printer->YPos(top);
    const int r = printer->XPos(left + InternalWidth());
    const int b = printer->YPos(top + InternalHeight());
    if (TVxExportTarget *filter = ExportFilter())
        filter->AcceptGraphic(TDevicePos(l, t), this);
    if (IsFinalPass()) {
        if (QPainter *canvas = PageCanvas()) {
            canvas->save();
            canvas->setPen(m_pen->ToQPen());
            canvas->setBrush(m_brush->ToQBrush());
            DrawShape(*canvas, m_shape, l, t, r, b, printer->XPos(left + InternalWidth() / 2),
                      printer->YPos(top + InternalHeight() / 2), int(std::trunc((r - l) * m_roundFactor)));
            canvas->restore();
        }
    }
    TVxPrintable::Print(ofsX, ofsY);
}

void TVxShape::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, false);
    painter.save();
    painter.setPen(m_pen->ToQPen());
    painter.setBrush(m_brush->ToQBrush());
    const int w = Width();
    const int h = Height();
    // Outer lines at 0 and the last pixel; centre lines through the middle.
    switch (m_shape) {
    case TVxShapeType::vxsTopAndBottom:
        painter.drawLine(0, 0, w, 0);
        painter.drawLine(0, h - 1, w, h - 1);
        break;
    case TVxShapeType::vxsRightAndLeft:
        painter.drawLine(0, 0, 0, h);
        painter.drawLine(w - 1, 0, w - 1, h);
        break;
    default:
        DrawShape(painter, m_shape, 0, 0, w, h, w / 2, h / 2, int(std::trunc(w * m_roundFactor)));
        break;
    }
    painter.restore();
}

} // namespace zelmio
