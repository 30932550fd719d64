#include "designer/TesmolaDBRichtext.h"

namespace zelmio {

TTesmolaDBRichtext::TTesmolaDBRichtext(TComponent *owner)
    : TVxDBRichText(owner)
{
}

} // namespace zelmio
