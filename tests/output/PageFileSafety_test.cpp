// Prepared-report files and the page store's temporary file under hostile
// conditions: a full disk, a named pipe, a huge file that is no report.
#include "output/VxPageList.h"

#include "ChildProcess.h"
#include "output/VxStream.h"
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

QByteArray PageBytes(int page, qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(page * 31 + i * 7);
    return bytes;
}

QByteArray FileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString LoadMessage(const QString &path)
{
    TVxPageList pages;
    try {
        pages.LoadFromFile(path);
    } catch (const EVxError &e) {
        return e.message();
    }
    return QStringLiteral("loaded");
}

} // namespace

TEST(PreparedReportFile, AFailedSaveKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.vxp"));
    TVxPageList pages;
    pages.AddPageBytes(PageBytes(1, 500));
    pages.Finish();
    pages.SaveToFile(path);
    const QByteArray old = FileBytes(path);

    for (int page = 2; page <= 4; ++page)
        pages.AddPageBytes(PageBytes(page, 2000));
    pages.Finish();
    const ChildResult child = RunInChild(
        [&] {
            try {
                pages.SaveToFile(path);
            } catch (const EVxError &e) {
                return e.message();
            }
            return QStringLiteral("saved");
        },
        ChildLimits{.fileSize = 1024});
    ASSERT_TRUE(child.finished);
    EXPECT_TRUE(child.report.startsWith(QStringLiteral("Cannot save the prepared report \"%1\"").arg(path)))
        << child.report.toStdString();
    EXPECT_TRUE(child.report.endsWith(QStringLiteral("File too large"))) << child.report.toStdString();
    EXPECT_EQ(FileBytes(path), old);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).join(u' ').toStdString(), "report.vxp");
}

// When the temporary file the store spills to cannot take a page, adding
// the page fails, and the pages before it stay whole and readable.
TEST(PageStore, AFailedSpillWriteRaisesAndKeepsTheEarlierPages)
{
    const ChildResult child = RunInChild(
        [] {
            TVxPageList pages;
            pages.SetStream(std::make_unique<TVxStream>(1000));
            QString failure;
            int added = 0;
            try {
                for (; added < 100; ++added)
                    pages.AddPageBytes(PageBytes(added + 1, 10000));
            } catch (const EVxError &e) {
                failure = e.message();
            }
            if (failure.isEmpty())
                return QStringLiteral("no error");
            if (pages.PageCount() != added)
                return QStringLiteral("%1 pages counted after %2 were added").arg(pages.PageCount()).arg(added);
            for (int page = 1; page <= added; ++page) {
                if (pages.GetPageBytes(page) != PageBytes(page, 10000))
                    return QStringLiteral("page %1 differs").arg(page);
            }
            return QStringLiteral("%1 pages; %2").arg(added > 0 ? QStringLiteral("some") : QStringLiteral("no"), failure);
        },
        ChildLimits{.fileSize = 45000});
    ASSERT_TRUE(child.finished);
    EXPECT_TRUE(child.report.startsWith(QStringLiteral("some pages; Cannot write the temporary page file")))
        << child.report.toStdString();
    EXPECT_TRUE(child.report.endsWith(QStringLiteral("File too large"))) << child.report.toStdString();
}

TEST(PreparedReportFile, ANamedPipeOrAHugeFileIsRefusedUnread)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("pipe.vxp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    ChildResult child = RunInChild([&] { return LoadMessage(pipe); }, {}, 10000);
    ASSERT_TRUE(child.finished) << "the load waited for a writer";
    EXPECT_EQ(child.report.toStdString(),
              "The prepared report \"" + pipe.toStdString() + "\" is not a regular file (it is a named pipe)");

    // A gigabyte of zeros: the first record already holds page number 0.
    const QString huge = dir.filePath(QStringLiteral("zeros.vxp"));
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(1) << 30));
    }
    child = RunInChild([&] { return LoadMessage(huge); }, ChildLimits{.extraMemory = 256u << 20});
    ASSERT_TRUE(child.finished);
    EXPECT_EQ(child.report.toStdString(), "The prepared report \"" + huge.toStdString()
                                              + "\" is damaged or not a prepared report: "
                                                "the record at position 128 holds page number 0 instead of 1");
}
