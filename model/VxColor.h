#pragma once
// The 32-bit colour value of templates: the low three bytes are red, green
// and blue ($00BBGGRR); values with the high bit set name system colours by
// their low byte. TColor is a distinct type so that colour properties are
// recognisable in property tables (written by name when they have one).

#include <QColor>
#include <QString>
#include <QtGlobal>
#include <optional>

namespace zelmio {

enum TColor : qint32 {
    clBlack = 0x000000,
    clMaroon = 0x000080,
    clGreen = 0x008000,
    clOlive = 0x008080,
    clNavy = 0x800000,
    clPurple = 0x800080,
    clTeal = 0x808000,
    clGray = 0x808080,
    clSilver = 0xC0C0C0,
    clRed = 0x0000FF,
    clLime = 0x00FF00,
    clYellow = 0x00FFFF,
    clBlue = 0xFF0000,
    clFuchsia = 0xFF00FF,
    clAqua = 0xFFFF00,
    clWhite = 0xFFFFFF,
    clMoneyGreen = 0xC0DCC0,
    clSkyBlue = 0xF0CAA6,
    clCream = 0xF0FBFF,
    clMedGray = 0xA4A0A0,
    clNone = 0x1FFFFFFF,
    clDefault = 0x20000000,

    clScrollBar = qint32(0x80000000),
    clBackground = qint32(0x80000001),
    clActiveCaption = qint32(0x80000002),
    clInactiveCaption = qint32(0x80000003),
    clMenu = qint32(0x80000004),
    clWindow = qint32(0x80000005),
    clWindowFrame = qint32(0x80000006),
    clMenuText = qint32(0x80000007),
    clWindowText = qint32(0x80000008),
    clCaptionText = qint32(0x80000009),
    clActiveBorder = qint32(0x8000000A),
    clInactiveBorder = qint32(0x8000000B),
    clAppWorkSpace = qint32(0x8000000C),
    clHighlight = qint32(0x8000000D),
    clHighlightText = qint32(0x8000000E),
    clBtnFace = qint32(0x8000000F),
    clBtnShadow = qint32(0x80000010),
    clGrayText = qint32(0x80000011),
    clBtnText = qint32(0x80000012),
    clInactiveCaptionText = qint32(0x80000013),
    clBtnHighlight = qint32(0x80000014),
    cl3DDkShadow = qint32(0x80000015),
    cl3DLight = qint32(0x80000016),
    clInfoText = qint32(0x80000017),
    clInfoBk = qint32(0x80000018),
};

// A colour from its red, green and blue parts.
constexpr TColor RGBColor(int red, int green, int blue)
{
    return TColor((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

// The $00BBGGRR value a colour draws with: system colours resolve to their
// fixed drawing colours, other values keep their low three bytes.
quint32 ColorToRGB(TColor color);

// The colour to draw with; clNone is fully transparent.
QColor ColorToQColor(TColor color);
TColor QColorToColor(const QColor &color);

// The name of a colour constant ("clBlack", "clWindowText"), or an empty
// string when the value has none.
QString ColorToIdent(TColor color);
// The value of a colour name, without regard to case; none for unknown names.
std::optional<TColor> IdentToColor(const QString &ident);

} // namespace zelmio
