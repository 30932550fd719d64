#include "designer/TesmolaSysdata.h"

namespace zelmio {

TTesmolaSysdata::TTesmolaSysdata(TComponent *owner)
    : TVxSysData(owner)
{
}

} // namespace zelmio
