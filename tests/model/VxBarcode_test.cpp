// Barcode elements: each symbology decoded back from the printed page by the
// system's barcode readers, check digits, bad values as marked text with one
// warning per record, sizes, and what export filters get.
#include "BarcodeReader.h"
#include "ElementTestSupport.h"
#include "model/VxBarcode.h"
#include "model/VxRunWarnings.h"
#include "platform/ClientDataSet.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

struct WarningCollector {
    QStringList lines;
    TRunWarningSink previous = SetRunWarningSink([this](const QString &line) { lines << line; });
    ~WarningCollector() { SetRunWarningSink(previous); }
};

// A barcode in a 60 x 25 mm box (50 x 50 mm for matrix codes), printed
// through the page recorder as the page store keeps pages and replayed at
// 300 dpi, cut to the box with some white around it.
QImage PrintBarcode(ElementFixture &fixture, TVxBarcode *barcode)
{
    PicturePageCanvas canvas;
    fixture.StartRun(canvas);
    barcode->Prepare();
    barcode->Print(0, 0);
    barcode->UnPrepare();
    const QImage page = canvas.Replay(300);
    return page.copy(0, 0, 1200, 900);
}

} // namespace

TEST(VxBarcode, EverySymbologyDecodesBackFromThePrintedPage)
{
    struct Case {
        TVxBarcodeType type;
        QString value;
        QString decoded;
    };
    const std::vector<Case> cases = {
        {TVxBarcodeType::btEAN13, QStringLiteral("590123412345"), QStringLiteral("EAN-13:5901234123457")},
        {TVxBarcodeType::btEAN13, QStringLiteral("4751000015834"), QStringLiteral("EAN-13:4751000015834")},
        {TVxBarcodeType::btEAN8, QStringLiteral("9638507"), QStringLiteral("EAN-8:96385074")},
        {TVxBarcodeType::btEAN8, QStringLiteral("96385074"), QStringLiteral("EAN-8:96385074")},
        {TVxBarcodeType::btUPCA, QStringLiteral("03600029145"), QStringLiteral("UPC-A:036000291452")},
        {TVxBarcodeType::btUPCA, QStringLiteral("036000291452"), QStringLiteral("UPC-A:036000291452")},
        {TVxBarcodeType::btITF14, QStringLiteral("1540014128876"), QStringLiteral("I2/5:15400141288763")},
        {TVxBarcodeType::btITF14, QStringLiteral(" 15400141288763 "), QStringLiteral("I2/5:15400141288763")},
        {TVxBarcodeType::btCode128, QStringLiteral("Zelmio-128/lv 2026"), QStringLiteral("CODE-128:Zelmio-128/lv 2026")},
        {TVxBarcodeType::btCode39, QStringLiteral("ZELMIO-39 $/+%"), QStringLiteral("CODE-39:ZELMIO-39 $/+%")},
        {TVxBarcodeType::btQRCode, QStringLiteral("https://zelmio.lv/?tag=42"), QStringLiteral("QR-Code:https://zelmio.lv/?tag=42")},
        {TVxBarcodeType::btQRCode, QStringLiteral("Rīga, SIA \"Ēdnīca Žubīte\": ķiploki, ļoti gļotaini"),
         QStringLiteral("QR-Code:Rīga, SIA \"Ēdnīca Žubīte\": ķiploki, ļoti gļotaini")},
        {TVxBarcodeType::btQRCode, QStringLiteral("Молоко 2,5% 1л, Минеральная вода"),
         QStringLiteral("QR-Code:Молоко 2,5% 1л, Минеральная вода")},
        {TVxBarcodeType::btDataMatrix, QStringLiteral("LV40003123456/RP-2026001"),
         QStringLiteral("LV40003123456/RP-2026001")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.toStdString());
        ElementFixture fixture;
        const bool matrix = IsMatrixBarcode(c.type);
        auto *barcode = fixture.Add<TVxBarcode>(QStringLiteral("Barcode1"), 50, 50, matrix ? 500 : 600,
                                                matrix ? 500 : 250);
        barcode->SetBarcodeType(c.type);
        barcode->SetValue(c.value);
        const QImage page = PrintBarcode(fixture, barcode);
        EXPECT_TRUE(barcode->LastError().isEmpty()) << barcode->LastError().toStdString();
        EXPECT_EQ(DecodeBarcodes(page, c.type == TVxBarcodeType::btDataMatrix), QStringList{c.decoded});
    }
}

TEST(VxBarcode, BadValuesPrintMarkedTextAndWarnOncePerRecord)
{
    struct Case {
        TVxBarcodeType type;
        QString value;
        QString reason;
    };
    const std::vector<Case> cases = {
        {TVxBarcodeType::btEAN13, QStringLiteral("47510000A0007"), QStringLiteral("EAN-13 takes digits only")},
        {TVxBarcodeType::btEAN13, QStringLiteral("4751000015838"), QStringLiteral("wrong check digit 8, expected 4")},
        {TVxBarcodeType::btEAN13, QStringLiteral("47510"), QStringLiteral("this value has 5")},
        {TVxBarcodeType::btEAN8, QStringLiteral("96385075"), QStringLiteral("wrong check digit 5, expected 4")},
        {TVxBarcodeType::btUPCA, QStringLiteral("0360002914521"), QStringLiteral("UPC-A takes 11 digits")},
        {TVxBarcodeType::btITF14, QStringLiteral("15400141288760"), QStringLiteral("wrong check digit 0, expected 3")},
        {TVxBarcodeType::btCode39, QStringLiteral("zelmio"), QStringLiteral("capital letters")},
        {TVxBarcodeType::btCode128, QStringLiteral("Молоко"), QString()},
        {TVxBarcodeType::btQRCode, QString(8000, QLatin1Char('7')), QStringLiteral("too long")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.value.left(40).toStdString());
        WarningCollector warnings;
        ElementFixture fixture;
        auto *barcode = fixture.Add<TVxBarcode>(QStringLiteral("Barcode1"), 50, 50, 600, 250);
        barcode->SetBarcodeType(c.type);
        barcode->SetValue(c.value);

        PicturePageCanvas canvas;
        fixture.StartRun(canvas);
        barcode->Prepare();
        barcode->Print(0, 0);
        barcode->Print(0, 0);
        const QImage page = canvas.Replay(300).copy(0, 0, 1200, 900);
        EXPECT_FALSE(barcode->LastError().isEmpty());
        EXPECT_TRUE(barcode->LastError().contains(c.reason, Qt::CaseInsensitive)) << barcode->LastError().toStdString();
        // Never a barcode: the value as text in a red outline.
        EXPECT_TRUE(DecodeBarcodes(page, false).isEmpty());
        EXPECT_FALSE(ColorBounds(page, qRgb(255, 0, 0)).isEmpty());
        EXPECT_GT(InkBounds(page).width(), 20);
        ASSERT_EQ(warnings.lines.size(), 1);
        EXPECT_TRUE(warnings.lines.first().contains(QStringLiteral("barcode Barcode1")));
        EXPECT_TRUE(warnings.lines.first().contains(BarcodeTypeName(c.type)));

        // An export gets the value, the reason and the red outline, and no bars.
        RecordingFilter filter(true);
        fixture.StartRun(canvas, 0, &filter);
        barcode->Prepare();
        barcode->Print(0, 0);
        EXPECT_EQ(filter.Texts(), (QStringList{c.value.trimmed(), barcode->LastError()}));
        ASSERT_EQ(filter.rectangles.size(), 1u);
        EXPECT_EQ(filter.rectangles.front().second, clRed);
        EXPECT_EQ(filter.rectangles.front().first.size(), 4u);
    }
}

TEST(VxBarcode, FieldBarcodeWarnsOncePerRecordAndSkipsEmptyValues)
{
    WarningCollector warnings;
    ElementFixture fixture;
    auto *records = new TClientDataSet(&fixture.form);
    records->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/records.xml"));
    records->Open();
    auto *barcode = fixture.Add<TVxDBBarcode>(QStringLiteral("Svitrkods"), 50, 50, 600, 250);
    barcode->SetDataSet(records);
    barcode->SetDataField(QStringLiteral("PRECE"));

    PicturePageCanvas canvas;
    fixture.StartRun(canvas);
    barcode->Prepare();
    records->First();
    barcode->Print(0, 0);
    barcode->Print(0, 0);
    records->Next();
    barcode->Print(0, 0);
    ASSERT_EQ(warnings.lines.size(), 2);
    EXPECT_TRUE(warnings.lines.at(0).startsWith(QStringLiteral("Warning: barcode Svitrkods, record 1: \"Piens 2,5%\"")))
        << warnings.lines.at(0).toStdString();
    EXPECT_TRUE(warnings.lines.at(1).contains(QStringLiteral("record 2: \"Tukšs\"")));

    // A field without a value prints nothing and does not warn.
    barcode->SetDataField(QStringLiteral("SK"));
    barcode->Prepare();
    records->Last();
    barcode->Print(0, 0);
    EXPECT_TRUE(barcode->LastError().isEmpty());
    EXPECT_EQ(warnings.lines.size(), 2);

    // A field the data lacks is named once.
    barcode->SetDataField(QStringLiteral("EAN"));
    barcode->Prepare();
    barcode->Prepare();
    barcode->Print(0, 0);
    ASSERT_EQ(warnings.lines.size(), 3);
    EXPECT_EQ(warnings.lines.at(2),
              QStringLiteral("Warning: barcode Svitrkods: the data has no field EAN; the barcode prints nothing"));
}

TEST(VxBarcode, ModuleWidthFitAndAlignmentPlaceTheSymbol)
{
    ElementFixture fixture;
    auto *barcode = fixture.Add<TVxBarcode>(QStringLiteral("Barcode1"), 0, 0, 600, 250);
    barcode->SetValue(QStringLiteral("590123412345"));
    // EAN-13 with its quiet zones is 113 modules wide.
    TBarcodeLayout layout = barcode->Layout(barcode->Value());
    EXPECT_NEAR(layout.symbolRect.width(), 113 * 3, 1e-3);
    EXPECT_NEAR(layout.symbolRect.height(), 250, 1e-3);
    EXPECT_EQ(layout.encodedValue, QStringLiteral("5901234123457"));
    ASSERT_EQ(layout.texts.size(), 3u);
    EXPECT_EQ(layout.texts.at(0).text, QStringLiteral("5"));
    EXPECT_EQ(layout.texts.at(1).text, QStringLiteral("901234"));
    EXPECT_EQ(layout.texts.at(2).text, QStringLiteral("123457"));

    barcode->SetAlignment(TAlignment::taRightJustify);
    layout = barcode->Layout(barcode->Value());
    EXPECT_NEAR(layout.symbolRect.right(), 600, 1e-3);
    barcode->SetStretch(true);
    layout = barcode->Layout(barcode->Value());
    EXPECT_NEAR(layout.symbolRect.left(), 0, 1e-3);
    EXPECT_NEAR(layout.symbolRect.width(), 600, 1e-3);

    // Too wide for its box: narrowed to fit rather than cut.
    barcode->SetStretch(false);
    barcode->SetModuleWidth(10);
    layout = barcode->Layout(barcode->Value());
    EXPECT_NEAR(layout.symbolRect.width(), 600, 1e-3);
    for (const QRectF &bar : layout.bars)
        EXPECT_TRUE(QRectF(0, 0, 600, 250).contains(bar));

    // A matrix code keeps square modules, centred in the box's height.
    barcode->SetBarcodeType(TVxBarcodeType::btQRCode);
    barcode->SetModuleWidth(5);
    barcode->SetAlignment(TAlignment::taCenter);
    layout = barcode->Layout(barcode->Value());
    EXPECT_NEAR(layout.symbolRect.width(), layout.symbolRect.height(), 1e-3);
    EXPECT_NEAR(layout.symbolRect.center().x(), 300, 1e-3);
    EXPECT_NEAR(layout.symbolRect.center().y(), 125, 1e-3);
    EXPECT_TRUE(layout.texts.empty());
}

TEST(VxBarcode, ExportGetsBarsAsRectanglesOrTheValueAsText)
{
    ElementFixture fixture;
    auto *barcode = fixture.Add<TVxBarcode>(QStringLiteral("Barcode1"), 100, 50, 600, 250);
    barcode->SetValue(QStringLiteral("590123412345"));
    const TBarcodeLayout layout = barcode->Layout(barcode->Value());

    PicturePageCanvas canvas;
    RecordingFilter document(true);
    fixture.StartRun(canvas, 0, &document);
    barcode->Prepare();
    barcode->Print(0, 0);
    ASSERT_EQ(document.rectangles.size(), 1u);
    const auto &[bars, color] = document.rectangles.front();
    EXPECT_EQ(color, clBlack);
    ASSERT_EQ(bars.size(), layout.bars.size());
    // Device pixels of the canvas, at their fractional places.
    const double f = double(PicturePageCanvas::Factor);
    EXPECT_NEAR(bars.front().left(), std::lrint(100 * f) + layout.bars.front().left() * f, 1e-3);
    EXPECT_NEAR(bars.front().width(), 3 * f, 1e-3);
    EXPECT_EQ(document.Texts(), (QStringList{QStringLiteral("5"), QStringLiteral("901234"), QStringLiteral("123457")}));
    EXPECT_TRUE(document.Graphics().empty());

    // A text grid gets the value instead.
    RecordingFilter grid(false);
    fixture.StartRun(canvas, 0, &grid);
    barcode->Prepare();
    barcode->Print(0, 0);
    EXPECT_TRUE(grid.rectangles.empty());
    EXPECT_EQ(grid.Texts(), QStringList{QStringLiteral("590123412345")});
}
