// The tool bar glyphs: every command of the tool bars has a glyph of its own
// with a transparent background, unknown names none. With
// ZELMIO_GLYPH_SHEET=<file.png> set, all glyphs are also written to one
// contact sheet (16, 24, 32 and 64 pixels, the disabled look, on light and
// dark grounds) for looking at them.
#include "designer/widgets/DesignerGlyphs.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

const QStringList kCommandNames = {
    "FilePrint", "FilePreview", "FileNew", "FileOpen", "FileSave", "EditCut", "EditCopy", "EditPaste",
    "SendToBack", "BringToFront", "AlignLeft", "AlignRight", "AlignTop", "AlignBottom", "CenterHorizontal",
    "CenterVertical", "ParentCenterHorizontal", "ParentCenterVertical", "EqualSpaceHorizontal",
    "EqualSpaceVertical", "FileExit", "EditUndo", "EditRedo", "TextLeftAlignButton", "TextCenterAlignButton",
    "TextRightAlignButton", "FrameSpeedButton", "FontColorSpeedbutton", "NormalDesign", "NewBand", "NewChildBand",
    "NewSubdetail", "NewGroup", "NewLabel", "NewMemo", "NewImage", "NewShape", "NewSysData", "NewDBText",
    "NewDBImage", "NewExpression", "NewRichtext", "NewDBRichtext", "NewBarcode", "NewDBBarcode"};

void WriteContactSheet(const QString &file)
{
    const int cell = 40, label = 180, columns = 2;
    const int rows = (int(kCommandNames.size()) + columns - 1) / columns;
    const int width = label + 6 * cell;
    QImage sheet(columns * width, rows * cell, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter p(&sheet);
    QFont font(QStringLiteral("sans-serif"));
    font.setPixelSize(12);
    p.setFont(font);
    for (int i = 0; i < kCommandNames.size(); ++i) {
        const QIcon icon = DesignerGlyph(kCommandNames[i]);
        const QPoint origin((i / rows) * width, (i % rows) * cell);
        p.setPen(Qt::black);
        p.drawText(QRect(origin + QPoint(4, 0), QSize(label - 8, cell)), Qt::AlignVCenter, kCommandNames[i]);
        int x = origin.x() + label;
        auto put = [&](const QPixmap &pixmap, const QColor &ground) {
            p.fillRect(QRect(x, origin.y(), cell - 2, cell - 2), ground);
            p.drawPixmap(x + (cell - 2 - pixmap.width()) / 2, origin.y() + (cell - 2 - pixmap.height()) / 2, pixmap);
            x += cell;
        };
        for (int size : {16, 24, 32})
            put(icon.pixmap(size), QColor(0xf0, 0xf0, 0xf0));
        put(icon.pixmap(24, QIcon::Disabled), QColor(0xf0, 0xf0, 0xf0));
        put(icon.pixmap(24), QColor(0x30, 0x30, 0x30));
        put(icon.pixmap(32).scaled(38, 38), QColor(0xf0, 0xf0, 0xf0));
    }
    p.end();
    sheet.save(file);
}

} // namespace

TEST(DesignerGlyphs, EveryCommandHasAGlyphOfItsOwn)
{
    QList<QImage> seen;
    for (const QString &name : kCommandNames) {
        SCOPED_TRACE(name.toStdString());
        const QIcon icon = DesignerGlyph(name);
        ASSERT_FALSE(icon.isNull());
        for (int size : {16, 24, 32})
            EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(24).toImage().convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(24, 24));
        int transparent = 0, drawn = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x)
                ++(qAlpha(image.pixel(x, y)) == 0 ? transparent : drawn);
        }
        EXPECT_GT(transparent, 0);
        EXPECT_GT(drawn, 0);
        for (int i = 0; i < seen.size(); ++i)
            EXPECT_NE(image, seen[i]) << "same as " << kCommandNames[i].toStdString();
        seen << image;
    }
    EXPECT_EQ(DesignerGlyphNames(), kCommandNames);

    const QString sheet = qEnvironmentVariable("ZELMIO_GLYPH_SHEET");
    if (!sheet.isEmpty())
        WriteContactSheet(sheet);
}

TEST(DesignerGlyphs, UnknownNameHasNone)
{
    EXPECT_TRUE(DesignerGlyph(QStringLiteral("NoSuchCommand")).isNull());
    EXPECT_TRUE(DesignerGlyph(QString()).isNull());
    EXPECT_TRUE(DesignerGlyph(QStringLiteral("fileprint")).isNull());
}
