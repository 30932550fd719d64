// Template files under hostile conditions: a save that meets a full disk, a
// named pipe in place of a template, a huge file that is not a template.
#include "StorageTestSupport.h"

#include "ChildProcess.h"
#include "model/VxBand.h"
#include "platform/VxError.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace zelmio;

namespace {

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The message a template load raises, or "loaded".
QString LoadMessage(const QString &path)
{
    TTestWindow window;
    try {
        window.Loader()->LoadCompsAndDatamoduleFromFile(path);
    } catch (const EVxError &e) {
        return e.message();
    }
    return QStringLiteral("loaded");
}

// A file of size bytes that starts with head and holds no disk blocks beyond.
void MakeSparseFile(const QString &path, const QByteArray &head, off_t size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, head.constData(), size_t(head.size())), head.size());
    ASSERT_EQ(::ftruncate(fd, size), 0);
    ::close(fd);
}

} // namespace

// A write that fails only when it reaches the disk (here a 1 KB file size
// limit against a template of several KB) must fail the save: the file and
// its backup stay as they were and no temporary file is left behind.
TEST(TemplateSaver, AFullDiskKeepsTheFileAndItsBackup)
{
    for (const QString &backupExtension : QStringList{QString(), QStringLiteral(".BAK")}) {
        SCOPED_TRACE(backupExtension.toStdString());
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("tags.vx2"));
        const QString backup = dir.filePath(QStringLiteral("tags.BAK"));
        TTestWindow window;
        window.Report()->CreateBand(TVxBandType::rbDetail);
        window.Report()->SetReportTitle(QString(3000, QLatin1Char('a')));
        window.Loader()->SaveTemplateToFile(path);
        window.Loader()->SaveTemplateToFile(path, QStringLiteral(".BAK"));
        const QByteArray oldFile = FileBytes(path);
        const QByteArray oldBackup = FileBytes(backup);
        ASSERT_GT(oldFile.size(), 3000);

        window.Report()->SetReportTitle(QString(3000, QLatin1Char('b')));
        const ChildResult child = RunInChild(
            [&] {
                try {
                    window.Loader()->SaveTemplateToFile(path, backupExtension);
                } catch (const EVxError &e) {
                    return e.message();
                }
                return QStringLiteral("saved");
            },
            ChildLimits{.fileSize = 1024});
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.report.toStdString(), path.toStdString() + ": cannot be written: File too large");
        EXPECT_EQ(FileBytes(path), oldFile);
        EXPECT_EQ(FileBytes(backup), oldBackup);
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }
}

// Opening a named pipe waits for a writer; the loader must refuse it at once.
TEST(TemplateLoader, RefusesANamedPipeWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.vx2"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const ChildResult child = RunInChild([&] { return LoadMessage(path); }, {}, 10000);
    ASSERT_TRUE(child.finished) << "the load waited for a writer";
    EXPECT_EQ(child.report.toStdString(), path.toStdString() + " is not a regular file (it is a named pipe)");
}

// A gigabyte file is judged by its first bytes: one that is not a template
// gets the loader's usual message, one that starts like a template is too
// large. Either way without reading it: the child has 256 MB of room.
TEST(TemplateLoader, RefusesAHugeFileFromItsFirstBytes)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray head;
        std::string message;
    } rows[] = {
        {"zeros.vx2", QByteArray(), ": file header: line 1, column 1: expected 'object', found byte 0x00"},
        {"words.vx2", "Not a template at all\n", ": file header: line 1, column 1: expected 'object', found 'Not'"},
        {"object.vx2", "object Header: TComponentFileHeader\r\n", " is larger than 256 MB, the most that is read"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QLatin1String(row.name));
        MakeSparseFile(path, row.head, off_t(1) << 30);
        const ChildResult child = RunInChild([&] { return LoadMessage(path); }, ChildLimits{.extraMemory = 256u << 20});
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.report.toStdString(), path.toStdString() + row.message);
    }
}
