// The recorded page: what the recorder writes reads back as the operations
// painted; texts come with their places; broken or hostile bytes are refused
// with their problem, and mutated pages never harm the reader or replay.
#include "output/RecordedPage.h"

#include "PageFixtures.h"
#include "output/PageRecorder.h"
#include "output/PageReplay.h"
#include "output/VxPageList.h"
#include "output/VxStream.h"
#include "platform/VxError.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstring>
#include <gtest/gtest.h>

using namespace zelmio;
using zelmio::test::MakeSamplePage;

namespace {

// Builds page bytes by hand: a header, a picture table and operations.
struct PageBytes {
    QByteArray bytes;
    explicit PageBytes(qint32 width = 794, qint32 height = 1123)
    {
        bytes.append("ZPAG", 4);
        U16(1);
        U16(0);
        I32(width);
        I32(height);
    }
    PageBytes &U8(quint8 v) { bytes.append(char(v)); return *this; }
    PageBytes &U16(quint16 v) { char b[2]; qToLittleEndian(v, b); bytes.append(b, 2); return *this; }
    PageBytes &I32(qint32 v) { char b[4]; qToLittleEndian(v, b); bytes.append(b, 4); return *this; }
    PageBytes &F32(float v) { quint32 u; std::memcpy(&u, &v, 4); return I32(qint32(u)); }
    PageBytes &Op(TPageOpKind kind) { return U8(quint8(kind)); }
};

QString Problem(const QByteArray &bytes)
{
    QString problem;
    if (TVxRecordedPage::FromBytes(bytes, &problem))
        return QStringLiteral("accepted");
    return problem;
}

} // namespace

TEST(RecordedPage, RecordsWhatIsPaintedInOrder)
{
    TVxPageRecorder recorder(QSize(200, 100));
    {
        QPainter p(&recorder);
        p.setPen(QPen(Qt::blue, 3));
        p.drawLine(10, 20, 110, 20);
        p.setBrush(Qt::yellow);
        p.drawRect(QRectF(5, 6, 7, 8));
        p.drawEllipse(QRectF(20, 30, 40, 20));
        QPainterPath path;
        path.moveTo(0, 0);
        path.cubicTo(10, 0, 20, 10, 20, 20);
        p.drawPath(path);
        p.setClipRect(QRect(0, 0, 50, 50));
        const QPolygonF triangle({QPointF(1, 1), QPointF(9, 1), QPointF(5, 8)});
        p.drawPolygon(triangle);
        QImage image(8, 8, QImage::Format_RGB32);
        image.fill(Qt::red);
        p.drawImage(QRectF(60, 60, 16, 16), image);
        p.drawImage(QRectF(80, 60, 16, 16), image); // stored once
    }
    const TVxRecordedPage page = recorder.Page();
    EXPECT_EQ(page.Size(), QSize(200, 100));
    ASSERT_EQ(page.PictureCount(), 1);
    EXPECT_EQ(page.Picture(0).pixel(3, 3), QColor(Qt::red).rgb());

    std::vector<TPageOpKind> kinds;
    std::vector<TPageOp> draws;
    for (const TPageOp &op : page.Ops()) {
        kinds.push_back(op.kind);
        if (op.kind >= TPageOpKind::Text)
            draws.push_back(op);
    }
    using K = TPageOpKind;
    const std::vector<K> drawn = {K::Lines, K::Rects, K::Ellipse, K::Path, K::Polygon, K::Picture, K::Picture};
    ASSERT_EQ(draws.size(), drawn.size());
    for (size_t i = 0; i < drawn.size(); ++i)
        EXPECT_EQ(draws[i].kind, drawn[i]) << i;
    EXPECT_EQ(draws[0].rects.at(0), QRectF(10, 20, 110, 20)); // a line's two ends
    EXPECT_EQ(draws[1].rects.at(0), QRectF(5, 6, 7, 8));
    EXPECT_EQ(draws[3].path.elementCount(), 4);
    EXPECT_EQ(draws[4].polygon.size(), 3);
    EXPECT_EQ(draws[6].rect, QRectF(80, 60, 16, 16));
    EXPECT_EQ(draws[6].source, QRectF(0, 0, 8, 8));
    // The pen and brush came before what they drew, the clip before the polygon.
    const auto at = [&](K kind) { return std::find(kinds.begin(), kinds.end(), kind) - kinds.begin(); };
    EXPECT_LT(at(K::Pen), at(K::Lines));
    EXPECT_LT(at(K::Brush), at(K::Rects));
    EXPECT_LT(at(K::ClipRegion), at(K::Polygon));
}

TEST(RecordedPage, TextsComeWithFontColourAndPlaceOnThePage)
{
    TVxPageRecorder recorder(QSize(794, 1123));
    {
        QPainter p(&recorder);
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(24);
        p.setFont(font);
        p.drawText(110, 290, QStringLiteral("Zelmio 12.50"));
        // As elements draw: a font in twips under a transform to pixels.
        font.setPixelSize(200);
        font.setBold(true);
        font.setItalic(true);
        p.setFont(font);
        p.setPen(QColor(200, 0, 0));
        p.translate(300, 500);
        p.scale(96.0 / 1440, 96.0 / 1440);
        p.drawText(QPointF(0, 150), QStringLiteral("Cena"));
    }
    const std::vector<TPageText> texts = PageTexts(recorder.Page());
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, QStringLiteral("Zelmio 12.50"));
    EXPECT_EQ(texts[0].family, QStringLiteral("Arial"));
    EXPECT_DOUBLE_EQ(texts[0].pixelSize, 24);
    EXPECT_FALSE(texts[0].bold);
    EXPECT_EQ(texts[0].color, QColor(Qt::black));
    EXPECT_EQ(texts[0].baseline, QPointF(110, 290));
    EXPECT_NEAR(texts[0].bounds.left(), 110, 0.01);
    EXPECT_NEAR(texts[0].bounds.bottom(), 290 + 24 * 0.21, 2); // the descent below the baseline
    EXPECT_NEAR(texts[0].bounds.top(), 290 - 24 * 0.9, 2);
    EXPECT_GT(texts[0].bounds.width(), 100);

    EXPECT_EQ(texts[1].text, QStringLiteral("Cena"));
    EXPECT_NEAR(texts[1].pixelSize, 200 * 96.0 / 1440, 1e-4);
    EXPECT_TRUE(texts[1].bold);
    EXPECT_TRUE(texts[1].italic);
    EXPECT_EQ(texts[1].color, QColor(200, 0, 0));
    EXPECT_NEAR(texts[1].baseline.x(), 300, 1e-3);
    EXPECT_NEAR(texts[1].baseline.y(), 510, 1e-3);
    EXPECT_NEAR(texts[1].bounds.height(), texts[0].bounds.height() * (200.0 / 15) / 24, 1);
    EXPECT_EQ(PageStrings(recorder.Page()), (QStringList{QStringLiteral("Zelmio 12.50"), QStringLiteral("Cena")}));
}

TEST(RecordedPage, ValuesTheReaderWouldRefuseAreRecordedWithinRange)
{
    TVxPageRecorder recorder(QSize(100, 100));
    {
        QPainter p(&recorder);
        p.drawLine(QPointF(0, 0), QPointF(1e12, qQNaN()));
        p.setPen(QPen(Qt::black, 1e9));
        p.drawRect(QRectF(-1e30, 0, 10, 10));
    }
    QString problem;
    EXPECT_TRUE(TVxRecordedPage::FromBytes(recorder.Bytes(), &problem)) << problem.toStdString();
}

TEST(RecordedPage, BrokenPagesAreRefusedWithTheirProblem)
{
    const QByteArray sample = MakeSamplePage().Bytes();
    QByteArray hugePicture = PageBytes().I32(1).I32(100000).I32(100000).I32(0).bytes;
    PageBytes pen;
    pen.I32(0).Op(TPageOpKind::Pen).I32(0).F32(-2).U8(1).U8(0).U8(0).U8(0);
    PageBytes lines;
    lines.I32(0).Op(TPageOpKind::Lines).I32(0x7fffffff).F32(0).F32(0);
    PageBytes text;
    text.I32(0).Op(TPageOpKind::Text).F32(1).F32(2).F32(3).F32(4).F32(5).U8(0).I32(1000).U16('Z');
    PageBytes nan;
    nan.I32(0).Op(TPageOpKind::Ellipse).F32(qQNaN()).F32(0).F32(1).F32(1);
    PageBytes far;
    far.I32(0).Op(TPageOpKind::Ellipse).F32(1e9f).F32(0).F32(1).F32(1);
    PageBytes curve;
    curve.I32(0).Op(TPageOpKind::Path).U8(0).I32(2).U8(0).F32(0).F32(0).U8(2).F32(1).F32(1);
    PageBytes pictureIndex;
    pictureIndex.I32(0).Op(TPageOpKind::Picture).I32(0);
    for (int i = 0; i < 8; ++i)
        pictureIndex.F32(1);
    PageBytes unknown;
    unknown.I32(0).U8(0xEE);
    PageBytes pictureCount;
    pictureCount.I32(50000000);
    PageBytes notPng;
    notPng.I32(1).I32(2).I32(2).I32(4).I32(0);

    const struct {
        const char *name;
        QByteArray bytes;
        const char *says;
    } cases[] = {
        {"truncated", sample.left(sample.size() - 7), "remain"},
        {"cut inside the picture table", sample.left(40), "a picture at byte 32 needs"},
        {"a count larger than the page", lines.bytes, "counts 2147483647 items of 16 bytes"},
        {"a picture count larger than the page", pictureCount.bytes, "counts 50000000 items of 12 bytes"},
        {"a text longer than the page", text.bytes, "counts 1000 items of 2 bytes but only 2 bytes remain"},
        {"a negative page size", PageBytes(-794, 1123).I32(0).bytes, "its size -794 x 1123"},
        {"a negative pen width", pen.bytes, "the pen width at byte 25 is negative"},
        {"a picture larger than the page", hugePicture, "picture 0 at byte 20 (100000 x 100000 pixels) is larger than the page"},
        {"a picture that is no PNG", notPng.bytes, "picture 0 at byte 20 is not a PNG image of 2 x 2 pixels"},
        {"a picture that is not in the table", pictureIndex.bytes, "names picture 0 of 0"},
        {"an unknown operation", unknown.bytes, "byte 20 holds the unknown operation 238"},
        {"a coordinate that is not a number", nan.bytes, "is not a finite number"},
        {"a coordinate far off the page", far.bytes, "lies outside the page's range"},
        {"a curve without its control points", curve.bytes, "lacks its control points"},
        {"an earlier version's page", QByteArray("QPIC\x0b\x00", 6), "earlier version"},
        {"another format version", QByteArray("ZPAG\x02\x00\0\0\x10\0\0\0\x10\0\0\0", 16), "format 2"},
        {"no page at all", QByteArray("nonsense"), "is not a page recording"},
    };
    for (const auto &c : cases) {
        const QString problem = Problem(c.bytes);
        EXPECT_TRUE(problem.contains(QLatin1String(c.says))) << c.name << ": " << problem.toStdString();
    }

    // The page store names the page.
    TVxPageList list;
    list.SetStream(std::make_unique<TVxStream>());
    list.AddPageBytes(sample);
    list.AddPageBytes(unknown.bytes);
    EXPECT_TRUE(list.GetPage(1));
    try {
        list.GetPage(2);
        ADD_FAILURE() << "a broken page was read";
    } catch (const EVxError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Page 2 is damaged: byte 20 holds the unknown operation 238"));
    }
}

// A fixed number of random mutations of a real page: every one is read,
// and those that pass are replayed and their texts taken. The libFuzzer
// harness (tests/output/fuzz) runs the same without a bound.
TEST(RecordedPage, MutatedPagesAreRefusedOrReplayedSafely)
{
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio=false")); // libpng's complaints
    const QByteArray sample = MakeSamplePage(5).Bytes();
    QRandomGenerator rng(12);
    QImage target(120, 170, QImage::Format_RGB32);
    int accepted = 0;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = sample;
        const int edits = 1 + int(rng.bounded(4));
        for (int e = 0; e < edits; ++e) {
            const qsizetype at = qsizetype(rng.bounded(quint32(bytes.size())));
            switch (rng.bounded(4)) {
            case 0:
                bytes[at] = char(rng.bounded(256));
                break;
            case 1:
                bytes[at] = char(bytes[at] ^ (1 << rng.bounded(8)));
                break;
            case 2:
                bytes.truncate(std::max<qsizetype>(at, 1));
                break;
            default: {
                const quint32 big[] = {0x7fffffffu, 0xffffffffu, 0x80000000u, 0x7f800000u, 0x4f000000u};
                if (at + 4 <= bytes.size())
                    qToLittleEndian(big[rng.bounded(5)], bytes.data() + at);
                break;
            }
            }
        }
        const std::optional<TVxRecordedPage> page = TVxRecordedPage::FromBytes(bytes);
        if (!page)
            continue;
        ++accepted;
        target.fill(Qt::white);
        QPainter painter(&target);
        ReplayPage(painter, *page, QRectF(target.rect()));
        painter.end();
        (void)PageTexts(*page);
    }
    EXPECT_GT(accepted, 100); // the mutations reach replay, not only the checks
}
