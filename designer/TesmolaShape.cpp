#include "designer/TesmolaShape.h"

#include "designer/DesignElementPrint.h"

namespace zelmio {

TTesmolaShape::TTesmolaShape(TComponent *owner)
    : TVxShape(owner)
{
}

void TTesmolaShape::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxShape::Print(x, y); });
}

} // namespace zelmio
