#include "model/VxCustomRichText.h"

#include "model/VxExportTarget.h"
#include "model/VxBandStretch.h"
#include "model/VxCustomBand.h"
#include "model/VxImage.h"
#include "model/VxPageCanvas.h"
#include "platform/RichTextRenderer.h"
#include "platform/RtfReader.h"

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <cmath>

namespace zelmio {

namespace {

constexpr double kTwipsPerInch = 1440.0;
// Resolution of the picture a rich text hands to an export filter.
constexpr int kExportDpi = 300;
constexpr int kHiresExportDpi = 600;
constexpr long double kScreenFactor = 0.37795L;

} // namespace

TVxCustomRichText::TVxCustomRichText(TComponent *owner)
    : TVxPrintable(owner)
{
    m_document.setDocumentMargin(0);
    SetBounds(0, 0, 100, 100);
}

TVxCustomRichText::~TVxCustomRichText()
{
    Destroying();
}

void TVxCustomRichText::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TVxCustomRichText::ContentChanged()
{
    m_renderer.reset();
    m_rendererSource = nullptr;
    Invalidate();
}

bool TVxCustomRichText::LoadRichText(const QByteArray &data)
{
    QString error;
    const bool ok = TRtfReader::Read(data, m_document, &error);
    m_loadError = error;
    if (ok && !TRtfReader::IsRtf(data))
        m_document.setDefaultFont(Font()->ToQFont());
    ContentChanged();
    return ok;
}

bool TVxCustomRichText::LoadRichText(const QString &text)
{
    QString error;
    const bool ok = TRtfReader::Read(QStringView(text), m_document, &error);
    m_loadError = error;
    if (ok && !TRtfReader::IsRtf(QStringView(text))) {
        // Plain text takes the element's font and alignment.
        QFont font = Font()->ToQFont();
        font.setPointSizeF(Font()->Size());
        m_document.setDefaultFont(font);
        QTextCursor cursor(&m_document);
        cursor.select(QTextCursor::Document);
        QTextBlockFormat format;
        switch (Alignment()) {
        case TAlignment::taLeftJustify:
            format.setAlignment(Qt::AlignLeft);
            break;
        case TAlignment::taRightJustify:
            format.setAlignment(Qt::AlignRight);
            break;
        case TAlignment::taCenter:
            format.setAlignment(Qt::AlignHCenter);
            break;
        }
        cursor.mergeBlockFormat(format);
    }
    ContentChanged();
    return ok;
}

TRichTextRenderer &TVxCustomRichText::Renderer()
{
    const QTextDocument &source = PrintDocument();
    if (!m_renderer || m_rendererSource != &source) {
        m_renderer = std::make_unique<TRichTextRenderer>(source);
        m_rendererSource = &source;
    }
    return *m_renderer;
}

void TVxCustomRichText::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!IsEnabled() || !printer)
        return;
    const bool continuing = !PrintFinished();
    LoadContent();
    if (!m_loadError.isEmpty()) {
        // Broken content prints nothing.
        SetPrintFinished(true);
        return;
    }
    // A changed content (the field of another record) is laid out anew.
    if (!continuing)
        ContentChanged();
    TRichTextRenderer &renderer = Renderer();
    const int length = renderer.TextLength();
    const double dpiX = double(printer->XFactor() * 254);
    const double dpiY = double(printer->YFactor() * 254);
    const long double left = ofsX + InternalLeft();
    const long double top = ofsY + InternalTop();
    const long double width = InternalWidth();
    const long double height = InternalHeight();
    QPainter *canvas = IsFinalPass() ? PageCanvas() : nullptr;
    TVxCustomBand *band = ParentBand();

    const int first = continuing ? qBound(0, m_lastChar, length) : 0;
    long double expanded = 0;
    QRect rect = DeviceRect(left, top, width, height);
    TRichTextRenderer::Range range = renderer.Render(nullptr, rect, dpiX, dpiY, first);
    if (m_autoStretch && band && !range.Finished(length)) {
        bool hasExpanded = false;
        while (!range.Finished(length) && CanExpand(*band, m_yIncrement)) {
            long double granted = expanded;
            ExpandBand(*band, m_yIncrement, granted, hasExpanded);
            if (granted <= expanded)
                break;
            expanded = granted;
            rect = DeviceRect(left, top, width, height + expanded);
            range = renderer.Render(nullptr, rect, dpiX, dpiY, first);
        }
    }
    SetExpanded(expanded);
    // Continuing in a fresh column without room for one line would never
    // end: the first line is then printed, clipped.
    const bool forceLine = continuing && range.reached == first;
    if (canvas && !m_transparent)
        canvas->fillRect(rect, ColorToQColor(Color()));
    range = renderer.Render(canvas, rect, dpiX, dpiY, first, forceLine);
    if (IsExporting())
        ExportRange(rect, first, range.reached);

    if (m_autoStretch && band && !range.Finished(length)) {
        SetPrintFinished(false);
        m_lastChar = range.reached;
    } else {
        SetPrintFinished(true);
        m_lastChar = length;
    }
    PaintFrame(rect);
    if (PrintFinished())
        renderer.ReleaseCache();
}

void TVxCustomRichText::ExportRange(const QRect &deviceRect, int first, int reached)
{
    TVxExportTarget *filter = ExportFilter();
    TVxPageCanvas *printer = VXPrinter();
    if (!filter || !printer || deviceRect.isEmpty())
        return;
    const int dpi = m_hiresExport ? kHiresExportDpi : kExportDpi;
    const double scaleX = dpi / double(printer->XFactor() * 254);
    const double scaleY = dpi / double(printer->YFactor() * 254);
    QImage image(qMax(1, int(std::lround(deviceRect.width() * scaleX))),
                 qMax(1, int(std::lround(deviceRect.height() * scaleY))), QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(int(std::lround(dpi / 0.0254)));
    image.setDotsPerMeterY(int(std::lround(dpi / 0.0254)));
    image.fill(m_transparent ? QColor(Qt::transparent) : ColorToQColor(Color()));
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
        // The same characters as on the page, whatever fits the picture.
        TRichTextRenderer renderer(PrintDocument());
        renderer.Render(&painter, QRectF(QPointF(0, 0), QSizeF(image.size())), dpi, dpi, first,
                        reached > first);
    }
    TVxImage picture;
    picture.SetName(Name().isEmpty() ? QStringLiteral("RichText_%1").arg(++m_exportCount)
                                     : Name() + QStringLiteral("_%1").arg(++m_exportCount));
    if (m_hiresExport)
        picture.SetTag(kHiresExportTag);
    picture.SetStretch(true);
    picture.Picture()->SetImage(image);
    const long double xf = printer->XFactor();
    const long double yf = printer->YFactor();
    picture.SetBounds(int(std::lround(deviceRect.left() / xf * kScreenFactor)),
                      int(std::lround(deviceRect.top() / yf * kScreenFactor)),
                      int(std::lround(deviceRect.width() / xf * kScreenFactor)),
                      int(std::lround(deviceRect.height() / yf * kScreenFactor)));
    filter->AcceptGraphic(TDevicePos(deviceRect.left(), deviceRect.top()), &picture);
}

void TVxCustomRichText::GetExpandedHeight(int &newHeight)
{
    LoadContent();
    if (!m_loadError.isEmpty())
        return;
    ContentChanged();
    const double widthTwips = Width() * kTwipsPerInch / 96.0;
    newHeight = int(std::ceil(Renderer().HeightTwips(widthTwips) * 96.0 / kTwipsPerInch));
}

void TVxCustomRichText::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, m_transparent);
    if (!m_transparent)
        painter.fillRect(ClientRect(), ColorToQColor(Color()));
    const double dpi = 96.0 * Zoom() / 100.0;
    Renderer().Render(&painter, QRectF(ClientRect()), dpi, dpi, 0);
    PaintCorners(painter);
}

} // namespace zelmio
