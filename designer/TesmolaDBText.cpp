#include "designer/TesmolaDBText.h"

namespace zelmio {

TTesmolaDBText::TTesmolaDBText(TComponent *owner)
    : TVxDBText(owner)
{
}

} // namespace zelmio
