#include "output/VxPageList.h"

#include "PageFixtures.h"
#include "platform/VxError.h"
#include "output/VxStream.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <atomic>
#include <gtest/gtest.h>
#include <thread>

using namespace zelmio;
using zelmio::test::MakeSamplePage;

namespace {

qint32 Int32At(const QByteArray &b, qint64 at) { return qFromLittleEndian<qint32>(b.constData() + at); }
void SetInt32At(QByteArray &b, qint64 at, qint32 v) { qToLittleEndian<qint32>(v, b.data() + at); }

QByteArray StoreBytes(TVxPageList &list)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    list.SaveToStream(buffer);
    return buffer.data();
}

QByteArray BuildStore(int pages, bool compressed)
{
    TVxPageList list;
    list.SetCompression(compressed);
    list.SetStream(std::make_unique<TVxStream>());
    for (int i = 1; i <= pages; ++i)
        list.AddPage(MakeSamplePage(i));
    list.Finish();
    return StoreBytes(list);
}

QString WriteFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

} // namespace

TEST(VxPageList, OneUncompressedPageHasTheFileLayout)
{
    const TVxRecordedPage page = MakeSamplePage();
    const QByteArray pageBytes = page.Bytes();
    TVxPageList list;
    list.SetStream(std::make_unique<TVxStream>());
    list.AddPage(page);
    list.Finish();
    const QByteArray b = StoreBytes(list);

    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData()), 3);
    EXPECT_EQ(qFromLittleEndian<quint16>(b.constData() + 2), 60);
    EXPECT_EQ(Int32At(b, 8), 1);
    EXPECT_EQ(b[25], 0);
    EXPECT_EQ(b.mid(26, 100), QByteArray(100, 'H'));
    const double created = std::bit_cast<double>(qFromLittleEndian<quint64>(b.constData() + 16));
    EXPECT_GT(created, 45000.0); // days since 30 December 1899: after 2023

    EXPECT_EQ(Int32At(b, 128), 1);
    EXPECT_EQ(Int32At(b, 132), 136 + pageBytes.size() + 4);
    EXPECT_EQ(b.mid(136, pageBytes.size()), pageBytes);
    EXPECT_EQ(Int32At(b, 136 + pageBytes.size()), 128);
    EXPECT_EQ(b.size(), 136 + pageBytes.size() + 4);
    EXPECT_EQ(DetectVxpHeaderSize(b), 128);
}

TEST(VxPageList, PagesRoundTripThroughFilesInEveryMode)
{
    QTemporaryDir dir;
    const struct {
        bool compressed;
        qint64 memoryLimit;
    } modes[] = {{false, 1000000}, {true, 1000000}, {false, 1000}, {true, 1000}};
    for (const auto &mode : modes) {
        SCOPED_TRACE(testing::Message() << "compressed " << mode.compressed << " limit " << mode.memoryLimit);
        std::vector<QByteArray> expected;
        TVxPageList list;
        list.SetCompression(mode.compressed);
        list.SetStream(std::make_unique<TVxStream>(mode.memoryLimit));
        for (int i = 1; i <= 7; ++i) {
            const TVxRecordedPage page = MakeSamplePage(i);
            expected.push_back(page.Bytes());
            list.AddPage(page);
            // Pages read back while the run goes on.
            EXPECT_EQ(list.GetPageBytes(i), expected.back());
        }
        list.Finish();
        EXPECT_EQ(list.Stream()->InMemory(), mode.memoryLimit > 100000);
        const QString path = dir.filePath(QStringLiteral("pages.vxp"));
        list.SaveToFile(path);

        TVxPageList loaded;
        loaded.LoadFromFile(path);
        EXPECT_EQ(loaded.PageCount(), 7);
        EXPECT_EQ(loaded.Compression(), mode.compressed);
        EXPECT_EQ(loaded.Header().HeaderSize, 128);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll().at(25), mode.compressed ? 1 : 0);
        for (int i : {1, 2, 3, 4, 5, 6, 7, 7, 3, 1, 6, 5, 4, 2})
            EXPECT_EQ(loaded.GetPageBytes(i), expected[size_t(i - 1)]) << "page " << i;
        EXPECT_FALSE(loaded.GetPageBytes(8));
        EXPECT_FALSE(loaded.GetPageBytes(0));
        EXPECT_EQ(loaded.GetPage(8), nullptr);
        auto picture = loaded.GetPage(4);
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->Size(), QSize(794, 1123));

        QBuffer stream;
        stream.setData(StoreBytes(list));
        TVxPageList fromStream;
        fromStream.LoadFromStream(stream);
        EXPECT_EQ(fromStream.GetPageBytes(7), expected[6]);
    }
}

TEST(VxPageList, AnyPageIsFoundFromAnyOther)
{
    // Jumps walk the record chain forward and backward from the cursor or
    // from the nearest noted record start.
    constexpr int Pages = 300;
    for (bool compressed : {false, true}) {
        TVxPageList list;
        list.SetCompression(compressed);
        list.SetStream(std::make_unique<TVxStream>(5000));
        auto bytesOf = [](int page) { return QByteArray::number(page).repeated(page % 17 + 1); };
        for (int i = 1; i <= Pages; ++i)
            list.AddPageBytes(bytesOf(i));
        list.Finish();
        QRandomGenerator rng(11);
        int wrong = 0;
        for (int step = 0; step < 2000; ++step) {
            const int page = 1 + int(rng.bounded(Pages));
            if (list.GetPageBytes(page) != bytesOf(page))
                ++wrong;
            // and its neighbours, as a preview steps through them
            for (int near : {page - 1, page + 1, page - 2})
                if (near >= 1 && near <= Pages && list.GetPageBytes(near) != bytesOf(near))
                    ++wrong;
        }
        EXPECT_EQ(wrong, 0) << "compressed " << compressed;
    }
}

TEST(VxPageList, CompressionShrinksRecordedPages)
{
    const QByteArray plain = BuildStore(20, false);
    const QByteArray packed = BuildStore(20, true);
    EXPECT_LT(packed.size(), plain.size());
}

TEST(VxPageList, ClearStartsAFreshStore)
{
    TVxPageList list;
    list.SetStream(std::make_unique<TVxStream>());
    for (int i = 1; i <= 3; ++i)
        list.AddPage(MakeSamplePage(i));
    list.Clear();
    EXPECT_EQ(list.PageCount(), 0);
    EXPECT_FALSE(list.GetPageBytes(1));
    const TVxRecordedPage page = MakeSamplePage(9);
    list.AddPage(page);
    EXPECT_EQ(list.GetPageBytes(1), page.Bytes());
    list.Finish();
    EXPECT_EQ(StoreBytes(list).size(), 128 + 12 + page.Bytes().size());
}

TEST(VxPageList, BrokenFilesAreRefusedWithTheirName)
{
    QTemporaryDir dir;
    const QByteArray good = BuildStore(3, false);
    const QByteArray goodPacked = BuildStore(3, true);
    const qint32 secondRecord = Int32At(good, 132);

    auto nextOutside = good;
    SetInt32At(nextOutside, secondRecord + 4, good.size() + 5000);
    auto countMismatch = good;
    SetInt32At(countMismatch, 8, 4);
    auto hugeLength = goodPacked;
    SetInt32At(hugeLength, 136, 0x7fffffff);
    auto backLink = good;
    SetInt32At(backLink, secondRecord - 4, 300);
    auto loop = good;
    SetInt32At(loop, secondRecord + 4, secondRecord); // a record pointing at itself
    auto numbering = good;
    SetInt32At(numbering, secondRecord, 7);

    const struct {
        const char *name;
        QByteArray bytes;
        const char *says;
    } cases[] = {
        {"empty file", QByteArray(), "too short"},
        {"header only, cut", good.left(100), "too short"},
        {"truncated", good.left(good.size() - 10), "page 3"},
        {"next record outside the file", nextOutside, "outside the file"},
        {"page count does not match", countMismatch, "announces 4 pages"},
        {"compressed length larger than the file", hugeLength, "compressed length"},
        {"broken back link", backLink, "lead back"},
        {"record pointing at itself", loop, "outside the file"},
        {"page numbers out of order", numbering, "page number 7"},
        {"trailing bytes", good + QByteArray(20, 'x'), "instead of 4"},
        {"not a prepared report", QByteArray(4000, 'z'), "not a prepared report"},
    };
    for (const auto &c : cases) {
        const QString path = WriteFile(dir, QStringLiteral("broken.vxp"), c.bytes);
        TVxPageList list;
        list.SetStream(std::make_unique<TVxStream>());
        list.AddPage(MakeSamplePage(1));
        try {
            list.LoadFromFile(path);
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const EVxError &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("broken.vxp"))) << c.name << ": " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QLatin1String(c.says))) << c.name << ": " << e.message().toStdString();
        }
        // A refused file leaves the store as it was.
        EXPECT_EQ(list.PageCount(), 1) << c.name;
        EXPECT_TRUE(list.GetPage(1)) << c.name;
    }
}

TEST(VxPageList, DamagedPageContentIsReportedWhenRead)
{
    QByteArray bytes = BuildStore(2, false);
    bytes[200] = char(bytes[200] ^ 0x5a); // inside page 1's recording
    QBuffer buffer(&bytes);
    TVxPageList list;
    list.LoadFromStream(buffer);
    EXPECT_TRUE(list.GetPage(2));
    EXPECT_THROW(list.GetPage(1), EVxError);
}

TEST(VxPageList, OlderHeadersAreRead)
{
    // Pages of older files are Windows enhanced metafiles: " EMF" at offset 40.
    QByteArray metafile(120, '\0');
    metafile.replace(40, 4, " EMF");
    for (int headerSize : {124, 120, 96}) {
        SCOPED_TRACE(headerSize);
        QByteArray file(headerSize, '\0');
        qToLittleEndian<quint16>(2, file.data());
        if (headerSize == 124)
            SetInt32At(file, 8, 2);
        if (headerSize == 120)
            qToLittleEndian<qint32>(2, file.data() + 5);
        for (int page = 1; page <= 2; ++page) {
            const qint32 start = qint32(file.size());
            QByteArray record(8, '\0');
            SetInt32At(record, 0, page);
            SetInt32At(record, 4, start + 12 + qint32(metafile.size()));
            record += metafile;
            record += QByteArray(4, '\0');
            SetInt32At(record, record.size() - 4, start);
            file += record;
        }
        EXPECT_EQ(DetectVxpHeaderSize(file), headerSize);
        QBuffer buffer(&file);
        TVxPageList list;
        list.LoadFromStream(buffer);
        EXPECT_EQ(list.Header().HeaderSize, headerSize);
        EXPECT_EQ(list.PageCount(), 2);
        EXPECT_EQ(list.GetPageBytes(2), metafile);
        EXPECT_EQ(list.GetPageBytes(1), metafile);
        try {
            list.GetPage(1);
            ADD_FAILURE() << "replayed a metafile";
        } catch (const EVxError &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String("enhanced metafile")));
        }
    }
}

TEST(VxPageList, AWriterAndAReaderShareTheStore)
{
    // The generating thread appends while the viewing thread reads whatever
    // has been completed; the store spills to its file on the way.
    constexpr int Pages = 300;
    std::vector<QByteArray> pages;
    for (int i = 1; i <= Pages; ++i)
        pages.push_back(MakeSamplePage(i).Bytes());
    for (bool compressed : {false, true}) {
        TVxPageList list;
        list.SetCompression(compressed);
        list.SetStream(std::make_unique<TVxStream>(20000));
        std::atomic<bool> done = false;
        std::thread writer([&] {
            for (const QByteArray &page : pages)
                list.AddPageBytes(page);
            list.Finish();
            done = true;
        });
        int mismatches = 0;
        int reads = 0;
        int n = 1;
        while (!done || n <= list.PageCount()) {
            const int available = list.PageCount();
            if (available == 0)
                continue;
            // Alternate between the newest page and walking forward.
            for (int page : {available, n}) {
                const auto bytes = list.GetPageBytes(page);
                ++reads;
                if (!bytes || *bytes != pages[size_t(page - 1)])
                    ++mismatches;
            }
            n = n % available + 1;
            if (done && n == 1)
                break;
        }
        writer.join();
        EXPECT_EQ(mismatches, 0) << "compressed " << compressed;
        EXPECT_GT(reads, 0);
        EXPECT_FALSE(list.Stream()->InMemory());
        for (int i = 1; i <= Pages; i += 37)
            EXPECT_EQ(list.GetPageBytes(i), pages[size_t(i - 1)]);
    }
}
