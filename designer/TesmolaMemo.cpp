#include "designer/TesmolaMemo.h"

namespace zelmio {

TTesmolaMemo::TTesmolaMemo(TComponent *owner)
    : TVxMemo(owner)
{
}

} // namespace zelmio
