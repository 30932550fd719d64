// The design report's print-time rules: band and report scripts, the on/off
// switch and print condition, page rules for first and last pages.
#include "../engine/EngineTestSupport.h"

#include "designer/DesignVexa.h"
#include "designer/TesmolaBand.h"
#include "designer/TesmolaDBText.h"
#include "designer/TesmolaLabel.h"
#include "designer/TesmolaMemo.h"


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
