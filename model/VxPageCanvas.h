#pragma once
// The drawing side of the report printer as printable elements see it: the
// canvas of the page being drawn and the conversions from report units
// (tenths of a millimetre from the paper's top-left corner) to its device
// pixels. The report printer of the output library implements it; tests use
// recorders of their own.

#include <QtGlobal>

class QPainter;

namespace zelmio {

class TVxPageCanvas {
public:
    virtual ~TVxPageCanvas() = default;

    // The canvas of the open page; none before the first page.
    virtual QPainter *Canvas() const = 0;
    virtual int XPos(long double value) const = 0;
    virtual int YPos(long double value) const = 0;
    virtual int XSize(long double value) const = 0;
    virtual int YSize(long double value) const = 0;
    // Device pixels per tenth of a millimetre.
    virtual long double XFactor() const = 0;
    virtual long double YFactor() const = 0;
    // The paper as oriented, in tenths of a millimetre.
    virtual int PaperWidthValue() const = 0;
    virtual int PaperLengthValue() const = 0;
};

} // namespace zelmio
