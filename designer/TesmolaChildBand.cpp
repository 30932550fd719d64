#include "designer/TesmolaChildBand.h"

namespace zelmio {

TTesmolaChildBand::TTesmolaChildBand(TComponent *owner)
    : TVxEChildBand(owner)
    , m_design(this)
{
    // The before-print hook is TVxEChildBand's; only the after-print step
    // goes through the design settings.
    SetAfterPrint([this](TVxCustomBand *sender, bool bandPrinted) { m_design.AfterPrint()(sender, bandPrinted); });
}

} // namespace zelmio
