#include "model/VxTextPainter.h"

#include "model/VxColor.h"
#include "model/VxFont.h"
#include "model/VxReferenceDevice.h"

#include <QPainter>
#include <QRawFont>

namespace zelmio {

namespace {

constexpr double kReferenceDpi = 96.0;
constexpr double kTwipsPerInch = 1440.0;
constexpr double kTwipsPerReferencePixel = kTwipsPerInch / kReferenceDpi;

} // namespace

TVxTextPainter::TVxTextPainter(const TVxFont &font, double dpiX, double dpiY, int zoom)
    : m_referenceFont(font.ToQFont(zoom))
    , m_drawingFont(m_referenceFont)
    , m_color(ColorToQColor(font.Color()))
    , m_dpiX(dpiX > 0 ? dpiX : kReferenceDpi)
    , m_dpiY(dpiY > 0 ? dpiY : kReferenceDpi)
{
    m_drawingFont.setPixelSize(int(m_referenceFont.pixelSize() * kTwipsPerReferencePixel));
}

double TVxTextPainter::TextWidth(const QString &text) const
{
    return ReferenceTextWidth(m_referenceFont, text) * m_dpiX / kReferenceDpi;
}

double TVxTextPainter::TextHeight() const
{
    return ReferenceLineHeight(m_referenceFont) * m_dpiY / kReferenceDpi;
}

void TVxTextPainter::Draw(QPainter &painter, double x, double top, TAlignment alignment,
                          const QString &text, const QRect &clip, bool rightToLeft) const
{
    if (text.isEmpty())
        return;
    painter.save();
    if (!clip.isEmpty())
        painter.setClipRect(clip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    painter.setFont(m_drawingFont);
    painter.setPen(m_color);
    painter.translate(x, top);
    painter.scale(m_dpiX / kTwipsPerInch, m_dpiY / kTwipsPerInch);
    const double width = ReferenceTextWidth(m_referenceFont, text) * kTwipsPerReferencePixel;
    const QRawFont raw = QRawFont::fromFont(m_referenceFont);
    const double ascent = (raw.isValid() ? raw.ascent() : QFontMetricsF(m_referenceFont).ascent())
        * kTwipsPerReferencePixel;
    double left = 0;
    switch (alignment) {
    case TAlignment::taLeftJustify:
        break;
    case TAlignment::taRightJustify:
        left = -width;
        break;
    case TAlignment::taCenter:
        left = -width / 2;
        break;
    }
    painter.drawText(QPointF(left, ascent), text);
    painter.restore();
}

} // namespace zelmio
