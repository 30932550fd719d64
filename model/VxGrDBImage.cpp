#include "model/VxGrDBImage.h"

#include "model/VxImage.h"
#include "model/VxPageCanvas.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

TVxGrDBImage::TVxGrDBImage(TComponent *owner)
    : TVxDBImage(owner)
{
}

void TVxGrDBImage::SetClipImage(bool value)
{
    if (value == m_clipImage)
        return;
    m_clipImage = value;
    Invalidate();
}

void TVxGrDBImage::SetFitMode(TFitMode value)
{
    if (value == m_fitMode)
        return;
    m_fitMode = value;
    Invalidate();
}

QRect TVxGrDBImage::FittedRect(const QSize &picture, const QRect &target, TFitMode mode, bool center)
{
    if (picture.isEmpty() || target.isEmpty())
        return QRect();
    const double widthRatio = double(picture.width()) / target.width();
    const double heightRatio = double(picture.height()) / target.height();
    bool keepWidth = false;
    switch (mode) {
    case TFitMode::fmKeepWidth:
        keepWidth = true;
        break;
    case TFitMode::fmKeepHeight:
        keepWidth = false;
        break;
    case TFitMode::fmProportional:
        keepWidth = widthRatio < heightRatio;
        break;
    case TFitMode::fmInsideProp:
        keepWidth = widthRatio >= heightRatio;
        break;
    }
    QSize size;
    if (keepWidth)
        size = QSize(target.width(), int(std::lround(picture.height() / widthRatio)));
    else
        size = QSize(int(std::lround(picture.width() / heightRatio)), target.height());
    QRect rect(target.topLeft(), size);
    // Fitted inside, the picture is centred in the direction with room to spare.
    if (center || mode == TFitMode::fmInsideProp)
        rect.moveTo(target.left() + (target.width() - size.width()) / 2,
                    target.top() + (target.height() - size.height()) / 2);
    return rect;
}

void TVxGrDBImage::DrawUnstretched(QPainter &canvas, const QRect &target)
{
    const QImage &image = Picture()->Image();
    if (image.isNull())
        return;
    TVxPageCanvas *printer = VXPrinter();
    if (m_clipImage) {
        TVxImage::DrawPicture(canvas, image, target, false, Center(), printer->XFactor(), printer->YFactor());
        return;
    }
    const QRect rect = FittedRect(image.size(), target, m_fitMode, Center());
    canvas.save();
    canvas.setClipRect(target, canvas.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    canvas.setRenderHint(QPainter::SmoothPixmapTransform);
    canvas.drawImage(rect, image);
    canvas.restore();
}

} // namespace zelmio
