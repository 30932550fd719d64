#include "model/VxPDFShape.h"

#include "model/VxExportTarget.h"
#include "model/VxHRule.h"
#include "model/VxPageCanvas.h"
#include "model/VxShape.h"

#include <QPainter>

namespace zelmio {

TVxPDFShape::TVxPDFShape(TComponent *owner)
    : TVxPrintable(owner)
    , m_pen(std::make_unique<TVxPen>(this))
    , m_brush(std::make_unique<TVxBrush>(this))
{
    m_pen->SetOnChange([this] { Invalidate(); });
    m_brush->SetOnChange([this] { Invalidate(); });
    SetBounds(0, 0, 100, 10);
}

void TVxPDFShape::SetShapeType(TVxShapeType type)
{
    if (type == m_shapeType)
        return;
    m_shapeType = type;
    Invalidate();
}

void TVxPDFShape::SetPen(TVxPen *pen)
{
    if (pen && pen != m_pen.get())
        m_pen->Assign(pen);
}

void TVxPDFShape::SetBrush(TVxBrush *brush)
{
    if (brush && brush != m_brush.get())
        m_brush->Assign(brush);
}

void TVxPDFShape::Print(long double ofsX, long double ofsY)
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
    TVxExportTarget *filter = ExportFilter();
    if (filter && filter->AcceptsVectorShapes())
        filter->AcceptGraphic(TDevicePos(l, t), this);
    if (!IsFinalPass())
        return;
    QPainter *canvas = PageCanvas();
    if (!canvas)
        return;
    switch (m_shapeType) {
    case TVxShapeType::vxsRectangle:
    case TVxShapeType::vxsCircle:
    case TVxShapeType::vxsVertLine:
    case TVxShapeType::vxsHorLine:
    case TVxShapeType::vxsTopAndBottom:
    case TVxShapeType::vxsRightAndLeft:
        canvas->save();
        canvas->setPen(m_pen->ToQPen());
        canvas->setBrush(m_brush->ToQBrush());
        TVxShape::DrawShape(*canvas, m_shapeType, l, t, r, b, printer->XPos(left + InternalWidth() / 2),
                            printer->YPos(top + InternalHeight() / 2), 0);
        canvas->restore();
        break;
    case TVxShapeType::vxsRoundRect:
    case TVxShapeType::vxsLeftDiagonal:
    case TVxShapeType::vxsRightDiagonal:
        break;
    }
}

void TVxPDFShape::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, false);
    painter.save();
    painter.setPen(m_pen->ToQPen());
    painter.setBrush(m_brush->ToQBrush());
    TVxShape::DrawShape(painter, m_shapeType, 0, 0, Width(), Height(), Width() / 2, Height() / 2, 0);
    painter.restore();
}

} // namespace zelmio
