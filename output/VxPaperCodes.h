#pragma once
// Device codes of the paper sizes and paper sources, as printers' settings
// records carry them.

#include "model/VxTypes.h"

#include <optional>

namespace zelmio {

inline constexpr int PaperSizeCount = 70;

// The device paper code: n for the n-th size (0 Default ... 68), 256 Custom.
int PaperCode(TVxPaperSize size);
// The size whose paper code is code (first match), if any.
std::optional<TVxPaperSize> PaperSizeOfCode(int code);
// The device paper-source code of a bin (Upper and First share 1, Cassette and
// Last share 14).
int BinCode(TVxBin bin);
// The first bin whose code is code, if any.
std::optional<TVxBin> BinOfCode(int code);

} // namespace zelmio
