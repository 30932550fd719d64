// The price-tag sample in PDF mode: its EAN-13 barcodes are read back by a
// barcode reader from a 300 dpi rendering of the PDF, and values that are no
// EAN-13 print as text with one warning per record while the file is still
// written.
#include "ProgramRunner.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <gtest/gtest.h>

namespace {
const QString kExe = QStringLiteral(ZELMIO_EXE);
const QString kSample = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags");

QString Tool(const char *name)
{
    const QString path = QStandardPaths::findExecutable(QLatin1String(name));
    if (path.isEmpty())
        ADD_FAILURE() << name << " is missing (scripts/setup.sh installs it)";
    return path;
}

// What zbarimg reads from every page of a PDF rendered at 300 dpi, sorted.
QStringList BarcodesOf(const QString &pdf, const QTemporaryDir &dir)
{
    const QString pdftoppm = Tool("pdftoppm");
    const QString zbarimg = Tool("zbarimg");
    if (pdftoppm.isEmpty() || zbarimg.isEmpty())
        return {};
    const QString prefix = dir.filePath(QStringLiteral("page"));
    const ProgramResult render = RunProgram(pdftoppm, {"-r", "300", "-png", pdf, prefix}, ProgramOptions{});
    EXPECT_EQ(render.exitCode, 0) << render.err.toStdString();
    QStringList pages;
    for (const QString &name : QDir(dir.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name))
        pages << dir.filePath(name);
    EXPECT_FALSE(pages.isEmpty());
    QStringList args{"-q"};
    args << pages;
    const ProgramResult read = RunProgram(zbarimg, args, ProgramOptions{});
    QStringList codes = read.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    codes.sort();
    return codes;
}

QStringList SampleEans()
{
    QFile file(kSample + QStringLiteral(".xml"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QString packet = QString::fromUtf8(file.readAll());
    QStringList eans;
    static const QRegularExpression ean(QStringLiteral(" EAN=\"(\\d+)\""));
    for (auto it = ean.globalMatch(packet); it.hasNext();)
        eans << QStringLiteral("EAN-13:") + it.next().captured(1);
    eans.sort();
    return eans;
}
} // namespace

TEST(Barcodes, TheSamplePdfCarriesTheEanOfEveryRecordAsVectorBars)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString pdf = dir.filePath(QStringLiteral("tags.pdf"));
    const ProgramResult r =
        RunProgram(kExe, {"-" + kSample + ".vx2", "-" + pdf, "-" + kSample + ".xml"}, ProgramOptions{});
    ASSERT_TRUE(r.finished);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    const QStringList expected = SampleEans();
    ASSERT_EQ(expected.size(), 24);
    EXPECT_EQ(BarcodesOf(pdf, dir), expected);

    // The bars are rectangles of the page's content (the file is written
    // uncompressed): 30 bars to an EAN-13, no pictures for them.
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_GE(bytes.count(" re\r\n"), 24 * 30);
}

TEST(Barcodes, ValuesThatAreNoEanPrintAsTextAndWarnOncePerRecord)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile sample(kSample + QStringLiteral(".vx2"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    QByteArray text = sample.readAll();
    ASSERT_TRUE(text.contains("DataField = 'EAN'"));
    text.replace("DataField = 'EAN'", "DataField = 'ARTIKULS'");
    const QString templateFile = dir.filePath(QStringLiteral("article-codes.vx2"));
    QFile out(templateFile);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text);
    out.close();

    const QString pdf = dir.filePath(QStringLiteral("tags.pdf"));
    const ProgramResult r =
        RunProgram(kExe, {"-" + templateFile, "-" + pdf, "-" + kSample + ".xml"}, ProgramOptions{});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_TRUE(QFile::exists(pdf));
    const QStringList lines = r.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 24) << r.err.toStdString();
    EXPECT_EQ(lines.first(), QStringLiteral("Warning: barcode Svitrkods, record 1: \"A-01000\" is no valid EAN-13 "
                                            "(EAN-13 takes digits only); printed as text"));
    for (int k = 0; k < lines.size(); ++k)
        EXPECT_TRUE(lines.at(k).contains(QStringLiteral(", record %1: ").arg(k + 1))) << lines.at(k).toStdString();
    EXPECT_TRUE(BarcodesOf(pdf, dir).isEmpty());

    const QString pdftotext = Tool("pdftotext");
    if (!pdftotext.isEmpty()) {
        const ProgramResult shown = RunProgram(pdftotext, {pdf, "-"}, ProgramOptions{});
        EXPECT_TRUE(shown.out.contains(QStringLiteral("A-01000")));
        EXPECT_TRUE(shown.out.contains(QStringLiteral("EAN-13 takes digits only")));
    }
}
