#pragma once
// Renders a character range of a rich text into a rectangle and reports the
// position it reached, so that a text too long for its rectangle continues
// elsewhere (the next column or page) from the first character not yet
// rendered.
//
// The text is laid out in twips (1/1440 inch): fonts get pixel sizes of that
// unit, so the layout is the same at every output resolution and the drawing
// scales with the painter's transform (recorded pages replay in proportion).
// Only whole lines are rendered; a line that does not fit completely is left
// for the next range.
//
// Positions are UTF-16 character positions of the document, a paragraph end
// counting one; TextLength is the position after the last character.

#include <QRectF>

#include <memory>

class QPainter;
class QTextDocument;

namespace zelmio {

class TRichTextRenderer {
public:
    // Takes a copy of the document (as the rich-text reader builds it:
    // font sizes in points, lengths in pixels at 96 per inch).
    explicit TRichTextRenderer(const QTextDocument &document);
    ~TRichTextRenderer();
    TRichTextRenderer(const TRichTextRenderer &) = delete;
    TRichTextRenderer &operator=(const TRichTextRenderer &) = delete;

    int TextLength() const;

    struct Range {
        int first = 0;            // where rendering started
        int reached = 0;          // first character not rendered
        qreal heightTwips = 0;    // height of the rendered lines
        bool Finished(int textLength) const { return reached >= textLength; }
    };

    // Renders the lines from the one holding firstChar onwards that fit
    // completely into target, which is in device pixels of the painter's
    // device of resolution dpiX x dpiY. Without a painter it only measures.
    // With atLeastOneLine a first line taller than the rectangle is rendered
    // all the same (clipped), so that the caller always makes progress.
    Range Render(QPainter *painter, const QRectF &target, qreal dpiX, qreal dpiY, int firstChar,
                 bool atLeastOneLine = false);

    // The height in twips the text from firstChar to the end needs at a width.
    qreal HeightTwips(qreal widthTwips, int firstChar = 0);

    // Drops the layout kept for the last width.
    void ReleaseCache();

private:
    struct Line {
        int start;
        qreal top;
        qreal bottom;
    };
    void LayoutFor(qreal widthTwips, int firstChar);

    std::unique_ptr<QTextDocument> m_source;  // converted to twips
    std::unique_ptr<QTextDocument> m_layout;  // laid out from m_layoutStart
    qreal m_layoutWidth = -1;
    int m_layoutStart = -1;
    std::vector<Line> m_lines;
};

} // namespace zelmio
