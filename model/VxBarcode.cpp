#include "model/VxBarcode.h"

#include "model/Vexa.h"
#include "model/VxExportTarget.h"
#include "model/VxPageCanvas.h"
#include "model/VxRunWarnings.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>
#include <exception>

namespace zelmio {

namespace {

constexpr TColor kMarkColor = clRed;
constexpr double kTenthsPerPoint = 254.0 / 72.0;

TAlignment TextAlignment(int halign)
{
    return halign == 1 ? TAlignment::taLeftJustify : halign == 2 ? TAlignment::taRightJustify : TAlignment::taCenter;
}

} // namespace

TVxCustomBarcode::TVxCustomBarcode(TComponent *owner)
    : TVxPrintable(owner)
    , m_font(std::make_unique<TVxFont>(this))
{
    m_font->SetOnChange([this] { Invalidate(); });
    SetBounds(0, 0, 150, 60);
}

TVxCustomBarcode::~TVxCustomBarcode() = default;

void TVxCustomBarcode::SetBarcodeType(TVxBarcodeType type)
{
    if (type == m_barcodeType)
        return;
    m_barcodeType = type;
    Invalidate();
}

void TVxCustomBarcode::SetModuleWidth(int value)
{
    value = std::clamp(value, 1, 100);
    if (value == m_moduleWidth)
        return;
    m_moduleWidth = value;
    Invalidate();
}

void TVxCustomBarcode::SetStretch(bool value)
{
    if (value == m_stretch)
        return;
    m_stretch = value;
    Invalidate();
}

void TVxCustomBarcode::SetShowText(bool value)
{
    if (value == m_showText)
        return;
    m_showText = value;
    Invalidate();
}

void TVxCustomBarcode::SetBarColor(TColor color)
{
    if (color == m_barColor)
        return;
    m_barColor = color;
    Invalidate();
}

void TVxCustomBarcode::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TVxCustomBarcode::SetFont(TVxFont *font)
{
    if (font && font != m_font.get())
        m_font->Assign(font);
}

TBarcodeLayout TVxCustomBarcode::Layout(const QString &value) const
{
    return LayoutBarcode(m_barcodeType, value, QSizeF(double(InternalWidth()), double(InternalHeight())), m_stretch ? 0.0 : double(m_moduleWidth),
                         Alignment(), m_showText);
}

void TVxCustomBarcode::Prepare()
{
    TVxPrintable::Prepare();
    m_warnedRecords.clear();
    m_lastError.clear();
}

int TVxCustomBarcode::CurrentRecordNumber() const
{
    auto *report = qobject_cast<TVexa *>(ParentReport());
    TDataSet *dataSet = report ? report->DataSet() : nullptr;
    return dataSet && dataSet->Active() ? dataSet->RecNo() : 0;
}

int TVxCustomBarcode::PointSize(double size)
{
    return std::max(1, int(std::lround(size / kTenthsPerPoint)));
}

void TVxCustomBarcode::DrawLayout(QPainter &painter, const TBarcodeLayout &layout, QPointF origin, double xFactor,
                                  double yFactor) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QColor bars = ColorToQColor(m_barColor);
    for (const QRectF &bar : layout.bars)
        painter.fillRect(QRectF(origin.x() + bar.x() * xFactor, origin.y() + bar.y() * yFactor, bar.width() * xFactor,
                                bar.height() * yFactor),
                         bars);
    if (!layout.texts.empty()) {
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        painter.setPen(ColorToQColor(m_font->Color()));
        for (const TBarcodeText &text : layout.texts) {
            QFont font = m_font->ToQFont();
            font.setPixelSize(std::max(1, int(std::lround(text.size * yFactor))));
            painter.setFont(font);
            const QFontMetricsF metrics(font);
            const double width = metrics.horizontalAdvance(text.text);
            double x = origin.x() + text.x * xFactor;
            if (text.halign == 0)
                x -= width / 2;
            else if (text.halign == 2)
                x -= width;
            painter.drawText(QPointF(x, origin.y() + text.baseline * yFactor), text.text);
        }
    }
    painter.restore();
}

void TVxCustomBarcode::DrawInvalid(QPainter &painter, const QRectF &target, const QString &value,
                                   const QString &error, double yFactor) const
{
    painter.save();
    painter.setClipRect(target, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    const QColor mark = ColorToQColor(kMarkColor);
    const double line = std::max(1.0, 3 * yFactor);
    QPen pen(mark, line);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(target.adjusted(line / 2, line / 2, -line / 2, -line / 2));
    // The font's own size, at most a third of the box.
    const double fontPixels = std::min(m_font->PixelSize() * 254.0 / 96.0 * yFactor, target.height() / 3);
    QFont font = m_font->ToQFont();
    font.setPixelSize(std::max(1, int(fontPixels)));
    painter.setFont(font);
    const QRectF inner = target.adjusted(2 * line, line, -2 * line, -line);
    const double half = inner.height() / 2;
    painter.setPen(ColorToQColor(m_font->Color()));
    painter.drawText(QRectF(inner.left(), inner.top(), inner.width(), half), Qt::AlignHCenter | Qt::AlignBottom,
                     value);
    font.setPixelSize(std::max(1, int(fontPixels * 0.8)));
    painter.setFont(font);
    painter.setPen(mark);
    painter.drawText(QRectF(inner.left(), inner.top() + half, inner.width(), half),
                     Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, error);
    painter.restore();
}

void TVxCustomBarcode::ExportLayout(const TBarcodeLayout &layout, long double left, long double top,
                                    const QRect &target)
{
    TVxExportTarget *filter = ExportFilter();
    TVxPageCanvas *printer = VXPrinter();
    const double xf = double(printer->XFactor());
    const double yf = double(printer->YFactor());
    std::vector<QRectF> bars;
    bars.reserve(layout.bars.size());
    for (const QRectF &bar : layout.bars)
        bars.emplace_back(target.left() + bar.x() * xf, target.top() + bar.y() * yf, bar.width() * xf,
                          bar.height() * yf);
    filter->FillRectangles(bars, m_barColor);
    for (const TBarcodeText &text : layout.texts) {
        TVxFont font;
        font.Assign(m_font.get());
        font.SetSize(PointSize(text.size));
        // Texts are placed by the top of their line, one font size above the
        // baseline.
        filter->TextOut(TPaperPos(left + text.x, top + text.baseline - font.Size() * kTenthsPerPoint), &font,
                        clNone, TextAlignment(text.halign), text.text);
    }
}

void TVxCustomBarcode::ExportInvalid(const QString &value, const QString &error, long double left,
                                     long double top, const QRect &target)
{
    TVxExportTarget *filter = ExportFilter();
    TVxPageCanvas *printer = VXPrinter();
    const long double width = InternalWidth();
    const long double height = InternalHeight();
    const double line = std::max(1.0, 3 * double(printer->YFactor()));
    const QRectF box(target);
    filter->FillRectangles({QRectF(box.left(), box.top(), box.width(), line),
                            QRectF(box.left(), box.bottom() + 1 - line, box.width(), line),
                            QRectF(box.left(), box.top(), line, box.height()),
                            QRectF(box.right() + 1 - line, box.top(), line, box.height())},
                           kMarkColor);
    TVxFont font;
    font.Assign(m_font.get());
    font.SetSize(std::min(m_font->Size(), PointSize(double(height) / 3)));
    const long double middle = top + height / 2;
    filter->TextOut(TPaperPos(left + width / 2, middle - font.Size() * kTenthsPerPoint), &font, clNone,
                    TAlignment::taCenter, value);
    TVxFont small;
    small.Assign(&font);
    small.SetSize(std::max(1, font.Size() * 4 / 5));
    small.SetColor(kMarkColor);
    filter->TextOut(TPaperPos(left + width / 2, middle), &small, clNone, TAlignment::taCenter, error);
}

void TVxCustomBarcode::Warn(const QString &value, const QString &error)
{
    const int record = CurrentRecordNumber();
    if (!m_warnedRecords.insert(record).second)
        return;
    QString where = QStringLiteral("barcode %1").arg(Name());
    if (record > 0)
        where += QStringLiteral(", record %1").arg(record);
    ReportRunWarning(QStringLiteral("Warning: %1: \"%2\" is no valid %3 (%4); printed as text")
                         .arg(where, value, BarcodeTypeName(m_barcodeType), error));
}

void TVxCustomBarcode::Print(long double ofsX, long double ofsY)
{
    TVxPageCanvas *printer = VXPrinter();
    if (!printer || !IsEnabled())
        return;
    const long double left = ofsX + InternalLeft();
    const long double top = ofsY + InternalTop();
    const QRect target = DeviceRect(left, top, InternalWidth(), InternalHeight());
    QString value;
    try {
        value = BarcodeValue().trimmed();
    } catch (const std::exception &error) {
        m_lastError = QString::fromUtf8(error.what());
    }
    TVxExportTarget *filter = ExportFilter();
    const bool drawing = IsFinalPass();
    QPainter *canvas = drawing ? PageCanvas() : nullptr;
    if (!IsTransparent()) {
        if (canvas)
            canvas->fillRect(target, ColorToQColor(Color()));
        if (filter)
            ExportFilledRect(target, Color());
    }
    if (!value.isEmpty()) {
        const TBarcodeLayout layout = Layout(value);
        m_lastError = layout.error;
        if (filter && !filter->AcceptsVectorShapes()) {
            // A text grid has no bars: it gets the value.
            filter->TextOut(TPaperPos(left, top), m_font.get(), clNone, Alignment(), value);
        } else if (layout.IsValid()) {
            if (canvas)
                DrawLayout(*canvas, layout, QPointF(target.topLeft()), double(printer->XFactor()),
                           double(printer->YFactor()));
            if (filter)
                ExportLayout(layout, left, top, target);
        } else {
            if (canvas)
                DrawInvalid(*canvas, QRectF(target), value, layout.error, double(printer->YFactor()));
            if (filter)
                ExportInvalid(value, layout.error, left, top, target);
        }
        if (!layout.IsValid() && (drawing || filter))
            Warn(value, layout.error);
    } else {
        m_lastError.clear();
    }
    PaintFrame(target);
}

void TVxCustomBarcode::GetFieldString(QString &dataStr)
{
    dataStr = BarcodeValue();
}

void TVxCustomBarcode::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    if (!IsTransparent())
        painter.fillRect(ClientRect(), ColorToQColor(Color()));
    const QString value = DesignValue().trimmed();
    const double factor = DesignFactor();
    if (value.isEmpty()) {
        painter.save();
        painter.setPen(Qt::gray);
        painter.drawText(ClientRect(), Qt::AlignCenter, QStringLiteral("(") + Name() + QStringLiteral(")"));
        painter.restore();
    } else {
        const TBarcodeLayout layout = Layout(value);
        if (layout.IsValid())
            DrawLayout(painter, layout, QPointF(0, 0), factor, factor);
        else
            DrawInvalid(painter, QRectF(ClientRect()), value, layout.error, factor);
    }
    PaintCommon(painter, true);
}

TVxBarcode::TVxBarcode(TComponent *owner)
    : TVxCustomBarcode(owner)
{
}

void TVxBarcode::SetValue(const QString &value)
{
    if (value == m_value)
        return;
    m_value = value;
    Invalidate();
}

TVxDBBarcode::TVxDBBarcode(TComponent *owner)
    : TVxCustomBarcode(owner)
{
}

void TVxDBBarcode::SetDataSet(TDataSet *dataSet)
{
    m_dataSet = dataSet;
    m_field = nullptr;
    Invalidate();
}

void TVxDBBarcode::SetDataField(const QString &field)
{
    m_dataField = field;
    m_field = nullptr;
    Invalidate();
}

TField *TVxDBBarcode::BoundField()
{
    if (!m_field && m_dataSet && !m_dataField.isEmpty())
        m_field = m_dataSet->FindField(m_dataField);
    return m_field;
}

void TVxDBBarcode::Prepare()
{
    TVxCustomBarcode::Prepare();
    m_field = nullptr;
    // A field the data does not have prints nothing; say so once.
    if (!BoundField() && m_dataSet && m_dataSet->Active() && !m_dataField.isEmpty()
        && m_dataField != m_missingFieldWarned) {
        m_missingFieldWarned = m_dataField;
        ReportRunWarning(QStringLiteral("Warning: barcode %1: the data has no field %2; the barcode prints nothing")
                             .arg(Name(), m_dataField));
    }
}

QString TVxDBBarcode::BarcodeValue()
{
    TField *field = BoundField();
    if (!field || field->IsNull())
        return QString();
    return field->AsString();
}

int TVxDBBarcode::CurrentRecordNumber() const
{
    return m_dataSet && m_dataSet->Active() ? m_dataSet->RecNo() : 0;
}

void TVxDBBarcode::Paint(QPainter &painter)
{
    TVxCustomBarcode::Paint(painter);
    if (IsPrinting() || m_dataField.isEmpty())
        return;
    // The bars are a sample: the field's name tells what prints.
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(8, std::min(11, Height() / 4)));
    painter.setFont(font);
    const QString label = QStringLiteral("(") + m_dataField + QStringLiteral(")");
    const QRectF box(1, 1, QFontMetricsF(font).horizontalAdvance(label) + 4, QFontMetricsF(font).height());
    painter.fillRect(box, QColor(255, 255, 224));
    painter.setPen(Qt::black);
    painter.drawText(box, Qt::AlignCenter, label);
    painter.restore();
}

} // namespace zelmio
