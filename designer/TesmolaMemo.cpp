#include "designer/TesmolaMemo.h"

#include "designer/DesignElementPrint.h"
#include "designer/DesignExpressions.h"

namespace zelmio {

TTesmolaMemo::TTesmolaMemo(TComponent *owner)
    : TVxMemo(owner)
{
}

void TTesmolaMemo::Print(long double ofsX, long double ofsY)
{
    const QStringList lines = Lines();
    SetLines(EvaluateStringList(ParentReport(), lines));
    try {
        PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxMemo::Print(x, y); });
    } catch (...) {
        SetLines(lines);
        throw;
    }
    SetLines(lines);
}

} // namespace zelmio
