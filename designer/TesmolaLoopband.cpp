#include "designer/TesmolaLoopband.h"

namespace zelmio {

TTesmolaLoopband::TTesmolaLoopband(TComponent *owner)
    : TVxLoopBand(owner)
    , m_design(this)
{
    BindDesignBandHooks(this, m_design);
}

} // namespace zelmio
