// Text elements: property tables, line formatting on the element, printing
// onto a page at known resolutions, stretching, export and the design view.
#include "ElementTestSupport.h"
#include "ModelTestSupport.h"
#include "model/VxCustomBand.h"
#include "model/VxDBText.h"
#include "model/VxExpr.h"
#include "model/VxFont.h"
#include "model/VxLabel.h"
#include "model/VxMemo.h"
#include "model/VxReferenceDevice.h"
#include "model/VxSysData.h"

#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

const QRgb kYellow = qRgb(255, 255, 0);

} // namespace

TEST(VxLabel, PublishedPropertiesInStoredOrder)
{
    const QStringList common = {"Name", "Tag", "Left", "Top", "Width", "Height", "Enabled", "Frame", "Size",
                                "XLColumn", "XLNumFormat", "ActiveInPreview"};
    const QStringList label = {"Alignment", "AlignToBand", "AutoSize", "AutoStretch", "BiDiMode",
                               "ParentBiDiMode", "Color", "Font", "ParentFont", "Transparent", "WordWrap",
                               "WrapStyle", "VerticalAlignment", "ExportAs", "OnPrint"};
    EXPECT_EQ(PropertyNames(&TVxLabel::staticMetaObject), common + label + QStringList({"Caption", "Widecaption"}));

    // A memo always breaks on spaces and has no vertical alignment or export kind.
    const QStringList memo = PropertyNames(&TVxMemo::staticMetaObject);
    EXPECT_FALSE(memo.contains("WrapStyle"));
    EXPECT_FALSE(memo.contains("VerticalAlignment"));
    EXPECT_FALSE(memo.contains("ExportAs"));
    EXPECT_EQ(memo.mid(memo.size() - 3), (QStringList{"Lines", "FullJustify", "MaxBreakChars"}));
    EXPECT_FALSE(PropertyNames(&TVxExpr::staticMetaObject).contains("VerticalAlignment"));
    const QStringList sysData = PropertyNames(&TVxSysData::staticMetaObject);
    EXPECT_FALSE(sysData.contains("AutoStretch") || sysData.contains("WordWrap") || sysData.contains("WrapStyle"));
    EXPECT_EQ(sysData.mid(sysData.size() - 2), (QStringList{"Data", "Text"}));
    const QStringList dbText = PropertyNames(&TVxDBText::staticMetaObject);
    EXPECT_EQ(dbText.mid(label.size() + common.size(), 5),
              (QStringList{"DataSet", "DataField", "Mask", "FullJustify", "MaxBreakChars"}));

    // Written: the "always" ones; left out: values equal to their defaults.
    ElementFixture fixture;
    TVxMemo *memoElement = fixture.Add<TVxMemo>(QStringLiteral("Memo1"), 0, 0, 400, 100);
    const QStringList lines = StoredLines(memoElement);
    EXPECT_TRUE(lines.contains("XLColumn = 0"));
    EXPECT_TRUE(lines.contains("ActiveInPreview = False"));
    EXPECT_TRUE(lines.contains("Transparent = False"));
    EXPECT_TRUE(lines.contains("Frame.DrawTop = False"));
    for (const QString &line : lines) {
        EXPECT_FALSE(line.startsWith("Enabled ") || line.startsWith("AutoSize ") || line.startsWith("WordWrap ")
                     || line.startsWith("AutoStretch ") || line.startsWith("MaxBreakChars "))
            << line.toStdString();
    }
    EXPECT_TRUE(lines.contains("FontSize = (10)")) << lines.join('\n').toStdString();
    memoElement->SetMaxBreakChars(7);
    memoElement->SetAutoSize(false);
    EXPECT_TRUE(StoredLines(memoElement).contains("MaxBreakChars = 7"));
    EXPECT_TRUE(StoredLines(memoElement).contains("AutoSize = False"));
}

TEST(VxLabel, NewElementsAndNames)
{
    ElementFixture fixture;
    auto *label = new TVxLabel(&fixture.form);
    EXPECT_EQ(label->BoundsRect(), QRect(0, 0, 10, 10));
    EXPECT_EQ(label->Color(), clWhite);
    EXPECT_FALSE(label->Transparent());
    EXPECT_TRUE(label->PrintFinished());
    // The caption follows the name while it is empty or equals the name.
    label->SetName(QStringLiteral("Label1"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Label1"));
    label->SetName(QStringLiteral("Price"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Price"));
    label->SetCaption(QStringLiteral("Cena"));
    label->SetName(QStringLiteral("Other"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Cena"));

    auto *expr = new TVxExpr(&fixture.form);
    EXPECT_EQ(expr->Caption(), QStringLiteral("(none)"));
    auto *sysData = new TVxSysData(&fixture.form);
    sysData->SetText(QStringLiteral("Lapa "));
    sysData->SetData(TVxSysDataType::vxsPageNumber);
    EXPECT_EQ(sysData->Caption(), QStringLiteral("Lapa (Page#)"));
}

TEST(VxLabel, AutoSizeWidensAndRightAlignedGrowsToTheLeft)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.Add<TVxLabel>(QStringLiteral("Label1"), 0, 0, 100, 50);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetBounds(200, 10, 50, 20);
    EXPECT_EQ(label->Left() + label->Width(), 250);
    label->SetCaption(QStringLiteral("Two words"));
    // One line, as wide as its text, the right edge kept.
    EXPECT_EQ(label->FormattedLines(), QStringList{QStringLiteral("Two words")});
    EXPECT_EQ(label->Width(), label->MeasureTextWidth(QStringLiteral("Two words")));
    EXPECT_EQ(label->Left() + label->Width(), 250);
    // The size record follows the pixel bounds.
    EXPECT_NEAR(double(label->Size()->Left()), label->Left() * 254.0 / 96.0, 1e-6);

    // Without AutoSize, a width that holds the first word and its space
    // but not both words.
    label->SetAutoSize(false);
    label->SetAlignment(TAlignment::taLeftJustify);
    label->SetCaption(QStringLiteral("Hi there"));
    label->SetBounds(0, 10, label->MeasureTextWidth(QStringLiteral("there")), 20);
    EXPECT_EQ(label->FormattedLines(), (QStringList{QStringLiteral("Hi "), QStringLiteral("there")}));
}

TEST(VxLabel, AlignToBand)
{
    ElementFixture fixture;
    fixture.band->SetBounds(fixture.band->Left(), fixture.band->Top(), 300, fixture.band->Height());
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 0, 0, 100, 50);
    label->SetBounds(20, 5, 100, 20);
    label->SetAlignToBand(true);
    EXPECT_EQ(label->Left(), 0);
    label->SetAlignment(TAlignment::taRightJustify);
    EXPECT_EQ(label->Left(), 200);
    label->SetAlignment(TAlignment::taCenter);
    EXPECT_EQ(label->Left(), 100);
    // A resized band moves it along.
    fixture.band->SetBounds(fixture.band->Left(), fixture.band->Top(), 500, fixture.band->Height());
    EXPECT_EQ(label->Left(), 200);
}

TEST(VxLabel, PrintsBackgroundAndTextAtTheElementsPlace)
{
    struct Row {
        double dpi;
    };
    for (const Row row : {Row{96}, Row{300}}) {
        SCOPED_TRACE(row.dpi);
        ElementFixture fixture;
        TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 100, 50, 400, 60);
        label->SetColor(TColor(0x00FFFF)); // yellow
        label->SetCaption(QStringLiteral("Hello"));
        ImagePageCanvas canvas(row.dpi);
        fixture.StartRun(canvas, 200);
        label->Print(0, 200);
        const QImage &page = canvas.Finish();

        // The background covers exactly the element's device rectangle.
        const QRect element(canvas.XPos(100), canvas.YPos(250), canvas.XPos(500) - canvas.XPos(100),
                            canvas.YPos(310) - canvas.YPos(250));
        EXPECT_EQ(ColorBounds(page, kYellow), element);
        EXPECT_EQ(InkBounds(page), InkBounds(page, element));
        // The text starts at the left edge, in the first line.
        const QRect ink = InkBounds(page, element);
        ASSERT_FALSE(ink.isEmpty());
        const double scale = row.dpi / 96.0;
        EXPECT_NEAR(ink.left(), element.left(), 2 * scale);
        EXPECT_GE(ink.top(), element.top());
        EXPECT_LE(ink.bottom(), element.top() + 15 * scale);
        const double expectedWidth = ReferenceTextWidth(label->Font()->ToQFont(), QStringLiteral("Hello")) * scale;
        EXPECT_NEAR(ink.width(), expectedWidth, 2.5 * scale);
        EXPECT_TRUE(label->PrintFinished());
    }
}

TEST(VxLabel, AlignmentAnchorsAndVerticalPlacement)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 100, 0, 600, 200);
    label->SetTransparent(true);
    label->SetCaption(QStringLiteral("Text"));
    const QRect element(38, 0, 227, 76);

    auto printed = [&](TAlignment alignment, TTextLayout layout) {
        label->SetAlignment(alignment);
        label->SetVerticalAlignment(layout);
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas);
        label->Print(0, 0);
        return InkBounds(canvas.Finish());
    };
    const QRect left = printed(TAlignment::taLeftJustify, TTextLayout::tlTop);
    const QRect right = printed(TAlignment::taRightJustify, TTextLayout::tlTop);
    const QRect centre = printed(TAlignment::taCenter, TTextLayout::tlCenter);
    const QRect bottom = printed(TAlignment::taLeftJustify, TTextLayout::tlBottom);
    EXPECT_NEAR(left.left(), element.left(), 2);
    EXPECT_NEAR(right.right() + 1, element.right() + 1, 2);
    EXPECT_NEAR((centre.left() + centre.right()) / 2.0, (element.left() + element.right()) / 2.0, 2);
    // One line: centred and bottom placement by the spare height.
    EXPECT_NEAR((centre.top() + centre.bottom()) / 2.0, (left.top() + left.bottom()) / 2.0 + (76 - 14.5) / 2, 2);
    EXPECT_NEAR(bottom.bottom(), left.bottom() + (76 - 14.5), 2);
    EXPECT_LE(bottom.bottom(), element.bottom());
}

TEST(VxLabel, TextOnARecordedPageReplaysInProportion)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 100, 100, 800, 100);
    label->SetTransparent(true);
    label->SetCaption(QStringLiteral("Proportional"));
    PicturePageCanvas recorded;
    fixture.StartRun(recorded);
    label->Print(0, 0);
    const QRect low = InkBounds(recorded.Replay(96));
    const QRect high = InkBounds(recorded.Replay(300));
    ASSERT_FALSE(low.isEmpty());
    EXPECT_NEAR(high.left(), low.left() * 300.0 / 96, 4);
    EXPECT_NEAR(high.width(), low.width() * 300.0 / 96, 6);
    EXPECT_NEAR(high.height(), low.height() * 300.0 / 96, 6);
}

TEST(VxLabel, WordTooWideIsCutAndFrameMovesTheText)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 100, 100, 200, 80);
    label->SetTransparent(true);
    label->SetCaption(QStringLiteral("Supercalifragilistic"));
    ASSERT_EQ(label->FormattedLines().size(), 1);
    EXPECT_LT(label->FormattedLines().first().size(), 20);
    EXPECT_LT(label->MeasureTextWidth(label->FormattedLines().first()), label->Width());

    // A frame of 2 points on the left and top: drawn inside the element,
    // and the text moved right and down by round(2 / 72 * 254) = 7 units.
    label->Frame()->SetDrawLeft(true);
    label->Frame()->SetDrawTop(true);
    label->Frame()->SetWidth(2);
    label->Frame()->SetColor(TColor(0xFF0000)); // blue
    label->SetCaption(QStringLiteral("Ab"));
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    label->Print(0, 0);
    const QImage &page = canvas.Finish();
    const QRect frame = ColorBounds(page, qRgb(0, 0, 255));
    EXPECT_EQ(frame, QRect(38, 38, 113 - 38, 68 - 38));
    // Left side 3 pixels thick (2 / 72 * 254 * 0.37795 = 2.67, rounded).
    EXPECT_EQ(page.pixel(40, 60) & 0xFFFFFF, 0x0000FFu);
    EXPECT_NE(page.pixel(41, 60) & 0xFFFFFF, 0x0000FFu);
    const QRect ink = InkBounds(page, QRect(41, 41, 60, 20));
    EXPECT_GE(ink.left(), canvas.XPos(107) - 1);
}

TEST(VxLabel, MemoStretchesItsBandAndContinuesOnTheNextPage)
{
    const QStringList text = {"one", "two", "three", "four", "five"};
    for (bool stretch : {false, true}) {
        SCOPED_TRACE(stretch);
        ElementFixture fixture(300);
        TVxMemo *memo = fixture.AddText<TVxMemo>(QStringLiteral("Memo1"), 0, 20, 400, 80);
        memo->SetAutoStretch(stretch);
        memo->SetLines(text);
        RecordingFilter filter;
        // One line more than the band fits below the current position.
        const long double lineHeight = ReferenceLineHeight(memo->Font()->ToQFont()) * 254.0L / 96.0L;
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas, 2970 - 100 - 300 - 50, &filter);
        memo->Print(0, 2520);
        if (!stretch) {
            EXPECT_EQ(filter.Texts(), (QStringList{"one", "two"}));
            EXPECT_TRUE(memo->PrintFinished());
            continue;
        }
        EXPECT_EQ(filter.Texts(), (QStringList{"one", "two", "three"}));
        EXPECT_FALSE(memo->PrintFinished());
        EXPECT_NEAR(double(fixture.band->Expanded()), double(lineHeight), 1.0);
        EXPECT_NEAR(double(memo->Expanded()), double(lineHeight), 1.0);
        // The lines are one line height apart, from the element's top.
        EXPECT_NEAR(double(filter.calls[1].y - filter.calls[0].y), double(lineHeight), 0.01);
        EXPECT_NEAR(double(filter.calls[0].y), 2540.0, 0.01);

        // The next page: the remaining lines at the top of the element.
        filter.calls.clear();
        fixture.StartRun(canvas, 0, &filter);
        memo->Print(0, 0);
        EXPECT_EQ(filter.Texts(), (QStringList{"four", "five"}));
        EXPECT_TRUE(memo->PrintFinished());
        EXPECT_NEAR(double(filter.calls[0].y), 20.0, 0.01);
    }
}

TEST(VxLabel, OnPrintHookReplacesTheTextForOnePrint)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.Add<TVxLabel>(QStringLiteral("Label1"), 0, 0, 400, 60);
    label->SetCaption(QStringLiteral("design"));
    label->SetOnPrint(TVxLabelPrintEvent([](QObject *, QString &value) { value = value + QStringLiteral("!"); }));
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 0, &filter);
    label->Prepare();
    label->Print(0, 0);
    label->Print(0, 0);
    EXPECT_EQ(filter.Texts(), (QStringList{"design!", "design!"}));
    EXPECT_EQ(label->PrintCaption(), QStringLiteral("design"));
}

TEST(VxLabel, ExportHandsBackgroundTextAndFrame)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 100, 50, 400, 60);
    label->SetAlignment(TAlignment::taRightJustify);
    label->SetColor(TColor(0x00FFFF));
    label->SetCaption(QStringLiteral("Sum"));
    label->Frame()->SetDrawBottom(true);
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 200, &filter);
    label->Print(0, 200);

    // Right-aligned text: its anchor is the right edge, its top the line top.
    ASSERT_EQ(filter.Texts(), QStringList{"Sum"});
    const auto text = std::find_if(filter.calls.begin(), filter.calls.end(),
                                   [](const FilterCall &c) { return c.kind == FilterCall::Kind::Text; });
    EXPECT_EQ(text->alignment, TAlignment::taRightJustify);
    EXPECT_NEAR(double(text->x), 500.0, 1e-9);
    EXPECT_NEAR(double(text->y), 250.0, 1e-9);
    EXPECT_EQ(text->background, TColor(0x00FFFF));
    // First the coloured background (only the text's width at the right
    // end), then for the frame the element's filled rectangle and the line.
    const std::vector<FilterCall> graphics = filter.Graphics();
    ASSERT_EQ(graphics.size(), 3u);
    EXPECT_EQ(graphics[0].className, QStringLiteral("TVxShape"));
    EXPECT_EQ(graphics[0].brushColor, TColor(0x00FFFF));
    EXPECT_EQ(graphics[0].penStyle, TPenStyle::psClear);
    EXPECT_LT(graphics[0].bounds.width(), 151);
    EXPECT_EQ(int(graphics[0].x) + graphics[0].bounds.width(), canvas.XPos(500));
    EXPECT_EQ(graphics[1].bounds, QRect(38, 94, 151, 23));
    EXPECT_EQ(graphics[2].shape, TVxShapeType::vxsHorLine);
    EXPECT_EQ(int(graphics[2].y), canvas.YPos(310) - 1);
}

TEST(VxLabel, FullJustifySpreadsWordsOverTheWidth)
{
    ElementFixture fixture;
    TVxMemo *memo = fixture.AddText<TVxMemo>(QStringLiteral("Memo1"), 100, 0, 600, 200);
    memo->SetFullJustify(true);
    memo->SetLines({QStringLiteral("aaaa bbbb cccc dddd eeee ffff gggg hhhh iiii jjjj kkkk")});
    ASSERT_GE(memo->FormattedLines().size(), 2);
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 0, &filter);
    memo->Print(0, 0);
    // The words of the first line: the first at the left edge, the last
    // ending at the right edge.
    const QStringList firstLine = memo->FormattedLines().first().split(u' ', Qt::SkipEmptyParts);
    ASSERT_GE(firstLine.size(), 2);
    const FilterCall &first = filter.calls.front();
    const FilterCall &last = filter.calls.at(size_t(firstLine.size()) - 1);
    EXPECT_EQ(first.text, firstLine.first());
    EXPECT_NEAR(double(first.x), 100.0, 1e-9);
    const long double lastWidth = ReferenceTextWidth(memo->Font()->ToQFont(), last.text) / 0.37795L;
    EXPECT_NEAR(double(last.x + lastWidth), 100.0 + memo->Width() / 0.37795, 1.0);
    // The last line's gap would be too wide: its words are a space apart.
    const QStringList lastLine = memo->FormattedLines().last().split(u' ', Qt::SkipEmptyParts);
    if (lastLine.size() >= 2) {
        const FilterCall &a = filter.calls.at(filter.calls.size() - 2);
        const FilterCall &b = filter.calls.back();
        const long double space = ReferenceTextWidth(memo->Font()->ToQFont(), QStringLiteral(" ")) / 0.37795L;
        const long double aWidth = ReferenceTextWidth(memo->Font()->ToQFont(), a.text) / 0.37795L;
        EXPECT_NEAR(double(b.x - a.x), double(aWidth + space), 0.5);
    }
}

TEST(VxLabel, ExpandedHeightIsLinesTimesLineHeight)
{
    ElementFixture fixture;
    TVxMemo *memo = fixture.AddText<TVxMemo>(QStringLiteral("Memo1"), 0, 0, 400, 50);
    memo->SetLines({"a", "b", "c"});
    int height = 0;
    memo->GetExpandedHeight(height);
    EXPECT_EQ(height, 3 * fixture.report->TextHeight(memo->Font(), QStringLiteral("W")));
}

TEST(VxLabel, DesignViewShowsCornersTextAndFrame)
{
    ElementFixture fixture;
    TVxLabel *label = fixture.AddText<TVxLabel>(QStringLiteral("Label1"), 0, 0, 100, 50);
    label->SetBounds(0, 0, 120, 40);
    label->SetCaption(QStringLiteral("Design"));
    label->SetColor(TColor(0x00FFFF));
    label->Frame()->SetDrawRight(true);
    label->Frame()->SetColor(TColor(0xFF0000));
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    label->Paint(painter);
    painter.end();
    // Corner marks: black L shapes with 4-pixel arms at all four corners.
    for (const QPoint &corner : {QPoint(0, 0), QPoint(4, 0), QPoint(0, 4), QPoint(119, 39), QPoint(115, 39)})
        EXPECT_EQ(image.pixel(corner) & 0xFFFFFF, 0u) << corner.x() << "," << corner.y();
    EXPECT_EQ(image.pixel(60, 35) & 0xFFFFFF, 0xFFFF00u); // the label's colour
    EXPECT_EQ(image.pixel(118, 20) & 0xFFFFFF, 0x0000FFu); // the frame inside the client area
    EXPECT_FALSE(InkBounds(image, QRect(2, 2, 100, 16)).isEmpty());
    // Not while printing.
    QImage untouched(120, 40, QImage::Format_RGB32);
    untouched.fill(Qt::black);
    label->Prepare();
    QPainter again(&untouched);
    label->Paint(again);
    again.end();
    EXPECT_EQ(ColorBounds(untouched, qRgb(255, 255, 0)), QRect());
}

TEST(VxLabel, LoadingAppliesRememberedBoundsAndFontSize)
{
    ElementFixture fixture;
    auto *label = new TVxLabel(&fixture.form);
    label->BeginLoading();
    label->SetName(QStringLiteral("Label1"));
    label->SetParent(fixture.band);
    // As a template gives them: pixel bounds, then the size values (a left
    // and top of 0), then the font size in points.
    label->SetBounds(5, 6, 151, 38);
    label->SetAutoSize(false);
    label->Size()->SetInternalValue(TVxPrintableSize::HeightIndex, 100);
    label->Size()->SetInternalValue(TVxPrintableSize::LeftIndex, 0);
    label->Size()->SetInternalValue(TVxPrintableSize::TopIndex, 0);
    label->Size()->SetInternalValue(TVxPrintableSize::WidthIndex, 400);
    label->SetParentFont(false);
    ListValueReader reader({QVariant(14)});
    label->ReadFontSize(reader);
    label->Loaded();
    EXPECT_EQ(label->BoundsRect(), QRect(5, 6, 151, 38));
    EXPECT_EQ(label->LoadedLeft(), 5);
    EXPECT_EQ(label->Font()->Size(), 14);
}
