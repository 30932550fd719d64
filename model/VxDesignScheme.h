#pragma once
// Colours and pens of the design view. The rich scheme is used when the
// screen reports more than 256 colours or no colour count; the plain scheme
// on screens of 256 colours or fewer. Chosen once, at first use.

#include "model/VxColor.h"

#include <QFont>
#include <QPen>

namespace zelmio {

struct TVxDesignScheme {
    QPen rulerMinorPen;
    QPen rulerMajorPen;
    QFont rulerFont;          // "Small Fonts", 6 points
    QColor rulerLabelColor;
    QPen marginPen;           // margins and column guides
    QPen bandOutlinePen;

    static TVxDesignScheme Rich();
    static TVxDesignScheme Plain();
};

const TVxDesignScheme &DesignScheme();

} // namespace zelmio
