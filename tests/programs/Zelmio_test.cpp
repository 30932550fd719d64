// The zelmio program started as a host starts it, without a display: it must
// end by itself with the right exit code and say why on standard error.
#include "ProgramRunner.h"

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
