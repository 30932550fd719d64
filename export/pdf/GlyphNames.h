#pragma once
// Glyph names of Unicode characters, for the "/Differences" arrays of the
// PDF writer's simple fonts.

#include <QByteArray>

namespace zelmio {

struct TGlyphNamePair {
    char16_t Unicode;
    const char *Name;
};

// The table, sorted by glyph name; a name may stand for several characters
// and a character may have several names.
extern const TGlyphNamePair kGlyphNames[];
extern const int kGlyphNameCount;

// The name of the first pair in table order with that Unicode value; empty
// when the table has none.
QByteArray GlyphName(char16_t unicode);

} // namespace zelmio
