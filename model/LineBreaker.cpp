#include "model/LineBreaker.h"

namespace zelmio {

namespace {

// Length of the character (a surrogate pair counts as one) starting at i.
qsizetype CharLength(const QString &text, qsizetype i)
{
    if (i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate())
        return 2;
    return 1;
}

// Removes the last character (a surrogate pair whole).
void ChopCharacter(QString &text)
{
    const qsizetype n = text.size();
    if (n >= 2 && text[n - 1].isLowSurrogate() && text[n - 2].isHighSurrogate())
        text.chop(2);
    else
        text.chop(1);
}

} // namespace

TLineBreaker::TLineBreaker(const TTextMeasure &measure, const TLineBreakOptions &options)
    : m_measure(measure)
    , m_options(options)
{
}

void TLineBreaker::BreakText(const QString &text, QStringList &lines) const
{
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        BreakPiece(text, lines);
        return;
    }
    QString cleaned = text;
    cleaned.remove(u'\n');
    const QStringList pieces = cleaned.split(u'\r');
    for (const QString &piece : pieces)
        BreakPiece(piece, lines);
}

QStringList TLineBreaker::SplitWords(const QString &piece)
{
    QStringList words;
    QString word;
    for (QChar ch : piece) {
        word += ch;
        if (ch == u' ' || ch == u'-') {
            words << word;
            word.clear();
        }
    }
    if (!word.isEmpty())
        words << word;
    return words;
}

void TLineBreaker::BreakPiece(const QString &piece, QStringList &lines) const
{
    if (m_options.autoSize || piece.isEmpty()) {
        lines << piece;
        return;
    }
    switch (m_options.wrapStyle) {
    case TWrapStyle::BreakAnywhere:
        BreakAnywhere(piece, lines);
        return;
    case TWrapStyle::BreakOnSpaces: {
        // Kept per piece: an overflowing line must not swallow the line
        // after the next carriage return.
        // A piece that fits is its own line (widths only grow with the
        // text, so no word of it would break): one measurement, not one a word.
        if (!Wider(piece)) {
            lines << piece;
            return;
        }
        bool lineFinished = false;
        QString line;
        const qsizetype before = lines.size();
        for (const QString &word : SplitWords(piece))
            AddWord(word, line, lines, lineFinished);
        // A word cut to the width leaves an empty line behind; it is no
        // line of the text.
        if (!lineFinished && (!line.isEmpty() || lines.size() == before))
            lines << line;
        return;
    }
    }
}

void TLineBreaker::BreakAnywhere(const QString &piece, QStringList &lines) const
{
    QString line;
    for (qsizetype i = 0; i < piece.size();) {
        const qsizetype n = CharLength(piece, i);
        const QString ch = piece.mid(i, n);
        // An empty line takes its first character even when it is too wide,
        // so that every line holds something.
        if (!line.isEmpty() && Wider(line + ch)) {
            lines << line;
            line.clear();
        }
        line += ch;
        i += n;
    }
    if (!line.trimmed().isEmpty())
        lines << line;
}

void TLineBreaker::AddWord(QString word, QString &line, QStringList &lines, bool &lineFinished) const
{
    if (!Wider(line + word)) {
        line += word;
        return;
    }
    if (line.isEmpty()) {
        // A word wider than the element: the characters that fit, the rest dropped.
        for (qsizetype i = 0; i < word.size();) {
            const qsizetype n = CharLength(word, i);
            const QString next = line + word.mid(i, n);
            if (m_measure.TextWidth(next) >= m_options.width)
                break;
            line = next;
            i += n;
        }
        word.clear();
        lines << line;
        line.clear();
    } else {
        lines << line;
        line.clear();
        if (Wider(word)) {
            if (m_options.width <= 0)
                word.clear();
            while (!word.isEmpty() && Wider(word))
                ChopCharacter(word);
            lines << word;
            word.clear();
        }
    }
    if (!m_options.wordWrap) {
        word.clear();
        lineFinished = true;
    }
    line += word;
}

} // namespace zelmio
