#include "export/pdf/PdfEncoders.h"

#include <QFile>
#include <algorithm>
#include <set>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

// A decoder as PDF viewers read LZWDecode with early change 1; records the
// code widths it read so that the tests can check where they change.
QByteArray lzwDecode(const QByteArray &in, std::vector<std::pair<int, int>> *codes = nullptr)
{
    QByteArray out;
    std::vector<QByteArray> table;
    auto reset = [&] {
        table.clear();
        for (int i = 0; i < 256; ++i)
            table.push_back(QByteArray(1, char(i)));
        table.push_back({});
        table.push_back({});
    };
    reset();
    int width = 9;
    qint64 bitPos = 0;
    QByteArray previous;
    bool havePrevious = false;
    while (bitPos + width <= in.size() * 8) {
        int code = 0;
        for (int i = 0; i < width; ++i, ++bitPos)
            code = (code << 1) | ((uchar(in[bitPos / 8]) >> (7 - bitPos % 8)) & 1);
        if (codes)
            codes->push_back({code, width});
        if (code == 256) {
            reset();
            width = 9;
            havePrevious = false;
            continue;
        }
        if (code == 257)
            return out;
        QByteArray entry;
        if (code < int(table.size()))
            entry = table[size_t(code)];
        else if (code == int(table.size()) && havePrevious)
            entry = previous + previous.left(1);
        else
            return "<bad code>";
        out += entry;
        if (havePrevious)
            table.push_back(previous + entry.left(1));
        const int next = int(table.size());
        if (next + 1 >= 4096)
            width = 12;
        else if (next + 1 >= 2048)
            width = 12;
        else if (next + 1 >= 1024)
            width = 11;
        else if (next + 1 >= 512)
            width = 10;
        previous = entry;
        havePrevious = true;
    }
    return "<no end of data>";
}

QByteArray ascii85Decode(const QByteArray &in)
{
    QByteArray out;
    quint64 value = 0;
    int count = 0;
    for (char c : in) {
        if (c == '~')
            break;
        if (c == '\r' || c == '\n')
            continue;
        if (c == 'z' && count == 0) {
            out.append(4, '\0');
            continue;
        }
        value = value * 85 + quint64(c - '!');
        if (++count == 5) {
            for (int i = 3; i >= 0; --i)
                out.append(char((value >> (8 * i)) & 0xFF));
            value = 0;
            count = 0;
        }
    }
    if (count > 0) {
        for (int i = count; i < 5; ++i)
            value = value * 85 + 84;
        for (int i = 3; i > 4 - count; --i)
            out.append(char((value >> (8 * i)) & 0xFF));
    }
    return out;
}

QByteArray randomBytes(int size, int alphabet)
{
    QRandomGenerator random(size * 31 + alphabet);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(random.bounded(alphabet));
    return bytes;
}

// Inputs that reach every code width, fill the table and clear it.
std::vector<QByteArray> samples()
{
    return {QByteArray(), QByteArray("A"), QByteArray("ABABABABABABAB"), QByteArray(100000, 'x'),
            randomBytes(300, 256), randomBytes(20000, 256), randomBytes(60000, 4),
            QByteArray("\0\0\0\0\0\1\0\0\0\0", 10)};
}

} // namespace

TEST(LzwEncode, StartsWithAClearCodeAndDecodesBack)
{
    for (const QByteArray &input : samples()) {
        std::vector<std::pair<int, int>> codes;
        const QByteArray encoded = LZWEncode(input);
        EXPECT_EQ(lzwDecode(encoded, &codes), input) << "input of " << input.size() << " bytes";
        ASSERT_FALSE(codes.empty());
        EXPECT_EQ(codes.front(), std::make_pair(256, 9));
        EXPECT_EQ(codes.back().first, 257);
    }
    // Clear code then end of data, 18 bits padded with zeros.
    EXPECT_EQ(LZWEncode(QByteArray()), QByteArray("\x80\x40\x40", 3));
}

TEST(LzwEncode, WidensCodesAndClearsTheFullTable)
{
    std::vector<std::pair<int, int>> codes;
    const QByteArray input = randomBytes(20000, 256);
    ASSERT_EQ(lzwDecode(LZWEncode(input), &codes), input);
    std::set<int> widths;
    int clears = 0;
    for (const auto &[code, width] : codes) {
        widths.insert(width);
        clears += code == 256;
    }
    EXPECT_EQ(widths, (std::set<int>{9, 10, 11, 12}));
    EXPECT_GE(clears, 2);
    // The clear code of a full table is written at 12 bits.
    const auto second = std::find_if(codes.begin() + 1, codes.end(), [](auto c) { return c.first == 256; });
    ASSERT_NE(second, codes.end());
    EXPECT_EQ(second->second, 12);
}

TEST(Ascii85Encode, GroupsZerosPartialGroupsAndEndMarker)
{
    struct Case {
        QByteArray input;
        QByteArray expected;
    };
    const Case cases[] = {
        {QByteArray(), "~>"},
        {QByteArray(4, '\0'), "z~>"},
        {QByteArray("\0\1", 2), "!!*~>"},
        {QByteArray("\0\0\0", 3), "!!!!~>"}, // a short group of zeros is not "z"
        {QByteArray("Man "), "9jqo^~>"},
        {QByteArray("\xff\xff\xff\xff"), "s8W-!~>"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(Ascii85EncodeFilter(c.input), c.expected) << c.input.toHex().constData();
}

TEST(Ascii85Encode, BreaksLinesAfterMoreThan200CharactersAndDecodesBack)
{
    // 41 groups make 205 characters: the line ends after the 41st group;
    // "z" groups count five characters too.
    QByteArray input = randomBytes(40 * 4, 255) + QByteArray(4, '\0') + QByteArray("abcd");
    for (char &b : input.first(160))
        b = char(b | 1); // no zero groups in the first 40
    const QByteArray encoded = Ascii85EncodeFilter(input);
    const qsizetype lineEnd = encoded.indexOf("\r\n");
    EXPECT_EQ(lineEnd, 40 * 5 + 1);
    EXPECT_EQ(encoded.mid(lineEnd + 2), "@:E_W~>");
    for (const QByteArray &sample : samples())
        EXPECT_EQ(ascii85Decode(Ascii85EncodeFilter(sample)), sample) << sample.size() << " bytes";
}

// A PDF reader decodes both filters, chained as inline images use them.
TEST(PdfEncoders, QpdfDecodesTheStreams)
{
    const QString qpdf = QStandardPaths::findExecutable(QStringLiteral("qpdf"));
    if (qpdf.isEmpty())
        GTEST_SKIP() << "qpdf is not installed";
    const QByteArray data = randomBytes(30000, 8) + QByteArray(5000, '\0');
    const QByteArray stream = Ascii85EncodeFilter(LZWEncode(data));
    QByteArray pdf = "%PDF-1.4\n";
    std::vector<qsizetype> offsets;
    auto object = [&](const QByteArray &body) {
        offsets.push_back(pdf.size());
        pdf += QByteArray::number(qsizetype(offsets.size())) + " 0 obj\n" + body + "\nendobj\n";
    };
    object("<< /Type /Catalog /Pages 2 0 R >>");
    object("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    object("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] /Contents 4 0 R >>");
    object("<< /Length " + QByteArray::number(stream.size()) + " /Filter [/ASCII85Decode /LZWDecode] >>\nstream\n"
           + stream + "\nendstream");
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 5\n0000000000 65535 f \n";
    for (qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size 5 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stream.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(pdf);
    file.close();

    QProcess check;
    check.start(qpdf, {QStringLiteral("--check"), path});
    ASSERT_TRUE(check.waitForFinished(60000));
    EXPECT_EQ(check.exitCode(), 0) << check.readAllStandardOutput().constData()
                                   << check.readAllStandardError().constData();
    QProcess show;
    show.start(qpdf, {QStringLiteral("--show-object=4"), QStringLiteral("--filtered-stream-data"), path});
    ASSERT_TRUE(show.waitForFinished(60000));
    EXPECT_EQ(show.exitCode(), 0) << show.readAllStandardError().constData();
    EXPECT_TRUE(show.readAllStandardOutput() == data);
}
