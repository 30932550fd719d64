#include "designer/VxEChildBand.h"

namespace zelmio {

TVxEChildBand::TVxEChildBand(TComponent *owner)
    : TVxChildBand(owner)
{
    SetBeforePrint([this](TVxCustomBand *sender, bool &printBand) { BandBeforePrint(sender, printBand); });
}

void TVxEChildBand::BandBeforePrint(TVxCustomBand *sender, bool &printBand)
{
    m_ownBeforePrint(sender, printBand);
}

} // namespace zelmio
