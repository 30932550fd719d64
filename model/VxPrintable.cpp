#include "model/VxPrintable.h"

#include "model/VxExportTarget.h"
#include "model/CustomVexa.h"
#include "model/VxBrush.h"
#include "model/VxCustomBand.h"
#include "model/VxPageCanvas.h"
#include "model/VxPen.h"
#include "model/VxShape.h"
#include "model/VxUnits.h"

#include <QPainter>
#include <cmath>

namespace zelmio {

namespace {

constexpr int kInitialSize = 10;
// Design-surface pixels per tenth of a millimetre (96 per inch): sizes handed
// to a filter are converted back to these.
constexpr long double kScreenFactor = 0.37795L;

} // namespace

TVxPrintable::TVxPrintable(TComponent *owner)
    : TVxControl(owner)
    , m_frame(std::make_unique<TVxFrame>(this))
    , m_size(std::make_unique<TVxPrintableSize>(this))
{
    SetColor(clWhite);
    TVxPrintable::SetBounds(0, 0, kInitialSize, kInitialSize);
}

TVxPrintable::~TVxPrintable()
{
    Destroying();
}

bool TVxPrintable::IsEnabled() const
{
    return Enabled() || !Visible();
}

TCustomVexa *TVxPrintable::ParentReport() const
{
    return m_parentReport;
}

TVxCustomBand *TVxPrintable::ParentBand() const
{
    return qobject_cast<TVxCustomBand *>(Parent());
}

void TVxPrintable::AlignIt()
{
    if (!m_alignToBand || m_aligning)
        return;
    TVxCustomBand *band = ParentBand();
    int x = Left();
    switch (m_alignment) {
    case TAlignment::taLeftJustify:
        x = 0;
        break;
    case TAlignment::taRightJustify:
        if (!band)
            return;
        x = band->Width() - Width();
        break;
    case TAlignment::taCenter:
        if (!band)
            return;
        x = (band->Width() - Width()) / 2;
        break;
    }
    if (x == Left())
        return;
    m_aligning = true;
    SetBounds(x, Top(), Width(), Height());
    m_aligning = false;
}

void TVxPrintable::Prepare()
{
    m_isPrinting = true;
    m_printer = m_parentReport ? m_parentReport->RunState().PageCanvas : nullptr;
}

void TVxPrintable::UnPrepare()
{
    m_isPrinting = false;
}

void TVxPrintable::Print(long double ofsX, long double ofsY)
{
    if (!IsFinalPass() || !m_frame->AnyFrame())
        return;
    PaintFrame(DeviceRect(ofsX + InternalLeft(), ofsY + InternalTop(), InternalWidth(), InternalHeight()));
}

void TVxPrintable::VXNotification(TComponent *sender, TVxNotifyOperation operation)
{
    Q_UNUSED(sender);
    if (operation == TVxNotifyOperation::vxBandSizeChange)
        AlignIt();
}

void TVxPrintable::SetAlignment(TAlignment value)
{
    if (value == m_alignment)
        return;
    m_alignment = value;
    AlignIt();
    LayoutChanged();
    Invalidate();
}

void TVxPrintable::SetAlignToBand(bool value)
{
    if (value == m_alignToBand)
        return;
    m_alignToBand = value;
    AlignIt();
}

void TVxPrintable::GetExpandedHeight(int &newHeight)
{
    Q_UNUSED(newHeight);
}

void TVxPrintable::GetFieldString(QString &dataStr)
{
    Q_UNUSED(dataStr);
}

void TVxPrintable::SetFrame(TVxFrame *frame)
{
    if (frame && frame != m_frame.get())
        m_frame->Assign(frame);
}

void TVxPrintable::SetSize(TVxPrintableSize *size)
{
    if (size && size != m_size.get())
        m_size->Assign(size);
}

int TVxPrintable::Zoom() const
{
    return m_size->Zoom();
}

void TVxPrintable::SetZoom(int zoom)
{
    if (zoom <= 0 || zoom == m_size->Zoom())
        return;
    m_size->SetZoom(zoom);
    LayoutChanged();
}

void TVxPrintable::SetBounds(int left, int top, int width, int height)
{
    // The size record drives the change: its values are already set.
    const bool resized = width != Width() || height != Height();
    if (m_size && m_size->ParentUpdating()) {
        ApplyBounds(left, top, width, height);
        if (m_parentReport)
            m_parentReport->Modify();
        if (resized)
            LayoutChanged();
        return;
    }
    if (IsLoading()) {
        if (left != 0)
            m_loadedLeft = left;
        if (top != 0)
            m_loadedTop = top;
        if (width != 0)
            m_loadedWidth = width;
        if (height != 0)
            m_loadedHeight = height;
        ApplyBounds(left, top, width, height);
        return;
    }
    // Moved or resized by the user (or by the element itself): the pixel
    // bounds become the size.
    ApplyBounds(left, top, width, height);
    if (!m_size)
        return;
    m_size->SetInternalValue(TVxPrintableSize::HeightIndex, m_size->FromPixels(height));
    m_size->SetInternalValue(TVxPrintableSize::WidthIndex, m_size->FromPixels(width));
    m_size->SetInternalValue(TVxPrintableSize::TopIndex, m_size->FromPixels(top));
    m_size->SetInternalValue(TVxPrintableSize::LeftIndex, m_size->FromPixels(left));
    AlignIt();
    if (resized)
        LayoutChanged();
}

void TVxPrintable::SetParent(TVxControl *parent)
{
    TVxControl::SetParent(parent);
    if (Parent() != parent)
        return; // refused
    TCustomVexa *report = qobject_cast<TCustomVexa *>(parent);
    auto *band = qobject_cast<TVxCustomBand *>(parent);
    if (band)
        report = band->ParentReport();
    if (report || band) {
        if (TVxUnitBase *record = parent->UnitRecord())
            m_size->SetUnits(record->Units());
        m_size->SetParentReport(report);
        m_parentReport = report;
        if (auto *panel = qobject_cast<TVxBasePanel *>(parent))
            SetZoom(panel->Zoom());
        if (band && !IsLoading())
            m_size->SetParentSizes();
    }
    LayoutChanged();
}

void TVxPrintable::Loaded()
{
    TVxControl::Loaded();
    m_size->Loaded();
    int left = Left();
    int top = Top();
    int width = Width();
    int height = Height();
    if (left == 0 && m_loadedLeft != 0)
        left = m_loadedLeft;
    if (top == 0 && m_loadedTop != 0)
        top = m_loadedTop;
    if (width == 0 && m_loadedWidth != 0)
        width = m_loadedWidth;
    if (height == 0 && m_loadedHeight != 0)
        height = m_loadedHeight;
    if (left != Left() || top != Top() || width != Width() || height != Height())
        SetBounds(left, top, width, height);
}

long double TVxPrintable::InternalLeft() const
{
    return m_size->InternalValue(TVxPrintableSize::LeftIndex);
}

long double TVxPrintable::InternalTop() const
{
    return m_size->InternalValue(TVxPrintableSize::TopIndex);
}

long double TVxPrintable::InternalWidth() const
{
    return m_size->InternalValue(TVxPrintableSize::WidthIndex);
}

long double TVxPrintable::InternalHeight() const
{
    return m_size->InternalValue(TVxPrintableSize::HeightIndex);
}

QRect TVxPrintable::DeviceRect(long double left, long double top, long double width, long double height) const
{
    if (!m_printer)
        return QRect();
    const int l = m_printer->XPos(left);
    const int t = m_printer->YPos(top);
    const int r = m_printer->XPos(left + width);
    const int b = m_printer->YPos(top + height);
    return QRect(l, t, r - l, b - t);
}

bool TVxPrintable::IsFinalPass() const
{
    return m_parentReport && m_parentReport->RunState().FinalPass;
}

bool TVxPrintable::IsExporting() const
{
    return m_parentReport && m_parentReport->RunState().Exporting && m_parentReport->RunState().ExportFilter;
}

TVxExportTarget *TVxPrintable::ExportFilter() const
{
    return IsExporting() ? m_parentReport->RunState().ExportFilter : nullptr;
}

QPainter *TVxPrintable::PageCanvas() const
{
    return m_printer ? m_printer->Canvas() : nullptr;
}

void TVxPrintable::PaintFrame(const QRect &deviceRect)
{
    if (!m_frame->AnyFrame() || !m_printer)
        return;
    if (IsFinalPass()) {
        if (QPainter *canvas = PageCanvas())
            m_frame->PaintIt(*canvas, deviceRect, double(m_printer->XFactor()), double(m_printer->YFactor()));
    }
    if (IsExporting())
        ExportFrame(deviceRect);
}

void TVxPrintable::ExportFilledRect(const QRect &deviceRect, TColor color)
{
    ExportFilledRectangle(ExportFilter(), m_printer, deviceRect, color);
}

void ExportFilledRectangle(TVxExportTarget *filter, const TVxPageCanvas *canvas, const QRect &deviceRect,
                           TColor color)
{
    if (!filter || !canvas)
        return;
    const long double xf = canvas->XFactor();
    const long double yf = canvas->YFactor();
    auto screenX = [xf](int device) { return int(std::lround(device / xf * kScreenFactor)); };
    auto screenY = [yf](int device) { return int(std::lround(device / yf * kScreenFactor)); };
    // One scratch shape per thread: filters take what they need of it at
    // once, and creating a control for every band costs more than its export.
    thread_local TVxShape shape;
    shape.SetShape(TVxShapeType::vxsRectangle);
    shape.Brush()->SetColor(color);
    shape.Brush()->SetStyle(TBrushStyle::bsSolid);
    shape.Pen()->SetStyle(TPenStyle::psClear);
    shape.SetBounds(screenX(deviceRect.left()), screenY(deviceRect.top()), screenX(deviceRect.width()),
                    screenY(deviceRect.height()));
    filter->AcceptGraphic(TDevicePos(deviceRect.left(), deviceRect.top()), &shape);
}

void TVxPrintable::ExportFrame(const QRect &deviceRect)
{
    TVxExportTarget *filter = ExportFilter();
    if (!filter)
        return;
    // A filter that fails on a frame must not stop the report.
    try {
        const long double xf = m_printer->XFactor();
        const long double yf = m_printer->YFactor();
        auto screenX = [xf](int device) { return int(std::lround(device / xf * kScreenFactor)); };
        auto screenY = [yf](int device) { return int(std::lround(device / yf * kScreenFactor)); };
        if (!IsTransparent())
            ExportFilledRect(deviceRect, Color());
        const int h = m_frame->HorizontalThickness(double(xf));
        const int v = m_frame->VerticalThickness(double(yf));
        auto hand = [&](TVxShapeType kind, const QRect &rect, int thickness, bool outline) {
            TVxShape shape;
            shape.SetShape(kind);
            shape.Pen()->SetColor(m_frame->Color());
            shape.Pen()->SetWidth(qMax(1, kind == TVxShapeType::vxsHorLine ? screenY(thickness) : screenX(thickness)));
            shape.Brush()->SetStyle(outline ? TBrushStyle::bsClear : TBrushStyle::bsSolid);
            shape.Brush()->SetColor(m_frame->Color());
            shape.SetBounds(screenX(rect.left()), screenY(rect.top()), screenX(rect.width()),
                            screenY(rect.height()));
            filter->AcceptGraphic(TDevicePos(rect.left(), rect.top()), &shape);
        };
        if (m_frame->DrawTop() && m_frame->DrawBottom() && m_frame->DrawLeft() && m_frame->DrawRight()) {
            hand(TVxShapeType::vxsRectangle, deviceRect, h, true);
            return;
        }
        const int right = deviceRect.left() + deviceRect.width();
        const int bottom = deviceRect.top() + deviceRect.height();
        if (m_frame->DrawTop())
            hand(TVxShapeType::vxsHorLine, QRect(deviceRect.left(), deviceRect.top(), deviceRect.width(), v), v, false);
        if (m_frame->DrawBottom())
            hand(TVxShapeType::vxsHorLine, QRect(deviceRect.left(), bottom - v, deviceRect.width(), v), v, false);
        if (m_frame->DrawLeft())
            hand(TVxShapeType::vxsVertLine, QRect(deviceRect.left(), deviceRect.top(), h, deviceRect.height()), h, false);
        if (m_frame->DrawRight())
            hand(TVxShapeType::vxsVertLine, QRect(right - h, deviceRect.top(), h, deviceRect.height()), h, false);
    } catch (...) {
    }
}

double TVxPrintable::DesignFactor() const
{
    return Zoom() * double(kScreenPixelsPerInch) / 254.0 / 100.0;
}

void TVxPrintable::PaintCorners(QPainter &painter) const
{
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    const int r = Width() - 1;
    const int b = Height() - 1;
    const int arm = 4;
    // Single-pixel L shapes in the four corners, arms along both edges.
    painter.drawLine(0, 0, arm, 0);
    painter.drawLine(0, 0, 0, arm);
    painter.drawLine(r - arm, 0, r, 0);
    painter.drawLine(r, 0, r, arm);
    painter.drawLine(0, b, arm, b);
    painter.drawLine(0, b - arm, 0, b);
    painter.drawLine(r - arm, b, r, b);
    painter.drawLine(r, b - arm, r, b);
    painter.restore();
}

void TVxPrintable::PaintCommon(QPainter &painter, bool transparent)
{
    if (!transparent)
        painter.fillRect(ClientRect(), Qt::white);
    PaintCorners(painter);
    const double factor = DesignFactor();
    m_frame->PaintIt(painter, QRect(0, 0, Width() - 1, Height() - 1), factor, factor);
}

void TVxPrintable::Paint(QPainter &painter)
{
    if (m_isPrinting)
        return;
    PaintCommon(painter, false);
}

} // namespace zelmio
