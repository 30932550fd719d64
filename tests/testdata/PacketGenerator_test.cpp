// The test-data generator: the same options give the same bytes, and its
// records have the shapes tests rely on (documents, totals, EAN-13 codes,
// pictures, nulls only where allowed), read back with the record-set reader.
#include "platform/ClientDataSet.h"
#include "testdata/PacketGenerator.h"

#include <QFile>
#include <QImage>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <stdexcept>

using namespace zelmio;
using testdata::TPacketOptions;

namespace {

TPacketOptions options(int rows, int seed = 1)
{
    TPacketOptions o;
    o.rows = rows;
    o.seed = seed;
    return o;
}

bool validEan13(const QString &code)
{
    if (code.size() != 13)
        return false;
    int total = 0;
    for (int k = 0; k < 12; ++k)
        total += code[k].digitValue() * (k % 2 ? 3 : 1);
    return code[12].digitValue() == (10 - total % 10) % 10;
}

} // namespace

TEST(PacketGenerator, SameOptionsGiveTheSameBytes)
{
    TPacketOptions nulls = options(200, 7);
    nulls.nullRate = 0.2;
    const QByteArray first = testdata::MakeDataPacket(nulls);
    EXPECT_EQ(testdata::MakeDataPacket(nulls), first);

    nulls.seed = 8;
    EXPECT_NE(testdata::MakeDataPacket(nulls), first);
    // The seed reaches the quantities, not only the nulls.
    EXPECT_NE(testdata::MakeDataPacket(options(200, 7)), testdata::MakeDataPacket(options(200, 8)));
}

TEST(PacketGenerator, RecordsFormDocumentsWithTheirTotals)
{
    QTemporaryDir dir;
    TPacketOptions o = options(45);
    o.docs = 3;
    const QString path = dir.filePath(QStringLiteral("docs.xml"));
    testdata::WriteDataPacket(path, o);

    TClientDataSet ds;
    ds.SetFileName(path);
    ds.Open();
    ASSERT_EQ(ds.RecordCount(), 45);
    struct Document {
        QSet<QString> customers, numbers, dates, totals, netTotals;
        double net = 0, gross = 0, total = 0, netTotal = 0;
        int rows = 0;
    };
    QMap<int, Document> documents;
    QSet<QString> groups;
    int png = 0, jpeg = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        Document &d = documents[ds.FieldByName(QStringLiteral("ISPAVOUT"))->AsInteger()];
        ++d.rows;
        d.customers << ds.FieldByName(QStringLiteral("KLIENTS"))->AsString();
        d.numbers << ds.FieldByName(QStringLiteral("NR_PAVADZ"))->AsString();
        d.dates << ds.FieldByName(QStringLiteral("DATUMS"))->AsString();
        d.totals << ds.FieldByName(QStringLiteral("KOPSUMMA"))->AsString();
        d.netTotals << ds.FieldByName(QStringLiteral("BEZPVNSUMMA"))->AsString();
        d.total = ds.FieldByName(QStringLiteral("KOPSUMMA"))->AsFloat();
        d.netTotal = ds.FieldByName(QStringLiteral("BEZPVNSUMMA"))->AsFloat();
        d.net += ds.FieldByName(QStringLiteral("SUMBEZPVN"))->AsFloat();
        d.gross += ds.FieldByName(QStringLiteral("SUMARPVN"))->AsFloat();
        groups << ds.FieldByName(QStringLiteral("PR_GRUPA"))->AsString();

        const QString ean = ds.FieldByName(QStringLiteral("EAN"))->AsString();
        EXPECT_TRUE(ean.startsWith(QLatin1String("475")) && validEan13(ean)) << ean.toStdString();
        EXPECT_TRUE(ds.FieldByName(QStringLiteral("PRECE_RUS"))->AsString().contains(QRegularExpression(
            QStringLiteral("[\\x{0400}-\\x{04FF}]"))));

        // Every picture decodes; BILDE alternates PNG and JPEG, BILDE2 is a BMP.
        const QByteArray picture = ds.FieldByName(QStringLiteral("BILDE"))->AsBytes();
        png += picture.startsWith("\x89PNG");
        jpeg += picture.startsWith("\xFF\xD8");
        EXPECT_FALSE(QImage::fromData(picture).isNull()) << ds.RecNo();
        const QByteArray bmp = ds.FieldByName(QStringLiteral("BILDE2"))->AsBytes();
        EXPECT_TRUE(bmp.startsWith("BM"));
        EXPECT_EQ(QImage::fromData(bmp, "BMP").size(), QSize(20, 12));
    }
    EXPECT_EQ(png, 23);
    EXPECT_EQ(jpeg, 22);
    EXPECT_GE(groups.size(), 5);
    ASSERT_EQ(documents.keys(), (QList<int>{1, 2, 3}));
    QSet<QString> customers;
    for (const Document &d : documents) {
        EXPECT_EQ(d.rows, 15);
        EXPECT_EQ(d.customers.size(), 1);
        EXPECT_EQ(d.numbers.size(), 1);
        EXPECT_EQ(d.dates.size(), 1);
        ASSERT_EQ(d.totals.size(), 1);
        ASSERT_EQ(d.netTotals.size(), 1);
        EXPECT_NEAR(d.total, d.gross, 0.005);
        EXPECT_NEAR(d.netTotal, d.net, 0.005);
        customers += d.customers;
    }
    EXPECT_EQ(customers.size(), 3);
}

TEST(PacketGenerator, NullsLeaveRequiredFieldsAlone)
{
    QTemporaryDir dir;
    TPacketOptions o = options(100);
    o.nullRate = 0.5;
    o.encoding = TPacketOptions::TEncoding::Windows1257;
    const QString path = dir.filePath(QStringLiteral("nulls.xml"));
    testdata::WriteDataPacket(path, o);

    TClientDataSet ds;
    ds.SetFileName(path);
    ds.Open();
    int optionalNulls = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        for (const TField *f : ds.Fields()) {
            if (f->Required()) {
                EXPECT_FALSE(f->IsNull()) << f->FieldName().toStdString();
            }
        }
        optionalNulls += ds.FieldByName(QStringLiteral("EAN"))->IsNull();
    }
    EXPECT_GT(optionalNulls, 25);
    EXPECT_LT(optionalNulls, 75);
}

TEST(PacketGenerator, EdgesAndFailures)
{
    // No rows: still the whole layout.
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.xml"));
    testdata::WriteDataPacket(empty, options(0));
    TClientDataSet ds;
    ds.SetFileName(empty);
    ds.Open();
    EXPECT_EQ(ds.FieldCount(), testdata::kPacketFieldCount);
    EXPECT_EQ(ds.RecordCount(), 0);

    TPacketOptions bad = options(-1);
    EXPECT_THROW(testdata::MakeDataPacket(bad), std::invalid_argument);
    bad = options(10);
    bad.nullRate = 1.5;
    EXPECT_THROW(testdata::MakeDataPacket(bad), std::invalid_argument);

    for (const QString &path : {dir.filePath(QStringLiteral("missing/p.xml")), QStringLiteral("/dev/full")}) {
        if (path == QLatin1String("/dev/full") && !QFile::exists(path))
            continue;
        try {
            testdata::WriteDataPacket(path, options(50));
            ADD_FAILURE() << "no error writing " << path.toStdString();
        } catch (const std::runtime_error &e) {
            EXPECT_TRUE(QString::fromUtf8(e.what()).contains(path)) << e.what();
        }
    }
}
