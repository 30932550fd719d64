#pragma once
// Placement of a text rotated counter-clockwise inside an element's
// rectangle: where the text's own top-left corner goes so that the rotated
// text lies in the rectangle by the element's alignment, and the extent the
// rotated text covers.

#include "model/VxElementTypes.h"

#include <QPoint>
#include <QRect>
#include <QSize>

namespace zelmio {

struct TRotatedTextPlacement {
    QPoint start;   // the unrotated text's top-left corner
    QSize extent;   // the rotated text's bounding box
};

// degree: tenths of a degree (0 to 3600); textWidth and textHeight: the
// text's unrotated size; rect: the element, all in one pixel space. With
// autoSize the element is to take the extent, so alignment moves nothing.
TRotatedTextPlacement PlaceRotatedText(int degree, double textWidth, double textHeight, TAlignment alignment,
                                       const QRect &rect, bool autoSize);

} // namespace zelmio
