#pragma once
// A shape meant for PDF output: handed only to the PDF document filter, and
// drawn on the page like a shape for the kinds from rectangle to right and
// left lines (the rounded rectangle and the diagonals draw nothing on the
// page).

#include "model/VxBrush.h"
#include "model/VxPen.h"
#include "model/VxPrintable.h"

#include <memory>

namespace zelmio {

class TVxPDFShape : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TVxShapeType ShapeType READ ShapeType WRITE SetShapeType)
    Q_PROPERTY(zelmio::TVxPen *Pen READ Pen WRITE SetPen)
    Q_PROPERTY(zelmio::TVxBrush *Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(int VertAdjust READ VertAdjust WRITE SetVertAdjust)
    Q_CLASSINFO("default:Width", "100")
    Q_CLASSINFO("default:Height", "10")
    Q_CLASSINFO("range:VertAdjust", "-100000 100000")
public:
    explicit TVxPDFShape(TComponent *owner = nullptr);

    TVxShapeType ShapeType() const { return m_shapeType; }
    void SetShapeType(TVxShapeType type);
    TVxPen *Pen() const { return m_pen.get(); }
    void SetPen(TVxPen *pen);
    TVxBrush *Brush() const { return m_brush.get(); }
    void SetBrush(TVxBrush *brush);
    int VertAdjust() const { return m_vertAdjust; }
    void SetVertAdjust(int value) { m_vertAdjust = value; }

    void Print(long double ofsX, long double ofsY) override;
    void Paint(QPainter &painter) override;

private:
    TVxShapeType m_shapeType = TVxShapeType::vxsRectangle;
    std::unique_ptr<TVxPen> m_pen;
    std::unique_ptr<TVxBrush> m_brush;
    int m_vertAdjust = 0;
};

} // namespace zelmio
