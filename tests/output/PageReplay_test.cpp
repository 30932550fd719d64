#include "output/PageReplay.h"

#include "PageFixtures.h"

#include <QRegion>
#include <cmath>
#include <gtest/gtest.h>

using namespace zelmio;
using zelmio::test::MakeSamplePage;

namespace {

// Bounding box of the pixels matching pred inside area.
template <typename Pred>
QRect InkBox(const QImage &image, const QRect &area, Pred pred)
{
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    const QRect a = area.intersected(image.rect());
    for (int y = a.top(); y <= a.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = a.left(); x <= a.right(); ++x) {
            if (pred(line[x])) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool Dark(QRgb c) { return qGray(c) < 128; }
bool Red(QRgb c) { return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80; }

// Measures in recording pixels (96 per inch).
struct Measures {
    double verticalLine, horizontalLine, textLeft, textRight, textTop, textBottom, pictureLeft, pictureRight;
};

Measures Measure(const QImage &image, double scale)
{
    const auto s = [&](double v) { return int(std::lround(v * scale)); };
    const QRect vline = InkBox(image, QRect(s(90), s(600), s(20), s(20)), Dark);
    const QRect hline = InkBox(image, QRect(s(600), s(290), s(20), s(20)), Dark);
    const QRect text = InkBox(image, QRect(s(105), s(255), s(300), s(40)), Dark);
    const QRect picture = InkBox(image, QRect(s(380), s(480), s(120), s(120)), Red);
    return {vline.center().x() / scale, hline.center().y() / scale,
            text.left() / scale, (text.right() + 1) / scale, text.top() / scale, (text.bottom() + 1) / scale,
            picture.left() / scale, (picture.right() + 1) / scale};
}

} // namespace

TEST(PageReplay, PagesReplayInProportionAtAnyResolution)
{
    const TVxRecordedPage page = MakeSamplePage();
    const QImage reference = RenderPage(page, 96);
    ASSERT_EQ(reference.size(), QSize(794, 1123));
    const Measures at96 = Measure(reference, 1.0);
    EXPECT_NEAR(at96.verticalLine, 100, 1);
    EXPECT_NEAR(at96.horizontalLine, 300, 1);
    EXPECT_NEAR(at96.pictureLeft, 400, 1);
    EXPECT_NEAR(at96.pictureRight, 480, 1);
    EXPECT_GT(at96.textRight - at96.textLeft, 100); // the text is there

    for (double dpi : {72.0, 300.0, 600.0}) {
        SCOPED_TRACE(dpi);
        const double scale = dpi / 96;
        const QImage image = RenderPage(page, dpi);
        EXPECT_EQ(image.width(), std::lround(794 * scale));
        EXPECT_EQ(image.height(), std::lround(1123 * scale));
        const Measures m = Measure(image, scale);
        // Within about a pixel of the 96 dpi page: the text keeps its place
        // and width relative to the lines.
        const double tolerance = 1.5;
        EXPECT_NEAR(m.verticalLine, at96.verticalLine, tolerance);
        EXPECT_NEAR(m.horizontalLine, at96.horizontalLine, tolerance);
        EXPECT_NEAR(m.textLeft, at96.textLeft, tolerance);
        EXPECT_NEAR(m.textRight, at96.textRight, 2 * tolerance);
        EXPECT_NEAR(m.textTop, at96.textTop, tolerance);
        EXPECT_NEAR(m.textBottom, at96.textBottom, tolerance);
        EXPECT_NEAR(m.pictureLeft, at96.pictureLeft, tolerance);
        EXPECT_NEAR(m.pictureRight, at96.pictureRight, tolerance);
    }
}

TEST(PageReplay, ReplayIsClippedToTheTarget)
{
    const TVxRecordedPage page = MakeSamplePage();
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    // The page's top-left quarter maps onto (100,100)-(300,300) scaled up.
    ReplayPage(painter, page, QRectF(100, 100, 200, 200));
    painter.end();
    EXPECT_TRUE(InkBox(image, QRect(0, 0, 400, 100), Dark).isNull());
    EXPECT_TRUE(InkBox(image, QRect(300, 0, 100, 400), Dark).isNull());
    EXPECT_FALSE(InkBox(image, QRect(100, 100, 200, 200), Dark).isNull());
}
