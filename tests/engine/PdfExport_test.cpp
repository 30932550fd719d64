// Reports run through the PDF document filter, checked as other readers see
// the files.
#include "EngineTestSupport.h"

#include "../export/pdf/PdfTestSupport.h"

#include "export/pdf/VxPDFFilter.h"
#include "model/VxBrush.h"
#include "model/VxFont.h"
#include "model/VxHRule.h"
#include "model/VxImage.h"
#include "model/VxPen.h"
#include "model/VxPicture.h"
#include "model/VxPrinterSettings.h"
#include "model/VxShape.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

class PdfExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_saved = PDFSettings();
        PDFSettings() = TVxPDFSettings();
        PDFSettings().Codepage = QStringLiteral("1257");
        ASSERT_TRUE(m_dir.isValid());
        f.report->Font()->SetName(QStringLiteral("Arial"));
        f.report->Font()->SetSize(10);
        f.report->Font()->SetCharset(TFontCharset::BALTIC_CHARSET);
    }
    void TearDown() override { PDFSettings() = m_saved; }

    QString Path(const QString &name) const { return m_dir.filePath(name); }

    // Runs the report into a PDF file; its bytes.
    QByteArray Export(const QString &file)
    {
        TVxPDFDocumentFilter pdf(file);
        pdf.AddFontMap(QStringLiteral("Arial:Times New Roman"));
        ExportReportToFilter(*f.report, pdf);
        return ReadAll(file);
    }

    // A price list: a title, a rule and a box under it, and one detail line
    // per record.
    void BuildPriceList(int records, long double detailHeight = 60)
    {
        f.SetData(kNumberField, NumberedRows(records));
        TVxBand *title = f.AddBand(TVxBandType::rbTitle, 300);
        f.AddLabel(title, QStringLiteral("Ķiršu ievārījums 3,05 €"), 100, 20);
        auto *rule = f.AddElement<TVxHRule>(title, 100, 150, 1500, 10);
        rule->Pen()->SetWidth(2);
        auto *box = f.AddElement<TVxShape>(title, 100, 180, 500, 100);
        box->Brush()->SetColor(clYellow);
        auto *image = f.AddElement<TVxImage>(title, 700, 180, 200, 100);
        QImage picture(20, 10, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        image->Picture()->SetImage(picture);
        image->SetStretch(true);
        TVxBand *detail = f.AddBand(TVxBandType::rbDetail, detailHeight);
        f.AddLabel(detail, QStringLiteral("Prece"), 100, 0);
        f.AddField(detail, QStringLiteral("NR"), 800, 0);
    }

    ReportFixture f;
    QTemporaryDir m_dir;
    TVxPDFSettings m_saved;
};

TEST_F(PdfExport, PriceListReadsBackInOtherReaders)
{
    if (!HaveProgram(QStringLiteral("qpdf")) || !HaveProgram(QStringLiteral("pdftotext")))
        GTEST_SKIP() << "qpdf or pdftotext not installed";
    BuildPriceList(3);
    const QString file = Path(QStringLiteral("prices.pdf"));
    const QByteArray doc = Export(file);
    ASSERT_FALSE(doc.isEmpty());
    EXPECT_EQ(XrefProblems(doc), QStringList());
    EXPECT_EQ(QpdfProblems(file), QString());
    if (HaveProgram(QStringLiteral("mutool"))) {
        EXPECT_EQ(MutoolProblems(file), QString());
    }
    const QStringList lines = PdfToText(file).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 4) << lines.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(lines[0].trimmed(), QStringLiteral("Ķiršu ievārījums 3,05 €"));
    for (int nr = 1; nr <= 3; ++nr)
        EXPECT_EQ(lines[nr].simplified(), QStringLiteral("Prece %1").arg(nr));
    // The title's rule, box and picture are on the page.
    const QByteArray content = PdfObject(doc, 5);
    EXPECT_TRUE(content.contains(" RG\r\n")) << content.left(400).data();
    EXPECT_TRUE(content.contains("1.00 1.00 0.00 rg\r\n"));
    EXPECT_TRUE(content.contains("\r\nBI\r\n/Width 76\r\n/Height 38\r\n")) << content.data();
    if (HaveProgram(QStringLiteral("pdffonts"))) {
        const QString fonts = RunProgram(QStringLiteral("pdffonts"), {file});
        EXPECT_TRUE(fonts.contains(QRegularExpression(QStringLiteral("\\nArial +TrueType"))))
            << fonts.toStdString();
    }
}

TEST_F(PdfExport, PageRangeOfThePrinterSettingsLimitsTheDocument)
{
    // One record per page: five pages.
    BuildPriceList(5, 2000);
    f.report->PrinterSettings()->SetFirstPage(2);
    f.report->PrinterSettings()->SetLastPage(3);
    const QString file = Path(QStringLiteral("range.pdf"));
    const QByteArray doc = Export(file);
    EXPECT_TRUE(PdfObject(doc, 3).contains("/Count 2\r\n/Kids [4 0 R 6 0 R]")) << PdfObject(doc, 3).data();
    EXPECT_EQ(XrefProblems(doc), QStringList());
    if (HaveProgram(QStringLiteral("pdftotext"))) {
        const QString text = PdfToText(file).simplified();
        EXPECT_EQ(text, QStringLiteral("Prece 2 Prece 3")) << text.toStdString();
    }
}

TEST_F(PdfExport, CompressedContentStreamsReadBackTheSame)
{
    BuildPriceList(20);
    const QByteArray plain = Export(Path(QStringLiteral("plain.pdf")));
    PDFSettings().CompressContent = true;
    const QString file = Path(QStringLiteral("flate.pdf"));
    const QByteArray compressed = Export(file);
    ASSERT_FALSE(compressed.isEmpty());
    EXPECT_TRUE(PdfObject(compressed, 5).contains("/Filter /FlateDecode")) << PdfObject(compressed, 5).left(80).data();
    EXPECT_LT(compressed.size(), plain.size());
    EXPECT_EQ(XrefProblems(compressed), QStringList());
    if (HaveProgram(QStringLiteral("qpdf"))) {
        EXPECT_EQ(QpdfProblems(file), QString());
    }
    if (HaveProgram(QStringLiteral("pdftotext"))) {
        EXPECT_EQ(PdfToText(file), PdfToText(Path(QStringLiteral("plain.pdf"))));
    }
}

TEST_F(PdfExport, RepeatableRunsGiveTheSameFile)
{
    PDFSettings().Repeatable = true;
    BuildPriceList(4);
    const QByteArray first = Export(Path(QStringLiteral("a.pdf")));
    const QByteArray second = Export(Path(QStringLiteral("b.pdf")));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first, second);
}

TEST_F(PdfExport, PagesSpooledOnTheirOwnThreadGiveTheSameBytes)
{
    // Many pages and a picture: the spool thread encodes the picture and
    // writes pages while the next ones are generated.
    PDFSettings().Repeatable = true;
    BuildPriceList(60, 400);
    for (bool compressed : {false, true}) {
        SCOPED_TRACE(compressed ? "compressed" : "plain");
        PDFSettings().CompressContent = compressed;
        PDFSettings().SpoolThread = false;
        const QByteArray alone = Export(Path(QStringLiteral("alone.pdf")));
        PDFSettings().SpoolThread = true;
        const QByteArray threaded = Export(Path(QStringLiteral("threaded.pdf")));
        ASSERT_GT(alone.size(), 5000);
        EXPECT_TRUE(alone == threaded);
        EXPECT_EQ(XrefProblems(threaded), QStringList());
    }
}

TEST_F(PdfExport, FailedExportKeepsThePreviousFile)
{
    BuildPriceList(2);
    const QString file = Path(QStringLiteral("kept.pdf"));
    {
        QFile old(file);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("previous");
    }
    TVxPDFDocumentFilter pdf(file);
    pdf.AddCustomWidths(QStringLiteral("Arial"), QStringLiteral("1 2"));
    EXPECT_THROW(ExportReportToFilter(*f.report, pdf), ERangeError);
    EXPECT_EQ(ReadAll(file), QByteArray("previous"));
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList({QStringLiteral("kept.pdf")}));
}

} // namespace
