// zelmio-tool make-packet writes a packet that packet-info reads back.
#include "ProgramRunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);
} // namespace

TEST(MakePacketCommand, WritesAPacketThatPacketInfoReads)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("made.xml"));
    const ProgramResult made = RunProgram(kTool, {"make-packet", "--rows", "25", "--seed", "3", "--docs", "2",
                                                  "--images", "png", "--encoding", "windows-1257",
                                                  "--null-rate", "0.1", "-o", path});
    ASSERT_TRUE(made.finished);
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    EXPECT_TRUE(made.out.isEmpty() && made.err.isEmpty()) << made.out.toStdString() << made.err.toStdString();

    const ProgramResult info = RunProgram(kTool, {"packet-info", path});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains("Encoding: windows-1257"));
    EXPECT_TRUE(info.out.contains("Fields: 352"));
    EXPECT_TRUE(info.out.contains("Records: 25"));
}

TEST(MakePacketCommand, UsageErrorsExit2AndWriteFailuresExit1)
{
    struct Row {
        const char *name;
        QStringList args;
        int exitCode;
        QString stderrContains;
    } rows[] = {
        {"no rows", {"make-packet"}, 2, "--rows"},
        {"rows not a number", {"make-packet", "--rows", "many"}, 2, "many"},
        {"negative rows", {"make-packet", "--rows", "-5"}, 2, "-5"},
        {"unknown images", {"make-packet", "--rows", "5", "--images", "gif"}, 2, "gif"},
        {"null rate above 1", {"make-packet", "--rows", "5", "--null-rate", "2"}, 2, "--null-rate"},
        {"option without value", {"make-packet", "--rows", "5", "-o"}, 2, "-o"},
        {"unwritable file", {"make-packet", "--rows", "5", "-o", "/nonexistent/p.xml"}, 1, "/nonexistent/p.xml"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_TRUE(r.out.isEmpty()) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(row.stderrContains)) << r.err.toStdString();
    }
}
