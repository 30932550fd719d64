// Unit conversions, unit-bearing records, paper sizes, orientation, columns
// and zoom of the report.
#include "ModelTestSupport.h"

#include "model/PropertyAccess.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxBandSize.h"
#include "model/VxPage.h"
#include "model/VxPaperSizes.h"
#include "model/VxUnits.h"

#include <gtest/gtest.h>

using namespace zelmio;

namespace {

constexpr double kEps = 1e-9;

} // namespace

TEST(Units, ConversionsOfTenMillimetres)
{
    struct Row {
        TVxUnit unit;
        bool horizontal;
        int zoom;
        long double expected;
    };
    const Row rows[] = {
        {TVxUnit::MM, true, 100, 10.0L},
        {TVxUnit::Inches, true, 100, 100.0L / 254.0L},                 // 0.3937...
        {TVxUnit::Pixels, true, 100, 100.0L / (254.0L / 96.0L)},       // 37.795...
        {TVxUnit::Pixels, true, 200, 2 * 100.0L / (254.0L / 96.0L)},
        {TVxUnit::Characters, true, 100, 100.0L / (80.0L / 10 / 2.54L) / 10},
        {TVxUnit::Characters, false, 100, 100.0L / (145.3L / 10 / 2.54L) / 10},
        {TVxUnit::Native, true, 100, 100.0L},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(int(row.unit));
        const long double value = InternalToUnit(100, row.unit, row.horizontal, 96, row.zoom, 10);
        EXPECT_NEAR(double(value), double(row.expected), kEps);
        EXPECT_NEAR(double(UnitToInternal(value, row.unit, row.horizontal, 96, row.zoom, 10)), 100.0, kEps);
    }
    EXPECT_NEAR(double(InternalToUnit(100, TVxUnit::Inches, true)), 0.393700787, 1e-9);
    EXPECT_NEAR(double(InternalToUnit(100, TVxUnit::Pixels, true)), 37.795275591, 1e-9);
    EXPECT_EQ(InternalToPixels(100), 38);
}

TEST(Units, CharacterCellOfATenPointFont)
{
    EXPECT_NEAR(double(CharacterWidthMM(10)), 3.1496062992, 1e-9);
    EXPECT_NEAR(double(CharacterHeightMM(10)), 5.7204724409, 1e-9);
    // A larger font gives a smaller cell; the sign of the size does not matter.
    EXPECT_LT(CharacterWidthMM(20), CharacterWidthMM(10));
    EXPECT_EQ(CharacterWidthMM(-10), CharacterWidthMM(10));

    TVexa report;
    report.SetUnits(TVxUnit::Characters);
    EXPECT_NEAR(double(UnitToInternal(1, TVxUnit::Characters, true, 96, 100, report.Font()->Size())),
                31.496062992, 1e-8);
}

TEST(Units, ReportUnitGoesToThePageAndEveryBand)
{
    TComponent form;
    TVexa report(&form);
    auto *band = new TVxBand(&form);
    band->SetParent(&report);
    report.SetUnits(TVxUnit::Inches);
    EXPECT_EQ(report.Page()->Units(), TVxUnit::Inches);
    EXPECT_EQ(band->Size()->Units(), TVxUnit::Inches);
    band->Size()->SetHeight(1);   // one inch
    EXPECT_NEAR(double(band->Size()->InternalValue(TVxBandSize::LengthIndex)), 254.0, kEps);
    EXPECT_EQ(band->Height(), 96);
    EXPECT_EQ(GetIntegerProperty(&report, QStringLiteral("Units")), int(TVxUnit::Inches));
}

TEST(Page, NewPageFollowsTheLocaleMeasurementSystem)
{
    {
        ScopedMeasurementSystem metric(false);
        TVexa report;
        const TVxPage *page = report.Page();
        EXPECT_EQ(page->Units(), TVxUnit::MM);
        EXPECT_DOUBLE_EQ(double(page->Width()), 210.0);
        EXPECT_DOUBLE_EQ(double(page->Length()), 297.0);
        EXPECT_DOUBLE_EQ(double(page->TopMargin()), 10.0);
        EXPECT_DOUBLE_EQ(double(page->LeftMargin()), 10.0);
        EXPECT_EQ(page->Columns(), 1);
        EXPECT_TRUE(page->Ruler());
        EXPECT_DOUBLE_EQ(double(page->ColumnSpace()), 0.0);
        // No printer to ask here: the paper size is Default.
        EXPECT_EQ(page->PaperSize(), TVxPaperSize::Default);
        EXPECT_EQ(report.Width(), 794);
        EXPECT_EQ(report.Height(), 1123);
    }
    {
        ScopedMeasurementSystem us(true);
        TVexa report;
        const TVxPage *page = report.Page();
        EXPECT_EQ(page->Units(), TVxUnit::Inches);
        EXPECT_DOUBLE_EQ(double(page->Width()), 8.5);
        EXPECT_DOUBLE_EQ(double(page->Length()), 11.0);
        EXPECT_DOUBLE_EQ(double(page->BottomMargin()), 0.5);
    }
}

TEST(Page, WidthAndLengthCanBeSetOnlyOnCustomPaper)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    TVxPage *page = report.Page();
    page->SetPaperSize(TVxPaperSize::A4);
    page->SetWidth(100);
    SetFloatProperty(&report, QStringLiteral("Page.Length"), 100);
    EXPECT_DOUBLE_EQ(double(page->Width()), 210.0);
    EXPECT_DOUBLE_EQ(double(page->Length()), 297.0);

    page->SetPaperSize(TVxPaperSize::Custom);
    page->SetWidth(100);
    SetFloatProperty(&report, QStringLiteral("Page.Length"), 150);
    EXPECT_DOUBLE_EQ(double(page->Width()), 100.0);
    EXPECT_DOUBLE_EQ(double(page->Length()), 150.0);
    EXPECT_EQ(report.Width(), 378);   // the report follows its page
    EXPECT_EQ(report.Height(), 567);
}

TEST(Page, OrientationSwapsTheSheet)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    TVxPage *page = report.Page();
    page->SetPaperSize(TVxPaperSize::A4);
    page->SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(double(page->Width()), 297.0);
    EXPECT_DOUBLE_EQ(double(page->Length()), 210.0);
    EXPECT_EQ(report.PrinterSettings()->Orientation(), TPrinterOrientation::poLandscape);
    // A paper size set while landscape is applied landscape.
    page->SetPaperSize(TVxPaperSize::A5);
    EXPECT_DOUBLE_EQ(double(page->Width()), 210.0);
    EXPECT_DOUBLE_EQ(double(page->Length()), 148.0);

    page->SetPaperSize(TVxPaperSize::Custom);
    page->SetOrientation(TPrinterOrientation::poPortrait);
    page->SetWidth(80);
    page->SetLength(120);
    page->SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(double(page->Width()), 120.0);
    EXPECT_DOUBLE_EQ(double(page->Length()), 80.0);
    page->SetOrientation(TPrinterOrientation::poLandscape);   // unchanged: no swap
    EXPECT_DOUBLE_EQ(double(page->Width()), 120.0);
}

TEST(Page, PaperSizeTable)
{
    struct Row {
        TVxPaperSize size;
        double width;
        double length;
    };
    const Row rows[] = {
        {TVxPaperSize::Letter, 215.9, 279.4}, {TVxPaperSize::Ledger, 431.8, 279.4},
        {TVxPaperSize::A3, 297, 420}, {TVxPaperSize::A4, 210, 297}, {TVxPaperSize::B4, 250, 354},
        {TVxPaperSize::Env9, 98.43, 225.4}, {TVxPaperSize::EnvB6, 176, 125},
        {TVxPaperSize::EnvPersonal, 92.01, 165.1}, {TVxPaperSize::Reserved2, 100, 100},
        {TVxPaperSize::TabloidExtra, 296.9, 457.2}, {TVxPaperSize::A5Trans, 210, 148},
        {TVxPaperSize::A2, 420, 594}, {TVxPaperSize::A3ExtraTrans, 445, 322},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(int(row.size));
        TVxPaperDimensions dimensions;
        ASSERT_TRUE(PaperDimensions(row.size, dimensions));
        EXPECT_NEAR(double(dimensions.widthMM), row.width, 1e-12);
        EXPECT_NEAR(double(dimensions.lengthMM), row.length, 1e-12);
    }
    TVxPaperDimensions none;
    EXPECT_FALSE(PaperDimensions(TVxPaperSize::Default, none));
    EXPECT_FALSE(PaperDimensions(TVxPaperSize::Custom, none));
    EXPECT_EQ(int(TVxPaperSize::Custom), 69);
    EXPECT_EQ(int(TVxPaperSize::A3ExtraTrans), 68);
}

TEST(Page, ColumnsAndZoomIgnoreValuesOutOfRange)
{
    TVexa report;
    report.Page()->SetColumns(0);
    EXPECT_EQ(report.Page()->Columns(), 1);
    report.Page()->SetColumns(3);
    EXPECT_EQ(report.Page()->Columns(), 3);

    for (int rejected : {0, 301, -5}) {
        report.SetZoom(rejected);
        EXPECT_EQ(report.Zoom(), 100) << rejected;
    }
    report.SetZoom(300);
    EXPECT_EQ(report.Zoom(), 300);
    EXPECT_EQ(report.Page()->Zoom(), 300);
    SetIntegerProperty(&report, QStringLiteral("Zoom"), 301);
    EXPECT_EQ(report.Zoom(), 300);
}

TEST(Page, ZoomScalesTheReportAndItsBands)
{
    ScopedMeasurementSystem metric(false);
    TComponent form;
    TVexa report(&form);
    report.Page()->SetPaperSize(TVxPaperSize::A4);
    TVxBand *band = report.CreateBand(TVxBandType::rbDetail);
    const int height = band->Height();
    report.SetZoom(200);
    EXPECT_EQ(report.Width(), 1587);   // 210 mm at 192 pixels per inch
    EXPECT_EQ(band->Height(), 2 * height);
    EXPECT_EQ(band->Top(), 76);        // the top margin, zoomed
    EXPECT_NEAR(double(band->Size()->InternalValue(TVxBandSize::LengthIndex)), height * 254.0 / 96.0, 1e-9);
}

TEST(UnitRecords, ValuesAreTheDefinedPropertyInStoredOrder)
{
    ScopedMeasurementSystem metric(false);
    TVexa report;
    test::CollectingFiler filer;
    DefineObjectProperties(report.Page(), filer);
    const test::DefinedProperty *values = filer.Find(QStringLiteral("Values"));
    ASSERT_NE(values, nullptr);
    ASSERT_TRUE(values->hasData);

    test::ListValueReader reader({50.0, 1000.0, 60.0, 800.0, 70.0, 80.0, 20.0});
    values->read(reader);
    report.Page()->Loaded();
    EXPECT_DOUBLE_EQ(double(report.Page()->BottomMargin()), 5.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->Length()), 100.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->TopMargin()), 6.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->Width()), 80.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->LeftMargin()), 7.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->RightMargin()), 8.0);
    EXPECT_DOUBLE_EQ(double(report.Page()->ColumnSpace()), 2.0);
    EXPECT_EQ(report.Width(), 302);

    test::TextValueWriter writer;
    values->write(writer);
    EXPECT_EQ(writer.values, (QStringList{"50.000000", "1000.000000", "60.000000", "800.000000",
                                          "70.000000", "80.000000", "20.000000"}));
}
