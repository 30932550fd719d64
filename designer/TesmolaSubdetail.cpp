#include "designer/TesmolaSubdetail.h"

namespace zelmio {

TTesmolaSubdetail::TTesmolaSubdetail(TComponent *owner)
    : TVxSubDetail(owner)
    , m_design(this)
{
    BindDesignBandHooks(this, m_design);
}

} // namespace zelmio
