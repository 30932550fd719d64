#include "output/widgets/VxPreview.h"

#include "model/CustomVexa.h"
#include "output/PageReplay.h"
#include "output/RecordedPage.h"
#include "output/VxPrinter.h"
#include "output/VxPrinterMessage.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

namespace zelmio {

namespace {

bool g_thumbDrawing = false;

// Halves to even, as everywhere in the page layout.
int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

// The rendered sheet may hold at most this many device pixels; beyond (very
// high zoom) the page is replayed straight onto the screen.
constexpr qint64 MaxCachePixels = qint64(48) << 20;

} // namespace

bool ThumbDrawing()
{
    return g_thumbDrawing;
}

void SetThumbDrawing(bool value)
{
    g_thumbDrawing = value;
}

void PaintPageToCanvas(const TVxRecordedPage *page, QPainter &canvas, const QRect &rect, bool drawFrame)
{
    if (!page && !drawFrame)
        return;
    const int L = rect.left(), T = rect.top(), W = rect.width(), H = rect.height();
    const int R = L + W, B = T + H;
    canvas.save();
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::white);
    canvas.drawRect(QRect(QPoint(L + 1, T + 1), QPoint(L + W - 3, T + H - 3)));
    if (page) {
        if (g_thumbDrawing)
            canvas.setClipRect(QRect(QPoint(L + 1, T + 1), QPoint(L + W - 3, T + H - 3)));
        ReplayPage(canvas, *page, QRectF(rect));
        canvas.setClipping(false);
    }
    canvas.setRenderHint(QPainter::Antialiasing, false);
    canvas.setPen(QPen(Qt::black, 1));
    canvas.setBrush(Qt::NoBrush);
    const QPoint corners[] = {{L, T}, {L, T + H - 3}, {L + W - 3, T + H - 3}, {L + W - 3, T}, {L, T}};
    canvas.drawPolyline(corners, 5);
    canvas.setPen(Qt::NoPen);
    canvas.setBrush(Qt::black);
    canvas.drawRect(QRect(QPoint(L + W - 2, T + 2), QPoint(R - 1, B - 1)));
    canvas.drawRect(QRect(QPoint(L + 2, T + H - 2), QPoint(R - 1, B - 1)));
    canvas.restore();
}

// --- TVxPreviewImage ---------------------------------------------------------

TVxPreviewImage::TVxPreviewImage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("PreviewImage"));
    resize(100, 50);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    setMouseTracking(true);
}

TVxPreviewImage::~TVxPreviewImage() = default;

void TVxPreviewImage::SetPageNumber(int n)
{
    FPageNumber = n;
    FMetafile.reset();
    FCache = QPixmap();
    if (FVXPrinter)
        FMetafile = FVXPrinter->GetPage(n);
    update();
}

void TVxPreviewImage::paintEvent(QPaintEvent *)
{
    if (!FMetafile)
        return;
    QPainter painter(this);
    const qreal ratio = devicePixelRatioF();
    const QSize devicePixels = (QSizeF(size()) * ratio).toSize();
    if (qint64(devicePixels.width()) * devicePixels.height() > MaxCachePixels) {
        PaintPageToCanvas(FMetafile.get(), painter, rect(), false);
        return;
    }
    if (FCache.isNull() || FCache.size() != devicePixels || FCache.devicePixelRatio() != ratio) {
        FCache = QPixmap(devicePixels);
        FCache.setDevicePixelRatio(ratio);
        FCache.fill(Qt::transparent);
        QPainter cache(&FCache);
        cache.setRenderHint(QPainter::Antialiasing);
        cache.setRenderHint(QPainter::TextAntialiasing);
        cache.setRenderHint(QPainter::SmoothPixmapTransform);
        PaintPageToCanvas(FMetafile.get(), cache, rect(), false);
    }
    painter.drawPixmap(0, 0, FCache);
}

// --- TVxPreview --------------------------------------------------------------

TVxPreview::TVxPreview(QWidget *parent)
    : QScrollArea(parent)
    , FPreviewImage(new TVxPreviewImage)
{
    setObjectName(QStringLiteral("VXPreview"));
    setWidget(FPreviewImage);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    setFocusPolicy(Qt::StrongFocus);
    verticalScrollBar()->setSingleStep(40);
    horizontalScrollBar()->setSingleStep(40);
    resize(250, 250);
    FPreviewImage->installEventFilter(this);
}

TVxPreview::~TVxPreview()
{
    SetVXPrinter(nullptr);
}

void TVxPreview::SetVXPrinter(TVxPrinter *printer)
{
    if (FVXPrinter && FVXPrinter->Client() == this) {
        FVXPrinter->SetShowingPreview(false);
        FVXPrinter->SetClient(nullptr);
    }
    FVXPrinter = printer;
    FPreviewImage->SetVXPrinter(printer);
    if (printer) {
        printer->SetClient(this);
        printer->SetShowingPreview(true);
    }
    FPageNumber = 1;
    FPreviewImage->SetPageNumber(1);
}

void TVxPreview::SetPageNumber(int n)
{
    if ((n == FPageNumber && FPreviewImage->ImageOK()) || n <= 0 || !FVXPrinter || n > FVXPrinter->PageCount())
        return;
    FPreviewImage->SetPageNumber(n);
    FPageNumber = n;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
}

void TVxPreview::SetZoom(int zoom)
{
    if (zoom < 2 || zoom > 2000)
        return;
    FZoomState = TVxZoomState::vxZoomOther;
    FZoom = zoom;
    UpdateZoom();
}

double TVxPreview::PaperPixelsWidth() const
{
    return FVXPrinter ? double(FVXPrinter->XSize(FVXPrinter->PaperWidthValue())) : 215.9;
}

double TVxPreview::PaperPixelsLength() const
{
    return FVXPrinter ? double(FVXPrinter->YSize(FVXPrinter->PaperLengthValue())) : 279.4;
}

void TVxPreview::UpdateZoom()
{
    int width, height;
    if (FVXPrinter) {
        width = FVXPrinter->XSize(FVXPrinter->PaperWidthValue() / 100.0L * FZoom) + 4;
        height = FVXPrinter->YSize(FVXPrinter->PaperLengthValue() / 100.0L * FZoom) + 4;
    } else {
        width = RoundEven(215.9 / 100 * FZoom) + 4;
        height = RoundEven(279.4 / 100 * FZoom) + 4;
    }
    FPreviewImage->resize(width, height);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    FPreviewImage->SetZoom(FZoom);
}

void TVxPreview::ZoomToFit()
{
    const int a = RoundEven(width() / std::max(1.0, PaperPixelsWidth()) * 95);
    const int b = RoundEven(height() / std::max(1.0, PaperPixelsLength()) * 95);
    SetZoom(std::min(a, b));
    UpdateZoom();
    FZoomState = TVxZoomState::vxZoomToFit;
}

void TVxPreview::ZoomToWidth()
{
    const double factor = FVXPrinter ? 90 : 95;
    SetZoom(RoundEven(width() / std::max(1.0, PaperPixelsWidth()) * factor));
    UpdateZoom();
    FZoomState = TVxZoomState::vxZoomToWidth;
}

void TVxPreview::Fixvalues()
{
    if (FZoomState == TVxZoomState::vxZoomToFit)
        ZoomToFit();
    else if (FZoomState == TVxZoomState::vxZoomToWidth)
        ZoomToWidth();
    UpdateZoom();
}

void TVxPreview::UpdateImage()
{
    if (!FPreviewImage || FPreviewImage->ImageOK() || !FVXPrinter
        || FVXPrinter->AvailablePages() < FPreviewImage->PageNumber())
        return;
    if (const auto *report = qobject_cast<TCustomVexa *>(FVXPrinter->ParentReport());
        report && report->PrevInitialZoom() == TVxZoomState::vxZoomToWidth)
        ZoomToWidth();
    FPreviewImage->SetPageNumber(FPreviewImage->PageNumber());
}

bool TVxPreview::event(QEvent *event)
{
    if (event->type() == TVxPrinterMessage::EventType()) {
        const auto *message = static_cast<TVxPrinterMessage *>(event);
        const int value = int(message->WParam() & 0xFFFF);
        if (message->Msg() == CM_VXPAGEAVAILABLE) {
            if (value == FPageNumber)
                UpdateImage();
            FOnPageAvailableEvent(this, value);
        } else if (message->Msg() == CM_VXPROGRESSUPDATE) {
            FOnProgressUpdateEvent(this, value);
        }
        return true;
    }
    return QScrollArea::event(event);
}

bool TVxPreview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == FPreviewImage) {
        if (event->type() == QEvent::MouseButtonPress)
            FOnMouseDown(FPreviewImage, static_cast<QMouseEvent *>(event));
        else if (event->type() == QEvent::MouseMove)
            FOnMouseMove(FPreviewImage, static_cast<QMouseEvent *>(event));
    }
    return QScrollArea::eventFilter(watched, event);
}

void TVxPreview::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    Fixvalues();
}

void TVxPreview::focusInEvent(QFocusEvent *event)
{
    QScrollArea::focusInEvent(event);
    Fixvalues();
}

} // namespace zelmio
