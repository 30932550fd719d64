#include "designer/TesmolaDBRichtext.h"

#include "designer/DesignElementPrint.h"

namespace zelmio {

TTesmolaDBRichtext::TTesmolaDBRichtext(TComponent *owner)
    : TVxDBRichText(owner)
{
}

void TTesmolaDBRichtext::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxDBRichText::Print(x, y); });
}

} // namespace zelmio
