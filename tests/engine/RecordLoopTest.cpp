// The record loop: groups with headers and footers, nested groups, empty
// data, the hook as a data source, aggregates, and the export protocol.
#include "EngineTestSupport.h"

#include "model/VxGroup.h"
#include "output/VxPrinter.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

const QByteArray kFields = "<FIELD attrname=\"NR\" fieldtype=\"i4\"/>"
                           "<FIELD attrname=\"G\" fieldtype=\"string\" WIDTH=\"10\"/>"
                           "<FIELD attrname=\"H\" fieldtype=\"string\" WIDTH=\"10\"/>"
                           "<FIELD attrname=\"CENA\" fieldtype=\"r8\"/>";

} // namespace

TEST(RecordLoop, GroupFootersShowTheLastRecordOfTheirGroup)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\" G=\"A\" CENA=\"1.5\"", "NR=\"2\" G=\"A\" CENA=\"2\"", "NR=\"3\" G=\"B\" CENA=\"4\""});
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 50);
    f.AddField(detail, QStringLiteral("NR"));
    auto *group = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 50);
    group->SetExpression(QStringLiteral("G"));
    f.AddField(group, QStringLiteral("G"));
    TVxBand *footer = f.AddBand(TVxBandType::rbGroupFooter, 50);
    group->SetFooterBand(footer);
    f.AddLabel(footer, QStringLiteral("end"));
    f.AddField(footer, QStringLiteral("NR"));
    TVxBand *summary = f.AddBand(TVxBandType::rbSummary, 50);
    f.AddLabel(summary, QStringLiteral("summary"));

    const Recording out = f.Run();
    EXPECT_EQ(out.AllTexts(), (QStringList{"A", "1", "2", "end", "2", "B", "3", "end", "3", "summary"}));
    // The protocol: the first page break tells the filter once before page 1.
    EXPECT_EQ(out.calls, (QStringList{"Start", "EndPage", "NewPage", "EndPage", "Finish"}));
    // Bands follow each other down the page from the top margin.
    EXPECT_EQ(out.Find(QStringLiteral("A")).y, 100);
    EXPECT_EQ(out.Find(QStringLiteral("1")).y, 150);
    EXPECT_EQ(out.Find(QStringLiteral("summary")).y, 100 + 7 * 50);
}

TEST(RecordLoop, NestedGroupsOpenOutermostFirstAndCloseInnermostFirst)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\" G=\"1\" H=\"a\"", "NR=\"2\" G=\"1\" H=\"b\"", "NR=\"3\" G=\"2\" H=\"b\""});
    f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
    auto *outer = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 50);
    outer->SetExpression(QStringLiteral("G"));
    f.AddLabel(outer, QStringLiteral("X"));
    auto *inner = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 50);
    inner->SetExpression(QStringLiteral("H"));
    f.AddLabel(inner, QStringLiteral("Y"));
    TVxBand *outerFooter = f.AddBand(TVxBandType::rbGroupFooter, 50);
    f.AddLabel(outerFooter, QStringLiteral("/X"));
    outer->SetFooterBand(outerFooter);
    TVxBand *innerFooter = f.AddBand(TVxBandType::rbGroupFooter, 50);
    f.AddLabel(innerFooter, QStringLiteral("/Y"));
    inner->SetFooterBand(innerFooter);

    // The inner header prints for every record: H changes, or the outer
    // group changed and restarted it.
    EXPECT_EQ(f.Run().AllTexts(),
              (QStringList{"X", "Y", "1", "/Y", "Y", "2", "/Y", "/X", "X", "Y", "3", "/Y", "/X"}));
}

TEST(RecordLoop, AGroupWhoseValueChangesKindChanges)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\" G=\"1\"", "NR=\"2\" G=\"x\""});
    f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
    auto *group = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 50);
    // An integer for the first record, a string for the second.
    group->SetExpression(QStringLiteral("IF(G = '1', 1, G)"));
    f.AddLabel(group, QStringLiteral("head"));
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"head", "1", "head", "2"}));
}

TEST(RecordLoop, EmptyDataPrintsOnceOrNothing)
{
    for (bool printIfEmpty : {true, false}) {
        SCOPED_TRACE(printIfEmpty);
        ReportFixture f;
        f.SetData(kFields, {});
        f.AddLabel(f.AddBand(TVxBandType::rbTitle, 50), QStringLiteral("title"));
        f.AddLabel(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("detail"));
        auto *group = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 50);
        group->SetExpression(QStringLiteral("G"));
        f.AddLabel(group, QStringLiteral("group"));
        f.AddLabel(f.AddBand(TVxBandType::rbSummary, 50), QStringLiteral("summary"));
        f.report->SetPrintIfEmpty(printIfEmpty);
        const Recording out = f.Run();
        if (printIfEmpty) {
            EXPECT_EQ(out.AllTexts(), (QStringList{"title", "detail", "summary"}));
        } else {
            EXPECT_TRUE(out.pages.empty());
            // No page was started; the filter still hears the page end once.
            EXPECT_EQ(out.calls, (QStringList{"Start", "EndPage", "Finish"}));
        }
    }
}

TEST(RecordLoop, TheNeedDataHookIsTheSourceWithoutARecordSet)
{
    ReportFixture f;
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 50);
    f.AddExpr(detail, QStringLiteral("COUNT"));
    int calls = 0;
    f.report->SetOnNeedData([&calls](QObject *, bool &moreData) { moreData = ++calls <= 3; });
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(calls, 4);   // the first call comes before the first record
}

TEST(RecordLoop, SumsResetPerGroupAndADisabledDetailStillCounts)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\" G=\"A\" CENA=\"1.5\"", "NR=\"2\" G=\"A\" CENA=\"2\"", "NR=\"3\" G=\"B\" CENA=\"4\""});
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 50);
    f.AddField(detail, QStringLiteral("NR"));
    auto *group = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 0);
    group->SetExpression(QStringLiteral("G"));
    TVxBand *footer = f.AddBand(TVxBandType::rbGroupFooter, 50);
    group->SetFooterBand(footer);
    TVxExpr *groupSum = f.AddExpr(footer, QStringLiteral("SUM(CENA)"));
    groupSum->SetResetAfterPrint(true);
    f.AddExpr(f.AddBand(TVxBandType::rbSummary, 50), QStringLiteral("SUM(CENA)"));
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "2", "3,5", "3", "4", "7,5"}));

    detail->SetEnabled(false);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"3,5", "4", "7,5"}));
}

TEST(RecordLoop, OnExportCanTakeTheExportOver)
{
    ReportFixture f;
    f.SetData(kFields, {"NR=\"1\""});
    f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
    f.report->SetOnExport([](TCustomVexa *, bool &handled) { handled = true; });
    const Recording out = f.Run();
    EXPECT_TRUE(out.calls.isEmpty());
}

TEST(RecordLoop, HooksCanVetoStopOrCancelTheRun)
{
    const QList<QByteArray> rows = {"NR=\"1\"", "NR=\"2\"", "NR=\"3\"", "NR=\"4\"", "NR=\"5\""};
    {
        // BeforePrint vetoes the whole run: no page, no job.
        ReportFixture f;
        f.SetData(kFields, rows);
        f.AddField(f.AddBand(TVxBandType::rbDetail, 50), QStringLiteral("NR"));
        f.report->SetBeforePrint([](TCustomVexa *, bool &printReport) { printReport = false; });
        EXPECT_TRUE(f.Run().calls.isEmpty());
        EXPECT_TRUE(f.report->RunState().Available);
    }
    {
        // PagesInPreview: the loop stops after the record that passed page 2.
        ReportFixture f;
        f.SetData(kFields, rows);
        TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 1500);
        detail->SetForceNewPage(true);
        f.AddField(detail, QStringLiteral("NR"));
        f.report->SetPagesInPreview(2);
        ASSERT_TRUE(PrepareReport(*f.report));
        EXPECT_EQ(f.report->RunState().VXPrinter->PageCount(), 3);
    }
    {
        // A hook cancels: the record loop ends and the pages so far stay.
        ReportFixture f;
        f.SetData(kFields, rows);
        TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 1500);
        f.AddField(detail, QStringLiteral("NR"));
        TCustomVexa *report = f.report;
        detail->SetAfterPrint([report](TVxCustomBand *, bool) {
            if (report->RunState().Pagecount == 2)
                report->Cancel();
        });
        const Recording out = f.Run();
        EXPECT_EQ(out.AllTexts(), (QStringList{"1", "|", "2"}));
        // The last EndPage is skipped, Finish still follows.
        EXPECT_EQ(out.calls, (QStringList{"Start", "EndPage", "NewPage", "EndPage", "NewPage", "Finish"}));
        EXPECT_TRUE(f.report->RunState().Available);
    }
}
