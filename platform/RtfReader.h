#pragma once
// Reads rich text format (RTF) into a QTextDocument: the RTF that word
// processors and rich-edit controls write. Understood: font and colour
// tables, the document code page (\ansicpg, \mac, \pc, \pca) and the fonts'
// character sets for \'hh, \u with \uc, bold, italic, underline, strike-out,
// super- and subscript, hidden text, sizes, colours and highlights,
// paragraph alignment, indents, spacing, tab stops, tabs, line and paragraph
// breaks, table cells and rows as tabs and paragraphs. Unknown destinations
// and control words are skipped. Data that does not start with "{\rtf" is
// read as plain text.
//
// The document it builds measures in reference pixels (96 per inch): block
// margins, indents and tab stops are in those pixels, font sizes in points.
// Paragraph ends count as one character, as in the controls that wrote the
// text, so character positions match theirs.

#include <QByteArrayView>
#include <QString>
#include <QStringView>

class QTextDocument;

namespace zelmio {

class TRtfReader {
public:
    // Groups nested deeper than this are refused (no real text comes close).
    static constexpr int MaxGroupDepth = 1024;

    // True when the data starts (after white space) with "{\rtf".
    static bool IsRtf(QByteArrayView data);
    static bool IsRtf(QStringView text);

    // Replaces the document's content. Plain text is decoded as UTF-8 when
    // it is valid UTF-8 and otherwise with defaultCodePage (a Windows code
    // page number); bytes above 127 inside RTF are in the text's code page,
    // defaultCodePage unless the text names its own. On broken
    // RTF (groups left open at the end, a damaged escape, a binary block
    // longer than the data, nesting beyond MaxGroupDepth) the document is
    // left empty and false is returned with a message that says where.
    static bool Read(QByteArrayView data, QTextDocument &document, QString *error = nullptr,
                     int defaultCodePage = 1252);
    // The same for text already decoded: characters up to U+00FF stand for
    // the bytes of an 8-bit RTF text, characters above it for themselves.
    static bool Read(QStringView text, QTextDocument &document, QString *error = nullptr,
                     int defaultCodePage = 1252);
};

} // namespace zelmio
