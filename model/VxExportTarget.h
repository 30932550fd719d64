#pragma once
// What the printable elements and the band placement hand to an export run
// while a report is generated once more for an export filter: positioned
// texts and graphic controls. The export filters implement it; the model
// knows nothing else of them (as it knows the report printer only as its
// page canvas).

#include "model/VxColor.h"
#include "model/VxElementTypes.h"

#include <QRectF>
#include <QString>

#include <vector>

namespace zelmio {

class TVxControl;
class TVxFont;

// A point on the paper in tenths of a millimetre from its top-left corner,
// the report's internal unit.
struct TPaperPos {
    constexpr TPaperPos(long double x, long double y)
        : x(x)
        , y(y)
    {
    }
    long double x;
    long double y;
};

// A point in device pixels of the canvas the run draws on (the report
// printer's XPos and YPos of a paper position).
struct TDevicePos {
    constexpr TDevicePos(long double x, long double y)
        : x(x)
        , y(y)
    {
    }
    long double x;
    long double y;
};

class TVxExportTarget {
public:
    virtual ~TVxExportTarget() = default;

    // A streaming target wants the report as one endless page: the whole
    // paper length counts as available space.
    virtual bool GetStreaming() const = 0;
    // True for a target that draws lines and shapes itself (a document
    // writer). Rules and PDF shapes are handed only to such a target; a
    // target that rebuilds a text grid has no use for them.
    virtual bool AcceptsVectorShapes() const = 0;

    // One formatted line of a text element at its anchor (left, right or
    // centre by the alignment) and the top of the line. bgColor is the
    // element's colour, clNone for a transparent element.
    virtual void TextOut(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                         const QString &text) = 0;
    // The same text with the spreadsheet column its element asks for
    // (XLColumn, 1-based; 0 = none). Targets that do not place texts in
    // columns of their own take it as a plain TextOut.
    virtual void TextOutColumn(TPaperPos position, const TVxFont *font, TColor bgColor, TAlignment alignment,
                               const QString &text, int column)
    {
        (void)column;
        TextOut(position, font, bgColor, alignment, text);
    }
    // A shape, picture, rule, rich text (as a picture) or band background at
    // the device position of its top-left corner; the control carries its
    // own size, pen, brush, shape or picture.
    virtual void AcceptGraphic(TDevicePos position, TVxControl *control) = 0;
    // A text rotated counter-clockwise by degree tenths of a degree; start
    // is the device position of the unrotated text's top-left corner. A
    // target that rebuilds a text grid has no place for it and ignores it.
    virtual void RotatedTextOut(TDevicePos start, const TVxFont *font, int degree, const QString &text)
    {
        (void)start;
        (void)font;
        (void)degree;
        (void)text;
    }
    // Filled rectangles of one colour in device pixels of the canvas (the
    // bars and modules of a barcode), kept at their fractional positions. A
    // target that draws no shapes ignores them.
    virtual void FillRectangles(const std::vector<QRectF> &deviceRects, TColor color)
    {
        (void)deviceRects;
        (void)color;
    }
};

} // namespace zelmio
