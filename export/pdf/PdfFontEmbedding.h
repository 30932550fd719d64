#pragma once
// Embedding TrueType fonts: the font file behind a font as Qt selects it
// (found through fontconfig), a subset of it holding only the glyphs a
// document shows (HarfBuzz's subsetter), the subset tag of its base font and
// the /ToUnicode map that lets viewers search and copy its text.
//
// The document keeps the single-byte codes of the described fonts: code c
// shows the glyph of the character that byte c stands for in the font's
// character set, so the subset keeps the glyphs of those characters, reached
// through its Unicode cmap and its glyph names.

#include "export/pdf/PdfFonts.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <bitset>

namespace zelmio {

// A font file and the face inside it (a collection holds several).
struct TFontFile {
    QString Path;
    int FaceIndex = 0;
    QByteArray Data;
};

// The file of the font the key selects. Raises EVxError "GetFontData error"
// naming the font when no readable file matches it.
TFontFile FindFontFile(const TPdfFontKey &key);

// The characters the codes of a font show: code c stands for the character
// of byte c in the code page of the character set (0 for codes 0 and 1,
// which the "/Differences" array leaves unnamed).
std::array<char16_t, 256> CodeCharacters(int charset);

// A TrueType font program with the glyphs of the used codes (and .notdef).
// Raises EVxError naming fontName and the file when the data is not a
// TrueType font or cannot be subset.
QByteArray SubsetFontProgram(const TFontFile &file, const std::bitset<256> &usedCodes,
                             const std::array<char16_t, 256> &characters, const QString &fontName);

// Six capital letters that mark a subset in its base font name ("ABCDEF+"),
// the same for the same font and codes.
QString SubsetTag(const QString &psName, const std::bitset<256> &usedCodes);

// The body of a /ToUnicode CMap stream for single-byte codes: every used
// code with a character.
QByteArray ToUnicodeCMap(const std::bitset<256> &usedCodes, const std::array<char16_t, 256> &characters);

} // namespace zelmio
