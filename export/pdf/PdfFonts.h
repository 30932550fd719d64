#pragma once
// Report fonts as PDF font resources: the key a text names its font by, the
// TrueType metrics the writer describes a font with (read from the system's
// font through Qt), the "/Differences" encoding of a font's character set,
// and the lines of the font objects.
//
// An embedded font adds its font program stream and the stream's length
// after the descriptor (PdfFontEmbedding.h makes the program).

#include "platform/VxError.h"

#include <QByteArray>
#include <QRawFont>
#include <QString>
#include <QStringList>
#include <array>

namespace zelmio {

class TVxFont;

// A range error of the font metrics (custom widths too few, widths not
// obtainable).
class ERangeError : public EVxError {
public:
    using EVxError::EVxError;
};

// The four fields of a font key, separated by TAB in the key text.
struct TPdfFontKey {
    QString Name;     // trimmed font name
    bool Bold = false;
    bool Italic = false;
    int Charset = 0;
    QString PSName;   // name without spaces, ",Bold", ",Italic", ",BoldItalic"

    static TPdfFontKey FromFont(const TVxFont &font);
    static TPdfFontKey Make(const QString &name, bool bold, bool italic, int charset);
    // Splits a key text; missing fields stay empty.
    static TPdfFontKey Parse(const QString &key);
    QString Text() const;
};

enum class TFontHandling { fhSubstitute, fhAutoEmbed, fhNoEmbedding };

// What the writer fills and writes of a TrueType font.
struct TTFontrec {
    int FirstChar = 0;
    int LastChar = 255;
    int ItalicA = 0;          // tenths of a degree
    int Flags = 34;
    qint16 Ascent = 0;
    qint16 Descent = 0;
    quint32 FileLength = 0;   // bytes of the font program (embedding)
    std::array<int, 4> BBox{};
    std::array<int, 256> Metrics{};
};

// The font a canvas selects for the key, at a pixel size of 1024.
QRawFont SelectRawFont(const TPdfFontKey &key);

// Reads a font as the key selects it, at an em of 1024 units: the tables of
// its font file, ascent, descent, italic angle and the advance widths of the
// codes 0 to 255 in the code page of its character set. customWidths, when
// not empty, replaces the measured widths (at least 256 numbers separated by
// spaces). Raises EVxError "GetFontData error" when the font's tables cannot
// be read, ERangeError for too few custom widths or widths not obtainable.
TTFontrec ReadTrueTypeFont(const TPdfFontKey &key, const QString &customWidths = QString());

// " <</Type/Encoding /Differences [ 2 /name ... ]>>": every code from 2 to 255
// named after the same byte of the character set's code page, or the custom
// body when one is given.
QString TrueTypeEncoding(int charset, int firstChar, const QString &customDifferences = QString());

// What an embedded font adds to its font and descriptor objects.
struct TFontEmbedding {
    QString SubsetTag;      // "ABCDEF", put before the base font name with "+"
    int ToUnicodeObject = 0;
};

// The font object m and its descriptor m + 1 of font number j; an embedded
// font's descriptor refers to the font program m + 2.
QStringList TrueTypeFontObjects(int m, int j, const TTFontrec &font, const QString &psName,
                                const QString &encoding, const TFontEmbedding *embedding = nullptr);

// The standard Type 1 base font for a key by the substitution rules
// ("Arial:Helvetica" ...): Helvetica-BoldOblique, Times-Italic, Courier ...
QString SubstitutedBaseFont(const TPdfFontKey &key, const QStringList &rules);
// The one object of a substituted font.
QStringList Type1FontObject(int m, int j, const QString &baseFont);

// "F00", "F01" ... "F10".
QString FontResourceName(int index);

} // namespace zelmio
