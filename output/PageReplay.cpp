#include "output/PageReplay.h"

#include <QPainter>
#include <QPicture>
#include <cmath>
#include <cstring>

namespace zelmio {

QByteArray PictureBytes(const QPicture &picture)
{
    return QByteArray(picture.data(), qsizetype(picture.size()));
}

bool PictureFromBytes(const QByteArray &bytes, QPicture &picture, QString *problem)
{
    auto fail = [&](const QString &why) {
        if (problem)
            *problem = why;
        picture = QPicture();
        return false;
    };
    QPicture loaded; // a fresh picture: a reused one keeps its old bounds
    if (bytes.size() >= 44 && std::memcmp(bytes.constData() + 40, " EMF", 4) == 0)
        return fail(QStringLiteral("is a Windows enhanced metafile, which this program cannot replay"));
    if (!bytes.startsWith("QPIC"))
        return fail(QStringLiteral("is not a valid page recording"));
    loaded.setData(bytes.constData(), uint(bytes.size()));
    // The bounding rectangle is read from the recording once its checksum has
    // been verified; a damaged recording has none, and so has no page size.
    if (loaded.boundingRect().isEmpty())
        return fail(QStringLiteral("is a damaged page recording"));
    picture = loaded;
    return true;
}

QSize PageSizeOf(const QPicture &picture)
{
    return picture.boundingRect().size();
}

void ReplayPage(QPainter &painter, const QPicture &page, const QRectF &target)
{
    const QRect bounds = page.boundingRect();
    if (bounds.isEmpty() || target.isEmpty())
        return;
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    painter.translate(target.topLeft());
    painter.scale(target.width() / bounds.width(), target.height() / bounds.height());
    painter.translate(-bounds.topLeft());
    // Replaying scales by the device's resolution over the application's
    // default one; the target rectangle already says how big the page is.
    if (const QPaintDevice *device = painter.device()) {
        painter.scale(double(page.logicalDpiX()) / device->logicalDpiX(),
                      double(page.logicalDpiY()) / device->logicalDpiY());
    }
    const_cast<QPicture &>(page).play(&painter);
    painter.restore();
}

QImage RenderPage(const QPicture &page, double dotsPerInch)
{
    const QSize pageSize = PageSizeOf(page);
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
