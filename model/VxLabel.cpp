#include "model/VxLabel.h"

namespace zelmio {

TVxLabel::TVxLabel(TComponent *owner)
    : TVxCustomLabel(owner)
{
}

} // namespace zelmio
