// The page cycle and the placement of single bands: page headers and
// footers, columns, forced breaks, bands at the bottom, stretching across
// pages, linked and child bands, continuous pages.
#include "EngineTestSupport.h"

#include "model/VxChildBand.h"
#include "model/VxGroup.h"
#include "model/VxImage.h"
#include "model/VxMemo.h"
#include "platform/VxError.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

const QByteArray kFields = "<FIELD attrname=\"NR\" fieldtype=\"i4\"/><FIELD attrname=\"G\" fieldtype=\"string\" WIDTH=\"10\"/>";

QList<QByteArray> Rows(int count, int perGroup = 1000)
{
    QList<QByteArray> rows;
    for (int i = 1; i <= count; ++i)
        rows << QByteArray("NR=\"") + QByteArray::number(i) + "\" G=\"" + QByteArray::number((i - 1) / perGroup) + "\"";
    return rows;
}

// Printable length of the fixture's A4 page: 2970 - 2 x 100.
constexpr int kPrintable = 2770;

} // namespace

TEST(PageCycle, HeadersFootersAndPageNumbersFollowTheOptions)
{
    struct Row {
        TVxReportOptions options;
        QStringList texts;
    };
    const Row rows[] = {
        {TVxReportOption::FirstPageHeader | TVxReportOption::LastPageFooter,
         {"head 1", "1", "2", "foot 1", "|", "head 2", "3", "foot 2"}},
        {TVxReportOption::LastPageFooter, {"1", "2", "foot 1", "|", "head 2", "3", "foot 2"}},
        {TVxReportOption::FirstPageHeader, {"head 1", "1", "2", "foot 1", "|", "head 2", "3"}},
    };
    for (const Row &row : rows) {
        ReportFixture f;
        f.SetData(kFields, Rows(3));
        // Two details of 1000 fit under a header of 300 above a footer of 300.
        f.AddField(f.AddBand(TVxBandType::rbDetail, 1000), QStringLiteral("NR"));
        f.AddExpr(f.AddBand(TVxBandType::rbPageHeader, 300), QStringLiteral("'head ' + STR(PAGENUMBER)"));
        f.AddExpr(f.AddBand(TVxBandType::rbPageFooter, 300), QStringLiteral("'foot ' + STR(PAGENUMBER)"));
        f.report->SetOptions(row.options);
        const Recording out = f.Run();
        EXPECT_EQ(out.AllTexts(), row.texts);
        // The page footer sits right above the bottom margin.
        if (row.texts.contains(QStringLiteral("foot 1"))) {
            EXPECT_EQ(out.Find(QStringLiteral("foot 1")).y, 2970 - 100 - 300);
        }
    }
}

TEST(PageCycle, ColumnsFillDownThenAcross)
{
    ReportFixture f;
    f.report->Page()->SetColumns(3);
    f.SetData(kFields, Rows(4));
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 1500);
    detail->Size()->SetInternalValue(TVxBandSize::WidthIndex, 600);
    f.AddExpr(detail, QStringLiteral("STR(NR) + '/' + STR(COLUMNNUMBER) + '/' + STR(PAGENUMBER)"), 0);
    const Recording out = f.Run();
    // One detail of 1500 per column: three columns on page 1, then page 2.
    EXPECT_EQ(out.AllTexts(), (QStringList{"1/1/1", "2/2/1", "3/3/1", "|", "4/1/2"}));
    EXPECT_EQ(out.Find(QStringLiteral("1/1/1")).x, 100);
    EXPECT_EQ(out.Find(QStringLiteral("2/2/1")).x, 700);
    EXPECT_EQ(out.Find(QStringLiteral("3/3/1")).x, 1300);
    EXPECT_EQ(out.Find(QStringLiteral("2/2/1")).y, 100);
}

TEST(PageCycle, ForcedPageBreaksStartWithTheSecondRecordOrGroup)
{
    {
        ReportFixture f;
        f.SetData(kFields, Rows(3));
        TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 100);
        detail->SetForceNewPage(true);
        f.AddField(detail, QStringLiteral("NR"));
        EXPECT_EQ(f.Run().AllTexts(), (QStringList{"1", "|", "2", "|", "3"}));
    }
    {
        ReportFixture f;
        f.SetData(kFields, Rows(4, 2));
        f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
        auto *group = f.AddBand<TVxGroup>(TVxBandType::rbGroupHeader, 100);
        group->SetExpression(QStringLiteral("G"));
        group->SetForceNewPage(true);
        f.AddField(group, QStringLiteral("G"), 0);
        // No empty first page: the first group opens on page 1.
        EXPECT_EQ(f.Run().AllTexts(), (QStringList{"0", "1", "2", "|", "1", "3", "4"}));
    }
}

TEST(PageCycle, AlignedToBottomSummaryAndBandsTallerThanAPage)
{
    ReportFixture f;
    f.SetData(kFields, Rows(1));
    f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
    TVxBand *summary = f.AddBand(TVxBandType::rbSummary, 200);
    summary->SetAlignToBottom(true);
    f.AddLabel(summary, QStringLiteral("total"));
    f.AddLabel(f.AddBand(TVxBandType::rbPageFooter, 300), QStringLiteral("foot"));
    f.report->SetOptions(TVxReportOption::FirstPageHeader);
    Recording out = f.Run();
    // Without a footer on the last page the summary sits on the bottom margin.
    EXPECT_EQ(out.AllTexts(), (QStringList{"1", "total"}));
    EXPECT_EQ(out.Find(QStringLiteral("total")).y, 2970 - 100 - 200);

    // A detail taller than the printable page prints where it starts, below
    // the title; the next one would start below the paper and takes a new page.
    ReportFixture tall;
    tall.SetData(kFields, Rows(2));
    tall.AddLabel(tall.AddBand(TVxBandType::rbTitle, 500), QStringLiteral("title"));
    tall.AddField(tall.AddBand(TVxBandType::rbDetail, kPrintable + 500), QStringLiteral("NR"));
    out = tall.Run();
    EXPECT_EQ(out.AllTexts(), (QStringList{"title", "1", "|", "2"}));
    EXPECT_EQ(out.Find(QStringLiteral("1")).y, 600);
    EXPECT_EQ(out.Find(QStringLiteral("2")).y, 100);
}

TEST(PageCycle, LinkedBandsMoveTogetherAndChildrenFollowTheirParent)
{
    ReportFixture f;
    f.SetData(kFields, Rows(1));
    TVxBand *title = f.AddBand(TVxBandType::rbTitle, kPrintable - 600);
    f.AddLabel(title, QStringLiteral("title"));
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 400);
    f.AddField(detail, QStringLiteral("NR"));
    TVxBand *summary = f.AddBand(TVxBandType::rbSummary, 400);
    f.AddLabel(summary, QStringLiteral("summary"));
    // The detail alone fits on page 1, with its linked summary it does not.
    detail->SetLinkBand(summary);
    auto *after = f.AddBand<TVxChildBand>(TVxBandType::rbChild, 50);
    after->SetParentBand(detail);
    f.AddLabel(after, QStringLiteral("child"));
    const Recording out = f.Run();
    EXPECT_EQ(out.AllTexts(), (QStringList{"title", "|", "1", "child", "summary"}));
    EXPECT_EQ(out.Find(QStringLiteral("child")).y, 100 + 400);

    after->SetPrintOrder(TVxChildPrintOrder::cboBeforeAndAfter);
    detail->SetLinkBand(nullptr);
    EXPECT_EQ(f.Run().AllTexts(), (QStringList{"title", "child", "1", "child", "|", "summary"}));
}

TEST(PageCycle, AStretchingMemoContinuesOnTheNextPage)
{
    ReportFixture f;
    f.SetData(kFields, Rows(1));
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 100);
    auto *memo = f.AddElement<TVxMemo>(detail, 0, 0, 1500, 100);
    memo->SetAutoStretch(true);
    QStringList lines;
    for (int i = 1; i <= 120; ++i)
        lines << QStringLiteral("line %1").arg(i);
    memo->SetLines(lines);
    const Recording out = f.Run();
    ASSERT_GE(out.pages.size(), 2u);
    // Every line prints once, in order, the first ones of page 2 at its top.
    QStringList printed = out.AllTexts();
    printed.removeAll(QStringLiteral("|"));
    EXPECT_EQ(printed, lines);
    EXPECT_EQ(out.pages[1].front().y, 100);
    EXPECT_GT(out.pages[0].back().y, 2500);
}

TEST(PageCycle, ALineTallerThanAPageEndsTheRunWithAnError)
{
    ReportFixture f;
    f.SetData(kFields, Rows(1));
    TVxBand *detail = f.AddBand(TVxBandType::rbDetail, 100, QStringLiteral("DetailBand1"));
    auto *memo = f.AddElement<TVxMemo>(detail, 0, 0, 1500, 100);
    memo->SetName(QStringLiteral("Huge"));
    memo->SetAutoStretch(true);
    memo->Font()->SetSize(2000);
    memo->SetLines({QStringLiteral("a"), QStringLiteral("b")});
    try {
        f.Run();
        FAIL() << "the run ended";
    } catch (const EVxError &e) {
        EXPECT_STREQ(e.what(), "Band DetailBand1: element Huge does not fit on an empty page");
    }
    EXPECT_TRUE(f.report->RunState().Available);
}

TEST(PageCycle, AContinuousPageNeverBreaks)
{
    ReportFixture f;
    f.report->Page()->SetContinuous(true);
    f.SetData(kFields, Rows(40));
    f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
    const Recording out = f.Run();
    ASSERT_EQ(out.pages.size(), 1u);
    EXPECT_EQ(out.Find(QStringLiteral("40")).y, 100 + 39 * 100);
}

TEST(PageCycle, ThePageBackgroundImageReachesAFilterAtItsPlace)
{
    ReportFixture f;
    f.SetData(kFields, Rows(1));
    f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
    auto *back = new TVxImage(&f.form);
    back->SetName(QStringLiteral("Back"));
    back->SetParent(f.report);
    back->Size()->SetUnits(TVxUnit::Native);
    back->Size()->SetLeft(500);
    back->Size()->SetTop(1000);
    back->Size()->SetWidth(300);
    back->Size()->SetHeight(200);
    f.report->SetBackImageControl(QStringLiteral("Back"));
    const Recording out = f.Run();
    ASSERT_FALSE(out.graphics.empty());
    // Left and top in device pixels (96 per inch): x from the left, y from the top.
    EXPECT_EQ(out.graphics.front().first, QStringLiteral("TVxImage"));
    EXPECT_NEAR(out.graphics.front().second.x(), 500 * 0.37795, 1);
    EXPECT_NEAR(out.graphics.front().second.y(), 1000 * 0.37795, 1);
}
