#include "output/VxCompress.h"

#include "platform/VxError.h"

#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QByteArray Compress(const QByteArray &in)
{
    return TVxCompress::CompressBytes(in.constData(), in.size());
}

QByteArray Expand(const QByteArray &coded, qint64 count)
{
    return TVxCompress::ExpandBytes(coded.constData(), coded.size(), count);
}

} // namespace

TEST(VxCompress, KnownCodesOfAFreshCoder)
{
    // Leaf 256 is the right child of node 127: seven 0 bits, then a 1 bit.
    EXPECT_EQ(Compress(QByteArray(1, '\0')).toHex(), "80");
    EXPECT_EQ(Compress("abc").toHex(), "463d01");
    EXPECT_EQ(Compress(QByteArray()).size(), 0);
}

TEST(VxCompress, RoundTripsEveryKindOfInput)
{
    QByteArray allValues;
    for (int i = 0; i < 256; ++i)
        allValues.append(char(i));
    QByteArray random(200000, Qt::Uninitialized);
    QRandomGenerator rng(42);
    for (auto &c : random)
        c = char(rng.bounded(256));
    QByteArray skewed(100000, Qt::Uninitialized);
    for (auto &c : skewed)
        c = char(rng.bounded(8) == 0 ? rng.bounded(256) : 'x');

    const struct {
        const char *name;
        QByteArray data;
    } cases[] = {
        {"one byte", QByteArray(1, '\xff')},
        {"all values", allValues.repeated(3)},
        {"one value repeated", QByteArray(50000, 'A')},
        {"random", random},
        {"skewed", skewed},
    };
    for (const auto &c : cases) {
        const QByteArray coded = Compress(c.data);
        EXPECT_EQ(Expand(coded, c.data.size()), c.data) << c.name;
    }
    // Repetitive data shrinks: the tree adapts towards frequent bytes.
    EXPECT_LT(Compress(QByteArray(50000, 'A')).size(), 50000 / 6);
}

TEST(VxCompress, ExpandingPastTheInputIsRefused)
{
    const QByteArray coded = Compress("hello, world");
    EXPECT_THROW(Expand(coded.left(3), 12), EVxError);
    EXPECT_THROW(Expand(QByteArray(), 1), EVxError);
}
