#include "platform/RichTextRenderer.h"
#include "platform/RtfReader.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPicture>
#include <QTextBlock>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QByteArray Fixture(const char *name)
{
    QFile file(QStringLiteral(ZELMIO_TEST_DATA "/rtf/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name;
    return file.readAll();
}

QStringList BlockTexts(const QTextDocument &document)
{
    QStringList texts;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        texts << block.text();
    return texts;
}

// The character format at a position inside a block (the fragment holding it).
QTextCharFormat FormatAt(const QTextDocument &document, int blockNumber, int offset)
{
    const QTextBlock block = document.findBlockByNumber(blockNumber);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int start = fragment.position() - block.position();
        if (offset >= start && offset < start + fragment.length())
            return fragment.charFormat();
    }
    return QTextCharFormat();
}

// Bounding box of the non-white pixels.
QRect InkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QImage WhiteImage(int width, int height, int dpi)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    return image;
}

} // namespace

TEST(RtfReader, RichEditTextWithCodePageFormattingAndParagraphs)
{
    QTextDocument document;
    QString error;
    ASSERT_TRUE(TRtfReader::Read(Fixture("richedit-latvian.rtf"), document, &error)) << error.toStdString();
    const QStringList texts = BlockTexts(document);
    ASSERT_EQ(texts.size(), 3) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("Cenu zīmes"));
    EXPECT_EQ(texts[1], QStringLiteral("Sarkans slīpais\tar tabu") + QChar::LineSeparator
                            + QStringLiteral("jauna rinda"));
    EXPECT_EQ(texts[2], QStringLiteral("Labais āž"));

    const QTextBlockFormat title = document.findBlockByNumber(0).blockFormat();
    EXPECT_EQ(title.alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_DOUBLE_EQ(title.bottomMargin(), 200 / 15.0);
    EXPECT_EQ(title.lineHeightType(), QTextBlockFormat::ProportionalHeight);
    EXPECT_DOUBLE_EQ(title.lineHeight(), 115.0);
    const QTextCharFormat bold = FormatAt(document, 0, 0);
    EXPECT_EQ(bold.fontWeight(), QFont::Bold);
    EXPECT_DOUBLE_EQ(bold.fontPointSize(), 14.0);
    EXPECT_EQ(bold.fontFamilies().toStringList(), QStringList{QStringLiteral("Arial")});

    const QTextBlockFormat indented = document.findBlockByNumber(1).blockFormat();
    EXPECT_DOUBLE_EQ(indented.leftMargin(), 48.0);
    EXPECT_DOUBLE_EQ(indented.rightMargin(), 24.0);
    EXPECT_DOUBLE_EQ(indented.textIndent(), -24.0);
    const QList<QTextOption::Tab> tabs = indented.tabPositions();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_DOUBLE_EQ(tabs[0].position, 192.0);
    EXPECT_EQ(tabs[0].type, QTextOption::LeftTab);
    EXPECT_EQ(tabs[1].type, QTextOption::RightTab);
    const QTextCharFormat red = FormatAt(document, 1, 0);
    EXPECT_TRUE(red.fontItalic());
    EXPECT_EQ(red.foreground().color(), QColor(255, 0, 0));
    const QTextCharFormat plain = FormatAt(document, 1, 17);
    EXPECT_FALSE(plain.fontItalic());
    EXPECT_FALSE(plain.hasProperty(QTextFormat::ForegroundBrush));

    EXPECT_EQ(document.findBlockByNumber(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
    const QTextCharFormat underlined = FormatAt(document, 2, 0);
    EXPECT_TRUE(underlined.fontUnderline());
    EXPECT_TRUE(underlined.fontStrikeOut());
    EXPECT_DOUBLE_EQ(underlined.fontPointSize(), 10.0);
    EXPECT_EQ(underlined.fontFamilies().toStringList(), QStringList{QStringLiteral("Times New Roman")});
    EXPECT_FALSE(FormatAt(document, 2, 7).fontUnderline());
}

TEST(RtfReader, SkipsDestinationsAndDecodesEscapes)
{
    QTextDocument document;
    QString error;
    ASSERT_TRUE(TRtfReader::Read(Fixture("word-destinations.rtf"), document, &error)) << error.toStdString();
    const QStringList texts = BlockTexts(document);
    ASSERT_EQ(texts.size(), 4) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[0], QStringLiteral("Field: link text end."));
    EXPECT_EQ(texts[1], QStringLiteral(" after picture"));
    // \uc2 drops two fallback bytes; a font's character set picks the code
    // page of \'hh (1251 for the Cyrillic font); a surrogate pair in two \u.
    EXPECT_EQ(texts[2], QStringLiteral("АBА") + QString::fromUtf8("\xF0\x9F\x98\x80")
                            + QStringLiteral(" \u00A0x\u00ADy\u2011z\u2014"));
    EXPECT_EQ(texts[3], QStringLiteral("visible 2 \u2018q\u2019\u2022"));
    EXPECT_EQ(FormatAt(document, 0, 8).foreground().color(), QColor(0, 128, 0));
    EXPECT_EQ(FormatAt(document, 3, 8).verticalAlignment(), QTextCharFormat::AlignSuperScript);
}

TEST(RtfReader, BrokenRtfIsRefusedWithItsPlace)
{
    struct Row {
        const char *file;
        const char *problem;
    };
    const Row rows[] = {
        {"unclosed-group.rtf", "the text ends before all of its groups are closed"},
        {"bad-hex.rtf", "not followed by two hexadecimal digits"},
        {"bin-past-end.rtf", "a binary block runs past the end of the text"},
        {"deep-nesting.rtf", "groups are nested too deeply"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        QTextDocument document;
        document.setPlainText(QStringLiteral("old content"));
        QString error;
        EXPECT_FALSE(TRtfReader::Read(Fixture(row.file), document, &error));
        EXPECT_TRUE(error.startsWith(QLatin1String("broken rich text at character "))) << error.toStdString();
        EXPECT_TRUE(error.contains(QLatin1String(row.problem))) << error.toStdString();
        EXPECT_TRUE(document.isEmpty());
    }
    // Text after the outermost group is not part of the document.
    QTextDocument document;
    EXPECT_TRUE(TRtfReader::Read(Fixture("extra-closing.rtf"), document));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("text"));
    // No prefix of a valid text crashes or hangs.
    const QByteArray rtf = Fixture("word-destinations.rtf");
    for (qsizetype n = 0; n <= rtf.size(); ++n)
        TRtfReader::Read(QByteArrayView(rtf).first(n), document);
}

TEST(RtfReader, PlainTextLoadsAsPlainText)
{
    QTextDocument document;
    ASSERT_TRUE(TRtfReader::Read(Fixture("plain-utf8.txt"), document));
    EXPECT_EQ(BlockTexts(document), (QStringList{QStringLiteral("Plain line one"),
                                                 QStringLiteral("Line two €"), QString()}));
    ASSERT_TRUE(TRtfReader::Read(Fixture("plain-cp1257.txt"), document, nullptr, 1257));
    EXPECT_EQ(BlockTexts(document).first(), QStringLiteral("Plain ā 1257"));
    // Text that is already decoded: characters above U+00FF stand for themselves.
    ASSERT_TRUE(TRtfReader::Read(QStringView(u"{\\rtf1\\ansi\\ansicpg1257 \\'e2 ž\\par}"), document));
    EXPECT_EQ(document.toPlainText(), QStringLiteral("ā ž"));
}

TEST(RichTextRenderer, LongTextContinuesFromTheFirstCharacterNotRendered)
{
    QString rtf = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 ");
    for (int i = 1; i <= 12; ++i)
        rtf += QStringLiteral("Paragraph %1 has a few words that wrap onto a second line.\\par ").arg(i);
    rtf += u'}';
    QTextDocument document;
    ASSERT_TRUE(TRtfReader::Read(QStringView(rtf), document));
    TRichTextRenderer renderer(document);
    const int length = renderer.TextLength();
    EXPECT_EQ(length, document.characterCount() - 1);

    // A 2 x 1 inch rectangle at 96 dpi: several pieces, each starting where
    // the last one stopped, each ending at a line start, together everything.
    const QRectF rect(10, 10, 192, 96);
    int position = 0;
    int pieces = 0;
    QString joined;
    while (position < length && pieces < 50) {
        QImage image = WhiteImage(220, 130, 96);
        QPainter painter(&image);
        const TRichTextRenderer::Range range = renderer.Render(&painter, rect, 96, 96, position);
        painter.end();
        ASSERT_GT(range.reached, position);
        EXPECT_LE(range.heightTwips, 1440.0 + 1);
        const QRect ink = InkBounds(image);
        EXPECT_TRUE(rect.toAlignedRect().adjusted(-1, -1, 1, 1).contains(ink));
        // No margin of the document's own: the text starts at the edges.
        EXPECT_NEAR(ink.left(), rect.left(), 2);
        EXPECT_NEAR(ink.top(), rect.top(), 3);
        joined += document.toPlainText().mid(position, range.reached - position);
        position = range.reached;
        ++pieces;
    }
    EXPECT_EQ(position, length);
    EXPECT_GE(pieces, 3);
    EXPECT_EQ(joined, document.toPlainText());

    // Measuring without a painter agrees with rendering.
    EXPECT_EQ(renderer.Render(nullptr, rect, 96, 96, 0).reached,
              renderer.Render(nullptr, rect, 96, 96, 0).reached);
    // A rectangle too low for one line renders nothing unless asked to.
    EXPECT_EQ(renderer.Render(nullptr, QRectF(0, 0, 192, 3), 96, 96, 0).reached, 0);
    EXPECT_GT(renderer.Render(nullptr, QRectF(0, 0, 192, 3), 96, 96, 0, true).reached, 0);
    // Starting inside a line (laid out at another width before) continues there.
    const TRichTextRenderer::Range wide = renderer.Render(nullptr, QRectF(0, 0, 400, 20), 96, 96, 0);
    const TRichTextRenderer::Range narrow = renderer.Render(nullptr, QRectF(0, 0, 100, 60), 96, 96, wide.reached);
    EXPECT_EQ(narrow.first, wide.reached);
    EXPECT_GT(narrow.reached, wide.reached);
}

TEST(RichTextRenderer, LayoutIsTheSameAtEveryResolution)
{
    QTextDocument document;
    ASSERT_TRUE(TRtfReader::Read(Fixture("richedit-latvian.rtf"), document));
    TRichTextRenderer renderer(document);
    // One inch square at 96 and at 300 dpi, and recorded at 96 then replayed
    // at 300: the same characters fit and the ink scales with the resolution.
    QImage low = WhiteImage(200, 200, 96);
    QImage high = WhiteImage(625, 625, 300);
    QPainter lowPainter(&low);
    QPainter highPainter(&high);
    const auto lowRange = renderer.Render(&lowPainter, QRectF(0, 0, 192, 192), 96, 96, 0);
    const auto highRange = renderer.Render(&highPainter, QRectF(0, 0, 600, 600), 300, 300, 0);
    lowPainter.end();
    highPainter.end();
    EXPECT_EQ(lowRange.reached, highRange.reached);
    const QRect lowInk = InkBounds(low);
    const QRect highInk = InkBounds(high);
    ASSERT_FALSE(lowInk.isEmpty());
    EXPECT_NEAR(highInk.width(), lowInk.width() * 300.0 / 96.0, 8);
    EXPECT_NEAR(highInk.height(), lowInk.height() * 300.0 / 96.0, 8);

    QPicture picture;
    QPainter recorder(&picture);
    renderer.Render(&recorder, QRectF(0, 0, 192, 192), 96, 96, 0);
    recorder.end();
    QImage replayed = WhiteImage(625, 625, 300);
    QPainter replay(&replayed);
    // As the page replay does: the picture's own scaling by the device's
    // resolution is taken back, the transform alone sizes the page.
    replay.scale(300.0 / 96.0, 300.0 / 96.0);
    replay.scale(double(picture.logicalDpiX()) / replayed.logicalDpiX(),
                 double(picture.logicalDpiY()) / replayed.logicalDpiY());
    replay.drawPicture(0, 0, picture);
    replay.end();
    const QRect replayedInk = InkBounds(replayed);
    EXPECT_NEAR(replayedInk.width(), highInk.width(), 8);
    EXPECT_NEAR(replayedInk.height(), highInk.height(), 8);
}
