// Where a rotated text starts inside its element, by angle and alignment.
#include "model/VxRotatedText.h"

#include <gtest/gtest.h>

using namespace zelmio;

TEST(RotatedText, StartPointAndExtentByAngleAndAlignment)
{
    // A text 100 wide and 20 high in an element 40 wide and 200 high.
    const QRect element(0, 0, 40, 200);
    struct Row {
        const char *name;
        int degree;
        TAlignment alignment;
        bool autoSize;
        QPoint start;
        QSize extent;
    } rows[] = {
        {"up, left: reads from the bottom", 900, TAlignment::taLeftJustify, false, {0, 200}, {20, 100}},
        {"up, right: ends at the top", 900, TAlignment::taRightJustify, false, {0, 100}, {20, 100}},
        {"up, centred", 900, TAlignment::taCenter, false, {0, 150}, {20, 100}},
        {"down, left: from the top, at the right side", 2700, TAlignment::taLeftJustify, false, {40, 0}, {20, 100}},
        {"upside down, centred", 1800, TAlignment::taCenter, false, {70, 200}, {100, 20}},
        {"45 degrees with AutoSize: no alignment", 450, TAlignment::taRightJustify, true, {0, 70}, {84, 84}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const TRotatedTextPlacement p = PlaceRotatedText(row.degree, 100, 20, row.alignment, element, row.autoSize);
        EXPECT_EQ(p.start, row.start);
        EXPECT_EQ(p.extent, row.extent);
    }
}
