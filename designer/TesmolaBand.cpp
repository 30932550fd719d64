#include "designer/TesmolaBand.h"

namespace zelmio {

TTesmolaBand::TTesmolaBand(TComponent *owner)
    : TVxBand(owner)
    , m_design(this)
{
    BindDesignBandHooks(this, m_design);
}

} // namespace zelmio
