#include "output/PageRecorder.h"

#include <QBuffer>
#include <QHash>
#include <QImageWriter>
#include <QPaintEngine>
#include <QPainter>
#include <QPixmap>
#include <QtEndian>
#include <climits>
#include <cmath>
#include <cstring>
#include <unordered_map>

namespace zelmio {

namespace {

quint8 CapCode(Qt::PenCapStyle cap)
{
    return cap == Qt::SquareCap ? 1 : cap == Qt::RoundCap ? 2 : 0;
}

quint8 JoinCode(Qt::PenJoinStyle join)
{
    return join == Qt::BevelJoin ? 1 : join == Qt::RoundJoin ? 2 : 0;
}

} // namespace

// Writes the operations as they arrive; the pictures are kept and written in
// front of the operations when the page ends. Values the reader would refuse
// (not finite, beyond the page's range) are clamped, so a recording always
// reads back.
class TVxPageRecordEngine : public QPaintEngine {
public:
    explicit TVxPageRecordEngine(TVxPageRecorder &device)
        : QPaintEngine(AllFeatures)
        , FDevice(device)
        , FLimit(TVxRecordedPage::CoordinateLimit(device.FSize))
        , FPixelBudget(TVxRecordedPage::PicturePixelLimit(device.FSize))
    {
    }

    bool begin(QPaintDevice *) override
    {
        FOps.clear();
        FOps.reserve(4096);
        FPictures.clear();
        FByKey.clear();
        FByContent.clear();
        FPixels = 0;
        FPen.reset();
        FBrush.reset();
        FFont.reset();
        FTransform = QTransform();
        FFontPixels = 0;
        setActive(true);
        return true;
    }

    bool end() override
    {
        QByteArray bytes;
        bytes.reserve(TVxRecordedPage::HeaderSize + FOps.size() + 64);
        bytes.append(TVxRecordedPage::Magic, 4);
        AppendU16(bytes, TVxRecordedPage::FormatVersion);
        AppendU16(bytes, 0);
        AppendU32(bytes, quint32(FDevice.FSize.width()));
        AppendU32(bytes, quint32(FDevice.FSize.height()));
        AppendU32(bytes, quint32(FPictures.size()));
        for (const StoredPicture &picture : FPictures) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QImageWriter writer(&buffer, "png");
            writer.setQuality(50); // zlib level 4: nearly as small, faster
            writer.write(picture.image);
            AppendU32(bytes, quint32(picture.image.width()));
            AppendU32(bytes, quint32(picture.image.height()));
            AppendU32(bytes, quint32(png.size()));
            bytes += png;
        }
        bytes += FOps;
        FDevice.FBytes = bytes;
        FOps.clear();
        FPictures.clear();
        FByKey.clear();
        FByContent.clear();
        setActive(false);
        return true;
    }

    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState &state) override
    {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyTransform)
            SetTransform(state.transform());
        if (dirty & DirtyPen)
            SetPen(state.pen());
        if (dirty & DirtyBrush)
            SetBrush(state.brush());
        if (dirty & DirtyBrushOrigin) {
            Op(TPageOpKind::BrushOrigin);
            Point(state.brushOrigin());
        }
        if (dirty & (DirtyBackground | DirtyBackgroundMode)) {
            Op(TPageOpKind::Background);
            U8(state.backgroundMode() == Qt::OpaqueMode ? 1 : 0);
            U32(state.backgroundBrush().color().rgba());
        }
        if (dirty & DirtyClipPath) {
            Op(TPageOpKind::ClipPath);
            U8(ClipCode(state.clipOperation()));
            Path(state.clipOperation() == Qt::NoClip ? QPainterPath() : state.clipPath());
        } else if (dirty & DirtyClipRegion) {
            Op(TPageOpKind::ClipRegion);
            U8(ClipCode(state.clipOperation()));
            if (state.clipOperation() == Qt::NoClip) {
                U32(0);
            } else {
                const QRegion region = state.clipRegion();
                U32(quint32(region.rectCount()));
                for (const QRect &r : region)
                    Rect(QRectF(r));
            }
        } else if (dirty & DirtyClipEnabled) {
            // Clipping switched off, or back on with the clip it had.
            const QPainterPath clip = state.isClipEnabled() && painter() ? painter()->clipPath() : QPainterPath();
            Op(TPageOpKind::ClipPath);
            U8(state.isClipEnabled() && painter() && painter()->hasClipping() ? 1 : 0);
            Path(clip);
        }
        if (dirty & DirtyHints) {
            Op(TPageOpKind::Hints);
            U8(quint8(int(state.renderHints()) & 0xFF));
        }
        if (dirty & DirtyOpacity) {
            Op(TPageOpKind::Opacity);
            F32(std::clamp(Finite(state.opacity()), 0.0, 1.0));
        }
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        RecordText(p, item.font(), item.text(), item.width(), item.ascent(), item.descent(),
                   item.renderFlags() & QTextItem::RightToLeft);
    }

    void RecordTextRun(const QPointF &p, const QFont &font, double pixels, const QColor &color, const QString &text,
                       double width, double ascent, double descent, bool rightToLeft, bool clipped,
                       const QRectF &clip)
    {
        if (text.isEmpty())
            return;
        Op(TPageOpKind::TextRun);
        FontFields(font, pixels);
        U32(color.rgba());
        Point(p);
        Size(width);
        Size(ascent);
        Size(descent);
        U8(quint8((rightToLeft ? 1 : 0) | (clipped ? 2 : 0)));
        if (clipped)
            Rect(clip);
        String32(text);
    }

    void RecordText(const QPointF &p, const QFont &font, const QString &text, qreal width, qreal ascent,
                    qreal descent, bool rightToLeft)
    {
        if (text.isEmpty())
            return;
        SetFont(font);
        Op(TPageOpKind::Text);
        Point(p);
        Size(width);
        Size(ascent);
        Size(descent);
        U8(rightToLeft ? 1 : 0);
        String32(text);
    }

    void drawLines(const QLineF *lines, int count) override
    {
        Op(TPageOpKind::Lines);
        U32(quint32(count));
        for (int i = 0; i < count; ++i) {
            Point(lines[i].p1());
            Point(lines[i].p2());
        }
    }

    void drawRects(const QRectF *rects, int count) override
    {
        Op(TPageOpKind::Rects);
        U32(quint32(count));
        for (int i = 0; i < count; ++i)
            Rect(rects[i]);
    }

    void drawEllipse(const QRectF &rect) override
    {
        Op(TPageOpKind::Ellipse);
        Rect(rect);
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        Op(TPageOpKind::Polygon);
        U8(quint8(mode));
        U32(quint32(count));
        for (int i = 0; i < count; ++i)
            Point(points[i]);
    }

    void drawPoints(const QPointF *points, int count) override
    {
        Op(TPageOpKind::Points);
        U32(quint32(count));
        for (int i = 0; i < count; ++i)
            Point(points[i]);
    }

    void drawPath(const QPainterPath &path) override
    {
        Op(TPageOpKind::Path);
        Path(path);
    }

    void drawPixmap(const QRectF &r, const QPixmap &pixmap, const QRectF &source) override
    {
        if (pixmap.isNull())
            return;
        DrawPicture(r, PictureIndex(pixmap.cacheKey(), true, [&] { return pixmap.toImage(); }), source);
    }

    void drawImage(const QRectF &r, const QImage &image, const QRectF &source, Qt::ImageConversionFlags) override
    {
        if (image.isNull())
            return;
        DrawPicture(r, PictureIndex(image.cacheKey(), false, [&] { return image; }), source);
    }

private:
    struct StoredPicture {
        QImage image;
        double scaleX = 1; // stored pixels per pixel of the picture drawn
        double scaleY = 1;
    };

    static quint8 ClipCode(Qt::ClipOperation op) { return op == Qt::ReplaceClip ? 1 : op == Qt::IntersectClip ? 2 : 0; }
    static double Finite(double v) { return std::isfinite(v) ? v : 0.0; }

    void Op(TPageOpKind kind) { FOps.append(char(kind)); }
    void U8(quint8 v) { FOps.append(char(v)); }
    void U16(quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        FOps.append(b, 2);
    }
    void U32(quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        FOps.append(b, 4);
    }
    static void AppendU16(QByteArray &to, quint16 v)
    {
        char b[2];
        qToLittleEndian(v, b);
        to.append(b, 2);
    }
    static void AppendU32(QByteArray &to, quint32 v)
    {
        char b[4];
        qToLittleEndian(v, b);
        to.append(b, 4);
    }
    void F32(double v)
    {
        const float f = float(v);
        quint32 bits;
        std::memcpy(&bits, &f, 4);
        U32(bits);
    }
    // float(v) may round beyond the limit; the largest float not above it.
    void Bounded(double v, double limit)
    {
        float f = float(std::clamp(Finite(v), -limit, limit));
        if (std::fabs(double(f)) > limit)
            f = std::nextafter(f, 0.0f);
        F32(f);
    }
    void Coordinate(double v) { Bounded(v, FLimit); }
    void Size(double v) { Bounded(std::max(0.0, Finite(v)), FLimit); }
    void Point(const QPointF &p)
    {
        Coordinate(p.x());
        Coordinate(p.y());
    }
    void Rect(const QRectF &r)
    {
        Coordinate(r.x());
        Coordinate(r.y());
        Coordinate(r.width());
        Coordinate(r.height());
    }
    void String32(const QString &s)
    {
        U32(quint32(s.size()));
        for (QChar c : s)
            U16(c.unicode());
    }
    void Path(const QPainterPath &path)
    {
        U8(path.fillRule() == Qt::WindingFill ? 1 : 0);
        const int count = path.elementCount();
        U32(quint32(count));
        for (int i = 0; i < count; ++i) {
            const QPainterPath::Element e = path.elementAt(i);
            U8(quint8(e.type));
            Coordinate(e.x);
            Coordinate(e.y);
        }
    }

    void SetTransform(const QTransform &t)
    {
        if (t == FTransform)
            return;
        FTransform = t;
        Op(TPageOpKind::Transform);
        for (double v : {t.m11(), t.m12(), t.m21(), t.m22()})
            Bounded(v, TVxRecordedPage::MaxScale);
        Coordinate(t.dx());
        Coordinate(t.dy());
    }

    void SetPen(const QPen &pen)
    {
        if (FPen && *FPen == pen)
            return;
        FPen = pen;
        Op(TPageOpKind::Pen);
        U32(pen.color().rgba());
        Size(pen.widthF());
        const Qt::PenStyle style = pen.style() > Qt::DashDotDotLine ? Qt::SolidLine : pen.style();
        U8(quint8(style));
        U8(CapCode(pen.capStyle()));
        U8(JoinCode(pen.joinStyle()));
        U8(pen.isCosmetic() ? 1 : 0);
    }

    void SetBrush(const QBrush &brush)
    {
        if (FBrush && *FBrush == brush)
            return;
        FBrush = brush;
        Op(TPageOpKind::Brush);
        U32(brush.color().rgba());
        // Gradients and textures are kept as their colour.
        const Qt::BrushStyle style = brush.style() > Qt::DiagCrossPattern ? Qt::SolidPattern : brush.style();
        U8(quint8(style));
    }

    void SetFont(const QFont &font)
    {
        if (FFont && *FFont == font)
            return;
        FFont = font;
        const double pixels = font.pixelSize() > 0 ? double(font.pixelSize())
                                                   : font.pointSizeF() * RecordingPixelsPerInch / 72.0;
        Op(TPageOpKind::Font);
        FontFields(font, pixels);
    }

    void FontFields(const QFont &font, double pixels)
    {
        Bounded(std::max(0.0, Finite(pixels)), TVxRecordedPage::MaxFontPixels);
        U16(quint16(std::clamp(int(font.weight()), 1, 1000)));
        U8(quint8((font.italic() ? 1 : 0) | (font.underline() ? 2 : 0) | (font.strikeOut() ? 4 : 0)
                  | (font.overline() ? 8 : 0) | (font.kerning() ? 16 : 0)));
        U8(quint8(std::clamp(int(font.hintingPreference()), 0, 3)));
        const QString family = font.family().left(0xFFFF);
        U16(quint16(family.size()));
        for (QChar c : family)
            U16(c.unicode());
    }

    // The index of the picture in the page's table, stored on first use. A
    // picture beyond what the page may still hold is stored scaled down.
    template <typename MakeImage>
    int PictureIndex(qint64 key, bool pixmap, MakeImage makeImage)
    {
        const qint64 tagged = key * 2 + (pixmap ? 1 : 0);
        if (auto it = FByKey.find(tagged); it != FByKey.end())
            return it->second;
        QImage image = makeImage();
        const size_t content = qHashBits(image.constBits(), size_t(image.sizeInBytes()),
                                         size_t(image.width()) * 31 + size_t(image.height()));
        auto [first, last] = FByContent.equal_range(content);
        for (auto it = first; it != last; ++it) {
            const StoredPicture &stored = FPictures[size_t(it->second)];
            if (stored.scaleX == 1 && stored.scaleY == 1 && stored.image == image) {
                FByKey.emplace(tagged, it->second);
                return it->second;
            }
        }
        StoredPicture stored;
        const qint64 pixels = qint64(image.width()) * image.height();
        const qint64 left = std::max<qint64>(1, FPixelBudget - FPixels);
        if (pixels > left) {
            const double f = std::sqrt(double(left) / double(pixels));
            const int w = std::max(1, int(image.width() * f));
            const int h = std::max(1, int(image.height() * f));
            stored.scaleX = double(w) / image.width();
            stored.scaleY = double(h) / image.height();
            image = image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        FPixels += qint64(image.width()) * image.height();
        stored.image = std::move(image);
        const int index = int(FPictures.size());
        FPictures.push_back(std::move(stored));
        FByKey.emplace(tagged, index);
        FByContent.emplace(content, index);
        return index;
    }

    void DrawPicture(const QRectF &r, int index, const QRectF &source)
    {
        if (FPixels > FPixelBudget)
            return; // the page holds no more pictures
        const StoredPicture &stored = FPictures[size_t(index)];
        Op(TPageOpKind::Picture);
        U32(quint32(index));
        Rect(r);
        Rect(QRectF(source.x() * stored.scaleX, source.y() * stored.scaleY, source.width() * stored.scaleX,
                    source.height() * stored.scaleY));
    }

    TVxPageRecorder &FDevice;
    double FLimit;
    qint64 FPixelBudget;
    QByteArray FOps;
    std::vector<StoredPicture> FPictures;
    std::unordered_map<qint64, int> FByKey;
    std::unordered_multimap<size_t, int> FByContent;
    qint64 FPixels = 0;
    std::optional<QPen> FPen;
    std::optional<QBrush> FBrush;
    std::optional<QFont> FFont;
    QTransform FTransform;
    double FFontPixels = 0;
};

TVxPageRecorder::TVxPageRecorder(QSize size)
    : FSize(std::clamp(size.width(), 1, TVxRecordedPage::MaxPageSide),
            std::clamp(size.height(), 1, TVxRecordedPage::MaxPageSide))
    , FEngine(std::make_unique<TVxPageRecordEngine>(*this))
{
}

TVxPageRecorder::~TVxPageRecorder() = default;

QPaintEngine *TVxPageRecorder::paintEngine() const
{
    return FEngine.get();
}

void TVxPageRecorder::DrawTextRun(QPainter &painter, const QPointF &baseline, const QString &text, double width,
                                  double ascent, double descent, bool rightToLeft)
{
    // The run is recorded in page coordinates with everything it needs, so
    // the painter's state need not reach the engine. A transform that turns
    // or shears the text goes the ordinary way.
    const QTransform transform = painter.combinedTransform();
    if (!FEngine->isActive() || painter.device() != this || transform.m12() != 0 || transform.m21() != 0
        || transform.m11() <= 0 || transform.m22() <= 0 || painter.font().pixelSize() <= 0) {
        painter.drawText(baseline, text);
        return;
    }
    const double sx = transform.m11();
    const double sy = transform.m22();
    const QPointF at = transform.map(baseline);
    // A clip that leaves the whole text visible is not kept.
    const QRectF bounds(at.x(), at.y() - ascent * sy, width * sx, (ascent + descent) * sy);
    const QRectF clip = painter.hasClipping() ? transform.mapRect(painter.clipBoundingRect()) : QRectF();
    const bool clipped = painter.hasClipping() && !clip.contains(bounds);
    FEngine->RecordTextRun(at, painter.font(), painter.font().pixelSize() * sy, painter.pen().color(), text,
                           width * sx, ascent * sy, descent * sy, rightToLeft, clipped, clip);
}

QByteArray TVxPageRecorder::Bytes() const
{
    if (!FBytes.isEmpty())
        return FBytes;
    // Nothing painted yet: an empty page.
    TVxPageRecorder empty(FSize);
    QPainter painter(&empty);
    painter.end();
    return empty.FBytes;
}

TVxRecordedPage TVxPageRecorder::Page() const
{
    return *TVxRecordedPage::FromBytes(Bytes());
}

int TVxPageRecorder::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return FSize.width();
    case PdmHeight:
        return FSize.height();
    case PdmWidthMM:
        return int(std::lround(FSize.width() * 25.4 / RecordingPixelsPerInch));
    case PdmHeightMM:
        return int(std::lround(FSize.height() * 25.4 / RecordingPixelsPerInch));
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return RecordingPixelsPerInch;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace zelmio
