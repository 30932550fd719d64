#include "model/VxBand.h"

namespace zelmio {

TVxBand::TVxBand(TComponent *owner)
    : TVxCustomBand(owner)
{
}

} // namespace zelmio
