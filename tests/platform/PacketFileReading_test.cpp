// Data packet files that must be refused without waiting and without being
// read whole: a named pipe, a gigabyte that is not XML.
#include "ChildProcess.h"
#include "platform/ClientDataSet.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace zelmio;

namespace {

QString OpenMessage(const QString &path)
{
    TClientDataSet ds;
    ds.SetFileName(path);
    try {
        ds.Open();
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    }
    return QStringLiteral("opened");
}

} // namespace

TEST(PacketFile, ANamedPipeIsRefusedWithoutWaiting)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("pipe.xml"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const ChildResult child = RunInChild([&] { return OpenMessage(path); }, {}, 10000);
    ASSERT_TRUE(child.finished) << "opening waited for a writer";
    EXPECT_EQ(child.report.toStdString(), "Data packet " + path.toStdString() + " is not a regular file (it is a named pipe)");
}

// The child has 256 MB of room: the gigabyte must be judged by its start.
TEST(PacketFile, AHugeFileThatIsNotXmlIsRefusedFromItsFirstBytes)
{
    QTemporaryDir dir;
    const struct {
        const char *name;
        QByteArray head;
        const char *problem;
    } rows[] = {
        {"text.xml", QByteArray("Cena: 1,50 EUR\n").repeated(1000), "not an XML file: the text does not begin with '<'"},
        {"zeros.xml", "", "the file holds NUL bytes: it is not an XML text file"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        const QString path = dir.filePath(QLatin1String(row.name));
        {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(file.write(row.head), row.head.size());
            ASSERT_TRUE(file.resize(qint64(1) << 30));
        }
        const ChildResult child = RunInChild([&] { return OpenMessage(path); }, ChildLimits{.extraMemory = 256u << 20});
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.report.toStdString(), "Data packet " + path.toStdString() + ": " + row.problem);
    }
}
