#include "model/VxColor.h"

#include <array>
#include <utility>

namespace zelmio {

namespace {

struct NamedColor {
    TColor value;
    const char *name;
};

constexpr std::array<NamedColor, 47> kColorNames{{
    {clBlack, "clBlack"}, {clMaroon, "clMaroon"}, {clGreen, "clGreen"},
    {clOlive, "clOlive"}, {clNavy, "clNavy"}, {clPurple, "clPurple"},
    {clTeal, "clTeal"}, {clGray, "clGray"}, {clSilver, "clSilver"},
    {clRed, "clRed"}, {clLime, "clLime"}, {clYellow, "clYellow"},
    {clBlue, "clBlue"}, {clFuchsia, "clFuchsia"}, {clAqua, "clAqua"},
    {clWhite, "clWhite"}, {clMoneyGreen, "clMoneyGreen"}, {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"}, {clMedGray, "clMedGray"}, {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"}, {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"}, {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"}, {clWindow, "clWindow"}, {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"}, {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"}, {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"}, {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"}, {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"}, {clBtnShadow, "clBtnShadow"}, {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"}, {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"}, {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"}, {clInfoText, "clInfoText"}, {clInfoBk, "clInfoBk"},
}};

// Drawing colours of the system colours, by index, in $00BBGGRR order.
constexpr std::array<quint32, 25> kSystemColors{{
    0xC8C8C8, 0x000000, 0xD1B499, 0xDBCDBF, 0xF0F0F0, 0xFFFFFF, 0x646464,
    0x000000, 0x000000, 0x000000, 0xB4B4B4, 0xFCF7F4, 0xABABAB, 0xFF9933,
    0xFFFFFF, 0xF0F0F0, 0xA0A0A0, 0x6D6D6D, 0x000000, 0x000000, 0xFFFFFF,
    0x696969, 0xE3E3E3, 0x000000, 0xE1FFFF,
}};

} // namespace

quint32 ColorToRGB(TColor color)
{
    const quint32 value = quint32(color);
    if (value & 0x80000000u) {
        const quint32 index = value & 0xFFu;
        return index < kSystemColors.size() ? kSystemColors[index] : 0u;
    }
    return value & 0x00FFFFFFu;
}

QColor ColorToQColor(TColor color)
{
    if (color == clNone)
        return QColor(Qt::transparent);
    const quint32 rgb = ColorToRGB(color);
    return QColor(int(rgb & 0xFF), int((rgb >> 8) & 0xFF), int((rgb >> 16) & 0xFF));
}

TColor QColorToColor(const QColor &color)
{
    if (color.alpha() == 0)
        return clNone;
    return RGBColor(color.red(), color.green(), color.blue());
}

QString ColorToIdent(TColor color)
{
    for (const NamedColor &named : kColorNames) {
        if (named.value == color)
            return QString::fromLatin1(named.name);
    }
    return QString();
}

std::optional<TColor> IdentToColor(const QString &ident)
{
    for (const NamedColor &named : kColorNames) {
        if (ident.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0)
            return named.value;
    }
    return std::nullopt;
}

} // namespace zelmio
