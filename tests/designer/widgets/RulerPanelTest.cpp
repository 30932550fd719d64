// The designer's ruler: the tick geometry for each unit and the zoom
// thresholds, how the panel reads its report's units and zoom by name, and
// the painted panel showing the ticks where the geometry puts them.
#include "designer/widgets/VxdRulerPanel.h"
#include "model/Vexa.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace zelmio;

namespace {

using TPen = TRulerTick::TPen;

constexpr int kWidth = 400;
constexpr int kHeight = 15;

struct RulerCase {
    const char *name;
    TVxUnit units;
    int zoom;
    int count;                     // ticks inside kWidth pixels
    QList<TRulerTick> contains;    // some of them, exactly
};

std::ostream &operator<<(std::ostream &out, const RulerCase &c)
{
    return out << c.name;
}

class RulerTicksTest : public testing::TestWithParam<RulerCase> {};

TEST_P(RulerTicksTest, TicksAt96Dpi)
{
    const RulerCase &c = GetParam();
    const QList<TRulerTick> ticks = RulerTicks(c.units, c.zoom, 96, kWidth, kHeight);
    EXPECT_EQ(ticks.size(), c.count);
    for (const TRulerTick &tick : c.contains)
        EXPECT_TRUE(ticks.contains(tick)) << "x " << tick.x << " from " << tick.yFrom << " label "
                                          << tick.label.toStdString();
}

// Millimetres at 96 dpi: 3.78 pixels a millimetre at zoom 100.
INSTANTIATE_TEST_SUITE_P(
    Units, RulerTicksTest,
    testing::Values(
        // Every millimetre inside the 400 pixels: a labelled long tick every
        // 37.8 pixels (the tenth one at 378, not 380), half centimetres half
        // high, millimetres 4 pixels high.
        RulerCase{"MillimetresZoom100", TVxUnit::MM, 100, 105,
                  {{38, 2, 15, TPen::Major, "1", {40, 1}},
                   {76, 2, 15, TPen::Major, "2", {78, 1}},
                   {378, 2, 15, TPen::Major, "10", {380, 1}},
                   {19, 7, 15, TPen::Minor, {}, {}},
                   {4, 11, 15, TPen::Minor, {}, {}}}},
        // Zoom 50 still has the millimetre ticks, zoom 49 and 40 not.
        RulerCase{"MillimetresZoom50", TVxUnit::MM, 50, 211, {{2, 11, 15, TPen::Minor, {}, {}}}},
        RulerCase{"MillimetresZoom49", TVxUnit::MM, 49, 43, {}},
        RulerCase{"MillimetresZoom40", TVxUnit::MM, 40, 52,
                  {{15, 2, 15, TPen::Major, "1", {17, 1}}, {8, 7, 15, TPen::Minor, {}, {}}}},
        // Below zoom 31 the half centimetres shrink to 4 pixels.
        RulerCase{"MillimetresZoom31", TVxUnit::MM, 31, 68, {{6, 7, 15, TPen::Minor, {}, {}}}},
        RulerCase{"MillimetresZoom30", TVxUnit::MM, 30, 70,
                  {{6, 11, 15, TPen::Minor, {}, {}}, {11, 2, 15, TPen::Major, "1", {13, 1}}}},
        // Quarter inches, half high, from zoom 50 on; inches long and labelled.
        RulerCase{"InchesZoom100", TVxUnit::Inches, 100, 16,
                  {{24, 7, 15, TPen::Minor, {}, {}}, {96, 2, 15, TPen::Major, "1", {98, 2}},
                   {384, 2, 15, TPen::Major, "4", {386, 2}}}},
        RulerCase{"InchesZoom40", TVxUnit::Inches, 40, 10, {{38, 2, 15, TPen::Major, "1", {40, 2}}}},
        // A dotted tick every ten characters of 3.937 mm; the zoom does not count.
        RulerCase{"CharactersZoom100", TVxUnit::Characters, 100, 2,
                  {{149, 2, 15, TPen::Dotted, "10", {151, 2}}, {298, 2, 15, TPen::Dotted, "20", {300, 2}}}},
        RulerCase{"CharactersZoom200", TVxUnit::Characters, 200, 2,
                  {{149, 2, 15, TPen::Dotted, "10", {151, 2}}}},
        RulerCase{"Pixels", TVxUnit::Pixels, 100, 0, {}},
        RulerCase{"Native", TVxUnit::Native, 100, 0, {}},
        RulerCase{"ZoomZero", TVxUnit::MM, 0, 0, {}}),
    [](const testing::TestParamInfo<RulerCase> &info) { return std::string(info.param.name); });

TEST(RulerPanel, ReadsUnitsAndZoomOfItsReportByName)
{
    TvxdRulerPanel panel;
    panel.resize(kWidth, TvxdRulerPanel::kHeight);
    EXPECT_EQ(panel.height(), kHeight);
    EXPECT_TRUE(panel.Ticks().isEmpty());

    auto report = std::make_unique<TVexa>();
    report->SetUnits(TVxUnit::Inches);
    report->SetZoom(200);
    panel.SetVexa(report.get());
    EXPECT_EQ(panel.ReportUnits(), TVxUnit::Inches);
    EXPECT_EQ(panel.ReportZoom(), 200);
    EXPECT_EQ(panel.Ticks(), RulerTicks(TVxUnit::Inches, 200, panel.logicalDpiX(), kWidth, kHeight));

    // Freeing the report unlinks it.
    report.reset();
    EXPECT_EQ(panel.Vexa(), nullptr);
    EXPECT_TRUE(panel.Ticks().isEmpty());

    // An object without "Units" and "Zoom" is measured in millimetres at 100.
    QObject plain;
    panel.SetVexa(&plain);
    EXPECT_EQ(panel.ReportUnits(), TVxUnit::MM);
    EXPECT_EQ(panel.ReportZoom(), 100);
    EXPECT_EQ(panel.Ticks(), RulerTicks(TVxUnit::MM, 100, panel.logicalDpiX(), kWidth, kHeight));
}

QImage Render(TvxdRulerPanel &panel)
{
    QImage image(panel.size(), QImage::Format_RGB32);
    image.fill(Qt::magenta);
    panel.render(&image);
    return image;
}

TEST(RulerPanel, PaintsTheTicksOfItsGeometry)
{
    TVexa report;
    report.SetUnits(TVxUnit::MM);
    report.SetZoom(100);
    TvxdRulerPanel panel;
    panel.resize(kWidth, TvxdRulerPanel::kHeight);
    panel.SetMajorColor(clRed);
    panel.SetMinorColor(clBlue);
    panel.SetVexa(&report);

    const QImage image = Render(panel);
    const QRgb background = panel.palette().color(QPalette::Window).rgb();
    const QList<TRulerTick> ticks = panel.Ticks();
    ASSERT_FALSE(ticks.isEmpty());

    // The bottom row holds only ticks: long ones red, short ones blue.
    QList<QRgb> expected(kWidth, background);
    for (const TRulerTick &tick : ticks)
        expected[tick.x] = tick.pen == TPen::Major ? qRgb(255, 0, 0) : qRgb(0, 0, 255);
    for (int x = 0; x < kWidth; ++x)
        ASSERT_EQ(image.pixel(x, kHeight - 1), expected[x]) << "x " << x;

    // Each tick starts on its first row, not above it.
    for (const TRulerTick &tick : ticks) {
        EXPECT_EQ(image.pixel(tick.x, tick.yFrom), expected[tick.x]) << "x " << tick.x;
        EXPECT_EQ(image.pixel(tick.x, tick.yFrom - 1), background) << "x " << tick.x;
    }

    // The first label is written right of its tick, in black.
    const TRulerTick &first = *std::find_if(ticks.begin(), ticks.end(),
                                            [](const TRulerTick &t) { return !t.label.isEmpty(); });
    int dark = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = first.labelPos.x(); x < first.labelPos.x() + 8; ++x)
        {
            const QRgb pixel = image.pixel(x, y);
            dark += qRed(pixel) < 100 && qGreen(pixel) < 100 && qBlue(pixel) < 100 ? 1 : 0;
        }
    EXPECT_GT(dark, 0);
}

TEST(RulerPanel, WithoutReportPaintsOnlyTheBackground)
{
    TvxdRulerPanel panel;
    panel.resize(kWidth, TvxdRulerPanel::kHeight);
    const QImage image = Render(panel);
    const QRgb background = panel.palette().color(QPalette::Window).rgb();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(image.pixel(x, y), background) << x << "," << y;
}

} // namespace
