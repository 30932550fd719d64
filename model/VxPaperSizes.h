#pragma once
// Dimensions of the standard paper sizes, portrait, in millimetres.

#include "model/VxTypes.h"

namespace zelmio {

struct TVxPaperDimensions {
    long double widthMM = 0;
    long double lengthMM = 0;
};

// False for Default and Custom, which have no fixed size.
bool PaperDimensions(TVxPaperSize paperSize, TVxPaperDimensions &dimensions);

} // namespace zelmio
