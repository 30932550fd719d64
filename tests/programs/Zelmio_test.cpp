// The zelmio program started as a host starts it, without a display: it must
// end by itself with the right exit code and say why on standard error.
#include "ProgramRunner.h"

#include <QFile>
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
