#pragma once
// Recorded pages for the output tests: text, lines and a picture, drawn the
// way elements draw them (fonts in pixel sizes of the recording device).

#include "output/PageRecorder.h"
#include "output/PageReplay.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

namespace zelmio::test {

// An A4 page at 96 pixels per inch: 794 x 1123.
inline constexpr QSize A4Pixels(794, 1123);

// A page with a vertical line at x = 100, a horizontal line at y = 300, the
// text "Zelmio 12.50" (pixel size 24) starting at x = 110 on the baseline
// y = 290, and a red 40 x 40 picture stretched to 80 x 80 at (400, 500).
// seed varies a second text so that pages differ.
inline TVxRecordedPage MakeSamplePage(int seed = 0, QSize size = A4Pixels)
{
    TVxPageRecorder recorder(size);
    QPainter p(&recorder);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(100, 50, 100, 700);
    p.drawLine(50, 300, 700, 300);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    p.setFont(font);
    p.drawText(110, 290, QStringLiteral("Zelmio 12.50"));
    QImage square(40, 40, QImage::Format_RGB32);
    square.fill(QColor(255, 0, 0));
    p.drawImage(QRect(400, 500, 80, 80), square);
    font.setPixelSize(12);
    p.setFont(font);
    p.drawText(120, 800, QStringLiteral("Page seed %1").arg(seed));
    p.end();
    return recorder.Page();
}

} // namespace zelmio::test
