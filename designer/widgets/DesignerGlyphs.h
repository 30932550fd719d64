#pragma once
// The glyphs of the designer's tool bar buttons, drawn with QPainter in one
// flat style (dark grey strokes, one accent colour, light fills) on a
// transparent background, so that no image files or icon themes are needed.

#include <QIcon>
#include <QString>
#include <QStringList>

namespace zelmio {

// The glyph of a designer command by its command name (the object name of
// its action, e.g. "FilePrint", "AlignLeft", "NewLabel"); a null icon for an
// unknown name. The icon holds pixmaps of 16, 24, 32, 48 and 64 pixels; the
// disabled look is QIcon's own.
QIcon DesignerGlyph(const QString &commandName);

// The command names that have a glyph, in tool bar order.
QStringList DesignerGlyphNames();

} // namespace zelmio
