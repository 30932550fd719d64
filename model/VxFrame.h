#pragma once
// The border record shared by the report, bands and elements: a colour,
// four side switches, a pen style and a width in points (1/72 inch). Every
// setter repaints the owning control.

#include "model/Persistent.h"
#include "model/VxColor.h"
#include "model/VxTypes.h"

#include <QList>
#include <QRect>

class QPainter;

namespace zelmio {

class TVxControl;

class TVxFrame : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(zelmio::TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool DrawTop READ DrawTop WRITE SetDrawTop)
    Q_PROPERTY(bool DrawBottom READ DrawBottom WRITE SetDrawBottom)
    Q_PROPERTY(bool DrawLeft READ DrawLeft WRITE SetDrawLeft)
    Q_PROPERTY(bool DrawRight READ DrawRight WRITE SetDrawRight)
    Q_PROPERTY(zelmio::VxTypes::TPenStyle Style READ Style WRITE SetStyle)
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_CLASSINFO("range:Width", "0 1000")
public:
    explicit TVxFrame(TVxControl *parent = nullptr);

    TPersistent *GetOwner() const override;
    void Assign(const TPersistent *source) override;
    TVxControl *Parent() const { return m_parent; }

    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    bool DrawTop() const { return m_top; }
    void SetDrawTop(bool draw);
    bool DrawBottom() const { return m_bottom; }
    void SetDrawBottom(bool draw);
    bool DrawLeft() const { return m_left; }
    void SetDrawLeft(bool draw);
    bool DrawRight() const { return m_right; }
    void SetDrawRight(bool draw);
    TPenStyle Style() const { return m_style; }
    void SetStyle(TPenStyle style);
    int Width() const { return m_width; }
    void SetWidth(int width);

    // True when at least one side is drawn.
    bool AnyFrame() const { return m_top || m_bottom || m_left || m_right; }

    // Side thicknesses in device pixels for factors in device pixels per
    // tenth of a millimetre: horizontal (left and right sides) and vertical
    // (top and bottom sides). At least 1 when Width is above 0; Width -1
    // gives 1.
    int HorizontalThickness(double xFactor) const;
    int VerticalThickness(double yFactor) const;

    // The filled rectangles of the drawn sides inside rect, in the order
    // top, bottom, left, right. rect is (left, top) - (right, bottom) with
    // the right and bottom edges exclusive.
    QList<QRect> SideRects(const QRect &rect, double xFactor, double yFactor) const;

    // Draws the drawn sides as solid filled rectangles of the frame colour
    // inside rect (the pen style does not apply: frames always print solid).
    void PaintIt(QPainter &painter, const QRect &rect, double xFactor, double yFactor) const;

private:
    int Thickness(double factor) const;
    void Changed();

    TVxControl *m_parent;
    TColor m_color = clBlack;
    bool m_top = false;
    bool m_bottom = false;
    bool m_left = false;
    bool m_right = false;
    TPenStyle m_style = TPenStyle::psSolid;
    int m_width = 1;
};

} // namespace zelmio
