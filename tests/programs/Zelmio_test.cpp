// The zelmio program started as a host starts it, without a display: it must
// end by itself with the right exit code and say why on standard error.
#include "ProgramRunner.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kExe = QStringLiteral(ZELMIO_EXE);
const QString kAppData = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/app/data");
const QString kPacket = kAppData + QStringLiteral("/tiny-packet.xml");
const QString kTemplate = kAppData + QStringLiteral("/any-template.vx2");
} // namespace

TEST(ZelmioProgram, EndsWithACodeAndAMessageWithoutADisplay)
{
    struct Row {
        const char *name;
        QStringList args;
        int exitCode;
        QString stderrContains;
    } rows[] = {
        {"no arguments", {}, 2, "XML datu fails nav atrasts \n"},
        {"data file missing", {"-" + kTemplate, "", "-/nonexistent/data.xml"}, 2,
         "XML datu fails nav atrasts /nonexistent/data.xml\n"},
        {"template missing", {"-/nonexistent/t.vx2", "-/tmp/x.pdf", "-" + kPacket}, 3,
         "VX2 ails nav atrasts /nonexistent/t.vx2\n"},
        {"packet unreadable", {"-" + kTemplate, "-/tmp/x.pdf", "-" + kAppData + "/not-a-packet.xml"}, 4,
         "not-a-packet.xml"},
        {"designer without a display", {"x", "-/tmp/x.pdf", "-" + kPacket}, 1,
         "The report designer needs a display; PDF mode (a template and a PDF file as the first two arguments) "
         "runs without one\n"},
        {"preview without a display", {"-" + kTemplate, "", "-" + kPacket}, 1,
         "The report preview needs a display; PDF mode (a PDF file as the second argument) runs without one\n"},
        {"arguments that look like Qt options", {"-platform", "-reverse", "-" + kPacket}, 3,
         "VX2 ails nav atrasts platform\n"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(kExe, row.args);
        ASSERT_TRUE(r.finished) << "the program did not end by itself";
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(row.stderrContains)) << r.err.toStdString();
    }
}

TEST(ZelmioProgram, PdfModeWritesTheSampleWithoutADisplay)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("tags.pdf"));
    const QString sample = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags");
    const ProgramResult r = RunProgram(kExe, {"-" + sample + ".vx2", "-" + pdf, "-" + sample + ".xml"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(8).startsWith("%PDF-1.3"));
    // The text comes back from the file where pdftotext is installed.
    if (QFile::exists(QStringLiteral("/usr/bin/pdftotext"))) {
        const ProgramResult text = RunProgram(QStringLiteral("/usr/bin/pdftotext"), {pdf, "-"});
        EXPECT_TRUE(text.out.contains(QStringLiteral("\u0136ir\u0161u iev\u0101r\u012Bjums 350g")))
            << text.out.toStdString();
    }

    // A template that does not load: the message names it, no file is left.
    const QString broken = dir.filePath(QStringLiteral("broken.vx2"));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("object Header: TComponentFileHeader\r\n  UserData = {\r\n");
    brokenFile.close();
    const QString out = dir.filePath(QStringLiteral("broken.pdf"));
    const ProgramResult failed = RunProgram(kExe, {"-" + broken, "-" + out, "-" + sample + ".xml"});
    ASSERT_TRUE(failed.finished);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_TRUE(failed.err.contains(broken)) << failed.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));
}

namespace {

// Runs zelmio in PDF mode on a template and packet of the tests' data.
QString RunToPdf(const QString &dir, const QString &base, const QString &templ, const QString &packet)
{
    const QString pdf = dir + QLatin1Char('/') + base + QStringLiteral(".pdf");
    const ProgramResult r = RunProgram(kExe, {"-" + templ, "-" + pdf, "-" + packet});
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    return pdf;
}

QString PdfText(const QString &pdf)
{
    const ProgramResult r = RunProgram(QStringLiteral("pdftotext"), {pdf, "-"});
    EXPECT_EQ(r.exitCode, 0) << "pdftotext (poppler-utils) is needed: " << r.err.toStdString();
    return r.out;
}

// The pictures of a PDF as pdfimages lists them: "page width height" each.
QStringList PdfImages(const QString &pdf)
{
    const ProgramResult r = RunProgram(QStringLiteral("pdfimages"), {"-list", pdf});
    EXPECT_EQ(r.exitCode, 0) << "pdfimages (poppler-utils) is needed: " << r.err.toStdString();
    QStringList images;
    for (const QString &line : r.out.split(QLatin1Char('\n')).mid(2)) {
        const QStringList cols = line.simplified().split(QLatin1Char(' '));
        if (cols.size() > 4)
            images << cols[0] + QLatin1Char(' ') + cols[3] + QLatin1Char(' ') + cols[4];
    }
    return images;
}

} // namespace

// Scripts, print conditions, value maps, suppressed repeats, rotated texts,
// the label-name hooks and the pictures of BILDE, as the PDF shows them.
TEST(ZelmioProgram, PrintTimeRulesReachThePdf)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString data = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/programs/data/print-rules");
    const QString pdf = RunToPdf(dir.path(), "rules", data + ".vx2", data + ".xml");
    const QString text = PdfText(pdf);
    for (const char *shown : {
             "Piens 2,5% 1l", "Kef\u012Brs 1l", "Rupjmaize", "Baltmaize",        // records that print
             "Akcija", "Parasta",                                              // mapped codes
             "Viens simts piecdesmit se\u0161i EUR piecdesmit se\u0161i centi", // SumLatEur: a field in words
             "2026. gada 08. decembr\u012B",                                   // DatLat1: the date in words
             "Twenty one EUR 00 cents",                                        // SumEngExpr2: its caption in words
             "Pagriezts teksts", "Summa 5",                                    // rotated label and expression
             "Beigas"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(shown))) << shown << "\n" << text.toStdString();
    }
    // The band script keeps ISN 4 out, the print condition the dear one.
    EXPECT_FALSE(text.contains(QStringLiteral("Skripts sl\u0113pj")));
    EXPECT_FALSE(text.contains(QStringLiteral("D\u0101rgais sviests")));
    // A repeated group name prints once per run of equal values.
    EXPECT_EQ(text.count(QStringLiteral("Piena produkti")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Maize")), 1);
    EXPECT_EQ(text.count(QStringLiteral("Akcija")), 2);
    // PNG, JPEG and JPEG pictures; the broken PNG of Rupjmaize prints nothing.
    EXPECT_EQ(PdfImages(pdf), (QStringList{"1 24 16", "1 48 32", "1 48 32"}));

    // The rotated texts are turned in the page's text matrix.
    const ProgramResult content = RunProgram(QStringLiteral("mutool"), {"show", "-b", pdf, "pages/1/Contents"});
    EXPECT_TRUE(content.out.contains(QStringLiteral("0.0000 1.0000 -1.0000 0.0000 "))) << content.out.toStdString();
    EXPECT_TRUE(content.out.contains(QStringLiteral("0.0000 -1.0000 1.0000 0.0000 ")))
        << content.out.toStdString();
}

// The bundled invoice: page header with the customer on every page, groups
// with their sums, the summary with the amount in words, the page footer.
TEST(ZelmioProgram, TheInvoiceComesOutWithGroupsSumsAndTheAmountInWords)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sample = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/invoice");
    const QString pdf = dir.filePath(QStringLiteral("invoice.pdf"));
    // Numbers as the C locale writes them, whatever the machine's locale.
    ProgramOptions options;
    options.environment = {{QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8")}};
    const ProgramResult r = RunProgram(kExe, {"-" + sample + ".vx2", "-" + pdf, "-" + sample + ".xml"}, options);
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString text = PdfText(pdf);
    const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages[i].contains(QStringLiteral("SIA \"\u0112dn\u012Bca \u017Dub\u012Bte\"")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("R\u0113\u0137ins Nr.")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Lapa %1").arg(i + 1)));
    }
    // Each group's sum after its lines, in the order of the groups.
    int from = 0;
    for (const char *expected : {"281.78", "134.72", "609.26", "49.14", "91.34", "114.94", "202.62"}) {
        const int at = text.indexOf(QString::fromLatin1(expected), from);
        EXPECT_GT(at, from) << expected;
        from = at;
    }
    EXPECT_TRUE(pages[2].contains(QStringLiteral("1,483.80")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral(
        "Viens t\u016Bkstotis \u010Detri simti asto\u0146desmit tr\u012Bs EUR asto\u0146desmit centi")))
        << pages[2].toStdString();
}

// Price tags on a label sheet, each with its own PNG or JPEG picture.
TEST(ZelmioProgram, PriceTagsCarryTheirPictures)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString sample = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags");
    const QString pdf = RunToPdf(dir.path(), "tags", sample + ".vx2", sample + ".xml");
    // 24 tags on two pages, a picture each.
    const QStringList images = PdfImages(pdf);
    EXPECT_EQ(images.size(), 24);
    EXPECT_EQ(images.filter(QRegularExpression(QStringLiteral("^1 "))).size(), 21);
}

// A run that fails ends with code 1 and a message naming the template and
// the cause, and leaves a file of the output's name as it was.
TEST(ZelmioProgram, FailedRunsNameTheCauseAndKeepAnExistingFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("out.pdf"));
    const QString data = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/programs/data");
    const QString broken = dir.filePath(QStringLiteral("broken.vx2"));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("object Header: TComponentFileHeader\r\n  UserData = {\r\n");
    brokenFile.close();
    struct Row {
        const char *name;
        QString templ;
        QString pdf;
        QString message;
    } rows[] = {
        {"a template that does not load", broken, out, "Report " + broken + " could not be produced: "},
        {"an element too big for any page", data + "/does-not-fit.vx2", out,
         "Report " + data + "/does-not-fit.vx2 could not be produced: "
                            "Band DetailBand1: element Huge does not fit on an empty page"},
        {"an output folder that does not exist", data + "/print-rules.vx2", dir.filePath("no/such/dir/x.pdf"),
         "could not be produced: " + dir.filePath("no/such/dir/x.pdf") + ": cannot be written"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        QFile existing(out);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("the previous PDF");
        existing.close();
        const ProgramResult r = RunProgram(kExe, {"-" + row.templ, "-" + row.pdf, "-" + kPacket});
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_TRUE(r.err.contains(row.message)) << r.err.toStdString();
        ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
        EXPECT_EQ(existing.readAll(), QByteArray("the previous PDF"));
        existing.close();
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2) << "no temporary file is left";
    }
}
