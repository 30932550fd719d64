#include "platform/RichTextRenderer.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextLayout>

#include <algorithm>

namespace zelmio {

namespace {

constexpr qreal kTwipsPerInch = 1440.0;
constexpr qreal kTwipsPerPoint = 20.0;
constexpr qreal kTwipsPerReferencePixel = 15.0; // 96 pixels per inch
// Rounding of the unit conversions must not push a line that exactly fills
// the rectangle out of it.
constexpr qreal kFitTolerance = 0.5;

void ScaleBlockFormat(QTextBlockFormat &format)
{
    format.setLeftMargin(format.leftMargin() * kTwipsPerReferencePixel);
    format.setRightMargin(format.rightMargin() * kTwipsPerReferencePixel);
    format.setTopMargin(format.topMargin() * kTwipsPerReferencePixel);
    format.setBottomMargin(format.bottomMargin() * kTwipsPerReferencePixel);
    format.setTextIndent(format.textIndent() * kTwipsPerReferencePixel);
    if (format.lineHeightType() == QTextBlockFormat::FixedHeight
        || format.lineHeightType() == QTextBlockFormat::MinimumHeight
        || format.lineHeightType() == QTextBlockFormat::LineDistanceHeight)
        format.setLineHeight(format.lineHeight() * kTwipsPerReferencePixel, format.lineHeightType());
    QList<QTextOption::Tab> tabs = format.tabPositions();
    for (QTextOption::Tab &tab : tabs)
        tab.position *= kTwipsPerReferencePixel;
    format.setTabPositions(tabs);
}

// Point sizes become pixel sizes in twips, unhinted.
void ScaleCharFormat(QTextCharFormat &format, qreal defaultPoints)
{
    qreal points = format.fontPointSize();
    if (points <= 0) {
        const int pixels = format.intProperty(QTextFormat::FontPixelSize);
        points = pixels > 0 ? pixels * 72.0 / 96.0 : defaultPoints;
    }
    format.clearProperty(QTextFormat::FontPointSize);
    format.setProperty(QTextFormat::FontPixelSize, qMax(1, qRound(points * kTwipsPerPoint)));
    format.setFontHintingPreference(QFont::PreferNoHinting);
}

void ConvertToTwips(QTextDocument &document)
{
    const QFont defaultFont = document.defaultFont();
    const qreal defaultPoints = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                                             : defaultFont.pixelSize() * 72.0 / 96.0;
    QTextCursor cursor(&document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat blockFormat = block.blockFormat();
        ScaleBlockFormat(blockFormat);
        QTextCharFormat markFormat = block.charFormat();
        ScaleCharFormat(markFormat, defaultPoints);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(blockFormat);
        cursor.setBlockCharFormat(markFormat);
        struct Piece {
            int position;
            int length;
            QTextCharFormat format;
        };
        std::vector<Piece> pieces;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid())
                pieces.push_back({fragment.position(), fragment.length(), fragment.charFormat()});
        }
        for (Piece &piece : pieces) {
            ScaleCharFormat(piece.format, defaultPoints);
            cursor.setPosition(piece.position);
            cursor.setPosition(piece.position + piece.length, QTextCursor::KeepAnchor);
            cursor.setCharFormat(piece.format);
        }
    }
    QFont font = defaultFont;
    font.setPixelSize(qMax(1, qRound(defaultPoints * kTwipsPerPoint)));
    font.setHintingPreference(QFont::PreferNoHinting);
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setTabStopDistance(option.tabStopDistance() * kTwipsPerReferencePixel);
    document.setDefaultTextOption(option);
    document.setDocumentMargin(document.documentMargin() * kTwipsPerReferencePixel);
    document.setUseDesignMetrics(true);
}

// A copy of a document with its settings (cloning keeps the content and the
// formats, but not the margin).
std::unique_ptr<QTextDocument> CloneDocument(const QTextDocument &source)
{
    std::unique_ptr<QTextDocument> document(source.clone());
    document->setDocumentMargin(source.documentMargin());
    document->setDefaultFont(source.defaultFont());
    document->setDefaultTextOption(source.defaultTextOption());
    document->setUseDesignMetrics(source.useDesignMetrics());
    return document;
}

std::unique_ptr<QTextDocument> EmptyLike(const QTextDocument &source)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(source.defaultFont());
    document->setDefaultTextOption(source.defaultTextOption());
    document->setDocumentMargin(source.documentMargin());
    document->setUseDesignMetrics(true);
    return document;
}

} // namespace

TRichTextRenderer::TRichTextRenderer(const QTextDocument &document)
    : m_source(CloneDocument(document))
{
    ConvertToTwips(*m_source);
}

TRichTextRenderer::~TRichTextRenderer() = default;

int TRichTextRenderer::TextLength() const
{
    return qMax(0, m_source->characterCount() - 1);
}

void TRichTextRenderer::ReleaseCache()
{
    m_layout.reset();
    m_lines.clear();
    m_layoutWidth = -1;
    m_layoutStart = -1;
}

void TRichTextRenderer::LayoutFor(qreal widthTwips, int firstChar)
{
    auto isLineStart = [this](int position) {
        return std::any_of(m_lines.begin(), m_lines.end(),
                           [position](const Line &line) { return line.start == position; });
    };
    if (m_layout && m_layoutWidth == widthTwips
        && (m_layoutStart == firstChar || (m_layoutStart == 0 && isLineStart(firstChar))))
        return;

    auto layOut = [this, widthTwips](std::unique_ptr<QTextDocument> document, int offset) {
        m_layout = std::move(document);
        m_layout->setTextWidth(qMax<qreal>(1, widthTwips));
        m_layout->size(); // lays the whole text out
        m_layoutWidth = widthTwips;
        m_layoutStart = offset;
        m_lines.clear();
        for (QTextBlock block = m_layout->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            if (!layout)
                continue;
            const QPointF origin = layout->position();
            const int count = layout->lineCount();
            for (int i = 0; i < count; ++i) {
                const QTextLine line = layout->lineAt(i);
                const qreal top = origin.y() + line.y();
                qreal bottom = top + line.height();
                if (i + 1 < count)
                    bottom = qMax(bottom, origin.y() + layout->lineAt(i + 1).y());
                m_lines.push_back({offset + block.position() + line.textStart(), top, bottom});
            }
        }
    };

    if (!m_layout || m_layoutWidth != widthTwips || m_layoutStart != 0)
        layOut(CloneDocument(*m_source), 0);
    if (firstChar == 0 || isLineStart(firstChar))
        return;

    // The range starts inside a line of this layout (the text was laid out
    // at another width before): lay out the rest of the text on its own, the
    // first line starting at that character.
    QTextCursor from(m_source.get());
    from.setPosition(firstChar);
    QTextBlockFormat continued = from.blockFormat();
    continued.setTextIndent(0);
    from.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    const QTextDocumentFragment rest(from);
    std::unique_ptr<QTextDocument> document = EmptyLike(*m_source);
    QTextCursor into(document.get());
    into.setBlockFormat(continued);
    into.setBlockCharFormat(from.block().charFormat());
    into.insertFragment(rest);
    QTextCursor first(document.get());
    first.setBlockFormat(continued);
    layOut(std::move(document), firstChar);
}

TRichTextRenderer::Range TRichTextRenderer::Render(QPainter *painter, const QRectF &target, qreal dpiX,
                                                   qreal dpiY, int firstChar, bool atLeastOneLine)
{
    Range range;
    const int length = TextLength();
    range.first = qBound(0, firstChar, length);
    range.reached = range.first;
    if (range.first >= length || dpiX <= 0 || dpiY <= 0 || target.width() <= 0)
        return range;
    const qreal widthTwips = target.width() * kTwipsPerInch / dpiX;
    const qreal heightTwips = qMax<qreal>(0, target.height() * kTwipsPerInch / dpiY);
    LayoutFor(widthTwips, range.first);

    size_t firstLine = 0;
    while (firstLine < m_lines.size() && m_lines[firstLine].start < range.first)
        ++firstLine;
    if (firstLine >= m_lines.size()) {
        range.reached = length;
        return range;
    }
    const qreal top = m_lines[firstLine].top;
    size_t end = firstLine;
    while (end < m_lines.size() && m_lines[end].bottom - top <= heightTwips + kFitTolerance)
        ++end;
    qreal bottom = end > firstLine ? m_lines[end - 1].bottom : top;
    if (end == firstLine && atLeastOneLine) {
        end = firstLine + 1;
        bottom = top + heightTwips;
    }
    range.reached = end < m_lines.size() ? m_lines[end].start : length;
    range.heightTwips = bottom - top;

    if (painter && end > firstLine) {
        const QRectF clip(0, top, widthTwips, bottom - top);
        painter->save();
        painter->translate(target.topLeft());
        painter->scale(dpiX / kTwipsPerInch, dpiY / kTwipsPerInch);
        painter->translate(0, -top);
        painter->setClipRect(clip, Qt::IntersectClip);
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = clip;
        context.palette.setColor(QPalette::Text, Qt::black);
        m_layout->documentLayout()->draw(painter, context);
        painter->restore();
    }
    return range;
}

qreal TRichTextRenderer::HeightTwips(qreal widthTwips, int firstChar)
{
    const int length = TextLength();
    firstChar = qBound(0, firstChar, length);
    if (firstChar >= length || widthTwips <= 0)
        return 0;
    LayoutFor(widthTwips, firstChar);
    size_t firstLine = 0;
    while (firstLine < m_lines.size() && m_lines[firstLine].start < firstChar)
        ++firstLine;
    if (firstLine >= m_lines.size())
        return 0;
    return m_lines.back().bottom - m_lines[firstLine].top;
}

} // namespace zelmio
