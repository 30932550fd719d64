#include "designer/TesmolaDBImage.h"

namespace zelmio {

TTesmolaDBImage::TTesmolaDBImage(TComponent *owner)
    : TVxDBImage(owner)
{
}

} // namespace zelmio
