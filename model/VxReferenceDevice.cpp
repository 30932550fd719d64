#include "model/VxReferenceDevice.h"

#include <QFontMetricsF>
#include <QImage>
#include <QRawFont>

namespace zelmio {

namespace {

// A paint device of exactly 96 pixels per inch (3780 dots per metre).
const QImage &ReferenceImage()
{
    thread_local QImage image = [] {
        QImage img(1, 1, QImage::Format_ARGB32_Premultiplied);
        img.setDotsPerMeterX(3780);
        img.setDotsPerMeterY(3780);
        return img;
    }();
    return image;
}

// The raw font of the last font asked for on this thread; measuring a text
// usually follows measuring another in the same font.
const QRawFont &RawFontFor(const QFont &font)
{
    thread_local QFont lastFont;
    thread_local QRawFont lastRaw;
    thread_local bool valid = false;
    if (!valid || !(font == lastFont) || font.pixelSize() != lastFont.pixelSize()) {
        lastFont = font;
        lastRaw = QRawFont::fromFont(font);
        valid = true;
    }
    return lastRaw;
}

} // namespace

double ReferenceTextWidth(const QFont &font, const QString &text)
{
    if (text.isEmpty())
        return 0;
    const QRawFont &raw = RawFontFor(font);
    if (raw.isValid()) {
        const QList<quint32> glyphs = raw.glyphIndexesForString(text);
        bool complete = !glyphs.isEmpty();
        for (quint32 glyph : glyphs) {
            if (glyph == 0) {
                complete = false;
                break;
            }
        }
        if (complete) {
            const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs, QRawFont::UseDesignMetrics);
            double width = 0;
            for (const QPointF &advance : advances)
                width += advance.x();
            return width;
        }
    }
    // Characters the font lacks come from fallback fonts: measure through
    // the font machinery, which knows them.
    return QFontMetricsF(font, &ReferenceImage()).horizontalAdvance(text);
}

double ReferenceLineHeight(const QFont &font)
{
    const QRawFont &raw = RawFontFor(font);
    if (raw.isValid())
        return raw.ascent() + raw.descent();
    const QFontMetricsF metrics(font, &ReferenceImage());
    return metrics.ascent() + metrics.descent();
}

} // namespace zelmio
