#include "model/VxMemo.h"

namespace zelmio {

TVxMemo::TVxMemo(TComponent *owner)
    : TVxCustomLabel(owner)
{
    SetCaptionBased(false);
}

void TVxMemo::Print(long double ofsX, long double ofsY)
{
    // An empty caption, so that the lines are printed.
    SetCaption(QString());
    TVxCustomLabel::Print(ofsX, ofsY);
    SetCaption(Name());
}

} // namespace zelmio
