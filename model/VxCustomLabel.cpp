#include "model/VxCustomLabel.h"

#include "platform/VxError.h"

#include "model/VxExportTarget.h"
#include "model/CustomVexa.h"
#include "model/LineBreaker.h"
#include "model/PropertyFiler.h"
#include "model/VxBandStretch.h"
#include "model/VxCustomBand.h"
#include "model/VxFont.h"
#include "model/VxPageCanvas.h"
#include "model/VxReferenceDevice.h"
#include "model/VxRotatedText.h"
#include "model/VxTextPainter.h"

#include <QPainter>
#include <cmath>
#include <memory>

namespace zelmio {

namespace {

// Design-surface pixels per tenth of a millimetre at 96 pixels per inch.
constexpr long double kScreenFactor = 0.37795L;

class LabelMeasure : public TTextMeasure {
public:
    explicit LabelMeasure(const TVxCustomLabel &label)
        : m_label(label)
    {
    }
    int TextWidth(const QString &text) const override { return m_label.MeasureTextWidth(text); }

private:
    const TVxCustomLabel &m_label;
};

} // namespace

struct TVxCustomLabel::PrintState {
    TVxPageCanvas *printer = nullptr;
    std::shared_ptr<const TVxTextPainter> text;
    long double lineHeight = 0;   // internal units
    long double elementLeft = 0;  // the element's left edge after formatting
    long double elementTop = 0;
    long double textLeft = 0;     // after the frame's offset
    long double width = 0;
    long double height = 0;
    long double bottom = 0;       // element bottom with the expansion granted so far
    long double anchorX = 0;
    long double y = 0;            // top of the next line
    TAlignment alignment = TAlignment::taLeftJustify;
    bool rightToLeft = false;
    bool hasExpanded = false;
};

TVxCustomLabel::TVxCustomLabel(TComponent *owner)
    : TVxPrintable(owner)
    , m_textPainterFont(std::make_unique<TVxFont>())
{
}

TVxCustomLabel::~TVxCustomLabel() = default;

void TVxCustomLabel::SetCaption(const QString &caption)
{
    m_caption = caption;
    m_printCaption = caption;
    FormatLines();
    Invalidate();
}

void TVxCustomLabel::SetLines(const QStringList &lines)
{
    m_lines = lines;
    FormatLines();
    Invalidate();
}

void TVxCustomLabel::SetAutoSize(bool value)
{
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    FormatLines();
    Invalidate();
}

void TVxCustomLabel::SetWordWrap(bool value)
{
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    FormatLines();
    Invalidate();
}

void TVxCustomLabel::SetWrapStyle(TWrapStyle value)
{
    if (value == m_wrapStyle)
        return;
    m_wrapStyle = value;
    FormatLines();
    Invalidate();
}

void TVxCustomLabel::SetFullJustify(bool value)
{
    if (value == m_fullJustify)
        return;
    m_fullJustify = value;
    Invalidate();
}

void TVxCustomLabel::SetVerticalAlignment(TTextLayout value)
{
    if (value == m_verticalAlignment)
        return;
    m_verticalAlignment = value;
    Invalidate();
}

void TVxCustomLabel::SetBiDiMode(TBiDiMode value)
{
    if (value == m_biDiMode)
        return;
    m_biDiMode = value;
    m_parentBiDiMode = false;
    Invalidate();
}

void TVxCustomLabel::SetTransparent(bool value)
{
    if (value == m_transparent)
        return;
    m_transparent = value;
    Invalidate();
}

void TVxCustomLabel::SetName(const QString &name)
{
    const QString oldName = Name();
    TVxPrintable::SetName(name);
    NameChanged(oldName, Name());
}

void TVxCustomLabel::NameChanged(const QString &oldName, const QString &newName)
{
    if (m_caption.isEmpty() || m_caption == oldName)
        SetCaption(newName);
    else
        FormatLines();
}

void TVxCustomLabel::FontChanged()
{
    FormatLines();
}

void TVxCustomLabel::LayoutChanged()
{
    FormatLines();
}

void TVxCustomLabel::DefineProperties(TPropertyFiler &filer)
{
    TVxPrintable::DefineProperties(filer);
    filer.DefineProperty(
        QStringLiteral("FontSize"), [this](TPropertyReader &reader) { ReadFontSize(reader); },
        [this](TPropertyWriter &writer) { WriteFontSize(writer); }, true);
}

void TVxCustomLabel::ReadFontSize(TPropertyReader &reader)
{
    // Points; the same range as the font's own Size.
    constexpr qint64 kLimit = 7500;
    const qint64 points = reader.ReadInteger();
    if (points < -kLimit || points > kLimit)
        throw EVxError(QStringLiteral("value %1 out of range (%2 to %3)").arg(points).arg(-kLimit).arg(kLimit));
    m_fontSize = int(points);
}

void TVxCustomLabel::WriteFontSize(TPropertyWriter &writer) const
{
    writer.WriteInteger(Font()->Size());
}

void TVxCustomLabel::Loaded()
{
    TVxPrintable::Loaded();
    if (m_fontSize > 0 && Font()->Size() != m_fontSize)
        Font()->SetSize(m_fontSize);
    FormatLines();
}

int TVxCustomLabel::MeasureTextWidth(const QString &text) const
{
    int width;
    if (const TCustomVexa *report = ParentReport()) {
        width = report->TextWidth(Font(), text);
    } else {
        const double measured = ReferenceTextWidth(Font()->ToQFont(), text);
        width = std::isfinite(measured) && measured >= 0 ? int(std::lround(measured)) + 1 : 0;
    }
    return width * Zoom() / 100;
}

int TVxCustomLabel::LineHeightPixels() const
{
    int height;
    if (const TCustomVexa *report = ParentReport())
        height = report->TextHeight(Font(), QStringLiteral("W"));
    else
        height = int(std::lround(ReferenceLineHeight(Font()->ToQFont())));
    return height * Zoom() / 100;
}

void TVxCustomLabel::ResizeSelf(int left, int top, int width, int height)
{
    if (left == Left() && top == Top() && width == Width() && height == Height())
        return;
    m_updatingBounds = true;
    SetBounds(left, top, width, height);
    m_updatingBounds = false;
}

void TVxCustomLabel::FormatLines()
{
    if (!Parent())
        return;
    m_formattedLines.clear();
    const LabelMeasure measure(*this);
    TLineBreakOptions options;
    options.width = Width();
    options.autoSize = m_autoSize;
    options.wordWrap = m_wordWrap;
    options.wrapStyle = m_wrapStyle;
    const TLineBreaker breaker(measure, options);
    const TCustomVexa *report = ParentReport();
    if (GetCaptionBased()) {
        breaker.BreakText(m_printCaption, m_formattedLines);
        if (report && !m_updatingBounds) {
            const int minimum = LineHeightPixels() + 1;
            if (Height() < minimum)
                ResizeSelf(Left(), Top(), Width(), minimum);
        }
    } else if (!m_lines.isEmpty()) {
        if (m_autoSize)
            m_formattedLines = m_lines;
        else
            for (const QString &line : std::as_const(m_lines))
                breaker.BreakText(line, m_formattedLines);
    }
    if (m_autoSize && report && !m_updatingBounds) {
        int widest = 0;
        for (const QString &line : std::as_const(m_formattedLines))
            widest = qMax(widest, measure.TextWidth(line));
        if (Frame()->DrawLeft())
            widest += Frame()->Width();
        if (Frame()->DrawRight())
            widest += Frame()->Width();
        int left = Left();
        switch (Alignment()) {
        case TAlignment::taLeftJustify:
            break;
        case TAlignment::taRightJustify:
            left = Left() + Width() - widest;
            break;
        case TAlignment::taCenter:
            left = Left() + (Width() - widest) / 2;
            break;
        }
        int height = Height();
        const int minimum = LineHeightPixels() + 1;
        if (height < minimum)
            height = minimum;
        ResizeSelf(left, Top(), widest, height);
    }
}

void TVxCustomLabel::Prepare()
{
    TVxPrintable::Prepare();
    m_printCaption = m_caption;
}

bool TVxCustomLabel::RightToLeftReading() const
{
    return m_biDiMode != TBiDiMode::bdLeftToRight;
}

TAlignment TVxCustomLabel::EffectiveAlignment() const
{
    if (m_biDiMode != TBiDiMode::bdRightToLeft)
        return Alignment();
    switch (Alignment()) {
    case TAlignment::taLeftJustify:
        return TAlignment::taRightJustify;
    case TAlignment::taRightJustify:
        return TAlignment::taLeftJustify;
    case TAlignment::taCenter:
        return TAlignment::taCenter;
    }
    return Alignment();
}

void TVxCustomLabel::Print(long double ofsX, long double ofsY)
{
    if (!IsEnabled())
        return;
    if (!IsPrinting())
        Prepare();
    TVxPageCanvas *printer = VXPrinter();
    if (!printer)
        return;
    PrintState state;
    state.printer = printer;
    state.text = TextPainterFor(*printer);
    state.lineHeight = state.text->TextHeight() / printer->YFactor();
    PrintText(ofsX + InternalLeft(), ofsY + InternalTop(), state);
}

void TVxCustomLabel::PrintRotatedText(long double ofsX, long double ofsY, QString text, int degree)
{
    if (!IsEnabled())
        return;
    if (!IsPrinting())
        Prepare();
    TVxPageCanvas *printer = VXPrinter();
    if (!printer)
        return;
    if (m_onPrint)
        m_onPrint(this, text);
    const std::shared_ptr<const TVxTextPainter> painter = TextPainterFor(*printer);
    const long double left = ofsX + InternalLeft();
    const long double top = ofsY + InternalTop();
    const QRect rect = DeviceRect(left, top, InternalWidth(), InternalHeight());
    const TRotatedTextPlacement placement = PlaceRotatedText(degree, painter->TextWidth(text), painter->TextHeight(),
                                                             Alignment(), rect, m_autoSize);
    if (m_autoSize) {
        Size()->SetInternalValue(TVxPrintableSize::WidthIndex, placement.extent.width() / printer->XFactor());
        Size()->SetInternalValue(TVxPrintableSize::HeightIndex, placement.extent.height() / printer->YFactor());
    }

    TVxExportTarget *filter = ExportFilter();
    if (filter && !m_transparent && Color() != clWhite)
        ExportFilledRect(rect, Color());
    if (QPainter *canvas = PageCanvas(); canvas && IsFinalPass()) {
        if (!m_transparent)
            canvas->fillRect(rect, ColorToQColor(Color()));
        canvas->save();
        canvas->setClipRect(rect, canvas->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        canvas->translate(placement.start);
        // Qt turns clockwise for positive angles on a y-down device.
        canvas->rotate(-degree / 10.0);
        painter->Draw(*canvas, 0, 0, TAlignment::taLeftJustify, text, QRect(), RightToLeftReading());
        canvas->restore();
    }
    if (filter && !text.isEmpty())
        filter->RotatedTextOut(TDevicePos(placement.start.x(), placement.start.y()), Font(), degree, text);
    PaintFrame(rect);
    SetPrintFinished(true);
}

std::shared_ptr<const TVxTextPainter> TVxCustomLabel::TextPainterFor(const TVxPageCanvas &printer)
{
    // Kept from one print to the next while the font and the device stay:
    // building one looks the font up, which costs more than printing a line.
    const double dpiX = double(printer.XFactor() * 254);
    const double dpiY = double(printer.YFactor() * 254);
    if (!m_textPainter || m_textPainterDpiX != dpiX || m_textPainterDpiY != dpiY
        || !Font()->SameAs(*m_textPainterFont)) {
        m_textPainter = std::make_shared<const TVxTextPainter>(*Font(), dpiX, dpiY);
        m_textPainterFont->Assign(Font());
        m_textPainterDpiX = dpiX;
        m_textPainterDpiY = dpiY;
    }
    return m_textPainter;
}

void TVxCustomLabel::PrintText(long double left, long double top, PrintState &state)
{
    TVxPageCanvas *printer = state.printer;
    QPainter *canvas = PageCanvas();
    const bool finalPass = IsFinalPass() && canvas;
    TVxExportTarget *filter = ExportFilter();
    TVxCustomBand *band = ParentBand();

    // 1. The hook may replace the text (and change the font) for this print.
    const QString keptPrintCaption = m_printCaption;
    bool restoreCaption = false;
    if (m_onPrint) {
        TVxFont before;
        before.Assign(Font());
        QString value = m_printCaption;
        m_onPrint(this, value);
        if (!Font()->SameAs(before)) {
            state.text = TextPainterFor(*printer);
            state.lineHeight = state.text->TextHeight() / printer->YFactor();
        }
        if (value != m_printCaption) {
            m_printCaption = value;
            restoreCaption = true;
        }
    }

    // 2. Lines for the current text; the width as formatting left it.
    const long double widthBefore = InternalWidth();
    FormatLines();
    const long double width = InternalWidth();
    const long double height = InternalHeight();
    const long double bandExpansion = band ? band->Expanded() : 0;
    state.alignment = EffectiveAlignment();
    state.rightToLeft = RightToLeftReading();

    // An AutoSize label aligned right or centre was moved by formatting.
    if (m_autoSize) {
        const long double change = width - widthBefore;
        if (Alignment() == TAlignment::taRightJustify)
            left -= change;
        else if (Alignment() == TAlignment::taCenter)
            left -= change / 2;
    }
    state.elementLeft = left;
    state.elementTop = top;
    state.width = width;
    state.height = height;

    double textWidth = 0;
    for (const QString &line : std::as_const(m_formattedLines))
        textWidth = qMax(textWidth, state.text->TextWidth(line));
    const int deviceRight = printer->XPos(left + width);
    auto backgroundRect = [&](long double rectTop, long double rectHeight) {
        QRect rect = DeviceRect(left, rectTop, width, rectHeight);
        if (state.alignment == TAlignment::taRightJustify)
            rect.setLeft(qMax(rect.left(), deviceRight - int(std::lround(textWidth))));
        return rect;
    };

    // 3. An opaque coloured background for the filter.
    if (filter && !m_transparent && Color() != clWhite)
        ExportFilledRect(backgroundRect(top, height + bandExpansion), Color());
    // 4. The background on the page.
    if (finalPass && !m_transparent)
        canvas->fillRect(backgroundRect(top, height), ColorToQColor(Color()));

    // 5. A drawn top or left side moves the text off the frame.
    const long double frameOffset = std::lround(Frame()->Width() / 72.0L * 254.0L);
    long double textTop = top;
    state.textLeft = left;
    if (Frame()->DrawTop())
        textTop += frameOffset;
    if (Frame()->DrawLeft())
        state.textLeft += frameOffset;

    // 6. The anchor by alignment.
    switch (state.alignment) {
    case TAlignment::taLeftJustify:
        state.anchorX = state.textLeft;
        break;
    case TAlignment::taRightJustify:
        state.anchorX = state.textLeft + width;
        break;
    case TAlignment::taCenter:
        state.anchorX = state.textLeft + width / 2;
        break;
    }

    // 7. A single line is placed by the vertical alignment.
    if (m_formattedLines.size() == 1) {
        const long double spare = (height * printer->YFactor() - state.text->TextHeight()) / printer->YFactor();
        if (m_verticalAlignment == TTextLayout::tlCenter)
            textTop += spare / 2;
        else if (m_verticalAlignment == TTextLayout::tlBottom)
            textTop += spare;
    }

    // 8.-10. The lines from where the last print stopped.
    if (PrintFinished())
        m_currentLine = 0;
    state.y = textTop;
    state.bottom = top + height + 1;
    SetExpanded(0);
    while (m_currentLine < m_formattedLines.size() && NextLineFits(state)) {
        PrintLine(state, m_formattedLines.at(m_currentLine));
        state.y += state.lineHeight;
        ++m_currentLine;
    }
    SetPrintFinished(m_currentLine >= m_formattedLines.size() || !m_autoStretch);

    // 11. The frame around the element and the height the band granted.
    if (IsFinalPass() || filter) {
        const long double expansion = band ? band->Expanded() : Expanded();
        PaintFrame(DeviceRect(left, top, width, height + expansion));
    }
    if (restoreCaption)
        m_printCaption = keptPrintCaption;
}

bool TVxCustomLabel::NextLineFits(PrintState &state)
{
    while (state.bottom < state.y + state.lineHeight) {
        TVxCustomBand *band = ParentBand();
        if (!m_autoStretch || !band || !CanExpand(*band, state.lineHeight))
            return false;
        long double granted = Expanded();
        const long double before = state.bottom;
        ExpandBand(*band, state.lineHeight, granted, state.hasExpanded);
        SetExpanded(granted);
        state.bottom = state.elementTop + state.height + 1 + granted;
        if (state.bottom <= before)
            return false; // nothing granted: no progress to be had
        QPainter *canvas = PageCanvas();
        if (IsFinalPass() && canvas && !m_transparent) {
            const QRect strip = DeviceRect(state.elementLeft, before, state.width, state.bottom - before);
            canvas->fillRect(strip, ColorToQColor(Color()));
        }
    }
    return true;
}

void TVxCustomLabel::PrintLine(PrintState &state, const QString &line)
{
    TVxPageCanvas *printer = state.printer;
    QPainter *canvas = PageCanvas();
    const bool draw = IsFinalPass() && canvas && !line.isEmpty();
    TVxExportTarget *filter = ExportFilter();
    if (m_fullJustify) {
        if (draw || filter)
            Justify(state, line);
        return;
    }
    if (draw && Visible()) {
        const int clipLeft = printer->XPos(state.textLeft);
        const int clipTop = printer->YPos(state.y);
        const QRect clip(clipLeft, clipTop, printer->XPos(state.elementLeft + state.width) - clipLeft,
                         printer->YPos(state.y + state.lineHeight) - clipTop);
        state.text->Draw(*canvas, printer->XPos(state.anchorX), printer->YPos(state.y), state.alignment, line,
                         clip, state.rightToLeft);
    }
    if (filter)
        filter->TextOutColumn(TPaperPos(state.anchorX, state.y), Font(), m_transparent ? clNone : Color(),
                              state.alignment, line, XLColumn());
}

void TVxCustomLabel::Justify(PrintState &state, const QString &line)
{
    TVxPageCanvas *printer = state.printer;
    const QStringList words = line.split(u' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return;
    double sum = 0;
    for (const QString &word : words)
        sum += state.text->TextWidth(word);
    const double target = double(Width() / kScreenFactor * printer->XFactor());
    const double space = state.text->TextWidth(QStringLiteral(" "));
    const double gap = words.size() < 2 || sum >= target ? space : (target - sum) / (words.size() - 1);
    const double step = gap > m_maxBreakChars * space ? space : gap;
    const int start = printer->XPos(state.anchorX);
    double x = start;
    QPainter *canvas = PageCanvas();
    TVxExportTarget *filter = ExportFilter();
    const int clipLeft = printer->XPos(state.textLeft);
    const int clipTop = printer->YPos(state.y);
    const QRect clip(clipLeft, clipTop, printer->XPos(state.elementLeft + state.width) - clipLeft,
                     printer->YPos(state.y + state.lineHeight) - clipTop);
    const bool draw = IsFinalPass() && canvas && Visible();
    for (const QString &word : words) {
        if (draw)
            state.text->Draw(*canvas, x, printer->YPos(state.y), TAlignment::taLeftJustify, word, clip,
                             state.rightToLeft);
        if (filter)
            filter->TextOutColumn(TPaperPos(state.anchorX + (x - start) / printer->XFactor(), state.y), Font(),
                                  m_transparent ? clNone : Color(), TAlignment::taLeftJustify, word, XLColumn());
        x += state.text->TextWidth(word) + step;
    }
}

void TVxCustomLabel::GetExpandedHeight(int &newHeight)
{
    QString text;
    GetFieldString(text);
    FormatLines();
    newHeight = int(m_formattedLines.size()) * LineHeightPixels();
}

void TVxCustomLabel::Paint(QPainter &painter)
{
    if (IsPrinting())
        return;
    PaintCommon(painter, m_transparent);
    FormatLines();
    if (!m_transparent)
        painter.fillRect(ClientRect(), ColorToQColor(Color()));

    QFont font = Font()->ToQFont();
    const int points = int(std::lround(Font()->Size() * Zoom() / 100.0));
    font.setPixelSize(qMax(1, int(std::lround(points * 96.0 / 72.0))));
    const double lineHeight = ReferenceLineHeight(font);
    const double factor = DesignFactor();
    int x0 = 0;
    int y0 = 0;
    if (Frame()->DrawLeft())
        x0 = Frame()->HorizontalThickness(factor);
    if (Frame()->DrawTop())
        y0 = Frame()->VerticalThickness(factor);
    double y = y0;
    if (m_formattedLines.size() == 1) {
        const double spare = Height() - lineHeight;
        if (m_verticalAlignment == TTextLayout::tlCenter)
            y += spare / 2;
        else if (m_verticalAlignment == TTextLayout::tlBottom)
            y += spare;
    }
    painter.save();
    painter.setClipRect(ClientRect(), Qt::IntersectClip);
    painter.setFont(font);
    painter.setPen(ColorToQColor(Font()->Color()));
    const QFontMetricsF metrics(font);
    for (const QString &line : std::as_const(m_formattedLines)) {
        const double width = ReferenceTextWidth(font, line);
        double x = x0;
        switch (EffectiveAlignment()) {
        case TAlignment::taLeftJustify:
            break;
        case TAlignment::taRightJustify:
            x = Width() - width;
            break;
        case TAlignment::taCenter:
            x = Width() / 2.0 - width / 2;
            break;
        }
        painter.drawText(QPointF(x, y + metrics.ascent()), line);
        y += lineHeight;
    }
    painter.restore();
    // The background covered the frame of the common part.
    Frame()->PaintIt(painter, QRect(0, 0, Width() - 1, Height() - 1), factor, factor);
    PaintCorners(painter);
}

} // namespace zelmio
