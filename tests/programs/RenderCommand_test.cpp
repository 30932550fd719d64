// zelmio-tool render runs a template over a data packet into a prepared
// report, which vxp-info and vxp-render then read.
#include "ProgramRunner.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);
const QString kTemplate = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.vx2");
const QString kPacket = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.xml");
} // namespace

TEST(RenderCommand, TheSampleRendersIntoAPreparedReport)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString vxp = dir.filePath(QStringLiteral("tags.vxp"));
    const ProgramResult r = RunProgram(kTool, {"render", kTemplate, kPacket, "--locale", "lv", "--vxp", vxp});
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    // 24 price tags, 21 (three columns of seven) to a page.
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("Pages: 2\n"))) << r.out.toStdString();
    const ProgramResult info = RunProgram(kTool, {"vxp-info", vxp});
    EXPECT_EQ(info.exitCode, 0) << info.err.toStdString();
    EXPECT_TRUE(info.out.contains(QStringLiteral("Pages: 2"))) << info.out.toStdString();
    const ProgramResult image = RunProgram(kTool, {"vxp-render", vxp, "--page", "2", "--dpi", "30", "-o",
                                                   dir.filePath(QStringLiteral("page2.png"))});
    EXPECT_EQ(image.exitCode, 0) << image.err.toStdString();
}

TEST(RenderCommand, BadInputIsNamed)
{
    QTemporaryDir dir;
    const QString vxp = dir.filePath(QStringLiteral("out.vxp"));
    struct Row {
        const char *name;
        QStringList args;
        int exitCode;
        QString stderrContains;
    } rows[] = {
        {"missing packet", {"render", kTemplate, "/nonexistent/p.xml", "--vxp", vxp}, 1, "/nonexistent/p.xml"},
        {"missing template", {"render", "/nonexistent/t.vx2", kPacket, "--vxp", vxp}, 1, "/nonexistent/t.vx2"},
        {"unwritable output", {"render", kTemplate, kPacket, "--vxp", "/nonexistent/dir/out.vxp"}, 1,
         "/nonexistent/dir/out.vxp"},
        {"no output named", {"render", kTemplate, kPacket}, 2, "--vxp"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(kTool, row.args);
        ASSERT_TRUE(r.finished);
        EXPECT_EQ(r.exitCode, row.exitCode);
        EXPECT_TRUE(r.err.contains(row.stderrContains)) << r.err.toStdString();
    }
}
