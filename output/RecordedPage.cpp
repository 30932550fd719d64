#include "output/RecordedPage.h"

#include <QBuffer>
#include <QImageReader>
#include <QPaintEngine>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace zelmio {

namespace {

struct TPageDamage {
    QString problem;
};

[[noreturn]] void Damaged(const QString &problem)
{
    throw TPageDamage{problem};
}

struct TPageLimits {
    explicit TPageLimits(QSize size)
        : coordinate(TVxRecordedPage::CoordinateLimit(size))
        , picturePixels(TVxRecordedPage::PicturePixelLimit(size))
    {
    }
    double coordinate;
    qint64 picturePixels;
    static constexpr double MaxScale = TVxRecordedPage::MaxScale;
    static constexpr double MaxFontPixels = TVxRecordedPage::MaxFontPixels;
};

class TPageReader {
public:
    TPageReader(const QByteArray &bytes, qsizetype position, const TPageLimits &limits)
        : FData(reinterpret_cast<const uchar *>(bytes.constData()))
        , FSize(bytes.size())
        , FPos(position)
        , FLimits(limits)
    {
    }

    bool AtEnd() const { return FPos >= FSize; }
    qsizetype Position() const { return FPos; }
    qsizetype Remaining() const { return FSize - FPos; }

    void Need(qsizetype n, const char *what)
    {
        if (n < 0 || n > Remaining())
            Damaged(QStringLiteral("%1 at byte %2 needs %3 bytes but only %4 remain")
                        .arg(QLatin1String(what))
                        .arg(FPos)
                        .arg(n)
                        .arg(Remaining()));
    }
    void Skip(qsizetype n) { FPos += n; }
    quint8 U8(const char *what)
    {
        Need(1, what);
        return FData[FPos++];
    }
    quint16 U16(const char *what)
    {
        Need(2, what);
        const quint16 v = qFromLittleEndian<quint16>(FData + FPos);
        FPos += 2;
        return v;
    }
    quint32 U32(const char *what)
    {
        Need(4, what);
        const quint32 v = qFromLittleEndian<quint32>(FData + FPos);
        FPos += 4;
        return v;
    }
    float F32(const char *what)
    {
        const quint32 bits = U32(what);
        float v;
        std::memcpy(&v, &bits, 4);
        if (!std::isfinite(v))
            Damaged(QStringLiteral("%1 at byte %2 is not a finite number").arg(QLatin1String(what)).arg(FPos - 4));
        return v;
    }
    // A number within [-limit, limit].
    double Bounded(const char *what, double limit)
    {
        const double v = F32(what);
        if (std::fabs(v) > limit)
            Damaged(QStringLiteral("%1 at byte %2 (%3) lies outside the page's range of %4")
                        .arg(QLatin1String(what))
                        .arg(FPos - 4)
                        .arg(v)
                        .arg(limit));
        return v;
    }
    double Coordinate(const char *what) { return Bounded(what, FLimits.coordinate); }
    double NonNegative(const char *what, double limit)
    {
        const double v = Bounded(what, limit);
        if (v < 0)
            Damaged(QStringLiteral("%1 at byte %2 is negative (%3)").arg(QLatin1String(what)).arg(FPos - 4).arg(v));
        return v;
    }
    QPointF Point(const char *what)
    {
        const double x = Coordinate(what);
        return QPointF(x, Coordinate(what));
    }
    QRectF Rect(const char *what)
    {
        const double x = Coordinate(what);
        const double y = Coordinate(what);
        const double w = Coordinate(what);
        return QRectF(x, y, w, Coordinate(what));
    }
    // An element count whose elements take itemSize bytes each.
    quint32 Count(qsizetype itemSize, const char *what)
    {
        const qsizetype at = FPos;
        const quint32 count = U32(what);
        if (qint64(count) * itemSize > Remaining())
            Damaged(QStringLiteral("%1 at byte %2 counts %3 items of %4 bytes but only %5 bytes remain")
                        .arg(QLatin1String(what))
                        .arg(at)
                        .arg(count)
                        .arg(itemSize)
                        .arg(Remaining()));
        return count;
    }
    QString String(quint32 length, const char *what)
    {
        Need(qsizetype(length) * 2, what);
        QString s(qsizetype(length), Qt::Uninitialized);
        for (quint32 i = 0; i < length; ++i)
            s[qsizetype(i)] = QChar(qFromLittleEndian<quint16>(FData + FPos + 2 * i));
        FPos += qsizetype(length) * 2;
        return s;
    }
    template <typename T>
    T Enum(const char *what, quint8 max)
    {
        const quint8 v = U8(what);
        if (v > max)
            Damaged(QStringLiteral("%1 at byte %2 has the unknown value %3").arg(QLatin1String(what)).arg(FPos - 1).arg(v));
        return T(v);
    }
    QPainterPath Path(const char *what)
    {
        QPainterPath path;
        path.setFillRule(U8(what) ? Qt::WindingFill : Qt::OddEvenFill);
        const quint32 count = Count(9, what);
        path.reserve(int(std::min<quint32>(count, 1u << 20)));
        for (quint32 i = 0; i < count; ++i) {
            const qsizetype at = FPos;
            const quint8 type = U8(what);
            const QPointF p = Point(what);
            switch (type) {
            case QPainterPath::MoveToElement:
                path.moveTo(p);
                break;
            case QPainterPath::LineToElement:
                path.lineTo(p);
                break;
            case QPainterPath::CurveToElement: {
                if (i + 2 >= count || U8(what) != QPainterPath::CurveToDataElement)
                    Damaged(QStringLiteral("%1: the curve at byte %2 lacks its control points").arg(QLatin1String(what)).arg(at));
                const QPointF c2 = Point(what);
                if (U8(what) != QPainterPath::CurveToDataElement)
                    Damaged(QStringLiteral("%1: the curve at byte %2 lacks its end point").arg(QLatin1String(what)).arg(at));
                const QPointF end = Point(what);
                path.cubicTo(p, c2, end);
                i += 2;
                break;
            }
            default:
                Damaged(QStringLiteral("%1: element %2 at byte %3 has the unknown type %4")
                            .arg(QLatin1String(what))
                            .arg(i)
                            .arg(at)
                            .arg(type));
            }
        }
        return path;
    }

private:
    const uchar *FData;
    qsizetype FSize;
    qsizetype FPos;
    const TPageLimits &FLimits;
};

QColor ColorFrom(quint32 argb)
{
    return QColor::fromRgba(QRgb(argb));
}

constexpr Qt::PenCapStyle Caps[] = {Qt::FlatCap, Qt::SquareCap, Qt::RoundCap};
constexpr Qt::PenJoinStyle Joins[] = {Qt::MiterJoin, Qt::BevelJoin, Qt::RoundJoin};
constexpr QFont::HintingPreference Hintings[] = {QFont::PreferDefaultHinting, QFont::PreferNoHinting,
                                                 QFont::PreferVerticalHinting, QFont::PreferFullHinting};

void DecodeOps(const QByteArray &bytes, qsizetype start, QSize size, int pictureCount,
               const std::function<void(const TPageOp &)> *visit)
{
    const TPageLimits limits(size);
    TPageReader in(bytes, start, limits);
    TPageOp op;
    while (!in.AtEnd()) {
        const qsizetype at = in.Position();
        const quint8 code = in.U8("an operation");
        op.kind = TPageOpKind(code);
        switch (op.kind) {
        case TPageOpKind::Pen: {
            const QColor color = ColorFrom(in.U32("the pen colour"));
            const double width = in.NonNegative("the pen width", limits.coordinate);
            const auto style = in.Enum<Qt::PenStyle>("the pen style", Qt::DashDotDotLine);
            const quint8 cap = in.Enum<quint8>("the pen cap", 2);
            const quint8 join = in.Enum<quint8>("the pen join", 2);
            const quint8 flags = in.U8("the pen flags");
            op.pen = QPen(QBrush(color), width, style, Caps[cap], Joins[join]);
            op.pen.setCosmetic(flags & 1);
            break;
        }
        case TPageOpKind::Brush: {
            const QColor color = ColorFrom(in.U32("the brush colour"));
            op.brush = QBrush(color, in.Enum<Qt::BrushStyle>("the brush style", Qt::DiagCrossPattern));
            break;
        }
        case TPageOpKind::BrushOrigin:
            op.point = in.Point("the brush origin");
            break;
        case TPageOpKind::Font:
        case TPageOpKind::TextRun: {
            const double pixels = in.NonNegative("the font size", TPageLimits::MaxFontPixels);
            const quint16 weight = in.U16("the font weight");
            if (weight < 1 || weight > 1000)
                Damaged(QStringLiteral("the font weight at byte %1 (%2) is not from 1 to 1000").arg(in.Position() - 2).arg(weight));
            const quint8 flags = in.U8("the font flags");
            const quint8 hinting = in.Enum<quint8>("the font hinting", 3);
            const quint16 length = in.U16("the font family");
            op.font = QFont();
            op.font.setFamily(in.String(length, "the font family"));
            op.fontPixelSize = pixels;
            op.font.setPixelSize(std::max(1, int(std::lround(pixels))));
            op.font.setWeight(QFont::Weight(weight));
            op.font.setItalic(flags & 1);
            op.font.setUnderline(flags & 2);
            op.font.setStrikeOut(flags & 4);
            op.font.setOverline(flags & 8);
            op.font.setKerning(flags & 16);
            op.font.setHintingPreference(Hintings[hinting]);
            if (op.kind != TPageOpKind::TextRun)
                break;
            op.pen = QPen(ColorFrom(in.U32("the text colour")));
            op.point = in.Point("the text position");
            op.width = in.NonNegative("the text width", limits.coordinate);
            op.ascent = in.NonNegative("the text ascent", limits.coordinate);
            op.descent = in.NonNegative("the text descent", limits.coordinate);
            const quint8 textFlags = in.U8("the text flags");
            op.rightToLeft = textFlags & 1;
            op.clipped = textFlags & 2;
            if (op.clipped)
                op.rect = in.Rect("the text's clip");
            const quint32 textLength = in.Count(2, "the text");
            op.text = in.String(textLength, "the text");
            break;
        }
        case TPageOpKind::Transform: {
            double m[4];
            for (double &v : m)
                v = in.Bounded("a transform's scale", TPageLimits::MaxScale);
            const double dx = in.Coordinate("a transform's offset");
            const double dy = in.Coordinate("a transform's offset");
            op.transform = QTransform(m[0], m[1], m[2], m[3], dx, dy);
            break;
        }
        case TPageOpKind::ClipRegion: {
            op.clipOperation = in.Enum<Qt::ClipOperation>("the clip operation", Qt::IntersectClip);
            const quint32 count = in.Count(16, "the clip rectangles");
            op.rects.clear();
            for (quint32 i = 0; i < count; ++i)
                op.rects.push_back(in.Rect("a clip rectangle"));
            break;
        }
        case TPageOpKind::ClipPath:
            op.clipOperation = in.Enum<Qt::ClipOperation>("the clip operation", Qt::IntersectClip);
            op.path = in.Path("the clip path");
            break;
        case TPageOpKind::Opacity: {
            op.value = in.NonNegative("the opacity", 1);
            break;
        }
        case TPageOpKind::Hints:
            op.mode = in.U8("the render hints");
            break;
        case TPageOpKind::Background:
            op.mode = in.Enum<quint8>("the background mode", 1);
            op.brush = QBrush(ColorFrom(in.U32("the background colour")));
            break;
        case TPageOpKind::Text: {
            op.point = in.Point("the text position");
            op.width = in.NonNegative("the text width", limits.coordinate);
            op.ascent = in.NonNegative("the text ascent", limits.coordinate);
            op.descent = in.NonNegative("the text descent", limits.coordinate);
            op.rightToLeft = in.U8("the text flags") & 1;
            const quint32 length = in.Count(2, "the text");
            op.text = in.String(length, "the text");
            break;
        }
        case TPageOpKind::Lines:
        case TPageOpKind::Rects: {
            const bool lines = op.kind == TPageOpKind::Lines;
            const quint32 count = in.Count(16, lines ? "the lines" : "the rectangles");
            op.rects.clear();
            op.rects.reserve(count);
            for (quint32 i = 0; i < count; ++i)
                op.rects.push_back(in.Rect(lines ? "a line" : "a rectangle"));
            break;
        }
        case TPageOpKind::Ellipse:
            op.rect = in.Rect("the ellipse");
            break;
        case TPageOpKind::Polygon:
        case TPageOpKind::Points: {
            const bool polygon = op.kind == TPageOpKind::Polygon;
            if (polygon)
                op.mode = in.Enum<quint8>("the polygon mode", QPaintEngine::PolylineMode);
            const quint32 count = in.Count(8, polygon ? "the polygon" : "the points");
            op.polygon.clear();
            op.polygon.reserve(qsizetype(count));
            for (quint32 i = 0; i < count; ++i)
                op.polygon.append(in.Point(polygon ? "a polygon point" : "a point"));
            break;
        }
        case TPageOpKind::Path:
            op.path = in.Path("the path");
            break;
        case TPageOpKind::Picture: {
            const quint32 index = in.U32("the picture number");
            if (index >= quint32(pictureCount))
                Damaged(QStringLiteral("the picture at byte %1 names picture %2 of %3").arg(at).arg(index).arg(pictureCount));
            op.picture = int(index);
            op.rect = in.Rect("the picture's place");
            op.source = in.Rect("the picture's source rectangle");
            break;
        }
        default:
            Damaged(QStringLiteral("byte %1 holds the unknown operation %2").arg(at).arg(code));
        }
        if (visit)
            (*visit)(op);
    }
}

// The width and height a PNG's header gives, checked before it is decoded.
QSize PngSize(const QByteArray &png)
{
    static const char Signature[] = "\x89PNG\r\n\x1a\n";
    if (png.size() < 33 || std::memcmp(png.constData(), Signature, 8) != 0
        || std::memcmp(png.constData() + 12, "IHDR", 4) != 0)
        return QSize();
    const auto *d = reinterpret_cast<const uchar *>(png.constData());
    const quint32 w = qFromBigEndian<quint32>(d + 16);
    const quint32 h = qFromBigEndian<quint32>(d + 20);
    if (w == 0 || h == 0 || w > (1u << 20) || h > (1u << 20))
        return QSize();
    return QSize(int(w), int(h));
}

} // namespace

std::optional<TVxRecordedPage> TVxRecordedPage::FromBytes(const QByteArray &bytes, QString *problem)
{
    auto fail = [&](const QString &why) -> std::optional<TVxRecordedPage> {
        if (problem)
            *problem = why;
        return std::nullopt;
    };
    if (bytes.startsWith("QPIC"))
        return fail(QStringLiteral("was recorded by an earlier version of this program and cannot be read; "
                                   "generate the report again"));
    if (bytes.size() >= 44 && std::memcmp(bytes.constData() + 40, " EMF", 4) == 0)
        return fail(QStringLiteral("is a Windows enhanced metafile, which this program cannot replay"));
    if (bytes.size() < HeaderSize || std::memcmp(bytes.constData(), Magic, 4) != 0)
        return fail(QStringLiteral("is not a page recording"));
    const auto *d = reinterpret_cast<const uchar *>(bytes.constData());
    const quint16 version = qFromLittleEndian<quint16>(d + 4);
    if (version != FormatVersion)
        return fail(QStringLiteral("is a page recording of format %1, which this program cannot read (it reads format %2)")
                        .arg(version)
                        .arg(FormatVersion));
    const qint32 width = qFromLittleEndian<qint32>(d + 8);
    const qint32 height = qFromLittleEndian<qint32>(d + 12);
    if (width < 1 || height < 1 || width > MaxPageSide || height > MaxPageSide)
        return fail(QStringLiteral("is damaged: its size %1 x %2 is not from 1 to %3 pixels").arg(width).arg(height).arg(MaxPageSide));

    TVxRecordedPage page;
    page.FSize = QSize(width, height);
    try {
        const TPageLimits limits(page.FSize);
        TPageReader in(bytes, HeaderSize, limits);
        const quint32 count = in.Count(12, "the pictures");
        qint64 pixels = 0;
        page.FPictures.reserve(count);
        for (quint32 i = 0; i < count; ++i) {
            const qsizetype at = in.Position();
            const quint32 w = in.U32("a picture's width");
            const quint32 h = in.U32("a picture's height");
            const quint32 length = in.U32("a picture's length");
            in.Need(qsizetype(length), "a picture");
            if (w < 1 || h < 1 || w > quint32(1 << 20) || h > quint32(1 << 20))
                Damaged(QStringLiteral("picture %1 at byte %2 has the size %3 x %4").arg(i).arg(at).arg(w).arg(h));
            pixels += qint64(w) * qint64(h);
            if (pixels > limits.picturePixels)
                Damaged(QStringLiteral("picture %1 at byte %2 (%3 x %4 pixels) is larger than the page can hold")
                            .arg(i)
                            .arg(at)
                            .arg(w)
                            .arg(h));
            const QByteArray png = QByteArray::fromRawData(bytes.constData() + in.Position(), qsizetype(length));
            if (PngSize(png) != QSize(int(w), int(h)))
                Damaged(QStringLiteral("picture %1 at byte %2 is not a PNG image of %3 x %4 pixels").arg(i).arg(at).arg(w).arg(h));
            QBuffer buffer;
            buffer.setData(png);
            buffer.open(QIODevice::ReadOnly);
            QImageReader reader(&buffer, "png");
            QImage image;
            if (!reader.read(&image) || image.size() != QSize(int(w), int(h)))
                Damaged(QStringLiteral("picture %1 at byte %2 cannot be decoded").arg(i).arg(at));
            page.FPictures.push_back(std::move(image));
            in.Skip(qsizetype(length));
        }
        page.FOpsStart = in.Position();
        DecodeOps(bytes, page.FOpsStart, page.FSize, int(page.FPictures.size()), nullptr);
    } catch (const TPageDamage &damage) {
        return fail(QStringLiteral("is damaged: ") + damage.problem);
    }
    page.FBytes = bytes;
    return page;
}

void TVxRecordedPage::Visit(const std::function<void(const TPageOp &)> &visit) const
{
    try {
        DecodeOps(FBytes, FOpsStart, FSize, int(FPictures.size()), &visit);
    } catch (const TPageDamage &) {
        // Checked when the page was read; the bytes have not changed since.
    }
}

std::vector<TPageOp> TVxRecordedPage::Ops() const
{
    std::vector<TPageOp> ops;
    Visit([&ops](const TPageOp &op) { ops.push_back(op); });
    return ops;
}

std::vector<TPageText> PageTexts(const TVxRecordedPage &page)
{
    std::vector<TPageText> texts;
    QTransform transform;
    QFont font;
    double fontPixels = 0;
    QColor color = Qt::black;
    page.Visit([&](const TPageOp &op) {
        switch (op.kind) {
        case TPageOpKind::Pen:
            color = op.pen.color();
            break;
        case TPageOpKind::Font:
            font = op.font;
            fontPixels = op.fontPixelSize;
            break;
        case TPageOpKind::Transform:
            transform = op.transform;
            break;
        case TPageOpKind::TextRun: {
            TPageText text;
            text.text = op.text;
            text.family = op.font.family();
            text.pixelSize = op.fontPixelSize;
            text.bold = op.font.weight() >= QFont::DemiBold;
            text.italic = op.font.italic();
            text.underline = op.font.underline();
            text.color = op.pen.color();
            text.baseline = op.point;
            text.bounds = QRectF(op.point.x(), op.point.y() - op.ascent, op.width, op.ascent + op.descent);
            texts.push_back(std::move(text));
            break;
        }
        case TPageOpKind::Text: {
            TPageText text;
            text.text = op.text;
            text.family = font.family();
            text.pixelSize = fontPixels * std::hypot(transform.m21(), transform.m22());
            text.bold = font.weight() >= QFont::DemiBold;
            text.italic = font.italic();
            text.underline = font.underline();
            text.color = color;
            text.baseline = transform.map(op.point);
            text.bounds = transform.mapRect(QRectF(op.point.x(), op.point.y() - op.ascent, op.width, op.ascent + op.descent));
            texts.push_back(std::move(text));
            break;
        }
        default:
            break;
        }
    });
    return texts;
}

QStringList PageStrings(const TVxRecordedPage &page)
{
    QStringList strings;
    for (const TPageText &text : PageTexts(page))
        strings << text.text;
    return strings;
}

} // namespace zelmio
