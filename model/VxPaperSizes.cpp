#include "model/VxPaperSizes.h"

#include <array>

namespace zelmio {

namespace {

// Indexed by the paper size's ordinal; entries 0 (Default) and 69 (Custom)
// are unused.
constexpr std::array<TVxPaperDimensions, 70> kPaperSizes{{
    {0, 0},                                                              // Default
    {215.9L, 279.4L}, {215.9L, 279.4L}, {279.4L, 431.8L}, {431.8L, 279.4L}, // Letter .. Ledger
    {215.9L, 355.6L}, {139.7L, 215.9L}, {190.5L, 254}, {297, 420},         // Legal .. A3
    {210, 297}, {210, 297}, {148, 210}, {250, 354},                        // A4 .. B4
    {182, 257}, {215.9L, 330.2L}, {215, 275}, {254, 355.6L},               // B5 .. 10X14
    {279.4L, 431.8L}, {215.9L, 279.4L}, {98.43L, 225.4L}, {104.8L, 241.3L}, // 11X17 .. Env10
    {114.3L, 263.5L}, {120.7L, 279.4L}, {127, 292.1L}, {431.8L, 558.8L},   // Env11 .. CSheet
    {558.8L, 863.6L}, {863.6L, 1117.6L}, {110, 220}, {162, 229},           // DSheet .. EnvC5
    {324, 458}, {229, 324}, {114, 162}, {114, 229},                        // EnvC3 .. EnvC65
    {250, 353}, {176, 250}, {176, 125}, {110, 230},                        // EnvB4 .. EnvItaly
    {98.43L, 190.5L}, {92.01L, 165.1L}, {377.8L, 279.4L}, {215.9L, 304.8L}, // EnvMonarch .. FanfoldGerStd
    {215.9L, 330.2L}, {250, 353}, {100, 148}, {228.6L, 279.4L},            // FanfoldGerLegal .. 9X11
    {254, 279.4L}, {381, 279.4L}, {220, 220}, {100, 100},                  // 10X11 .. Reserved1
    {100, 100}, {241.3L, 304.8L}, {241.3L, 381}, {296.9L, 457.2L},         // Reserved2 .. TabloidExtra
    {236, 322}, {279.4L, 215.9L}, {297, 210}, {304.8L, 241.3L},            // A4Extra .. LetterExtraTrans
    {227, 356}, {305, 487}, {215.9L, 322.3L}, {210, 330},                  // SuperASuperAA4 .. A4Plus
    {210, 148}, {257, 182}, {322, 445}, {174, 235},                        // A5Trans .. A5Extra
    {201, 276}, {420, 594}, {420, 297}, {445, 322},                        // B5Extra .. A3ExtraTrans
    {0, 0},                                                              // Custom
}};

} // namespace

bool PaperDimensions(TVxPaperSize paperSize, TVxPaperDimensions &dimensions)
{
    if (paperSize == TVxPaperSize::Default || paperSize == TVxPaperSize::Custom)
        return false;
    const int index = int(paperSize);
    if (index <= 0 || index >= int(kPaperSizes.size()) - 1)
        return false;
    dimensions = kPaperSizes[std::size_t(index)];
    return true;
}

} // namespace zelmio
