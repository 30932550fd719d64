// The programs under hostile conditions, run from outside: a full disk
// during a save, named pipes in place of files, a display that is named but
// not there. Each must end by itself with a failure code or run headless.
#include "ProgramRunner.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const QString kExe = QStringLiteral(ZELMIO_EXE);
const QString kTool = QStringLiteral(ZELMIO_TOOL_EXE);
const QString kTemplate = QStringLiteral(ZELMIO_SOURCE_DIR "/samples/price-tags.vx2");
const QString kPacket = QStringLiteral(ZELMIO_SOURCE_DIR "/tests/app/data/tiny-packet.xml");

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}
} // namespace

TEST(ResaveProgram, AFullDiskFailsTheSaveAndKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("out.vx2"));
    {
        QFile file(out);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("the previous template\n");
    }
    ASSERT_GT(QFileInfo(kTemplate).size(), 3000);
    ProgramOptions options;
    options.childSetup = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1024, 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    const ProgramResult r = RunProgram(kTool, {"resave", kTemplate, out}, options);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 1) << r.out.toStdString();
    EXPECT_TRUE(r.err.contains(out + ": cannot be written: File too large")) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("Saved")) << r.out.toStdString();
    EXPECT_EQ(FileBytes(out), QByteArray("the previous template\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString(), "out.vx2");
}

TEST(Programs, RefuseNamedPipesWithoutWaiting)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const struct {
        const char *name;
        QString program;
        QStringList args;
        int exitCode;
    } rows[] = {
        {"check-template", kTool, {"check-template", pipe}, 1},
        {"resave", kTool, {"resave", pipe, dir.filePath("out.vx2")}, 1},
        {"packet-info", kTool, {"packet-info", pipe}, 1},
        {"vxp-info", kTool, {"vxp-info", pipe}, 1},
        {"zelmio data", kExe, {"-" + kTemplate, "-" + dir.filePath("x.pdf"), "-" + pipe}, 4},
        {"zelmio template", kExe, {"-" + pipe, "-" + dir.filePath("x.pdf"), "-" + kPacket}, 1},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const ProgramResult r = RunProgram(row.program, row.args, 20000);
        ASSERT_TRUE(r.finished) << "the program waited for a writer";
        EXPECT_EQ(r.exitCode, row.exitCode) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(pipe) && r.err.contains(" is not a regular file (it is a named pipe)"))
            << r.err.toStdString();
    }
}

// A DISPLAY whose server is not there counts as no display: the program
// runs headless and ends as it does without DISPLAY.
TEST(ZelmioProgram, RunsHeadlessWhenTheNamedDisplayIsNotThere)
{
    if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X99")))
        GTEST_SKIP() << "an X server may be listening on :99";
    ProgramOptions options;
    options.environment = {{QStringLiteral("DISPLAY"), QStringLiteral(":99")}};
    const ProgramResult r = RunProgram(kExe, {"-/nonexistent/t.vx2", "-/tmp/x.pdf", "-" + kPacket}, options);
    ASSERT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 3) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("VX2 ails nav atrasts /nonexistent/t.vx2\n")) << r.err.toStdString();
}
