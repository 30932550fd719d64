#include "PdfTestSupport.h"

#include "export/VxExportFilterLibrary.h"
#include "export/pdf/VxPDFFilter.h"
#include "model/VxBrush.h"
#include "model/VxFont.h"
#include "model/VxHRule.h"
#include "model/VxImage.h"
#include "model/VxPen.h"
#include "model/VxPicture.h"
#include "model/VxShape.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// Each test starts from the settings of the program (code page 1257) and
// leaves the process-wide settings as it found them.
class PdfDocument : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = PDFSettings();
        PDFSettings() = TVxPDFSettings();
        PDFSettings().Codepage = QStringLiteral("1257");
    }
    void TearDown() override { PDFSettings() = m_saved; }

    static std::unique_ptr<TVxFont> Font(const QString &name = QStringLiteral("Arial"), int size = 10,
                                         TFontStyles style = {})
    {
        auto font = std::make_unique<TVxFont>();
        font->SetName(name);
        font->SetSize(size);
        font->SetStyle(style);
        font->SetColor(clBlack);
        font->SetCharset(TFontCharset::BALTIC_CHARSET);
        return font;
    }

    // An A4 document in memory.
    static void StartA4(TVxPDFDocumentFilter &pdf) { pdf.Start(2100, 2970, Font().get()); }

    // The lines of page k's content stream.
    static QList<QByteArray> Content(const QByteArray &doc, int page)
    {
        const QByteArray obj = PdfObject(doc, 2 * page + 3);
        const qsizetype from = obj.indexOf("stream\r\n") + 8;
        const qsizetype to = obj.indexOf("endstream");
        QList<QByteArray> lines = obj.mid(from, to - from).split('\n');
        for (QByteArray &line : lines)
            line = line.chopped(line.endsWith('\r') ? 1 : 0);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        return lines;
    }

    TVxPDFSettings m_saved;
};

TEST_F(PdfDocument, EmptyReportGivesOnePageWithBTAndET)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    pdf.Finish();
    const QByteArray doc = pdf.Stream();
    EXPECT_TRUE(doc.startsWith("%PDF-1.3\r\n%\xC5\xAD\x6F"));
    EXPECT_EQ(doc.indexOf("1 0 obj"), 17); // the second line adds 7
    EXPECT_EQ(PdfObject(doc, 5), QByteArray("5 0 obj\r\n<< /Length 8 >>\r\nstream\r\nBT\r\nET\r\nendstream\r\nendobj"));
    EXPECT_EQ(PdfObject(doc, 4),
              QByteArray("4 0 obj\r\n<<\r\n/Type /Page\r\n/Parent 3 0 R\r\n/Contents 5 0 R\r\n"
                         "/MediaBox [0 0 595 841]\r\n>>\r\nendobj"));
    EXPECT_EQ(PdfObject(doc, 7), QByteArray("7 0 obj\r\n[/PDF /Text]\r\nendobj"));
    EXPECT_TRUE(doc.contains("/Size 8\r\n/Root 1 0 R\r\n/Info 6 0 R\r\n>>\r\nstartxref\r\n"));
    EXPECT_TRUE(doc.endsWith("%%EOF\r\n"));
    EXPECT_EQ(XrefProblems(doc), QStringList());
}

TEST_F(PdfDocument, TwoPagesWithOneFontNumberTheObjectsInOrder)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    const auto font = Font();
    for (int page = 1; page <= 2; ++page) {
        pdf.NewPage();
        pdf.TextOut(TPaperPos(100, 100), font.get(), clNone, TAlignment::taLeftJustify, QStringLiteral("Lapa"));
        pdf.EndPage();
    }
    pdf.Finish();
    const QByteArray doc = pdf.Stream();
    ASSERT_EQ(pdf.PageCount(), 2);
    EXPECT_TRUE(PdfObject(doc, 1).contains("/Type /Catalog\r\n/Pages 3 0 R\r\n/Outlines 2 0 R"));
    EXPECT_TRUE(PdfObject(doc, 2).contains("/Type /Outlines\r\n/Count 0"));
    EXPECT_TRUE(PdfObject(doc, 3).contains("/Count 2\r\n/Kids [4 0 R 6 0 R]\r\n/MediaBox [0 0 595 841]\r\n"
                                           "/Resources << \r\n/Font << \r\n  /F00 8 0 R \r\n  >>\r\n"
                                           "/ProcSet 11 0 R\r\n>>\r\n>>\r\nendobj"));
    for (int page : {4, 6})
        EXPECT_TRUE(PdfObject(doc, page).contains("/Type /Page\r\n")) << page;
    EXPECT_TRUE(PdfObject(doc, 7).contains("<< /Length "));
    EXPECT_TRUE(PdfObject(doc, 8).contains("/Type /Font\r\n/Subtype /TrueType\r\n/Name /F00\r\n/BaseFont /Arial\r\n"));
    EXPECT_TRUE(PdfObject(doc, 8).contains("/FontDescriptor 9 0 R"));
    EXPECT_TRUE(PdfObject(doc, 9).contains("/Type /FontDescriptor"));
    EXPECT_TRUE(PdfObject(doc, 10).contains("/Producer (Dizez PDF Export)"));
    EXPECT_TRUE(PdfObject(doc, 11).contains("[/PDF /Text]"));
    EXPECT_TRUE(doc.contains("xref\r\n0 12\r\n0000000000 65535 f\r\n"));
    EXPECT_TRUE(doc.contains("/Size 12\r\n/Root 1 0 R\r\n/Info 10 0 R\r\n"));
    EXPECT_EQ(XrefProblems(doc), QStringList());
}

TEST_F(PdfDocument, TextLinesEscapeAndEncodeInTheFileCodePage)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    pdf.NewPage();
    pdf.TextOut(TPaperPos(0, 0), Font().get(), clNone, TAlignment::taLeftJustify, QStringLiteral("a(b)c\\d"));
    pdf.TextOut(TPaperPos(0, 100), Font().get(), clNone, TAlignment::taLeftJustify,
                QStringLiteral("Ķiršu ievārījums 3,05 €"));
    auto red = Font(QStringLiteral("Arial"), 12);
    red->SetColor(clRed);
    pdf.TextOut(TPaperPos(0, 200), red.get(), clNone, TAlignment::taLeftJustify, QStringLiteral("x"));
    pdf.Finish();
    const QList<QByteArray> content = Content(pdf.Stream(), 1);
    ASSERT_EQ(content.size(), 11);
    EXPECT_EQ(content[0], "BT");
    EXPECT_EQ(content[1], "0.00 0.00 0.00 rg");
    EXPECT_EQ(content[2], "/F00 10 Tf");
    EXPECT_EQ(content[3], " 1 0 0 1 0 831 Tm (a\\(b\\)c\\\\d) Tj");
    // 1257: Ķ 0xCD, š 0xF0, ā 0xE2, ī 0xEE; the euro sign as an escape.
    EXPECT_EQ(content[6], " 1 0 0 1 0 803 Tm (\xCDir\xF0u iev\xE2r\xEEjums 3,05 \\200) Tj");
    EXPECT_EQ(content[7], "1.00 0.00 0.00 rg");
    EXPECT_EQ(content[8], "/F00 12 Tf");
    EXPECT_EQ(content[10], "ET");
}

TEST_F(PdfDocument, AlignmentMovesTheTextByItsWidth)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    pdf.NewPage();
    const auto font = Font(QStringLiteral("Arial"), 20);
    for (TAlignment alignment : {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter})
        pdf.TextOut(TPaperPos(1000, 0), font.get(), clNone, alignment, QStringLiteral("Summa"));
    pdf.Finish();
    const QList<QByteArray> content = Content(pdf.Stream(), 1);
    ASSERT_EQ(content.size(), 11);
    auto x = [&](int line) { return content[line].split(' ').value(5).toInt(); };
    const int left = x(3), right = x(6), centre = x(9);
    EXPECT_EQ(left, 283); // 1000 (0.1 mm) at 72/25.4 points per mm
    EXPECT_GT(left - right, 40); // "Summa" at 20 points is about 60 points wide
    EXPECT_NEAR(left - centre, (left - right) / 2.0, 1.0);
}

TEST_F(PdfDocument, FontsAreKeyedByNameStyleAndCharset)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    pdf.NewPage();
    const auto plain = Font();
    const auto bold = Font(QStringLiteral("Arial"), 10, TFontStyle::fsBold);
    const auto mono = Font(QStringLiteral("Courier New"));
    for (const TVxFont *font : {plain.get(), bold.get(), plain.get(), mono.get()})
        pdf.TextOut(TPaperPos(0, 0), font, clNone, TAlignment::taLeftJustify, QStringLiteral("ā"));
    pdf.Finish();
    EXPECT_EQ(pdf.ReportFonts(), QStringList({QStringLiteral("Arial\t\t186\tArial"),
                                              QStringLiteral("Arial\tB\t186\tArial,Bold"),
                                              QStringLiteral("Courier New\t\t186\tCourierNew")}));
    const QByteArray doc = pdf.Stream();
    EXPECT_TRUE(PdfObject(doc, 3).contains("  /F00 6 0 R \r\n  /F01 8 0 R \r\n  /F02 10 0 R \r\n"));
    EXPECT_TRUE(PdfObject(doc, 8).contains("/Name /F01\r\n/BaseFont /Arial,Bold\r\n/FirstChar 0\r\n/LastChar 255\r\n"));
    EXPECT_TRUE(PdfObject(doc, 11).contains("/FontName /F02\r\n"));
    EXPECT_EQ(PdfObject(doc, 12).left(8), QByteArray("12 0 obj")); // information after the last font
    EXPECT_EQ(XrefProblems(doc), QStringList());

    for (int obj : {6, 8, 10}) {
        const QList<QByteArray> lines = PdfObject(doc, obj).split('\n');
        // "/Differences [ 2 /name ..." names the codes 2..255 after code page 1257.
        QByteArray encoding;
        QList<QByteArray> widths;
        for (int i = 0; i < lines.size(); ++i) {
            if (lines[i].startsWith("/Encoding "))
                encoding = lines[i].trimmed();
            if (lines[i].startsWith("/Widths [ "))
                widths = lines[i + 1].trimmed().split(' ');
        }
        ASSERT_TRUE(encoding.startsWith("/Encoding  <</Type/Encoding /Differences [ 2 /")) << encoding.left(60).data();
        ASSERT_TRUE(encoding.endsWith("]>>"));
        const QList<QByteArray> names = encoding.mid(encoding.indexOf("[ 2 ") + 5).chopped(3).split('/');
        ASSERT_EQ(names.size(), 254);
        EXPECT_EQ(names[0x41 - 2], "A");
        EXPECT_EQ(names[0x80 - 2], "Euro");
        EXPECT_EQ(names[0xE2 - 2], "amacron");
        EXPECT_EQ(names[0xF0 - 2], "scaron");
        EXPECT_EQ(names[0x81 - 2], "space"); // a code the code page leaves unassigned
        // 256 widths and the closing bracket (after a double blank).
        ASSERT_EQ(widths.size(), 256 + 2) << obj;
        EXPECT_EQ(widths.last(), "]");
        if (obj == 10) {
            // Courier New is monospaced: every printable code as wide as the space.
            for (int code = 33; code < 127; ++code)
                EXPECT_EQ(widths[code], widths[32]) << code;
        } else {
            EXPECT_GT(widths['W'].toInt(), widths['i'].toInt());
            EXPECT_GT(widths[0xE2].toInt(), 0); // ā measured in the Baltic code page
        }
    }
}

TEST_F(PdfDocument, ShapesBecomePathOperators)
{
    TVxPDFDocumentFilter pdf{QString()};
    StartA4(pdf);
    pdf.NewPage();
    TVxShape box;
    box.SetShape(TVxShapeType::vxsRectangle);
    box.SetBounds(0, 0, 100, 50);
    box.Brush()->SetColor(clYellow);
    box.Brush()->SetStyle(TBrushStyle::bsSolid);
    box.Pen()->SetColor(clBlue);
    box.Pen()->SetWidth(1);
    pdf.AcceptGraphic(TDevicePos(378, 378), &box); // 100 mm from the top left
    TVxShape circle;
    circle.SetShape(TVxShapeType::vxsCircle);
    circle.SetBounds(0, 0, 100, 100);
    circle.Brush()->SetStyle(TBrushStyle::bsClear);
    pdf.AcceptGraphic(TDevicePos(0, 0), &circle);
    TVxHRule rule;
    rule.SetBounds(0, 0, 200, 4);
    rule.Pen()->SetWidth(2);
    rule.Pen()->SetColor(clRed);
    pdf.AcceptGraphic(TDevicePos(0, 0), &rule);
    pdf.Finish();
    const QList<QByteArray> content = Content(pdf.Stream(), 1);
    ASSERT_GE(content.size(), 17);
    // Filled first (fill colour, "f"), then the outline (stroke colour, "s").
    EXPECT_EQ(content[0], "1.00 w");
    EXPECT_EQ(content[1], "1.00 1.00 0.00 rg");
    EXPECT_EQ(content[2], "283 520 75 37 re f");
    EXPECT_EQ(content[3], "1.00 w");
    EXPECT_EQ(content[4], "0.00 0.00 1.00 RG");
    EXPECT_EQ(content[5], "283 520 75 37 re s");
    // A circle: the top point, four Bézier arcs, stroked.
    EXPECT_EQ(content[6], " 1 w");
    EXPECT_EQ(content[7], "0.00 0.00 0.00 RG");
    EXPECT_EQ(content[8], "  37.5  841.9 m");
    EXPECT_TRUE(content[9].endsWith(" c"));
    EXPECT_TRUE(content[12].endsWith(" c s"));
    // The rule: a line through the middle of its height.
    EXPECT_EQ(content[13], " 2 w");
    EXPECT_EQ(content[14], "1.00 0.00 0.00 RG");
    EXPECT_EQ(content[15], "0 840 m 150 840 l s");
    EXPECT_EQ(content[16], "BT");
}

TEST_F(PdfDocument, ImagesAreInlineWithTheirFilters)
{
    QImage picture(4, 2, QImage::Format_RGB32);
    picture.fill(Qt::red);
    for (bool compressed : {true, false}) {
        TVxPDFDocumentFilter pdf{QString()};
        pdf.SetCompressionOn(compressed);
        StartA4(pdf);
        pdf.NewPage();
        TVxImage image;
        image.Picture()->SetImage(picture);
        image.SetStretch(true);
        image.SetBounds(0, 0, 40, 20);
        pdf.AcceptGraphic(TDevicePos(0, 0), &image);
        pdf.Finish();
        const QList<QByteArray> content = Content(pdf.Stream(), 1);
        ASSERT_GE(content.size(), 10);
        EXPECT_EQ(content[0], "q 30 0 0 15 0 826 cm");
        EXPECT_EQ(content[1], "BI");
        EXPECT_EQ(content[2], "/Width 40");
        EXPECT_EQ(content[3], "/Height 20");
        EXPECT_EQ(content[6], compressed ? "/Filter [/ASCII85Decode /LZWDecode]" : "/Filter [/ASCII85Decode]");
        EXPECT_EQ(content[7], "ID");
        const qsizetype ei = content.indexOf("EI");
        ASSERT_GT(ei, 8);
        EXPECT_TRUE(content[ei - 1].endsWith("~>"));
        EXPECT_EQ(content[ei + 1], "Q");
        EXPECT_EQ(XrefProblems(pdf.Stream()), QStringList());
    }
}

TEST_F(PdfDocument, InformationDictionary)
{
    struct Case {
        bool suppress;
        bool repeatable;
        bool hasDate;
    };
    for (const Case &c : {Case{false, false, true}, Case{true, false, false}, Case{false, true, true}}) {
        PDFSettings().SuppressDateTime = c.suppress;
        PDFSettings().Repeatable = c.repeatable;
        PDFSettings().MetaData = {QStringLiteral(" Keywords , cenas "), QStringLiteral("bad"),
                                  QStringLiteral("a,b,c"), QStringLiteral(",x")};
        TVxPDFDocumentFilter pdf{QString()};
        pdf.SetDocumentInfo(QStringLiteral("Zelmio"), QStringLiteral("Anna"), QStringLiteral("Cenas"),
                            QStringLiteral("Cenu zīmes"));
        StartA4(pdf);
        pdf.Finish();
        const QByteArray info = PdfObject(pdf.Stream(), 6);
        EXPECT_EQ(info.contains("/CreationDate ("), c.hasDate) << info.data();
        EXPECT_TRUE(info.endsWith("/Producer (Dizez PDF Export)\r\n/Subject (Cenas )\r\n/Creator (Zelmio)\r\n"
                                  "/Title (Cenu z\xEEmes)\r\n/Author (Anna)\r\n/Keywords(cenas)\r\n>>\r\nendobj"))
            << info.data();
        EXPECT_EQ(pdf.Stream().contains("/ID [<"), c.repeatable);
    }
}

TEST_F(PdfDocument, RepeatableOutputIsTheSameEveryTime)
{
    PDFSettings().Repeatable = true;
    auto run = [] {
        TVxPDFDocumentFilter pdf{QString()};
        StartA4(pdf);
        pdf.NewPage();
        pdf.TextOut(TPaperPos(100, 100), Font().get(), clNone, TAlignment::taLeftJustify, QStringLiteral("Cena"));
        pdf.Finish();
        return pdf.Stream();
    };
    const QByteArray first = run();
    EXPECT_EQ(run(), first);
    EXPECT_EQ(XrefProblems(first), QStringList());
}

TEST_F(PdfDocument, SubstitutionWritesStandardType1Fonts)
{
    const QStringList rules = {QStringLiteral("Arial:Helvetica"), QStringLiteral("Times New Roman:Times"),
                               QStringLiteral("Courier New:Courier"), QStringLiteral("Arial:Times New Roman")};
    struct Case {
        const char *name;
        bool bold, italic;
        const char *base;
    };
    for (const Case &c : {Case{"Arial", true, true, "Helvetica-BoldOblique"}, Case{"Arial", false, false, "Helvetica"},
                          Case{"Times New Roman", true, false, "Times-Bold"},
                          Case{"Times New Roman", false, true, "Times-Italic"},
                          Case{"Courier New", false, true, "Courier-Oblique"}, Case{"Tahoma", false, false, "Courier"}})
        EXPECT_EQ(SubstitutedBaseFont(TPdfFontKey::Make(QLatin1String(c.name), c.bold, c.italic, 186), rules),
                  QLatin1String(c.base))
            << c.name;

    TVxPDFDocumentFilter pdf{QString()};
    pdf.AddFontMap(QStringLiteral(" Arial : Times New Roman "));
    pdf.AddFontMap(QStringLiteral("Arial:Times New Roman"));
    EXPECT_EQ(pdf.SubstitutedFonts(), rules);
    pdf.SetFontHandling(TFontHandling::fhSubstitute);
    StartA4(pdf);
    pdf.NewPage();
    pdf.TextOut(TPaperPos(0, 0), Font().get(), clNone, TAlignment::taLeftJustify, QStringLiteral("x"));
    pdf.TextOut(TPaperPos(0, 0), Font(QStringLiteral("Arial"), 10, TFontStyle::fsBold).get(), clNone,
                TAlignment::taLeftJustify, QStringLiteral("x"));
    pdf.Finish();
    const QByteArray doc = pdf.Stream();
    EXPECT_EQ(PdfObject(doc, 6), QByteArray("6 0 obj\r\n<<\r\n/Type /Font\r\n/Subtype /Type1\r\n/Name /F00\r\n"
                                            "/BaseFont /Helvetica\r\n/Encoding /WinAnsiEncoding\r\n>>\r\nendobj"));
    EXPECT_TRUE(PdfObject(doc, 7).contains("/BaseFont /Helvetica-Bold\r\n"));
    EXPECT_TRUE(doc.contains("/Info 8 0 R"));
    EXPECT_EQ(XrefProblems(doc), QStringList());
}

TEST_F(PdfDocument, FailuresLeaveNoPartialFileAndKeepAnExistingOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // A path that cannot be written fails at Start, naming the file.
    const QString unwritable = dir.filePath(QStringLiteral("missing/out.pdf"));
    {
        TVxPDFDocumentFilter pdf(unwritable);
        try {
            StartA4(pdf);
            FAIL() << "Start did not fail";
        } catch (const EVxError &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(unwritable + QStringLiteral(": cannot be written")))
                << e.what();
        }
    }
    // A font error at Finish leaves the previous file as it was.
    const QString target = dir.filePath(QStringLiteral("out.pdf"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous");
    }
    {
        TVxPDFDocumentFilter pdf(target);
        pdf.AddCustomWidths(QStringLiteral("Arial"), QStringLiteral("500 500 500"));
        StartA4(pdf);
        pdf.NewPage();
        pdf.TextOut(TPaperPos(0, 0), Font().get(), clNone, TAlignment::taLeftJustify, QStringLiteral("x"));
        try {
            pdf.Finish();
            FAIL() << "Finish did not fail";
        } catch (const ERangeError &e) {
            EXPECT_STREQ(e.what(), "Not enough Custom widths (3 < 256) for font \"Arial\t\t186\tArial\"  ");
        }
    }
    EXPECT_EQ(ReadAll(target), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("out.pdf")}));
}

TEST_F(PdfDocument, WrittenFileOpensInOtherReaders)
{
    if (!HaveProgram(QStringLiteral("qpdf")) || !HaveProgram(QStringLiteral("pdftotext")))
        GTEST_SKIP() << "qpdf or pdftotext not installed";
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("doc.pdf"));
    TVxPDFDocumentFilter pdf(file);
    StartA4(pdf);
    pdf.NewPage();
    pdf.TextOut(TPaperPos(200, 200), Font().get(), clNone, TAlignment::taLeftJustify,
                QStringLiteral("Ķiršu ievārījums 3,05 €"));
    pdf.TextOut(TPaperPos(1900, 300), Font(QStringLiteral("Times New Roman"), 12, TFontStyle::fsItalic).get(), clNone,
                TAlignment::taRightJustify, QStringLiteral("(Summa) 12,00"));
    TVxShape box;
    box.SetBounds(0, 0, 100, 50);
    pdf.AcceptGraphic(TDevicePos(100, 200), &box);
    pdf.Finish();
    EXPECT_EQ(QpdfProblems(file), QString());
    if (HaveProgram(QStringLiteral("mutool"))) {
        EXPECT_EQ(MutoolProblems(file), QString());
    }
    const QString text = PdfToText(file);
    EXPECT_TRUE(text.contains(QStringLiteral("Ķiršu ievārījums 3,05 €"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("(Summa) 12,00"))) << text.toStdString();
}

TEST_F(PdfDocument, FilterComponentRegistersTheDocumentFilter)
{
    {
        TVxPDFFilter component;
        component.SetCodepage(QStringLiteral("1257"));
        EXPECT_EQ(TVxPAbstractExportFilter::Codepage(), QStringLiteral("1257"));
        const TVxExportFilterLibraryEntry *entry = VXExportFilterLibrary().GetFilterByExtension(QStringLiteral("pdf"));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->FilterName(), QStringLiteral("PDF document"));
        const auto filter = entry->ExportFilterClass().Create(QString());
        EXPECT_EQ(filter->GetDescription(), QStringLiteral("PDF document filter"));
    }
    EXPECT_EQ(VXExportFilterLibrary().GetFilterByExtension(QStringLiteral("PDF")), nullptr);
}

} // namespace
