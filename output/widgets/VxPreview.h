#pragma once
// The preview control: TVxPreviewImage paints one recorded page of a report
// printer as a white sheet with a frame and a drop shadow; TVxPreview is the
// scrolling container around it that keeps the zoom, moves between pages
// and follows the printer's page-available and progress messages.
//
// Pages are replayed through the one replay path (output/PageReplay.h) at
// the screen's device pixel ratio, so they stay sharp on high-density
// screens.

#include "model/Hook.h"
#include "model/VxTypes.h"
#include "output/VxPrinter.h"

#include <QPixmap>
#include <QPointer>
#include <QScrollArea>
#include <QWidget>
#include <memory>

class QPainter;

namespace zelmio {

class TVxPrinter;
class TVxRecordedPage;

// Paints a page into rect: white sheet, the page stretched over rect, a
// black frame and a two-pixel shadow on the right and at the bottom. Without
// a page only the sheet and frame are drawn, and only with drawFrame.
void PaintPageToCanvas(const TVxRecordedPage *page, QPainter &canvas, const QRect &rect, bool drawFrame);

// Set while thumbnails are painted: pages are then clipped inside the frame.
bool ThumbDrawing();
void SetThumbDrawing(bool value);

class TVxPreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit TVxPreviewImage(QWidget *parent = nullptr);
    ~TVxPreviewImage() override;

    TVxPrinter *VXPrinter() const { return FVXPrinter; }
    void SetVXPrinter(TVxPrinter *printer) { FVXPrinter = printer; }
    int PageNumber() const { return FPageNumber; }
    // Shows page n: frees the held picture and fetches the page (none while
    // it is not yet available).
    void SetPageNumber(int n);
    int Zoom() const { return FZoom; }
    void SetZoom(int zoom) { FZoom = zoom; }
    bool ImageOK() const { return FMetafile != nullptr; }
    const TVxRecordedPage *Metafile() const { return FMetafile.get(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPointer<TVxPrinter> FVXPrinter;
    int FPageNumber = 1;
    std::unique_ptr<TVxRecordedPage> FMetafile;
    int FZoom = 100;
    // The painted sheet at the device pixel ratio, rendered once per page,
    // size and ratio.
    QPixmap FCache;
};

using TVxPageAvailableEvent = THook<void(QObject *sender, int pageNum)>;
using TVxProgressUpdateEvent = THook<void(QObject *sender, int progress)>;
using TVxPreviewMouseEvent = THook<void(QObject *sender, QMouseEvent *event)>;

class TVxPreview : public QScrollArea {
    Q_OBJECT
public:
    explicit TVxPreview(QWidget *parent = nullptr);
    ~TVxPreview() override;

    TVxPreviewImage *PreviewImage() const { return FPreviewImage; }
    TVxPrinter *VXPrinter() const { return FVXPrinter; }
    // Detaches from the previous printer (clearing its ShowingPreview when
    // this control was its client) and follows the new one from page 1.
    void SetVXPrinter(TVxPrinter *printer);
    int PageNumber() const { return FPageNumber; }
    // Ignored for the page already shown, for n < 1, without a printer and
    // beyond the printer's page count.
    void SetPageNumber(int n);
    int Zoom() const { return FZoom; }
    // Accepted for 2 ... 2000 only; the state becomes vxZoomOther.
    void SetZoom(int zoom);
    TVxZoomState ZoomState() const { return FZoomState; }

    void ZoomToFit();
    void ZoomToWidth();
    // Lays the image out for the zoom and scrolls to the top left.
    void UpdateZoom();
    // Fetches the page shown once it has become available.
    void UpdateImage();
    // Repeats the fit of the current state (after a resize or focus).
    void Fixvalues();

    const TVxPageAvailableEvent &OnPageAvailable() const { return FOnPageAvailableEvent; }
    void SetOnPageAvailable(const TVxPageAvailableEvent &hook) { FOnPageAvailableEvent = hook; }
    const TVxProgressUpdateEvent &OnProgressUpdate() const { return FOnProgressUpdateEvent; }
    void SetOnProgressUpdate(const TVxProgressUpdateEvent &hook) { FOnProgressUpdateEvent = hook; }
    void SetOnMouseDown(const TVxPreviewMouseEvent &hook) { FOnMouseDown = hook; }
    void SetOnMouseMove(const TVxPreviewMouseEvent &hook) { FOnMouseMove = hook; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    // The paper's width and length in screen pixels at 100 %.
    double PaperPixelsWidth() const;
    double PaperPixelsLength() const;

    TVxPageAvailableEvent FOnPageAvailableEvent;
    TVxProgressUpdateEvent FOnProgressUpdateEvent;
    TVxPreviewMouseEvent FOnMouseDown;
    TVxPreviewMouseEvent FOnMouseMove;
    TVxPreviewImage *FPreviewImage;
    int FPageNumber = 1;
    QPointer<TVxPrinter> FVXPrinter;
    int FZoom = 100;
    TVxZoomState FZoomState = TVxZoomState::vxZoomOther;
};

} // namespace zelmio
