#include "designer/TesmolaMemo.h"

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
        TVxMemo::Print(ofsX, ofsY);
    } catch (...) {
        SetLines(lines);
        throw;
    }
    SetLines(lines);
}

} // namespace zelmio
