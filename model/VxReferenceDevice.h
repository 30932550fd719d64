#pragma once
// Text measurement on the reference device: a fixed 96 pixels per inch and
// unhinted design metrics, so that line breaking and layout do not depend on
// the screen, the font hinting or the machine.

#include <QFont>
#include <QString>

namespace zelmio {

// Advance width of the text in reference pixels (fractional), from the
// font's design metrics without kerning.
double ReferenceTextWidth(const QFont &font, const QString &text);
// Height of one line (ascent plus descent) in reference pixels.
double ReferenceLineHeight(const QFont &font);

} // namespace zelmio
