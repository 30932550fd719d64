#pragma once
// Barcode symbols: a value checked for its symbology and encoded by libzint
// into filled rectangles (bars, or the modules of a matrix code) and the
// human-readable texts laid out as the symbology's convention has them,
// quiet zones included. The layout scales a symbol into an element's box.

#include "model/VxElementTypes.h"

#include <QRectF>
#include <QString>
#include <vector>

namespace zelmio {

struct TBarcodeText {
    QString text;
    double x = 0;         // anchor by halign
    double baseline = 0;
    double size = 0;      // em size
    int halign = 0;       // 0 centred on x, 1 starting at x, 2 ending at x
};

struct TBarcodeSymbol {
    QString error;                  // why the value cannot be encoded; empty when it was
    QString encodedValue;           // the value with its check digit, as encoded
    std::vector<QRectF> bars;       // in modules from the symbol's top-left corner
    std::vector<TBarcodeText> texts;
    double width = 0;               // in modules, quiet zones included
    double height = 0;
    bool IsValid() const { return error.isEmpty(); }
};

// A symbol placed in a box: everything in the box's units from its top-left
// corner.
struct TBarcodeLayout {
    QString error;
    QString encodedValue;
    std::vector<QRectF> bars;
    std::vector<TBarcodeText> texts;
    QRectF symbolRect;              // the part of the box the symbol covers
    bool IsValid() const { return error.isEmpty(); }
};

QString BarcodeTypeName(TVxBarcodeType type);
bool IsMatrixBarcode(TVxBarcodeType type);
// A value every symbology encodes, for the design view of a field-bound
// barcode.
QString BarcodeSampleValue(TVxBarcodeType type);
// The GS1 check digit (weights 3 and 1 from the right) of a digit string.
int Gs1CheckDigit(const QString &digits);

// Encodes a value (surrounding blanks ignored). Linear symbologies get bars
// barHeight modules high; matrix codes ignore it.
TBarcodeSymbol EncodeBarcode(TVxBarcodeType type, const QString &value, double barHeight, bool humanReadable);

// Lays a symbol out in a box: modules moduleWidth box units wide (0 fits
// the symbol to the box; a symbol wider than the box is narrowed to fit
// rather than cut), linear bars as high as the box leaves below the texts,
// placed left, centred or right by the alignment; matrix codes are centred
// vertically.
TBarcodeLayout LayoutBarcode(TVxBarcodeType type, const QString &value, const QSizeF &box, double moduleWidth,
                             TAlignment alignment, bool humanReadable);

} // namespace zelmio
