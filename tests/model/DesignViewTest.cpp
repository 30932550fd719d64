// Design view painting and text measurement on the reference device.
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxDesignScheme.h"
#include "model/VxFont.h"
#include "model/VxFrame.h"
#include "model/VxUnits.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QRgb Rgb(quint32 bgr)
{
    return ColorToQColor(TColor(qint32(bgr))).rgb();
}

// Pixels of a colour within a rectangle of the image.
int CountColor(const QImage &image, const QRect &area, QRgb color)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                ++count;
        }
    }
    return count;
}

int CountDark(const QImage &image, const QRect &area)
{
    int count = 0;
    const QRect clipped = area.intersected(image.rect());
    for (int y = clipped.top(); y <= clipped.bottom(); ++y) {
        for (int x = clipped.left(); x <= clipped.right(); ++x) {
            if (qGray(image.pixel(x, y)) < 160)
                ++count;
        }
    }
    return count;
}

QImage Paint(TVxControl &control)
{
    QImage image(control.Width(), control.Height(), QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    control.PaintTo(painter);
    painter.end();
    return image;
}

} // namespace

TEST(DesignView, ReportWithBandsShowsRulersMarginsBandsAndNames)
{
    ScopedMeasurementSystem metric(false);
    TComponent form;
    auto *report = new TVexa(&form);
    report->Page()->SetPaperSize(TVxPaperSize::A4);
    report->Page()->SetColumns(2);
    report->Page()->SetColumnSpace(5);
    report->Frame()->SetDrawTop(true);
    report->Frame()->SetDrawLeft(true);
    report->Frame()->SetColor(clRed);
    TVxBand *title = report->CreateBand(TVxBandType::rbTitle);
    TVxBand *detail = report->CreateBand(TVxBandType::rbDetail);
    detail->SetHeight(80);
    detail->Frame()->SetDrawBottom(true);
    detail->Frame()->SetWidth(2);
    TVxBand *summary = report->CreateBand(TVxBandType::rbSummary);
    summary->SetEnabled(false);
    report->SetBandValues();

    const QImage image = Paint(*report);
    ASSERT_EQ(image.size(), QSize(794, 1123));
    image.save(QDir(QStringLiteral(ZELMIO_SOURCE_DIR "/build-model")).filePath(QStringLiteral("design-view.png")));

    const TVxDesignScheme &scheme = DesignScheme();
    // Ruler: major (centimetre) and minor (half-centimetre) lines below the bands.
    const int cm = int(std::lround(2 * 96 / 5.08));
    EXPECT_EQ(image.pixel(int(std::lround(4 * 96 / 5.08)), 600) & 0xFFFFFF,
              scheme.rulerMajorPen.color().rgb() & 0xFFFFFF);
    EXPECT_EQ(image.pixel(int(std::lround(3 * 96 / 5.08)), 600) & 0xFFFFFF,
              scheme.rulerMinorPen.color().rgb() & 0xFFFFFF);
    // Ruler labels at the top of the report ("1" right of the 1 cm line).
    EXPECT_GT(CountDark(image, QRect(cm + 1, 1, 12, 12)), 0);
    // The report's frame: a red line along the left margin (the top one lies
    // under the title band).
    EXPECT_EQ(CountColor(image, QRect(38, 600, 1, 200), Rgb(0x0000FF)), 200);
    // Margins: a dotted line along the bottom and right margins.
    EXPECT_GT(CountColor(image, QRect(100, 1123 - 38 - 1, 300, 1), scheme.marginPen.color().rgb()), 80);
    EXPECT_GT(CountColor(image, QRect(794 - 38 - 1, 600, 1, 300), scheme.marginPen.color().rgb()), 80);
    // Column guides above the top margin, in the middle of the page.
    EXPECT_GT(CountColor(image, QRect(380, 0, 40, 37), scheme.marginPen.color().rgb()), 10);

    // Bands: outlines, names, frames, the disabled band in grey.
    const QRect titleRect = title->BoundsRect();
    EXPECT_GT(CountColor(image, QRect(titleRect.left(), titleRect.top(), titleRect.width(), 1),
                         scheme.bandOutlinePen.color().rgb()), titleRect.width() / 4);
    EXPECT_GT(CountDark(image, QRect(titleRect.left() + 2, titleRect.bottom() - 16, 40, 14)), 5);
    const QRect detailRect = detail->BoundsRect();
    EXPECT_EQ(detailRect.height(), 80);
    EXPECT_LT(detailRect.width(), titleRect.width());   // one of two columns
    // The detail frame's bottom side: 2 points are 3 pixels, inside the outline.
    EXPECT_EQ(image.pixel(detailRect.left() + 100, detailRect.bottom() - 1) & 0xFFFFFF, 0u);
    EXPECT_EQ(image.pixel(detailRect.left() + 100, detailRect.bottom() - 3) & 0xFFFFFF, 0u);
    EXPECT_NE(image.pixel(detailRect.left() + 100, detailRect.bottom() - 4) & 0xFFFFFF, 0u);
    const QRect summaryRect = summary->BoundsRect();
    EXPECT_EQ(image.pixel(summaryRect.left() + 300, summaryRect.top() + 20) & 0xFFFFFF, Rgb(0xC0C0C0) & 0xFFFFFF);
    // Kind names in the bands.
    EXPECT_GT(CountDark(image, QRect(detailRect.left() + 2, detailRect.bottom() - 16, 40, 14)), 0);
}

TEST(DesignView, RulersFollowUnitAndZoom)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    const TVxDesignScheme &scheme = DesignScheme();
    const QRgb minor = scheme.rulerMinorPen.color().rgb() & 0xFFFFFF;

    // Below zoom 60 millimetre rulers leave out the half-centimetre lines.
    report.SetZoom(50);
    QImage image = Paint(report);
    const int halfCm = int(std::lround(96 * 0.5 / 5.08));
    EXPECT_NE(image.pixel(halfCm, 300) & 0xFFFFFF, minor);

    // Inches: quarter-inch lines.
    report.SetZoom(100);
    report.SetUnits(TVxUnit::Inches);
    image = Paint(report);
    EXPECT_EQ(image.pixel(24, 300) & 0xFFFFFF, minor);
    EXPECT_EQ(image.pixel(96, 300) & 0xFFFFFF, scheme.rulerMajorPen.color().rgb() & 0xFFFFFF);

    // Pixels: no ruler; and none when the page has its ruler off.
    report.SetUnits(TVxUnit::Pixels);
    image = Paint(report);
    EXPECT_EQ(image.pixel(96, 300) & 0xFFFFFF, 0xFFFFFFu);
    report.SetUnits(TVxUnit::MM);
    report.Page()->SetRuler(false);
    image = Paint(report);
    EXPECT_EQ(CountColor(image, QRect(0, 300, 794, 1), minor), 0);
}

TEST(DesignView, FramePaintItThicknessAndSides)
{
    TVxFrame frame;
    frame.SetWidth(1);
    EXPECT_EQ(frame.HorizontalThickness(96 / 254.0), 1);    // 1.33 px
    frame.SetWidth(3);
    EXPECT_EQ(frame.HorizontalThickness(96 / 254.0), 4);
    EXPECT_EQ(frame.VerticalThickness(600 / 254.0), 25);    // a 600 dpi printer
    frame.SetWidth(0);
    EXPECT_EQ(frame.HorizontalThickness(96 / 254.0), 0);
    frame.SetWidth(-1);
    EXPECT_EQ(frame.HorizontalThickness(96 / 254.0), 1);
    frame.SetWidth(1);
    EXPECT_EQ(frame.HorizontalThickness(0.01), 1);          // never thinner than a pixel

    frame.SetWidth(3);
    frame.SetDrawLeft(true);
    frame.SetDrawRight(true);
    frame.SetStyle(TPenStyle::psDot);                       // frames always print solid
    frame.SetColor(clBlue);
    QImage image(40, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    frame.PaintIt(painter, QRect(0, 0, 40, 20), 96 / 254.0, 96 / 254.0);
    painter.end();
    const QList<QRect> sides = frame.SideRects(QRect(0, 0, 40, 20), 96 / 254.0, 96 / 254.0);
    EXPECT_EQ(sides, (QList<QRect>{QRect(0, 0, 4, 20), QRect(36, 0, 4, 20)}));
    EXPECT_EQ(CountColor(image, image.rect(), Rgb(0xFF0000)), 2 * 4 * 20);
}

TEST(TextMeasure, ReferenceDeviceMetricsAreFixed)
{
    TVexa report;
    TVxFont font;   // Arial 10 points: 13 pixels
    // Liberation Sans "W" advances 1933/2048 em: 12.27 pixels, rounded, plus 1.
    EXPECT_EQ(report.TextWidth(&font, QStringLiteral("W")), 13);
    EXPECT_EQ(report.TextWidth(&font, QStringLiteral("WWWWWWWWWW")), 124);
    EXPECT_EQ(report.TextHeight(&font, QStringLiteral("W")), 15);
    EXPECT_EQ(report.TextWidth(nullptr, QStringLiteral("W")), 0);
    EXPECT_EQ(report.TextHeight(nullptr, QStringLiteral("W")), 0);
    const TVxFont regular;
    font.SetStyle(TFontStyle::fsBold);
    EXPECT_GT(report.TextWidth(&font, QStringLiteral("Summa")), report.TextWidth(&regular, QStringLiteral("Summa")));
    font.SetSize(20);
    EXPECT_EQ(font.Height(), -27);
    EXPECT_EQ(font.Size(), 20);
    // Latvian letters measure in the font itself.
    EXPECT_GT(report.TextWidth(&font, QStringLiteral("\u0161\u0137\u0113")), 3);
}
