#include "designer/TesmolaBarcode.h"

#include "designer/DesignElementPrint.h"

namespace zelmio {

TTesmolaBarcode::TTesmolaBarcode(TComponent *owner)
    : TVxBarcode(owner)
{
}

void TTesmolaBarcode::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxBarcode::Print(x, y); });
}

TTesmolaDBBarcode::TTesmolaDBBarcode(TComponent *owner)
    : TVxDBBarcode(owner)
{
}

void TTesmolaDBBarcode::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxDBBarcode::Print(x, y); });
}

} // namespace zelmio
