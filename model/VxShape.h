#pragma once
// A geometric shape: rectangle, ellipse, lines (vertical, horizontal, top
// and bottom, right and left, diagonals) or a rounded rectangle, drawn with
// its own pen and brush. A vertical line tagged 1000 also serves its band as
// a separator line.

#include "model/VxBrush.h"
#include "model/VxPen.h"
#include "model/VxPrintable.h"

#include <memory>

namespace zelmio {

class TVxShape : public TVxPrintable {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxElementTypes::TVxShapeType Shape READ Shape WRITE SetShape)
    Q_PROPERTY(zelmio::TVxPen *Pen READ Pen WRITE SetPen)
    Q_PROPERTY(zelmio::TVxBrush *Brush READ Brush WRITE SetBrush)
    Q_PROPERTY(float RoundFactor READ RoundFactor WRITE SetRoundFactor)
    Q_PROPERTY(int VertAdjust READ VertAdjust WRITE SetVertAdjust)
    Q_CLASSINFO("default:RoundFactor", "0")
    Q_CLASSINFO("default:Width", "65")
    Q_CLASSINFO("default:Height", "65")
    Q_CLASSINFO("range:VertAdjust", "-100000 100000")
public:
    static constexpr int kSeparatorTag = 1000;

    explicit TVxShape(TComponent *owner = nullptr);

    TVxShapeType Shape() const { return m_shape; }
    void SetShape(TVxShapeType shape);
    TVxPen *Pen() const { return m_pen.get(); }
    void SetPen(TVxPen *pen);
    TVxBrush *Brush() const { return m_brush.get(); }
    void SetBrush(TVxBrush *brush);
    float RoundFactor() const { return m_roundFactor; }
    void SetRoundFactor(float value);
    int VertAdjust() const { return m_vertAdjust; }
    void SetVertAdjust(int value) { m_vertAdjust = value; }

    void Print(long double ofsX, long double ofsY) override;
    void Paint(QPainter &painter) override;

    // Draws a shape of a kind into the device rectangle (l, t) - (r, b) with
    // the painter's pen and brush; midX and midY are the centre lines the
    // vertical and horizontal lines take; the rounded rectangle's corner
    // ellipse is corner wide and high.
    static void DrawShape(QPainter &painter, TVxShapeType kind, int l, int t, int r, int b, int midX,
                          int midY, int corner);

private:
    TVxShapeType m_shape = TVxShapeType::vxsRectangle;
    std::unique_ptr<TVxPen> m_pen;
    std::unique_ptr<TVxBrush> m_brush;
    float m_roundFactor = 0;
    int m_vertAdjust = 0;
};

} // namespace zelmio
