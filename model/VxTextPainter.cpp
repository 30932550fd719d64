#include "model/VxTextPainter.h"

#include "model/VxColor.h"
#include "model/VxFont.h"
#include "model/VxReferenceDevice.h"
#include "model/VxTextRunDevice.h"

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
    const QRawFont raw = QRawFont::fromFont(m_referenceFont);
    if (raw.isValid()) {
        m_ascent = raw.ascent() * kTwipsPerReferencePixel;
        m_descent = raw.descent() * kTwipsPerReferencePixel;
    } else {
        const QFontMetricsF metrics(m_referenceFont);
        m_ascent = metrics.ascent() * kTwipsPerReferencePixel;
        m_descent = metrics.descent() * kTwipsPerReferencePixel;
    }
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
    const double ascent = m_ascent;
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
    // Underline and strike-out are lines Qt draws itself: such text goes the
    // ordinary way.
    auto *runs = dynamic_cast<TVxTextRunDevice *>(painter.device());
    if (runs && !m_drawingFont.underline() && !m_drawingFont.strikeOut())
        runs->DrawTextRun(painter, QPointF(left, ascent), text, width, m_ascent, m_descent, rightToLeft);
    else
        painter.drawText(QPointF(left, ascent), text);
    painter.restore();
}

} // namespace zelmio
