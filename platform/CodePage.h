#pragma once
// Single-byte code pages: the Windows ones (874, 1250 to 1258) and a few ISO
// 8859 ones. The data packet reader decodes declared 8-bit packets with them;
// writers that must produce 8-bit text (the PDF writer's simple fonts) encode
// with them.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <array>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zelmio {

class TCodePage {
public:
    // The table of a code page number (1257, 28603 ...); nullptr when there is none.
    static const TCodePage *find(int number);
    // By an encoding name as XML declarations and MIME headers write it
    // ("windows-1257", "cp1257", "x-cp1257", "iso-8859-13", "latin1" ...),
    // without regard to case; nullptr when unknown.
    static const TCodePage *fromName(QStringView name);
    // Every code page number with a table, ascending.
    static std::vector<int> numbers();

    int number() const { return m_number; }
    QString name() const { return QString::fromLatin1(m_name); }

    char16_t toUnicode(unsigned char byte) const
    {
        return byte < 0x80 ? char16_t(byte) : m_high[byte - 0x80];
    }
    QString decode(QByteArrayView bytes) const;
    // Appends the UTF-8 form of the bytes (the packet reader converts whole files).
    void decodeToUtf8(QByteArrayView bytes, std::string &out) const;

    // The byte of a character; false when the code page lacks it.
    bool fromUnicode(char32_t ch, unsigned char &byte) const;
    // Characters the code page lacks become `replacement`, one byte per
    // character (a surrogate pair is one character).
    QByteArray encode(QStringView text, char replacement = '?') const;
    bool canEncode(QStringView text) const;

private:
    static const std::vector<std::unique_ptr<TCodePage>> &all();
    TCodePage(int number, const char *name, const char16_t *high);

    int m_number;
    const char *m_name;
    const char16_t *m_high;
    // (character, byte) for the bytes 0x80..0xFF, sorted by character.
    std::array<std::pair<char16_t, unsigned char>, 128> m_reverse;
    // UTF-8 of each high byte: length then up to three bytes.
    std::array<std::array<unsigned char, 4>, 128> m_utf8;
};

} // namespace zelmio
