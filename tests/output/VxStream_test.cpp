#include "output/VxStream.h"

#include "platform/VxError.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

TEST(VxStream, MovesToATemporaryFileBeyondTheLimitAndDeletesIt)
{
    QString fileName;
    {
        TVxStream stream(1000);
        QByteArray block(1000, 'a');
        EXPECT_EQ(stream.Write(block.constData(), block.size()), 1000);
        EXPECT_TRUE(stream.InMemory());
        EXPECT_TRUE(stream.FileName().isEmpty());

        stream.Write("b", 1); // 1001 bytes exceed the limit
        EXPECT_FALSE(stream.InMemory());
        fileName = stream.FileName();
        EXPECT_TRUE(QFileInfo(fileName).fileName().startsWith(QLatin1String("VXP")));
        EXPECT_TRUE(QFile::exists(fileName));
        EXPECT_EQ(stream.Position(), 1001);

        stream.Write("cd", 2);
        EXPECT_EQ(stream.Size(), 1003);
        stream.Seek(998);
        char back[5] = {};
        EXPECT_EQ(stream.Read(back, 5), 5);
        EXPECT_EQ(QByteArray(back, 5), QByteArray("aabcd"));
        EXPECT_EQ(stream.Read(back, 5), 0);

        // Overwriting in the middle keeps the size.
        stream.Seek(2, TVxSeekOrigin::soBeginning);
        stream.Write("XY", 2);
        EXPECT_EQ(stream.Size(), 1003);
        QBuffer copy;
        copy.open(QIODevice::WriteOnly);
        stream.SaveToStream(copy);
        EXPECT_EQ(copy.data().size(), 1003);
        EXPECT_EQ(copy.data().left(4), QByteArray("aaXY"));
        EXPECT_EQ(copy.data().right(3), QByteArray("bcd"));
    }
    EXPECT_FALSE(QFile::exists(fileName));
}

TEST(VxStream, SavesInChunksAndReloadsFromAFile)
{
    TVxStream stream(100);
    QByteArray data;
    for (int i = 0; i < 30000; ++i)
        data.append(char(i * 7));
    stream.Write(data.constData(), data.size());
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copy.bin"));
    {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        stream.SaveToStream(out);
    }
    auto loaded = TVxStream::CreateFromFile(path);
    EXPECT_TRUE(loaded->InMemory());
    EXPECT_EQ(loaded->MemoryLimit(), data.size() + 1000);
    EXPECT_EQ(loaded->Position(), 0);
    QByteArray back(data.size(), Qt::Uninitialized);
    EXPECT_EQ(loaded->Read(back.data(), back.size()), data.size());
    EXPECT_EQ(back, data);
}

TEST(VxStream, MissingFileIsNamedInTheError)
{
    try {
        TVxStream::CreateFromFile(QStringLiteral("/nonexistent/dir/report.vxp"));
        FAIL() << "no error";
    } catch (const EVxError &e) {
        EXPECT_TRUE(e.message().contains(QLatin1String("report.vxp"))) << e.message().toStdString();
    }
}
