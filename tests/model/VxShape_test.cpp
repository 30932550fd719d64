// Shapes, rules and PDF shapes: their drawing on a page and what a filter gets.
#include "ElementTestSupport.h"
#include "ModelTestSupport.h"
#include "model/VxHRule.h"
#include "model/VxPDFShape.h"
#include "model/VxShape.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

bool Dark(const QImage &image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 100;
}

// A shape at (100, 100) 300 x 200 tenths of a millimetre: at 96 dpi the
// device rectangle (38, 38) - (151, 113), centre lines x = 94, y = 76.
QImage PrintShape(TVxShapeType kind, float roundFactor = 0, TBrushStyle brush = TBrushStyle::bsClear)
{
    ElementFixture fixture;
    TVxShape *shape = fixture.Add<TVxShape>(QStringLiteral("Shape1"), 100, 100, 300, 200);
    shape->SetShape(kind);
    shape->SetRoundFactor(roundFactor);
    shape->Brush()->SetStyle(brush);
    shape->Brush()->SetColor(TColor(0x00FFFF));
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    shape->Prepare();
    shape->Print(0, 0);
    return canvas.Finish().copy(0, 0, 200, 150);
}

} // namespace

TEST(VxShape, PublishedPropertiesAndDefaults)
{
    ElementFixture fixture;
    auto *shape = new TVxShape(&fixture.form);
    EXPECT_EQ(shape->BoundsRect().size(), QSize(65, 65));
    EXPECT_EQ(shape->Shape(), TVxShapeType::vxsRectangle);
    shape->SetName(QStringLiteral("Shape1"));
    shape->SetParent(fixture.band);
    const QStringList lines = zelmio::test::StoredLines(shape);
    for (const QString &line : lines)
        EXPECT_FALSE(line.startsWith("Width ") || line.startsWith("Height ") || line.startsWith("RoundFactor ")
                     || line.startsWith("Pen.") || line.startsWith("Brush."))
            << line.toStdString();
    EXPECT_TRUE(lines.contains("Shape = vxsRectangle"));
    EXPECT_TRUE(lines.contains("VertAdjust = 0"));
    shape->Pen()->SetWidth(3);
    shape->Brush()->SetStyle(TBrushStyle::bsClear);
    EXPECT_TRUE(zelmio::test::StoredLines(shape).contains("Pen.Width = 3"));
    EXPECT_TRUE(zelmio::test::StoredLines(shape).contains("Brush.Style = bsClear"));

    auto *rule = new TVxHRule(&fixture.form);
    EXPECT_EQ(rule->BoundsRect().size(), QSize(100, 10));
    auto *pdfShape = new TVxPDFShape(&fixture.form);
    EXPECT_EQ(pdfShape->BoundsRect().size(), QSize(100, 10));
}

TEST(VxShape, DrawsEachKindAtItsDeviceGeometry)
{
    const QImage rectangle = PrintShape(TVxShapeType::vxsRectangle, 0, TBrushStyle::bsSolid);
    EXPECT_TRUE(Dark(rectangle, 38, 38) && Dark(rectangle, 150, 38) && Dark(rectangle, 38, 112)
                && Dark(rectangle, 150, 112));
    EXPECT_FALSE(Dark(rectangle, 151, 60) || Dark(rectangle, 37, 60) || Dark(rectangle, 60, 113));
    EXPECT_EQ(rectangle.pixel(94, 76) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(InkBounds(rectangle, QRect(), 100), QRect(38, 38, 113, 75));

    const QImage circle = PrintShape(TVxShapeType::vxsCircle);
    EXPECT_FALSE(Dark(circle, 39, 39));
    EXPECT_TRUE(Dark(circle, 94, 38));
    EXPECT_TRUE(Dark(circle, 38, 75));

    // Lines end before their last point, as on the platform's canvas.
    const QImage vertical = PrintShape(TVxShapeType::vxsVertLine);
    EXPECT_EQ(InkBounds(vertical, QRect(), 100), QRect(94, 38, 1, 75));
    const QImage horizontal = PrintShape(TVxShapeType::vxsHorLine);
    EXPECT_EQ(InkBounds(horizontal, QRect(), 100), QRect(38, 76, 113, 1));
    const QImage topBottom = PrintShape(TVxShapeType::vxsTopAndBottom);
    EXPECT_TRUE(Dark(topBottom, 60, 38) && Dark(topBottom, 60, 113));
    EXPECT_FALSE(Dark(topBottom, 38, 76));
    const QImage rightLeft = PrintShape(TVxShapeType::vxsRightAndLeft);
    EXPECT_TRUE(Dark(rightLeft, 38, 76) && Dark(rightLeft, 151, 76));
    EXPECT_FALSE(Dark(rightLeft, 60, 38));
    const QImage leftDiagonal = PrintShape(TVxShapeType::vxsLeftDiagonal);
    const QRect leftInk = InkBounds(leftDiagonal, QRect(), 100);
    EXPECT_NEAR(leftInk.left(), 38, 1);
    EXPECT_NEAR(leftInk.right(), 151, 1);
    EXPECT_NEAR(leftInk.top(), 38, 1);
    EXPECT_NEAR(leftInk.bottom(), 113, 1);
    EXPECT_FALSE(InkBounds(leftDiagonal, QRect(146, 37, 6, 5), 100).isEmpty());
    EXPECT_TRUE(InkBounds(leftDiagonal, QRect(37, 37, 6, 5), 100).isEmpty());
    const QImage rightDiagonal = PrintShape(TVxShapeType::vxsRightDiagonal);
    EXPECT_FALSE(InkBounds(rightDiagonal, QRect(37, 37, 6, 5), 100).isEmpty());
    EXPECT_TRUE(InkBounds(rightDiagonal, QRect(146, 37, 6, 5), 100).isEmpty());

    // A rounded rectangle with factor 0 is a plain rectangle; with 0.2 its
    // corners (ellipse trunc(113 * 0.2) = 22 pixels) are rounded.
    EXPECT_EQ(PrintShape(TVxShapeType::vxsRoundRect, 0, TBrushStyle::bsSolid), rectangle);
    const QImage rounded = PrintShape(TVxShapeType::vxsRoundRect, 0.2f);
    EXPECT_FALSE(Dark(rounded, 38, 38));
    EXPECT_TRUE(Dark(rounded, 94, 38));
    EXPECT_TRUE(Dark(rounded, 38, 76));
}

TEST(VxShape, ExportHandsTheShapeAtItsDevicePosition)
{
    ElementFixture fixture;
    TVxShape *shape = fixture.Add<TVxShape>(QStringLiteral("Shape1"), 100, 100, 300, 200);
    RecordingFilter filter;
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas, 0, &filter);
    shape->Prepare();
    shape->Print(50, 0);
    ASSERT_EQ(filter.Graphics().size(), 1u);
    EXPECT_EQ(filter.Graphics()[0].name, QStringLiteral("Shape1"));
    EXPECT_EQ(int(filter.Graphics()[0].x), canvas.XPos(150));
    EXPECT_EQ(int(filter.Graphics()[0].y), canvas.YPos(100));
    // Nothing is drawn while exporting, nor by a disabled shape.
    EXPECT_TRUE(InkBounds(canvas.Finish()).isEmpty());
    shape->SetEnabled(false);
    filter.calls.clear();
    shape->Print(0, 0);
    EXPECT_TRUE(filter.calls.empty());
}

TEST(VxShape, RulesAndPdfShapesGoOnlyToAFilterThatDrawsShapes)
{
    ElementFixture fixture;
    TVxHRule *rule = fixture.Add<TVxHRule>(QStringLiteral("Rule1"), 100, 100, 300, 40);
    TVxPDFShape *pdfShape = fixture.Add<TVxPDFShape>(QStringLiteral("PdfShape1"), 100, 300, 300, 40);
    pdfShape->SetShapeType(TVxShapeType::vxsLeftDiagonal);
    for (bool vectorShapes : {false, true}) {
        SCOPED_TRACE(vectorShapes);
        RecordingFilter filter(vectorShapes);
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas, 0, &filter);
        rule->Prepare();
        pdfShape->Prepare();
        rule->Print(0, 0);
        pdfShape->Print(0, 0);
        EXPECT_EQ(filter.Graphics().size(), vectorShapes ? 2u : 0u);
    }
    // On paper the rule is a line through its middle; a diagonal PDF shape
    // draws nothing on the page.
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    rule->Prepare();
    pdfShape->Prepare();
    rule->Print(0, 0);
    pdfShape->Print(0, 0);
    const QImage &page = canvas.Finish();
    EXPECT_EQ(InkBounds(page, QRect(), 100), QRect(38, canvas.YPos(120), canvas.XPos(400) - 38, 1));
    pdfShape->SetShapeType(TVxShapeType::vxsRectangle);
    ImagePageCanvas second(96);
    fixture.StartRun(second);
    pdfShape->Prepare();
    pdfShape->Print(0, 0);
    EXPECT_EQ(InkBounds(second.Finish(), QRect(), 100).top(), second.YPos(300));
}

TEST(VxShape, DesignViewDrawsTheShapeOverTheCommonPart)
{
    ElementFixture fixture;
    auto *shape = new TVxShape(&fixture.form);
    shape->SetBounds(0, 0, 40, 30);
    shape->SetShape(TVxShapeType::vxsTopAndBottom);
    shape->Pen()->SetColor(TColor(0xFF0000));
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    shape->Paint(painter);
    painter.end();
    // White client area, blue lines at 0 and height - 1, corner marks.
    EXPECT_EQ(image.pixel(20, 15) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(image.pixel(20, 0) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(20, 29) & 0xFFFFFF, 0x0000FFu);
    EXPECT_EQ(image.pixel(0, 15) & 0xFFFFFF, 0xFFFFFFu);
}
