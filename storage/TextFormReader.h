#pragma once
// Parses one object block of the component text form into a TTextObject.
//
// It reads from an offset of a byte buffer and consumes exactly one block,
// up to its final "end", leaving Position() just after it; what follows
// (further blocks) is not looked at. Line numbers in errors and in the tree
// count from the start of the buffer, so that they point into the file.
//
// Accepted beyond what the writer produces: keywords in any case, "inherited"
// and "inline" heads, "[n]" indexes, doubled apostrophes inside quoted
// pieces, "#$hex" codes, "$hex" integers, exponents in floats, integers
// where floats are expected (left to the component reader), properties after
// child objects. Raw bytes above 127 inside strings and names are UTF-8 when
// the block starts with the UTF-8 byte order mark or they form valid UTF-8,
// otherwise characters of the 8-bit code page (Windows-1257 unless set).
//
// Malformed input raises ETextFormError; the reader never reads past the
// buffer and limits nesting, so any input ends in a tree or an error.

#include "storage/TextFormTree.h"

#include <QByteArrayView>

namespace zelmio {

class TCodePage;

class TTextFormReader {
public:
    static constexpr int kMaxNesting = 200;

    explicit TTextFormReader(QByteArrayView data, qsizetype offset = 0);

    void SetCodePage(const TCodePage *codePage) { m_codePage = codePage; }

    // Parses the block at the current position (leading white space and a
    // byte order mark are skipped).
    TTextObject ReadObject();

    qsizetype Position() const { return m_pos; }

    // The offset of the first byte from offset on that is not white space.
    static qsizetype SkipWhiteSpace(QByteArrayView data, qsizetype offset);

    // Whether head, the first bytes of a text, can begin an object block:
    // false only when its first word is complete and is not a block head
    // ("object", "inherited", "inline"), so that reading just the head fails
    // with the same error as reading the whole text would.
    static bool CanStartObject(QByteArrayView head);

private:
    TTextObject ParseObject(int depth);
    TTextProperty ParseProperty(int depth);
    TTextValue ParseValue(int depth);
    TTextValue ParseNumber();
    TTextValue ParseString();
    TTextValue ParseSet();
    TTextValue ParseList(int depth);
    TTextValue ParseCollection(int depth);
    TTextValue ParseBinary();
    QString ParsePropertyPath();

    void SkipBlanks();
    bool AtEnd() const { return m_pos >= m_data.size(); }
    unsigned char Peek(qsizetype ahead = 0) const;
    bool PeekSymbol(QString *symbol = nullptr);
    QString ReadSymbol(const char *what);
    void Expect(char c, const char *what);
    void AppendRaw(QString &target, QByteArrayView bytes) const;
    void CheckDepth(int depth) const;
    [[noreturn]] void Fail(const QString &problem) const;
    [[noreturn]] void FailAt(qsizetype pos, const QString &problem) const;
    QString Describe(qsizetype pos) const;

    QByteArrayView m_data;
    qsizetype m_pos;
    int m_line = 1;
    qsizetype m_lineStart = 0;
    bool m_utf8 = false;
    const TCodePage *m_codePage = nullptr;
};

} // namespace zelmio
