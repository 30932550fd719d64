#pragma once
// Breaks the text of a text element into the lines it prints, for an
// available width in pixels. The measuring is the caller's: text elements
// measure on the report's reference device, scaled by their zoom.
//
// A text loses its line feeds and is split at carriage returns; each piece
// is broken on its own (an empty piece gives an empty line):
//  - with AutoSize a piece is one line, unbroken (the element widens instead);
//  - BreakAnywhere starts a new line before a character that would make the
//    line wider than the width;
//  - BreakOnSpaces cuts the piece into words, each ending with its space or
//    hyphen, and adds them in turn. A word that does not fit starts the next
//    line; a word wider than the whole width is cut to what fits and the rest
//    dropped. Without WordWrap a word that does not fit is dropped, and the
//    unfinished line at the end of the piece with it.
// Lines keep their trailing spaces.

#include "model/VxElementTypes.h"

#include <QString>
#include <QStringList>

namespace zelmio {

// Width of a text in whole pixels, as the element measures it.
class TTextMeasure {
public:
    virtual ~TTextMeasure() = default;
    virtual int TextWidth(const QString &text) const = 0;
};

struct TLineBreakOptions {
    int width = 0;                                  // available width in pixels
    bool autoSize = false;
    bool wordWrap = true;
    TWrapStyle wrapStyle = TWrapStyle::BreakOnSpaces;
};

class TLineBreaker {
public:
    TLineBreaker(const TTextMeasure &measure, const TLineBreakOptions &options);

    // Appends the lines of a text.
    void BreakText(const QString &text, QStringList &lines) const;

    // The words of a piece: each ends with its space or hyphen, the last
    // one at the piece's end.
    static QStringList SplitWords(const QString &piece);

private:
    void BreakPiece(const QString &piece, QStringList &lines) const;
    void BreakAnywhere(const QString &piece, QStringList &lines) const;
    void AddWord(QString word, QString &line, QStringList &lines, bool &lineFinished) const;
    bool Wider(const QString &text) const { return m_measure.TextWidth(text) > m_options.width; }

    const TTextMeasure &m_measure;
    TLineBreakOptions m_options;
};

} // namespace zelmio
