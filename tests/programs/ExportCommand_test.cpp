// zelmio-tool export runs a template through the export filter of the
// output's extension; the PDFs it writes are checked by other readers where
// they are installed.
#include "ProgramRunner.h"
#include "SpreadsheetCells.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);
const QString kTemplate = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.vx2");
const QString kPacket = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.xml");

bool Have(const char *program)
{
    return !QStandardPaths::findExecutable(QLatin1String(program)).isEmpty();
}
} // namespace

TEST(ExportCommand, TheSampleBecomesAPdfWithDescribedOrEmbeddedFonts)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const bool embed : {false, true}) {
        SCOPED_TRACE(embed ? "--embed-fonts" : "described fonts");
        const QString pdf = dir.filePath(embed ? QStringLiteral("embedded.pdf") : QStringLiteral("tags.pdf"));
        QStringList args{"export", kTemplate, kPacket, pdf, "--locale", "lv"};
        if (embed)
            args << "--embed-fonts";
        const ProgramResult r = RunProgram(kTool, args);
        ASSERT_TRUE(r.finished);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        // 24 price tags, 21 to a page.
        EXPECT_TRUE(r.out.startsWith(QStringLiteral("Pages: 2\nBytes: %1\n").arg(QFileInfo(pdf).size())))
            << r.out.toStdString();

        if (Have("qpdf")) {
            const ProgramResult check = RunProgram(QStringLiteral("qpdf"), {"--check", pdf});
            EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();
        }
        if (Have("mutool")) {
            const ProgramResult draw = RunProgram(QStringLiteral("mutool"), {"draw", "-F", "pnm", "-o", "/dev/null", pdf});
            EXPECT_EQ(draw.exitCode, 0);
            QString messages = draw.out + draw.err;
            messages.remove(QStringLiteral("warning: ICC support is not available"));
            EXPECT_FALSE(messages.contains(QLatin1String("warning")) || messages.contains(QLatin1String("error")))
                << messages.toStdString();
        }
        if (Have("pdftotext")) {
            const ProgramResult text = RunProgram(QStringLiteral("pdftotext"), {"-layout", pdf, "-"});
            EXPECT_TRUE(text.out.contains(QStringLiteral("Kūpināts šķiņķis"))) << text.out.toStdString();
            EXPECT_TRUE(text.out.contains(QStringLiteral("Ķiršu ievārījums 350g")));
        }
        if (Have("pdffonts")) {
            const ProgramResult fonts = RunProgram(QStringLiteral("pdffonts"), {pdf});
            const QString prefix = embed ? QStringLiteral("[A-Z]{6}\\+") : QString();
            const QString flags = embed ? QStringLiteral("yes +yes +yes") : QStringLiteral("no +no +no");
            for (const char *name : {"Arial", "Arial,Bold"}) {
                const QRegularExpression row(QStringLiteral("\\n%1%2 +TrueType +Custom +%3 ")
                                                 .arg(prefix, QRegularExpression::escape(QLatin1String(name)), flags));
                EXPECT_TRUE(fonts.out.contains(row)) << name << "\n" << fonts.out.toStdString();
            }
        }
    }
}

TEST(ExportCommand, BadInputIsNamedAndLeavesNoFile)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
    struct Row {
        const char *name;
        QStringList args;
        int exitCode;
        QString stderrContains;
    } rows[] = {
        {"missing packet", {"export", kTemplate, "/nonexistent/p.xml", pdf}, 1, "/nonexistent/p.xml"},
        {"missing template", {"export", "/nonexistent/t.vx2", kPacket, pdf}, 1, "/nonexistent/t.vx2"},
        {"unwritable output", {"export", kTemplate, kPacket, "/nonexistent/dir/out.pdf"}, 1, "/nonexistent/dir/out.pdf"},
        {"no filter for the extension", {"export", kTemplate, kPacket, dir.filePath("out.odt")}, 1, "\"odt\""},
        {"no output named", {"export", kTemplate, kPacket}, 2, "output file"},
        {"bad locale", {"export", kTemplate, kPacket, pdf, "--locale", "de"}, 2, "--locale"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_TRUE(r.err.contains(row.stderrContains)) << r.err.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// The sample as a spreadsheet in each format, read by other readers: the
// same cells in all three, prices as numbers in the spreadsheets, the
// Latvian names intact. An unwritable .xls output is named.
TEST(ExportCommand, TheSampleBecomesASpreadsheet)
{
    using namespace zelmio::test;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    std::vector<SheetCell> xlsCells;
    for (const QString &name : {QStringLiteral("tags.xls"), QStringLiteral("tags.xlsx"), QStringLiteral("tags.csv")}) {
        SCOPED_TRACE(name.toStdString());
        const QString out = dir.filePath(name);
        const ProgramResult r = RunProgram(kTool, {"export", kTemplate, kPacket, out, "--locale", "lv"});
        ASSERT_TRUE(r.finished);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(QStringLiteral("Bytes: %1\n").arg(QFileInfo(out).size()))) << r.out.toStdString();
        const ReadCells read = ReadSpreadsheet(out);
        ASSERT_TRUE(read.ok) << read.error.toStdString();
        EXPECT_NE(std::find(read.cells.begin(), read.cells.end(), Txt(0, 0, QStringLiteral("Piens 2,5% 1l"))),
                  read.cells.end());
        bool latvian = false;
        for (const SheetCell &c : read.cells)
            latvian = latvian || c.text == QStringLiteral("Kūpināts šķiņķis");
        EXPECT_TRUE(latvian);
        if (name.endsWith(u"xls")) {
            xlsCells = read.cells;
            EXPECT_NE(std::find(xlsCells.begin(), xlsCells.end(), Num(1, 1, 0.99)), xlsCells.end());
        } else if (name.endsWith(u"xlsx")) {
            EXPECT_EQ(read.cells, xlsCells);
        } else {
            ASSERT_EQ(read.cells.size(), xlsCells.size());
            for (size_t i = 0; i < xlsCells.size(); ++i) {
                SheetCell expected = xlsCells[i];
                if (expected.number)
                    expected = Txt(expected.row, expected.col, QString::number(expected.value, 'g', 15));
                EXPECT_EQ(read.cells[i], expected);
            }
        }
    }
    const ProgramResult bad = RunProgram(kTool, {"export", kTemplate, kPacket, "/nonexistent/dir/out.xls"});
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("/nonexistent/dir/out.xls"))) << bad.err.toStdString();
}
