#include "designer/TesmolaGroup.h"

namespace zelmio {

TTesmolaGroup::TTesmolaGroup(TComponent *owner)
    : TVxGroup(owner)
    , m_design(this)
{
    BindDesignBandHooks(this, m_design);
}

} // namespace zelmio
