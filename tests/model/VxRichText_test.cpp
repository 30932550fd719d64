// Rich text elements: rendering into the element, stretching across pages
// from the first character not yet printed, broken content, export.
#include "ElementTestSupport.h"
#include "ModelTestSupport.h"
#include "model/VxDBRichText.h"
#include "model/VxRichText.h"
#include "platform/ClientDataSet.h"

#include <QTextBlock>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// Numbered one-line paragraphs.
QStringList NumberedRtf(int count)
{
    QStringList lines = {QStringLiteral("{\\rtf1\\ansi\\ansicpg1257{\\fonttbl{\\f0\\fswiss\\fcharset186 Arial;}}"),
                         QStringLiteral("\\pard\\f0\\fs20")};
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Rinda %1 \\'e2\\'fe\\par").arg(i, 2, 10, QLatin1Char('0'));
    lines << QStringLiteral("}");
    return lines;
}

TClientDataSet *OpenRecords(QObject *owner)
{
    auto *records = new TClientDataSet(owner);
    records->setObjectName(QStringLiteral("Records"));
    records->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/records.xml"));
    records->Open();
    return records;
}

} // namespace

TEST(VxRichText, PublishedProperties)
{
    const QStringList names = PropertyNames(&TVxRichText::staticMetaObject);
    const QStringList tail = {"Alignment", "AutoStretch", "Color", "Font", "HiresExport", "Transparent",
                              "YIncrement", "Lines", "ParentRichEdit"};
    EXPECT_EQ(names.mid(names.size() - tail.size()), tail);
    EXPECT_EQ(PropertyNames(&TVxDBRichText::staticMetaObject).mid(names.size() - 2),
              (QStringList{"DataSet", "DataField"}));
    TVxRichText text;
    EXPECT_EQ(text.BoundsRect().size(), QSize(100, 100));
    EXPECT_EQ(text.YIncrement(), 50);
}

TEST(VxRichText, RendersWhatFitsIntoTheElement)
{
    ElementFixture fixture;
    TVxRichText *text = fixture.Add<TVxRichText>(QStringLiteral("RichText1"), 100, 50, 1000, 120);
    text->SetLines(NumberedRtf(10));
    ASSERT_TRUE(text->LoadError().isEmpty()) << text->LoadError().toStdString();
    EXPECT_EQ(text->Document()->findBlockByNumber(0).text(), QStringLiteral("Rinda 01 āž"));
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    text->Prepare();
    text->Print(0, 0);
    const QImage &page = canvas.Finish();
    // Whole lines only, inside the element; without stretching it is finished.
    const QRect element(38, 19, canvas.XPos(1100) - 38, canvas.YPos(170) - 19);
    const QRect ink = InkBounds(page);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(element.contains(ink));
    EXPECT_NEAR(ink.left(), element.left(), 2);
    EXPECT_TRUE(text->PrintFinished());
    EXPECT_EQ(text->LastChar(), text->Document()->characterCount() - 1);
}

TEST(VxRichText, LongTextStretchesAndContinuesOnTheNextPage)
{
    ElementFixture fixture(200);
    TVxRichText *text = fixture.Add<TVxRichText>(QStringLiteral("RichText1"), 0, 0, 1000, 100);
    text->SetAutoStretch(true);
    text->SetLines(NumberedRtf(40));
    const QTextDocument *document = text->Document();
    const int length = document->characterCount() - 1;

    // Page 1: the band may grow by 300 below it.
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 2970 - 100 - 200 - 300);
    text->Prepare();
    text->Print(0, 2270);
    EXPECT_FALSE(text->PrintFinished());
    const int reached = text->LastChar();
    ASSERT_GT(reached, 0);
    ASSERT_LT(reached, length);
    // It stopped at the start of a paragraph, after growing in steps of 50.
    EXPECT_EQ(document->findBlock(reached).position(), reached);
    EXPECT_EQ(std::fmod(double(fixture.band->Expanded()), 50.0), 0.0);
    EXPECT_GT(fixture.band->Expanded(), 0);
    EXPECT_LE(fixture.band->Expanded(), 300);
    const QRect firstInk = InkBounds(canvas.NewPage());
    EXPECT_LE(firstInk.bottom(), canvas.YPos(2270 + 100 + fixture.band->Expanded()));

    // The following pages continue from the first paragraph not printed.
    int pages = 1;
    int previous = reached;
    while (!text->PrintFinished() && pages < 20) {
        fixture.StartRun(canvas, 0);
        text->Print(0, 0);
        ++pages;
        const QRect ink = InkBounds(canvas.NewPage());
        ASSERT_FALSE(ink.isEmpty());
        EXPECT_NEAR(ink.top(), 0, 4);
        if (!text->PrintFinished()) {
            EXPECT_GT(text->LastChar(), previous);
            EXPECT_EQ(document->findBlock(text->LastChar()).position(), text->LastChar());
            previous = text->LastChar();
        }
    }
    EXPECT_TRUE(text->PrintFinished());
    EXPECT_EQ(text->LastChar(), length);
    EXPECT_GE(pages, 2);
}

TEST(VxRichText, BrokenContentPrintsNothing)
{
    ElementFixture fixture;
    TVxRichText *text = fixture.Add<TVxRichText>(QStringLiteral("RichText1"), 0, 0, 1000, 200);
    text->SetAutoStretch(true);
    text->SetLines({QStringLiteral("{\\rtf1\\ansi bad \\'zz}")});
    EXPECT_FALSE(text->LoadError().isEmpty());
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    text->Prepare();
    text->Print(0, 0);
    EXPECT_TRUE(InkBounds(canvas.Finish(), QRect(), 250).isEmpty());
    EXPECT_TRUE(text->PrintFinished());
}

TEST(VxRichText, FieldRichTextPerRecord)
{
    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    TVxDBRichText *text = fixture.Add<TVxDBRichText>(QStringLiteral("DBRichText1"), 0, 0, 1500, 200);
    text->SetDataSet(records);
    text->SetDataField(QStringLiteral("APRAKSTS"));
    auto print = [&]() {
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas);
        text->Prepare();
        text->Print(0, 0);
        return InkBounds(canvas.Finish(), QRect(), 160);
    };
    EXPECT_FALSE(print().isEmpty());
    EXPECT_EQ(text->Document()->toPlainText(), QStringLiteral("Rich text from a field"));
    // Record 2 holds broken rich text, record 3 none: nothing either time.
    records->Next();
    EXPECT_TRUE(print().isEmpty());
    EXPECT_FALSE(text->LoadError().isEmpty());
    records->Next();
    EXPECT_TRUE(print().isEmpty());
    EXPECT_TRUE(text->LoadError().isEmpty());
}

TEST(VxRichText, ExportHandsARenderedPicture)
{
    ElementFixture fixture;
    TVxRichText *text = fixture.Add<TVxRichText>(QStringLiteral("RichText1"), 100, 50, 1000, 200);
    text->SetLines(NumberedRtf(3));
    for (bool hires : {false, true}) {
        SCOPED_TRACE(hires);
        text->SetHiresExport(hires);
        RecordingFilter filter(true);
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas, 0, &filter);
        text->Prepare();
        text->Print(0, 0);
        const std::vector<FilterCall> graphics = filter.Graphics();
        ASSERT_EQ(graphics.size(), 1u);
        const FilterCall &call = graphics[0];
        EXPECT_EQ(call.className, QStringLiteral("TVxImage"));
        EXPECT_TRUE(call.name.startsWith(QStringLiteral("RichText1_")));
        EXPECT_EQ(call.tag, hires ? TVxCustomRichText::kHiresExportTag : 0);
        EXPECT_EQ(int(call.x), canvas.XPos(100));
        EXPECT_EQ(int(call.y), canvas.YPos(50));
        const int dpi = hires ? 600 : 300;
        EXPECT_NEAR(call.picture.width(), (canvas.XPos(1100) - canvas.XPos(100)) * dpi / 96.0, 2);
        EXPECT_FALSE(InkBounds(call.picture).isEmpty());
    }
}
