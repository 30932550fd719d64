#pragma once
// Text of an element's font on a page canvas of any resolution. Widths and
// heights come from the font's design metrics at the reference resolution
// (as line breaking measures them), scaled to the device; the text is drawn
// with the font sized in twips (1/1440 inch) under a scaled painter, so that
// a recorded page holds exact sizes and replays in proportion on every
// device.

#include "model/VxElementTypes.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace zelmio {

class TVxFont;

class TVxTextPainter {
public:
    // dpiX, dpiY: the device's pixels per inch. zoom: the element's zoom in
    // percent (100 on pages).
    TVxTextPainter(const TVxFont &font, double dpiX, double dpiY, int zoom = 100);

    // Device pixels.
    double TextWidth(const QString &text) const;
    // Height of one line (ascent plus descent).
    double TextHeight() const;

    // Draws one line with its top at top; x is the anchor: the left end for
    // left alignment, the right end for right alignment, the middle for
    // centred text. Drawing is clipped to clip when it is not empty.
    void Draw(QPainter &painter, double x, double top, TAlignment alignment, const QString &text,
              const QRect &clip = QRect(), bool rightToLeft = false) const;

private:
    QFont m_referenceFont;   // pixel size at 96 per inch
    QFont m_drawingFont;     // the same in twips
    QColor m_color;
    double m_dpiX;
    double m_dpiY;
    double m_ascent = 0;     // twips
    double m_descent = 0;    // twips
};

} // namespace zelmio
