#include "designer/TesmolaStringsband.h"

namespace zelmio {

TTesmolaStringsband::TTesmolaStringsband(TComponent *owner)
    : TVxStringsBand(owner)
    , m_design(this)
{
    BindDesignBandHooks(this, m_design);
}

} // namespace zelmio
