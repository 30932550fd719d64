#include "output/PageReplay.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

namespace zelmio {

namespace {

// Fonts come in whole pixels; a fractional size is drawn this many times
// larger under a transform that shrinks it back.
constexpr int FractionScale = 64;

void ApplyClip(QPainter &painter, const TPageOp &op, const QTransform &base, const QTransform &current,
               const QRectF &page)
{
    // The page rectangle (the replay target) is the outermost clip: a clip
    // that replaces the page's own clips still stays inside it.
    if (op.clipOperation != Qt::IntersectClip) {
        painter.setWorldTransform(base);
        painter.setClipRect(page, Qt::ReplaceClip);
        painter.setWorldTransform(current * base);
    }
    if (op.clipOperation == Qt::NoClip)
        return;
    if (op.kind == TPageOpKind::ClipPath) {
        painter.setClipPath(op.path, Qt::IntersectClip);
    } else {
        QPainterPath region;
        for (const QRectF &r : op.rects)
            region.addRect(r);
        painter.setClipPath(region, Qt::IntersectClip);
    }
}

} // namespace

void ReplayPage(QPainter &painter, const TVxRecordedPage &page, const QRectF &target)
{
    const QSize size = page.Size();
    if (size.isEmpty() || target.isEmpty() || !painter.isActive())
        return;
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const QTransform base = QTransform(target.width() / size.width(), 0, 0, target.height() / size.height(),
                                       target.left(), target.top())
        * painter.worldTransform();
    const QRectF pageRect(0, 0, size.width(), size.height());
    // A page starts with the state a fresh painter has.
    painter.setWorldTransform(base);
    painter.setPen(QPen());
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setOpacity(1.0);
    QTransform current;
    QFont font;
    QPen pen;
    bool clipped = false;   // a recorded clip is in effect
    double fontPixels = 0;
    page.Visit([&](const TPageOp &op) {
        switch (op.kind) {
        case TPageOpKind::Pen:
            painter.setPen(op.pen);
            pen = op.pen;
            break;
        case TPageOpKind::Brush:
            painter.setBrush(op.brush);
            break;
        case TPageOpKind::BrushOrigin:
            painter.setBrushOrigin(op.point);
            break;
        case TPageOpKind::Font:
            font = op.font;
            // Underlines and strike-outs were recorded as lines of their own.
            font.setUnderline(false);
            font.setStrikeOut(false);
            font.setOverline(false);
            fontPixels = op.fontPixelSize;
            if (fontPixels != std::round(fontPixels))
                font.setPixelSize(std::max(1, int(std::lround(fontPixels * FractionScale))));
            painter.setFont(font);
            break;
        case TPageOpKind::Transform:
            current = op.transform;
            painter.setWorldTransform(current * base);
            break;
        case TPageOpKind::ClipRegion:
        case TPageOpKind::ClipPath:
            ApplyClip(painter, op, base, current, pageRect);
            clipped = op.clipOperation != Qt::NoClip;
            break;
        case TPageOpKind::Opacity:
            painter.setOpacity(op.value);
            break;
        case TPageOpKind::Hints:
            painter.setRenderHints(QPainter::RenderHints(op.mode));
            break;
        case TPageOpKind::Background:
            painter.setBackgroundMode(op.mode ? Qt::OpaqueMode : Qt::TransparentMode);
            painter.setBackground(op.brush);
            break;
        case TPageOpKind::Text:
            painter.setLayoutDirection(op.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            if (fontPixels != std::round(fontPixels)) {
                painter.setWorldTransform(QTransform::fromScale(1.0 / FractionScale, 1.0 / FractionScale)
                                          * QTransform::fromTranslate(op.point.x(), op.point.y()) * current * base);
                painter.drawText(QPointF(0, 0), op.text);
                painter.setWorldTransform(current * base);
            } else {
                painter.drawText(op.point, op.text);
            }
            break;
        case TPageOpKind::TextRun: {
            // In page coordinates, with its own font, colour and clip; the
            // state of the page around it stays as it was.
            const bool clipping = op.clipped || clipped;
            if (clipping) {
                painter.save();
                painter.setWorldTransform(base);
                painter.setClipRect(pageRect, Qt::ReplaceClip);
                if (op.clipped)
                    painter.setClipRect(op.rect, Qt::IntersectClip);
            }
            QFont runFont = op.font;
            runFont.setPixelSize(std::max(1, int(std::lround(op.fontPixelSize * FractionScale))));
            painter.setFont(runFont);
            painter.setPen(op.pen);
            painter.setLayoutDirection(op.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
            painter.setWorldTransform(QTransform::fromScale(1.0 / FractionScale, 1.0 / FractionScale)
                                      * QTransform::fromTranslate(op.point.x(), op.point.y()) * base);
            painter.drawText(QPointF(0, 0), op.text);
            if (clipping) {
                painter.restore();
            } else {
                painter.setWorldTransform(current * base);
                painter.setPen(pen);
                painter.setFont(font);
            }
            break;
        }
        case TPageOpKind::Lines:
            for (const QRectF &r : op.rects)
                painter.drawLine(QLineF(r.x(), r.y(), r.width(), r.height()));
            break;
        case TPageOpKind::Rects:
            painter.drawRects(op.rects.data(), int(op.rects.size()));
            break;
        case TPageOpKind::Ellipse:
            painter.drawEllipse(op.rect);
            break;
        case TPageOpKind::Polygon:
            switch (op.mode) {
            case QPaintEngine::PolylineMode:
                painter.drawPolyline(op.polygon);
                break;
            case QPaintEngine::ConvexMode:
                painter.drawConvexPolygon(op.polygon);
                break;
            default:
                painter.drawPolygon(op.polygon, op.mode == QPaintEngine::WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
                break;
            }
            break;
        case TPageOpKind::Path:
            painter.drawPath(op.path);
            break;
        case TPageOpKind::Points:
            painter.drawPoints(op.polygon);
            break;
        case TPageOpKind::Picture:
            painter.drawImage(op.rect, page.Picture(op.picture), op.source);
            break;
        }
    });
    painter.restore();
}

QImage RenderPage(const TVxRecordedPage &page, double dotsPerInch)
{
    const QSize pageSize = page.Size();
    const double scale = dotsPerInch / RecordingPixelsPerInch;
    const QSize size(std::max(1, int(std::lround(pageSize.width() * scale))),
                     std::max(1, int(std::lround(pageSize.height() * scale))));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(dotsPerInch / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    ReplayPage(painter, page, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

} // namespace zelmio
