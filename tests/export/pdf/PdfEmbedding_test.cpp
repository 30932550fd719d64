// Fonts embedded as subsets: the four objects of an embedded font, the
// glyphs the subset keeps, the /ToUnicode map, and how other readers see the
// file.
#include "PdfTestSupport.h"

#include "export/pdf/PdfFontEmbedding.h"
#include "export/pdf/VxPDFFilter.h"
#include "model/VxFont.h"

#include <QRawFont>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

class PdfEmbedding : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = PDFSettings();
        PDFSettings() = TVxPDFSettings();
        PDFSettings().Codepage = QStringLiteral("1257");
        ASSERT_TRUE(m_dir.isValid());
    }
    void TearDown() override { PDFSettings() = m_saved; }

    static std::unique_ptr<TVxFont> Font(const QString &name, TFontStyles style = {},
                                         TFontCharset charset = TFontCharset::BALTIC_CHARSET)
    {
        auto font = std::make_unique<TVxFont>();
        font->SetName(name);
        font->SetSize(12);
        font->SetStyle(style);
        font->SetColor(clBlack);
        font->SetCharset(charset);
        return font;
    }

    struct Text {
        QString text;
        std::unique_ptr<TVxFont> font;
    };
    // One page with the texts one under another, written to a file.
    QByteArray Write(TVxPDFDocumentFilter &pdf, const std::vector<Text> &texts)
    {
        pdf.Start(2100, 2970, texts.front().font.get());
        pdf.NewPage();
        int y = 100;
        for (const Text &t : texts) {
            pdf.TextOut(TPaperPos(100, y), t.font.get(), clNone, TAlignment::taLeftJustify, t.text);
            y += 100;
        }
        pdf.Finish();
        return ReadAll(pdf.Filename());
    }

    // The bytes of stream object n.
    static QByteArray StreamOf(const QByteArray &doc, int n)
    {
        const QByteArray obj = PdfObject(doc, n);
        const qsizetype from = obj.indexOf("stream\r\n") + 8;
        return obj.mid(from, obj.lastIndexOf("\r\nendstream") - from);
    }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TVxPDFSettings m_saved;
};

TEST_F(PdfEmbedding, AddedFontsAreEmbeddedSubsetsInFourObjects)
{
    // One page: font objects from 6. Arial and Arial,Bold are embedded
    // (AddTTFont names the font), Times New Roman stays described.
    TVxPDFDocumentFilter pdf(Path(QStringLiteral("embedded.pdf")));
    pdf.AddTTFont(QStringLiteral("Arial"));
    std::vector<Text> texts;
    texts.push_back({QStringLiteral("Ķiršu ievārījums 3,05 €"), Font(QStringLiteral("Arial"))});
    texts.push_back({QStringLiteral("Zaļā"), Font(QStringLiteral("Arial"), TFontStyle::fsBold)});
    texts.push_back({QStringLiteral("Times"), Font(QStringLiteral("Times New Roman"))});
    const QByteArray doc = Write(pdf, texts);
    EXPECT_EQ(XrefProblems(doc), QStringList());
    EXPECT_TRUE(PdfObject(doc, 3).contains("  /F00 6 0 R \r\n  /F01 10 0 R \r\n  /F02 14 0 R \r\n"))
        << PdfObject(doc, 3).data();

    // Font, descriptor, program and its length; info 16, procedure set 17,
    // the two /ToUnicode maps 18 and 19.
    const QByteArray font = PdfObject(doc, 6);
    EXPECT_TRUE(QString::fromLatin1(font).contains(QRegularExpression(QStringLiteral("\r\n/BaseFont /[A-Z]{6}\\+Arial\r\n"))))
        << font.data();
    EXPECT_TRUE(font.contains("\r\n/FontDescriptor 7 0 R\r\n/ToUnicode 18 0 R\r\n>>")) << font.data();
    EXPECT_TRUE(PdfObject(doc, 7).contains("/ItalicAngle 0\r\n/FontFile2 8 0 R\r\n>>")) << PdfObject(doc, 7).data();
    EXPECT_TRUE(PdfObject(doc, 8).contains("8 0 obj\r\n<< /Length 9 0 R /Length1 9 0 R >>\r\nstream\r\n"));
    const QByteArray program = StreamOf(doc, 8);
    EXPECT_EQ(PdfObject(doc, 9), "9 0 obj\r\n   " + QByteArray::number(program.size()) + "\r\nendobj");
    EXPECT_TRUE(QString::fromLatin1(PdfObject(doc, 10)).contains(QRegularExpression(QStringLiteral("/BaseFont /[A-Z]{6}\\+Arial,Bold\r\n"))));
    EXPECT_TRUE(PdfObject(doc, 14).contains("/BaseFont /TimesNewRoman\r\n"));
    EXPECT_FALSE(PdfObject(doc, 15).contains("/FontFile2"));
    EXPECT_TRUE(PdfObject(doc, 16).contains("/Producer"));
    EXPECT_TRUE(PdfObject(doc, 17).contains("[/PDF /Text]"));
    EXPECT_TRUE(doc.contains("trailer\r\n<<\r\n/Size 20\r\n"));

    // The subset holds the glyphs of the used codes and no others; the
    // widths stay those of the whole font.
    const QRawFont subset(program, 12);
    ASSERT_TRUE(subset.isValid());
    for (char16_t kept : {u'Ķ', u'ā', u'ī', u'€', u'3', u' '})
        EXPECT_TRUE(subset.supportsCharacter(QChar(kept))) << int(kept);
    for (char16_t dropped : {u'Z', u'ļ', u'x', u'Q'})
        EXPECT_FALSE(subset.supportsCharacter(QChar(dropped))) << int(dropped);
    EXPECT_LT(program.size(), 40000);
    EXPECT_TRUE(font.contains("/Widths [ "));

    // Code 0xE2 (ā in code page 1257) maps to U+0101; unused codes are not mapped.
    const QByteArray cmap = StreamOf(doc, 18);
    EXPECT_TRUE(cmap.contains("\r\n<E2> <0101>\r\n")) << cmap.data();
    EXPECT_TRUE(cmap.contains("\r\n<80> <20AC>\r\n"));
    EXPECT_FALSE(cmap.contains("<5A> <005A>"));
    EXPECT_TRUE(StreamOf(doc, 19).contains("\r\n<5A> <005A>\r\n"));
}

TEST_F(PdfEmbedding, EmbeddedDocumentsReadBackInOtherReaders)
{
    if (!HaveProgram(QStringLiteral("qpdf")) || !HaveProgram(QStringLiteral("pdftotext")))
        GTEST_SKIP() << "qpdf or pdftotext not installed";
    // Latvian in code page 1257 and Russian in 1251, every font embedded
    // (the euro sign is code 0x80, which is not the euro in 1251).
    struct Case {
        const char *codepage;
        TFontCharset charset;
        QString text;
    } cases[] = {
        {"1257", TFontCharset::BALTIC_CHARSET, QStringLiteral("Ķiršu ievārījums 3,05 € Ūdens")},
        {"1251", TFontCharset::RUSSIAN_CHARSET, QStringLiteral("Вишнёвое варенье 3,05 Щука")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.codepage);
        PDFSettings().Codepage = QLatin1String(c.codepage);
        const QString file = Path(QStringLiteral("read-%1.pdf").arg(QLatin1String(c.codepage)));
        TVxPDFDocumentFilter pdf(file);
        pdf.SetFontHandling(TFontHandling::fhAutoEmbed);
        std::vector<Text> texts;
        texts.push_back({c.text, Font(QStringLiteral("Arial"), {}, c.charset)});
        texts.push_back({c.text, Font(QStringLiteral("Times New Roman"), TFontStyle::fsItalic, c.charset)});
        texts.push_back({c.text, Font(QStringLiteral("Courier New"), TFontStyle::fsBold, c.charset)});
        Write(pdf, texts);
        EXPECT_EQ(QpdfProblems(file), QString());
        if (HaveProgram(QStringLiteral("mutool"))) {
            EXPECT_EQ(MutoolProblems(file), QString());
            // mutool's own text extraction goes through the /ToUnicode maps.
            const QString mutext = RunProgram(QStringLiteral("mutool"), {QStringLiteral("draw"), QStringLiteral("-F"),
                                                                         QStringLiteral("txt"), file});
            EXPECT_EQ(mutext.count(c.text), 3) << mutext.toStdString();
        }
        const QStringList lines = PdfToText(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_GE(lines.size(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(lines[i].trimmed(), c.text);
        if (HaveProgram(QStringLiteral("pdffonts"))) {
            const QString fonts = RunProgram(QStringLiteral("pdffonts"), {file});
            for (const char *name : {"Arial", "TimesNewRoman,Italic", "CourierNew,Bold"}) {
                const QRegularExpression row(QStringLiteral("\\n[A-Z]{6}\\+%1 +TrueType +\\S+ +yes +yes +yes ")
                                                 .arg(QRegularExpression::escape(QLatin1String(name))));
                EXPECT_TRUE(fonts.contains(row)) << name << "\n" << fonts.toStdString();
            }
        }
    }
}

TEST_F(PdfEmbedding, FontDataThatCannotBeSubsetIsNamed)
{
    const TFontFile real = FindFontFile(TPdfFontKey::Make(QStringLiteral("Arial"), false, false, 186));
    ASSERT_FALSE(real.Data.isEmpty());
    std::bitset<256> used;
    used.set('A');
    const std::array<char16_t, 256> chars = CodeCharacters(186);
    EXPECT_FALSE(SubsetFontProgram(real, used, chars, QStringLiteral("Arial")).isEmpty());
    struct Case {
        const char *name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"not a font", QByteArray("this is not a font file at all, just text", 42)},
        {"cut short", real.Data.left(400)},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        try {
            SubsetFontProgram(TFontFile{QStringLiteral("/fonts/broken.ttf"), 0, c.data}, used, chars,
                              QStringLiteral("Arial"));
            ADD_FAILURE() << "no error";
        } catch (const EVxError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(
                QStringLiteral("Font \"Arial\" (/fonts/broken.ttf) cannot be embedded: ")))
                << e.what();
        }
    }
}

} // namespace
