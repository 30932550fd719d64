// The design report's print-time rules: band and report scripts, the on/off
// switch and print condition, page rules for first and last pages.
#include "../engine/EngineTestSupport.h"

#include "designer/DesignVexa.h"
#include "designer/DesignExpressions.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaRichtext.h"
#include "designer/TesmolaDBImage.h"
#include "designer/TesmolaExpr.h"
#include "designer/TesmolaDBText.h"
#include "designer/TesmolaLabel.h"
#include "designer/TesmolaMemo.h"


#include "model/VxPicture.h"

#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

struct DesignReport : BasicReportFixture<TDesignVexa> {
    TTesmolaBand *detail = nullptr;
    explicit DesignReport(int records)
    {
        SetData(kNumberField, NumberedRows(records));
        detail = AddBand<TTesmolaBand>(TVxBandType::rbDetail, 1000, QStringLiteral("DetailBand1"));
        AddField(detail, QStringLiteral("NR"));
    }
};

} // namespace

TEST(DesignReportRules, ScriptsAndConditionsDecideWhetherABandPrints)
{
    {
        // The band's script keeps record 2 out.
        DesignReport r(3);
        r.report->SetScript({"[DetailBand1.BeforePrint]", "IF (NR = 2)", "  RETURN(FALSE)", "ENDIF"});
        EXPECT_EQ(r.Run().AllTexts(), (QStringList{"1", "3"}));
    }
    {
        // The print condition, and the switch that overrides it.
        DesignReport r(3);
        r.detail->SetExpression(QStringLiteral("NR > 1"));
        EXPECT_EQ(r.Run().AllTexts(), (QStringList{"2", "3"}));
        r.detail->SetEditorEnabled(false);
        EXPECT_TRUE(r.Run().AllTexts().isEmpty());
    }
    {
        // The report's BeforePrint script can veto the whole run.
        DesignReport r(3);
        r.report->SetScript({"[Report.BeforePrint]", "RETURN(1 = 2)"});
        EXPECT_TRUE(r.Run().calls.isEmpty());
        // The hooks are the template's own again after the job: the next
        // job, without the script, prints every record once.
        EXPECT_FALSE(r.report->BeforePrint().Assigned());
        r.report->SetScript({});
        EXPECT_EQ(r.Run().AllTexts(), (QStringList{"1", "2", "|", "3"}));
    }
}

TEST(DesignReportRules, PageHeadersAndFootersOnFirstAndLastPages)
{
    DesignReport r(3);
    auto *header = r.AddBand<TTesmolaBand>(TVxBandType::rbPageHeader, 100, QStringLiteral("Header"));
    r.AddExpr(header, QStringLiteral("'head ' + STR(PAGENUMBER)"));
    header->SetNotOnFirstPage(true);
    auto *footer = r.AddBand<TTesmolaBand>(TVxBandType::rbPageFooter, 100, QStringLiteral("Footer"));
    r.AddExpr(footer, QStringLiteral("'foot ' + STR(PAGENUMBER)"));
    footer->SetNotOnLastPage(true);
    // Two details of 1000 to a page: pages 1 and 2; no header on page 1, no
    // footer on the last page (a temporary summary marks its end).
    EXPECT_EQ(r.Run().AllTexts(), (QStringList{"1", "2", "foot 1", "|", "head 2", "3"}));
    EXPECT_EQ(r.report->ControlCount(), 3);   // the temporary summary band is gone
}

TEST(DesignReportRules, FieldTextsMapSuppressAndBlankTheirValues)
{
    BasicReportFixture<TDesignVexa> r;
    r.SetData("<FIELD attrname=\"KODS\" fieldtype=\"string\" WIDTH=\"4\"/><FIELD attrname=\"CENA\" fieldtype=\"r8\"/>",
              {"KODS=\"A\" CENA=\"0\"", "KODS=\"A\" CENA=\"2\"", "KODS=\"B\" CENA=\"3\""});
    auto *detail = r.AddBand<TTesmolaBand>(TVxBandType::rbDetail, 100, QStringLiteral("DetailBand1"));
    auto *code = r.AddElement<TTesmolaDBText>(detail, 0, 0);
    code->SetDataSet(r.data);
    code->SetDataField(QStringLiteral("KODS"));
    code->SetMapList({QStringLiteral("Akcija\tA"), QStringLiteral("%%'Bez ' + 'atlaides'%%\tB")});
    code->SetSuppressRepeatedValues(true);
    auto *price = r.AddElement<TTesmolaDBText>(detail, 500, 0);
    price->SetDataSet(r.data);
    price->SetDataField(QStringLiteral("CENA"));
    price->SetBlankIfZero(true);
    // A mapped to its display, repeated once blank, B through an expression;
    // a zero price blank.
    EXPECT_EQ(r.Run().AllTexts(), (QStringList{"Akcija", "", "", "2", "Bez atlaides", "3"}));
}

TEST(DesignReportRules, MemoLinesExpandTheirExpressions)
{
    DesignReport r(1);
    auto *memo = r.AddElement<TTesmolaMemo>(r.detail, 0, 300, 1500, 400);
    const QStringList lines = {QStringLiteral("Nr. %%STR(NR + 10)%%"), QStringLiteral("%%'%DEL'%%"),
                               QStringLiteral("a%DELb")};
    memo->SetLines(lines);
    EXPECT_EQ(r.Run().AllTexts(), (QStringList{"1", "Nr. 11", "ab"}));
    EXPECT_EQ(memo->Lines(), lines);
}

TEST(DesignReportRules, ElementsAnchoredToTheBandsBottomMoveWithItsGrowth)
{
    DesignReport r(1);
    auto *memo = r.AddElement<TTesmolaMemo>(r.detail, 0, 0, 1500, 50);
    memo->SetAutoStretch(true);
    memo->SetLines({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"),
                    QStringLiteral("e"), QStringLiteral("f")});
    auto *anchored = r.AddElement<TTesmolaLabel>(r.detail, 0, 950, 400, 50);
    anchored->SetCaption(QStringLiteral("bottom"));
    anchored->SetFixBottomPosition(true);
    // Printed after its siblings, so the band's growth is known.
    r.report->PrepareReportPrint();
    r.report->DoneReportPrint();
    EXPECT_EQ(r.detail->ControlList().last(), anchored);
    auto *summary = r.AddBand<TTesmolaBand>(TVxBandType::rbSummary, 100, QStringLiteral("Summary"));
    r.AddLabel(summary, QStringLiteral("end"));
    const Recording out = r.Run();
    const long double growth = out.Find(QStringLiteral("end")).y - (100 + 1000);
    EXPECT_GT(growth, 0);
    EXPECT_NEAR(double(out.Find(QStringLiteral("bottom")).y - (100 + 950)), double(growth), 1);
}

TEST(DesignReportRules, FieldPicturesLoadFromTheFilesTheFieldNames)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // No extension: ".BMP" is added (the content decides the format).
    ASSERT_TRUE(QImage(7, 5, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("cheese.BMP")), "PNG"));
    ASSERT_TRUE(QImage(3, 2, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("milk.jpg")), "JPEG"));
    QFile notAPicture(dir.filePath(QStringLiteral("notes.txt")));
    ASSERT_TRUE(notAPicture.open(QIODevice::WriteOnly));
    notAPicture.write("no picture");
    notAPicture.close();

    BasicReportFixture<TDesignVexa> r;
    const QString row = QStringLiteral("FAILS=\"%1\"");
    r.SetData("<FIELD attrname=\"FAILS\" fieldtype=\"string\" WIDTH=\"200\"/>",
              {row.arg(dir.filePath(QStringLiteral("cheese"))).toUtf8(),
               row.arg(dir.filePath(QStringLiteral("milk.jpg"))).toUtf8(),
               row.arg(dir.filePath(QStringLiteral("missing.png"))).toUtf8(),
               row.arg(dir.filePath(QStringLiteral("notes.txt"))).toUtf8(), QByteArray("FAILS=\"\"")});
    auto *detail = r.AddBand<TTesmolaBand>(TVxBandType::rbDetail, 100, QStringLiteral("DetailBand1"));
    auto *image = r.AddElement<TTesmolaDBImage>(detail, 0, 0);
    image->SetDataSet(r.data);
    image->SetDataField(QStringLiteral("FAILS"));
    QStringList sizes;
    image->SetDesignBeforePrint([&sizes](QObject *, TVxPicture *picture) {
        sizes << QStringLiteral("%1x%2").arg(picture->Width()).arg(picture->Height());
    });
    r.Run();
    // A missing file, a file that is no picture and an empty name leave the
    // picture empty.
    EXPECT_EQ(sizes, (QStringList{"7x5", "3x2", "0x0", "0x0", "0x0"}));
}

TEST(DesignReportRules, RotatedTextsReachTheExportTurned)
{
    DesignReport r(1);
    auto *label = r.AddElement<TTesmolaLabel>(r.detail, 0, 100, 100, 600);
    label->SetCaption(QStringLiteral("up the side"));
    label->SetDegree(900);
    EXPECT_FALSE(label->AutoSize());
    auto *expr = r.AddElement<TTesmolaExpr>(r.detail, 200, 100, 100, 600);
    expr->SetExpression(QStringLiteral("STR(NR + 1)"));
    expr->SetDegree(2700);
    auto *failing = r.AddElement<TTesmolaExpr>(r.detail, 400, 100, 100, 600);
    failing->SetExpression(QStringLiteral("NOSUCHFIELD + 1"));
    failing->SetDegree(4500);   // reduced to 900
    EXPECT_EQ(failing->Degree(), 900);
    const Recording out = r.Run();
    // Rotated texts do not come as lines of text; a failed expression
    // prints its own text.
    EXPECT_EQ(out.AllTexts(), QStringList{"1"});
    ASSERT_EQ(out.rotated.size(), 3u);
    EXPECT_EQ(out.rotated[0].text, QStringLiteral("up the side"));
    EXPECT_EQ(out.rotated[0].degree, 900);
    EXPECT_EQ(out.rotated[1].text, QStringLiteral("2"));
    EXPECT_EQ(out.rotated[1].degree, 2700);
    EXPECT_EQ(out.rotated[2].text, QStringLiteral("NOSUCHFIELD + 1"));
    // Up the side from the element's bottom; down from its top.
    EXPECT_GT(out.rotated[0].y, out.rotated[1].y);
}

TEST(DesignReportRules, RichTextsExpandTheirExpressionsAndKeepTheirFormatting)
{
    QTextDocument document;
    document.setHtml(QStringLiteral("<p>Nr. <b>%%STR(1 + 10)%%</b> gab.</p><p> %DEL </p>"
                                    "<p>a%DELb %%'%' + '%x%' + '%'%%</p><p>%DEL</p>"));
    const QString before = document.toPlainText();
    ASSERT_TRUE(ExpandRichText(document, nullptr));
    // A value holding the marker is not expanded again.
    EXPECT_EQ(document.toPlainText(), QStringLiteral("Nr. 11 gab.\nab %%x%%"));
    QTextCursor value(&document);
    value.setPosition(5);
    EXPECT_TRUE(value.charFormat().font().bold());
    // One undo step brings the content back.
    document.undo();
    EXPECT_EQ(document.toPlainText(), before);
    QTextDocument plain(QStringLiteral("nothing to expand"));
    const int steps = plain.availableUndoSteps();
    EXPECT_FALSE(ExpandRichText(plain, nullptr));
    EXPECT_EQ(plain.availableUndoSteps(), steps);
}

TEST(DesignReportRules, ARichTextPrintsExpandedAndKeepsItsContent)
{
    DesignReport r(2);
    auto *rich = r.AddElement<TTesmolaRichtext>(r.detail, 0, 300, 1500, 300);
    rich->SetLines({QStringLiteral("Nr. %%STR(NR + 10)%%"), QStringLiteral("%DEL")});
    const QString before = rich->Document()->toPlainText();
    const int steps = rich->Document()->availableUndoSteps();
    const Recording out = r.Run();
    // Printed (as a picture for the export) once a record, then restored.
    int pictures = 0;
    for (const auto &graphic : out.graphics)
        pictures += graphic.first == QLatin1String("TVxImage");
    EXPECT_EQ(pictures, 2);
    EXPECT_EQ(rich->Document()->toPlainText(), before);
    EXPECT_EQ(rich->Document()->availableUndoSteps(), steps);
}
