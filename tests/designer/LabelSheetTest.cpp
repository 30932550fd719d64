// Label sheets of the label-capable report: the first label moved to a
// later position of the first sheet, the row spacer between labels, the
// counting pass.
#include "../engine/EngineTestSupport.h"

#include "designer/EVexa.h"
#include "designer/VxEChildBand.h"
#include "model/VxLoopBand.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// A three-column sheet of labels 300 high with a row space of 50: eight
// labels a column ((2770 + 50) / 350, truncated and rounded alike).
struct LabelSheet : BasicReportFixture<TEVexa> {
    TVxBand *label = nullptr;
    explicit LabelSheet(int records)
    {
        report->Page()->SetColumns(3);
        SetData(kNumberField, NumberedRows(records));
        label = AddBand(TVxBandType::rbDetail, 300, QStringLiteral("DetailBand"));
        label->Size()->SetInternalValue(TVxBandSize::WidthIndex, 600);
        AddField(label, QStringLiteral("NR"), 0);
        auto *space = AddBand<TVxEChildBand>(TVxBandType::rbChild, 50, QStringLiteral("RowSpace"));
        space->SetParentBand(label);
    }
};

} // namespace

TEST(LabelSheet, TheFirstLabelLandsAtItsPositionAndRowsFillColumns)
{
    LabelSheet sheet(12);
    sheet.report->LabelSettings()->SetFirstLabel(5);
    const Recording out = sheet.Run();
    // Four positions left empty in the first column: label 1 at row 5.
    EXPECT_EQ(out.Find(QStringLiteral("1")).y, 100 + 4 * 350);
    EXPECT_EQ(out.Find(QStringLiteral("1")).x, 100);
    // The column ends after row 8: labels 5 ... 12 fill the second column.
    EXPECT_EQ(out.Find(QStringLiteral("4")).y, 100 + 7 * 350);
    EXPECT_EQ(out.Find(QStringLiteral("5")).y, 100);
    EXPECT_EQ(out.Find(QStringLiteral("5")).x, 700);
    EXPECT_EQ(out.Find(QStringLiteral("12")).y, 100 + 7 * 350);
    ASSERT_EQ(out.pages.size(), 1u);
    // The skip bands are gone after the job.
    EXPECT_EQ(sheet.form.findChildren<TVxEChildBand *>().size(), 1);

    // Whole columns skipped: the first label opens the third column.
    sheet.report->LabelSettings()->SetFirstLabel(18);
    const Recording skipped = sheet.Run();
    EXPECT_EQ(skipped.Find(QStringLiteral("1")).x, 1300);
    EXPECT_EQ(skipped.Find(QStringLiteral("1")).y, 100 + 1 * 350);
}

TEST(LabelSheet, ALabelLoopPrintsItsCountAndTheCountingPassKnowsThePages)
{
    BasicReportFixture<TEVexa> f;
    f.SetData(kNumberField, NumberedRows(1));
    auto *loop = f.AddBand<TVxLoopBand>(TVxBandType::rbWild, 1000, QStringLiteral("LabelBand"));
    f.AddLabel(loop, QStringLiteral("label"));
    f.report->LabelSettings()->SetLabelCount(5);
    f.report->SetPrepareAutomatically(true);
    int pagesSeen = -1;
    f.report->SetOnStartPage([&pagesSeen](TCustomVexa *report) {
        pagesSeen = static_cast<TEVexa *>(report)->TotalPageCount();
    });
    const Recording out = f.Run();
    EXPECT_EQ(out.AllTexts(), (QStringList{"label", "label", "|", "label", "label", "|", "label"}));
    // The real run knows the page count of the counting pass.
    EXPECT_EQ(pagesSeen, 3);
    EXPECT_EQ(f.report->TotalPageCount(), 0);
}
