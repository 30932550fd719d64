#pragma once
// Writes a TTextObject as one object block of the component text form:
// lines end with CR LF, each nesting level indents by two spaces, strings are
// ASCII with "#" codes for control characters, the apostrophe and every
// character above 127, long strings are broken into pieces of 64 characters,
// extended floats have 16 significant digits in fixed notation with 18
// decimals. When a name or identifier needs characters beyond ASCII, the
// block starts with the UTF-8 byte order mark and those are UTF-8.

#include "storage/TextFormTree.h"

#include <QByteArray>

namespace zelmio {

class TTextFormWriter {
public:
    static constexpr int kStringPieceLength = 64;
    static constexpr int kBinaryBytesPerLine = 32;

    static QByteArray Write(const TTextObject &object);

    // Value notations, also used by tests and the property panel.
    static QByteArray FormatExtended(long double value);
    static QByteArray FormatGeneral(long double value, TTextValueKind kind);

private:
    explicit TTextFormWriter(bool utf8)
        : m_utf8(utf8)
    {
    }
    void WriteObject(const TTextObject &object, int indent);
    void WriteProperty(const TTextProperty &property, int indent);
    void WriteValue(const TTextValue &value, int indent, bool inList);
    void WriteString(const QString &text, int indent, bool inList);
    void WriteName(const QString &name);
    void NewLine(int indent);

    QByteArray m_out;
    bool m_utf8;
};

} // namespace zelmio
