#include "designer/TesmolaSysdata.h"

#include "designer/DesignElementPrint.h"

namespace zelmio {

TTesmolaSysdata::TTesmolaSysdata(TComponent *owner)
    : TVxSysData(owner)
{
}

void TTesmolaSysdata::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxSysData::Print(x, y); });
}

} // namespace zelmio
