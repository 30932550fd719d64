#pragma once
// Helpers for the printable element tests: a page canvas of a known
// resolution that draws into an image (or records a page picture), an
// export filter that records its calls, and a report with a detail band set
// up as the engine leaves it while a band prints.

#include "model/VxExportTarget.h"
#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxBrush.h"
#include "model/VxImage.h"
#include "model/VxPage.h"
#include "model/VxPageCanvas.h"
#include "model/VxPen.h"
#include "model/VxShape.h"
#include "model/VxUnits.h"
#include "output/PageRecorder.h"
#include "output/PageReplay.h"
#include "platform/FormatSettings.h"

#include <QImage>
#include <QPainter>
#include <cmath>
#include <memory>
#include <vector>

namespace zelmio::test {

// An A4 page (or another paper) drawn into a white image at dpi.
class ImagePageCanvas : public TVxPageCanvas {
public:
    explicit ImagePageCanvas(double dpi, int paperWidth = 2100, int paperLength = 2970)
        : m_factor(dpi / 254.0L)
        , m_paperWidth(paperWidth)
        , m_paperLength(paperLength)
        , m_image(XSize(paperWidth), YSize(paperLength), QImage::Format_RGB32)
    {
        const int dotsPerMeter = int(std::lround(dpi / 0.0254));
        m_image.setDotsPerMeterX(dotsPerMeter);
        m_image.setDotsPerMeterY(dotsPerMeter);
        m_image.fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&m_image);
    }

    QPainter *Canvas() const override { return m_painter.get(); }
    int XPos(long double value) const override { return int(std::lrint(double(value * m_factor))); }
    int YPos(long double value) const override { return int(std::lrint(double(value * m_factor))); }
    int XSize(long double value) const override { return int(std::lrint(double(value * m_factor))); }
    int YSize(long double value) const override { return int(std::lrint(double(value * m_factor))); }
    long double XFactor() const override { return m_factor; }
    long double YFactor() const override { return m_factor; }
    int PaperWidthValue() const override { return m_paperWidth; }
    int PaperLengthValue() const override { return m_paperLength; }

    // Ends the drawing and gives the page.
    const QImage &Finish()
    {
        if (m_painter && m_painter->isActive())
            m_painter->end();
        return m_image;
    }

    // Ends the page and starts a blank one, as the printer does at a page break.
    QImage NewPage()
    {
        const QImage finished = Finish();
        m_image = QImage(finished.size(), finished.format());
        m_image.setDotsPerMeterX(finished.dotsPerMeterX());
        m_image.setDotsPerMeterY(finished.dotsPerMeterY());
        m_image.fill(Qt::white);
        m_painter = std::make_unique<QPainter>(&m_image);
        return finished;
    }

private:
    long double m_factor;
    int m_paperWidth;
    int m_paperLength;
    QImage m_image;
    std::unique_ptr<QPainter> m_painter;
};

// A page recorded at 96 pixels per inch, as the page store keeps it.
class PicturePageCanvas : public TVxPageCanvas {
public:
    PicturePageCanvas()
        : m_recorder(QSize(794, 1123))
        , m_painter(std::make_unique<QPainter>(&m_recorder))
    {
    }
    QPainter *Canvas() const override { return m_painter.get(); }
    int XPos(long double value) const override { return int(std::lrint(double(value * Factor))); }
    int YPos(long double value) const override { return int(std::lrint(double(value * Factor))); }
    int XSize(long double value) const override { return XPos(value); }
    int YSize(long double value) const override { return YPos(value); }
    long double XFactor() const override { return Factor; }
    long double YFactor() const override { return Factor; }
    int PaperWidthValue() const override { return 2100; }
    int PaperLengthValue() const override { return 2970; }

    // The recording replayed at dpi on white, as the page replay does.
    QImage Replay(double dpi)
    {
        if (m_painter->isActive())
            m_painter->end();
        return RenderPage(m_recorder.Page(), dpi);
    }

    static constexpr long double Factor = 96.0L / 254.0L;

private:
    TVxPageRecorder m_recorder;
    std::unique_ptr<QPainter> m_painter;
};

struct FilterCall {
    enum class Kind { Text, Graphic };
    Kind kind = Kind::Text;
    long double x = 0;
    long double y = 0;
    QString text;
    TAlignment alignment = TAlignment::taLeftJustify;
    TColor background = clWhite;
    QString className;
    QString name;
    int tag = 0;
    QRect bounds;                  // pixel bounds of the control handed over
    TVxShapeType shape = TVxShapeType::vxsRectangle;
    TColor brushColor = clWhite;
    TBrushStyle brushStyle = TBrushStyle::bsSolid;
    TPenStyle penStyle = TPenStyle::psSolid;
    int penWidth = 0;
    QImage picture;
};

// Records what an export run hands over; it takes rules and PDF shapes when
// it says it draws vector shapes (as a document writer does).
class RecordingFilter : public TVxExportTarget {
public:
    explicit RecordingFilter(bool vectorShapes = false)
        : m_vectorShapes(vectorShapes)
    {
    }
    bool GetStreaming() const override { return false; }
    bool AcceptsVectorShapes() const override { return m_vectorShapes; }
    void TextOut(TPaperPos position, const TVxFont *, TColor bgColor, TAlignment alignment,
                 const QString &text) override
    {
        FilterCall call;
        call.x = position.x;
        call.y = position.y;
        call.text = text;
        call.alignment = alignment;
        call.background = bgColor;
        calls.push_back(call);
    }
    void AcceptGraphic(TDevicePos position, TVxControl *control) override
    {
        FilterCall call;
        call.kind = FilterCall::Kind::Graphic;
        call.x = position.x;
        call.y = position.y;
        call.className = control->ClassName();
        call.name = control->Name();
        call.tag = control->Tag();
        call.bounds = control->BoundsRect();
        if (auto *shape = qobject_cast<TVxShape *>(control)) {
            call.shape = shape->Shape();
            call.brushColor = shape->Brush()->Color();
            call.brushStyle = shape->Brush()->Style();
            call.penStyle = shape->Pen()->Style();
            call.penWidth = shape->Pen()->Width();
        }
        if (auto *image = qobject_cast<TVxImage *>(control))
            call.picture = image->Picture()->Image();
        calls.push_back(call);
    }

    void FillRectangles(const std::vector<QRectF> &deviceRects, TColor color) override
    {
        rectangles.emplace_back(deviceRects, color);
    }

    QStringList Texts() const
    {
        QStringList texts;
        for (const FilterCall &call : calls)
            if (call.kind == FilterCall::Kind::Text)
                texts << call.text;
        return texts;
    }
    std::vector<FilterCall> Graphics() const
    {
        std::vector<FilterCall> graphics;
        for (const FilterCall &call : calls)
            if (call.kind == FilterCall::Kind::Graphic)
                graphics.push_back(call);
        return graphics;
    }

    std::vector<FilterCall> calls;
    std::vector<std::pair<std::vector<QRectF>, TColor>> rectangles;

private:
    bool m_vectorShapes;
};

// A report on a form with one detail band, A4, margins of 10 mm; elements
// are placed in tenths of a millimetre.
struct ElementFixture {
    ScopedMeasurementSystem metric{false};
    ScopedFormatSettings settings{TFormatSettings::latvian()};
    TComponent form;
    TVexa *report = new TVexa(&form);
    TVxBand *band = nullptr;

    explicit ElementFixture(long double bandHeight = 300)
    {
        report->Page()->SetPaperSize(TVxPaperSize::A4);
        report->Page()->SetInternalValue(TVxPage::BottomMarginIndex, 100);
        band = new TVxBand(&form);
        band->SetName(QStringLiteral("DetailBand1"));
        band->SetParent(report);
        band->SetBandType(TVxBandType::rbDetail);
        band->Size()->SetUnits(TVxUnit::Native);
        band->Size()->SetHeight(bandHeight);
    }

    template <class Element>
    Element *Add(const QString &name, long double left, long double top, long double width, long double height)
    {
        auto *element = new Element(&form);
        element->SetName(name);
        element->SetParent(band);
        Place(element, left, top, width, height);
        return element;
    }

    // A text element with AutoSize off, so that it keeps the given size.
    template <class Element>
    Element *AddText(const QString &name, long double left, long double top, long double width,
                     long double height)
    {
        auto *element = new Element(&form);
        element->SetAutoSize(false);
        element->SetName(name);
        element->SetParent(band);
        Place(element, left, top, width, height);
        return element;
    }

    static void Place(TVxPrintable *element, long double left, long double top, long double width,
                      long double height)
    {
        element->Size()->SetUnits(TVxUnit::Native);
        element->Size()->SetLeft(left);
        element->Size()->SetTop(top);
        element->Size()->SetWidth(width);
        element->Size()->SetHeight(height);
    }

    // The report's state while the engine prints a band at currentY.
    void StartRun(TVxPageCanvas &canvas, long double currentY = 0, TVxExportTarget *filter = nullptr)
    {
        TVxReportRunState &state = report->RunState();
        state.Available = false;
        state.FinalPass = filter == nullptr;
        state.Exporting = filter != nullptr;
        state.ExportFilter = filter;
        state.CurrentY = int(currentY);
        state.PageCanvas = &canvas;
        state.PageFooterSize = 0;
        band->SetExpanded(0);
    }
};

// Bounding box of the pixels darker than a grey level.
inline QRect InkBounds(const QImage &image, const QRect &area = QRect(), int level = 160)
{
    const QRect scan = area.isNull() ? image.rect() : area.intersected(image.rect());
    QRect bounds;
    for (int y = scan.top(); y <= scan.bottom(); ++y)
        for (int x = scan.left(); x <= scan.right(); ++x)
            if (qGray(image.pixel(x, y)) < level)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Bounding box of the pixels of one colour.
inline QRect ColorBounds(const QImage &image, QRgb color)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace zelmio::test
