#include "model/VxImage.h"

#include "model/VxExportTarget.h"
#include "model/VxPageCanvas.h"
#include "model/VxUnits.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

TVxImage::TVxImage(TComponent *owner)
    : TVxPrintable(owner)
    , m_picture(std::make_unique<TVxPicture>(this))
{
    m_picture->SetOnChange([this] { PictureChanged(); });
    SetBounds(0, 0, 105, 105);
}

void TVxImage::SetPicture(TVxPicture *picture)
{
    if (picture && picture != m_picture.get())
        m_picture->Assign(picture);
}

void TVxImage::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    PictureChanged();
}

void TVxImage::SetCenter(bool value)
{
    if (value == m_center)
        return;
    m_center = value;
    Invalidate();
}

void TVxImage::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    Invalidate();
}

void TVxImage::PictureChanged()
{
    if (m_autoSize && !m_picture->IsEmpty() && !IsLoading())
        SetBounds(Left(), Top(), m_picture->Width(), m_picture->Height());
    Invalidate();
}

QSize TVxImage::NaturalDeviceSize(const QImage &image, long double xFactor, long double yFactor)
{
    const long double width = image.width() / (long double)kScreenPixelsPerInch * 254 * xFactor;
    const long double height = image.height() / (long double)kScreenPixelsPerInch * 254 * yFactor;
    return QSize(int(std::lround(width)), int(std::lround(height)));
}

void TVxImage::DrawPicture(QPainter &painter, const QImage &image, const QRect &target, bool stretch,
                           bool center, long double xFactor, long double yFactor)
{
    if (image.isNull() || target.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (stretch) {
        painter.drawImage(target, image);
    } else {
        painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        const QSize size = NaturalDeviceSize(image, xFactor, yFactor);
        int x = target.left();
        int y = target.top();
        if (center) {
            x += (target.width() - size.width()) / 2;
            y += (target.height() - size.height()) / 2;
        }
        painter.drawImage(QRect(QPoint(x, y), size), image);
    }
    painter.restore();
}

void TVxImage::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!printer || !IsEnabled())
        return;
    const QRect target = DeviceRect(ofsX + InternalLeft(), ofsY + InternalTop(), InternalWidth(), InternalHeight());
    if (TVxExportTarget *filter = ExportFilter())
        filter->AcceptGraphic(TDevicePos(target.left(), target.top()), this);
    if (IsFinalPass()) {
        if (QPainter *canvas = PageCanvas())
            DrawPicture(*canvas, m_picture->Image(), target, m_stretch, m_center, printer->XFactor(),
                        printer->YFactor());
    }
    TVxPrintable::Print(ofsX, ofsY);
}

void TVxImage::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, false);
    const QImage &image = m_picture->Image();
    if (!image.isNull()) {
        painter.save();
        painter.setClipRect(ClientRect(), Qt::IntersectClip);
        if (m_stretch) {
            painter.drawImage(ClientRect(), image);
        } else {
            QRect rect(0, 0, image.width(), image.height());
            if (m_center)
                rect.moveTo((Width() - image.width()) / 2, (Height() - image.height()) / 2);
            if (Zoom() != 100)
                rect.setSize(QSize(rect.width() * Zoom() / 100, rect.height() * Zoom() / 100));
            painter.drawImage(rect, image);
        }
        painter.restore();
    }
    PaintCorners(painter);
}

} // namespace zelmio
