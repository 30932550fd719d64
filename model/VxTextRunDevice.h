#pragma once
// A paint device that takes a line of text as it stands, without the painter
// shaping it into glyphs first: the page recorder keeps the string, and a
// replay shapes it for the device it draws on. Shaping every text of every
// page while recording costs more than the rest of a report run together.

#include <QPointF>
#include <QString>

class QPainter;

namespace zelmio {

class TVxTextRunDevice {
public:
    virtual ~TVxTextRunDevice() = default;
    // As painter.drawText(baseline, text) with the painter's font, pen,
    // transform and clip; width, ascent and descent are the text's in the
    // painter's coordinates.
    virtual void DrawTextRun(QPainter &painter, const QPointF &baseline, const QString &text, double width,
                             double ascent, double descent, bool rightToLeft) = 0;
};

} // namespace zelmio
