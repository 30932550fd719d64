// zelmio-tool's packet commands run from outside, as a template author would.
#include "ProgramRunner.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {
const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);
const QString kAppData = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/app/data");
const QString kSample = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.xml");
} // namespace

TEST(PacketCommands, InfoListsFieldsAndRecordCount)
{
    const ProgramResult r = RunProgram(kTool, {"packet-info", kAppData + "/tiny-packet.xml"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("Records: 2"));
    EXPECT_TRUE(r.out.contains(QRegularExpression("PRECE +WideString +250 +yes")));
    EXPECT_TRUE(r.err.isEmpty()) << r.err.toStdString();

    const ProgramResult sample = RunProgram(kTool, {"packet-info", kSample});
    EXPECT_EQ(sample.exitCode, 0);
    EXPECT_TRUE(sample.out.contains("Fields: 352"));
}

TEST(PacketCommands, DumpPrintsTheChosenRecordAndFields)
{
    const ProgramResult r = RunProgram(kTool, {"packet-dump", kAppData + "/tiny-packet.xml",
                                               "--record", "2", "--field", "prece", "--field", "CENA"});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.contains("PRECE=Maize rudzu\n"));
    EXPECT_TRUE(r.out.contains("CENA=1"));
    EXPECT_FALSE(r.out.contains("ISN="));
}

TEST(PacketCommands, ErrorsGoToStandardErrorWithAFailureCode)
{
    struct Row {
        const char *name;
        QStringList args;
        QString stderrContains;
    } rows[] = {
        {"not a packet", {"packet-info", kAppData + "/not-a-packet.xml"}, "not-a-packet.xml"},
        {"missing file", {"packet-info", "/nonexistent/p.xml"}, "/nonexistent/p.xml"},
        {"record out of range", {"packet-dump", kAppData + "/tiny-packet.xml", "--record", "3"}, "3"},
        {"unknown field", {"packet-dump", kAppData + "/tiny-packet.xml", "--field", "NOPE"}, "NOPE"},
        {"no packet named", {"packet-info"}, "usage"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_NE(r.exitCode, 0);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(row.stderrContains)) << r.err.toStdString();
    }
}
