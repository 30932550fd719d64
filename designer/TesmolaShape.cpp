#include "designer/TesmolaShape.h"

namespace zelmio {

TTesmolaShape::TTesmolaShape(TComponent *owner)
    : TVxShape(owner)
{
}

} // namespace zelmio
