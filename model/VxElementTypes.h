#pragma once
// The closed value sets of the printable elements, in one Qt namespace so
// that property access, the template reader and writer and the designer
// know their value names. Q_PROPERTY declarations spell them as
// zelmio::VxElementTypes::Name.

#include <QObject>

namespace zelmio {
namespace VxElementTypes {
Q_NAMESPACE

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
Q_ENUM_NS(TAlignment)

// Vertical placement of a single line of text.
enum class TTextLayout { tlTop, tlCenter, tlBottom };
Q_ENUM_NS(TTextLayout)

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
Q_ENUM_NS(TBiDiMode)

enum class TWrapStyle { BreakOnSpaces, BreakAnywhere };
Q_ENUM_NS(TWrapStyle)

// How a spreadsheet filter should treat an element's value.
enum class TExportType { exptText, exptNumeric, exptFormula };
Q_ENUM_NS(TExportType)

// Number formats for spreadsheet filters.
enum class TXLNumFormat {
    nfGeneral, nfInteger, nfDec2, nfIntRound, nfCurrencyNS, nfCurrency, nfCurrency2,
    nfCurrencyDec, nfCurrencyDec2, nfPercent, nfPercentDec2, nfFraction, nfFraction2,
    nfDate1, nfDate2, nfDate3, nfDate4, nfTime1, nfTime2, nfTime3, nfTime4, nfDateTime
};
Q_ENUM_NS(TXLNumFormat)

// What a system-data element prints.
enum class TVxSysDataType {
    vxsTime, vxsDate, vxsDateTime, vxsPageNumber, vxsReportTitle, vxsDetailCount, vxsDetailNo
};
Q_ENUM_NS(TVxSysDataType)

enum class TVxShapeType {
    vxsRectangle, vxsCircle, vxsVertLine, vxsHorLine, vxsTopAndBottom, vxsRightAndLeft,
    vxsRoundRect, vxsLeftDiagonal, vxsRightDiagonal
};
Q_ENUM_NS(TVxShapeType)

// How a proportional field image fits its picture into the element.
enum class TFitMode { fmProportional, fmKeepWidth, fmKeepHeight, fmInsideProp };
Q_ENUM_NS(TFitMode)

// Raster operation of a pen; read and written, not applied.
enum class TPenMode {
    pmBlack, pmWhite, pmNop, pmNot, pmCopy, pmNotCopy, pmMergePenNot, pmMaskPenNot,
    pmMergeNotPen, pmMaskNotPen, pmMerge, pmNotMerge, pmMask, pmNotMask, pmXor, pmNotXor
};
Q_ENUM_NS(TPenMode)

// The symbologies a barcode element encodes.
enum class TVxBarcodeType { btEAN13, btEAN8, btUPCA, btITF14, btCode128, btCode39, btQRCode, btDataMatrix };
Q_ENUM_NS(TVxBarcodeType)

} // namespace VxElementTypes

using VxElementTypes::TAlignment;
using VxElementTypes::TBiDiMode;
using VxElementTypes::TVxBarcodeType;
using VxElementTypes::TExportType;
using VxElementTypes::TFitMode;
using VxElementTypes::TPenMode;
using VxElementTypes::TTextLayout;
using VxElementTypes::TVxShapeType;
using VxElementTypes::TVxSysDataType;
using VxElementTypes::TWrapStyle;
using VxElementTypes::TXLNumFormat;

} // namespace zelmio
