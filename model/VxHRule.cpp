#include "model/VxHRule.h"

#include "model/VxExportTarget.h"
#include "model/VxPageCanvas.h"

#include <QPainter>

namespace zelmio {

TVxHRule::TVxHRule(TComponent *owner)
    : TVxPrintable(owner)
    , m_pen(std::make_unique<TVxPen>(this))
    , m_brush(std::make_unique<TVxBrush>(this))
{
    m_pen->SetOnChange([this] { Invalidate(); });
    m_brush->SetOnChange([this] { Invalidate(); });
    SetBounds(0, 0, 100, 10);
}

void TVxHRule::SetPen(TVxPen *pen)
{
    if (pen && pen != m_pen.get())
        m_pen->Assign(pen);
}

void TVxHRule::SetBrush(TVxBrush *brush)
{
    if (brush && brush != m_brush.get())
        m_brush->Assign(brush);
}

void TVxHRule::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!printer)
        return;
    const long double left = ofsX + InternalLeft();
    const long double top = ofsY + InternalTop();
    const int l = printer->XPos(left);
    const int t = printer->YPos(top);
    const int r = printer->XPos(left + InternalWidth());
    TVxExportTarget *filter = ExportFilter();
    if (filter && filter->AcceptsVectorShapes())
        filter->AcceptGraphic(TDevicePos(l, t), this);
    if (IsFinalPass() && IsEnabled()) {
        if (QPainter *canvas = PageCanvas()) {
            canvas->save();
            canvas->setPen(m_pen->ToQPen());
            const int y = printer->YPos(top + InternalHeight() / 2);
            canvas->drawLine(l, y, r, y);
            canvas->restore();
        }
    }
}

void TVxHRule::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, false);
    painter.save();
    painter.setPen(m_pen->ToQPen());
    painter.drawLine(0, Height() / 2, Width(), Height() / 2);
    painter.restore();
}

} // namespace zelmio
