#pragma once
// The closed value sets of the report model. They live in one Qt namespace so
// that their value names ("rbDetail", "A4", "poLandscape") are known to the
// meta-object: property access, the template reader and writer and the
// designer read and write them by name. The enumerations are re-exported into
// zelmio; Q_PROPERTY declarations must spell them as zelmio::VxTypes::Name so
// that moc connects the property to its value names.

#include <QFlags>
#include <QObject>

namespace zelmio {
namespace VxTypes {
Q_NAMESPACE

// Band kinds, in stored order.
enum class TVxBandType {
    rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary, rbGroupHeader,
    rbGroupFooter, rbSubDetail, rbColumnHeader, rbOverlay, rbWild, rbChild
};
Q_ENUM_NS(TVxBandType)

// Display units of geometric values; Native is the internal unit itself
// (tenths of a millimetre).
enum class TVxUnit { MM, Inches, Pixels, Characters, Native };
Q_ENUM_NS(TVxUnit)

// Paper sizes: Default, the 68 standard sizes in device-mode code order, Custom.
enum class TVxPaperSize {
    Default, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive,
    A3, A4, A4Small, A5, B4, B5, Folio, Quarto, vx10X14, vx11X17, Note, Env9,
    Env10, Env11, Env12, Env14, CSheet, DSheet, ESheet, EnvDL, EnvC5, EnvC3,
    EnvC4, EnvC6, EnvC65, EnvB4, EnvB5, EnvB6, EnvItaly, EnvMonarch,
    EnvPersonal, FanfoldUSStd, FanfoldGerStd, FanfoldGerLegal, B4ISO,
    PostcardJap, vx9X11, vx10X11, vx15X11, EnvInvite, Reserved1, Reserved2,
    LetterExtra, LegalExtra, TabloidExtra, A4Extra, LetterTrans, A4Trans,
    LetterExtraTrans, SuperASuperAA4, SuperBSuperBA3, LetterPlus, A4Plus,
    A5Trans, B5Trans, A3Extra, A5Extra, B5Extra, A2, A3Trans, A3ExtraTrans,
    Custom
};
Q_ENUM_NS(TVxPaperSize)

enum class TPrinterOrientation { poPortrait, poLandscape };
Q_ENUM_NS(TPrinterOrientation)

// Paper sources of the printer settings.
enum class TVxBin {
    First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor,
    SmallFormat, LargeFormat, LargeCapacity, Cassette, Last
};
Q_ENUM_NS(TVxBin)

enum class TVxZoomState { vxZoomToFit, vxZoomToWidth, vxZoomOther, vxZoom100 };
Q_ENUM_NS(TVxZoomState)

enum class TPrevSaveType { stVXP, stPDF, stXL, stHTML, stRTF, stCSV, stASCII, stXML, stXLSX };
Q_ENUM_NS(TPrevSaveType)

enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
Q_ENUM_NS(TFormStyle)

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
Q_ENUM_NS(TWindowState)

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
Q_ENUM_NS(TPenStyle)

enum class TBrushStyle {
    bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross
};
Q_ENUM_NS(TBrushStyle)

// Set members carry the bit of their ordinal, as sets are stored.
enum class TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_FLAG_NS(TFontStyles)

// Character sets have names, but any byte value is a valid character set.
enum class TFontCharset {
    ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, MAC_CHARSET = 77,
    SHIFTJIS_CHARSET = 128, HANGEUL_CHARSET = 129, JOHAB_CHARSET = 130,
    GB2312_CHARSET = 134, CHINESEBIG5_CHARSET = 136, GREEK_CHARSET = 161,
    TURKISH_CHARSET = 162, VIETNAMESE_CHARSET = 163, HEBREW_CHARSET = 177,
    ARABIC_CHARSET = 178, BALTIC_CHARSET = 186, RUSSIAN_CHARSET = 204,
    THAI_CHARSET = 222, EASTEUROPE_CHARSET = 238, OEM_CHARSET = 255
};
Q_ENUM_NS(TFontCharset)

enum class TVxReportOption { FirstPageHeader = 0x1, LastPageFooter = 0x2, Compression = 0x4 };
Q_DECLARE_FLAGS(TVxReportOptions, TVxReportOption)
Q_FLAG_NS(TVxReportOptions)

// When a child band prints relative to its parent band.
enum class TVxChildPrintOrder { cboBeforeParent, cboAfterParent, cboBeforeAndAfter };
Q_ENUM_NS(TVxChildPrintOrder)

// Notices a controller or band sends to elements.
enum class TVxNotifyOperation { vxMasterDataAdvance, vxBandPrinted, vxBandSizeChange };
Q_ENUM_NS(TVxNotifyOperation)

// Events of the standard preview window passed to the report's hook.
enum class TStandPrevEventType { spOpen, spClose, spCopy, spPrint, spPrintSetup, spLoad, spSave, spCancel };
Q_ENUM_NS(TStandPrevEventType)

} // namespace VxTypes

using VxTypes::TBrushStyle;
using VxTypes::TFontCharset;
using VxTypes::TFontStyle;
using VxTypes::TFontStyles;
using VxTypes::TFormStyle;
using VxTypes::TPenStyle;
using VxTypes::TPrevSaveType;
using VxTypes::TPrinterOrientation;
using VxTypes::TStandPrevEventType;
using VxTypes::TVxBandType;
using VxTypes::TVxBin;
using VxTypes::TVxChildPrintOrder;
using VxTypes::TVxNotifyOperation;
using VxTypes::TVxPaperSize;
using VxTypes::TVxReportOption;
using VxTypes::TVxReportOptions;
using VxTypes::TVxUnit;
using VxTypes::TVxZoomState;
using VxTypes::TWindowState;

} // namespace zelmio

Q_DECLARE_OPERATORS_FOR_FLAGS(zelmio::VxTypes::TFontStyles)
Q_DECLARE_OPERATORS_FOR_FLAGS(zelmio::VxTypes::TVxReportOptions)
