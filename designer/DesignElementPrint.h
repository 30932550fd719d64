#pragma once
// The print rule every design element adds to its engine printing: anchored
// to the band's bottom (FixBottomPosition) it moves down by what the band
// grew in this print, stretched with the band (StretchHeightWithBand) it
// grows by as much. Its size comes back afterwards, on every path.

#include "model/VxCustomBand.h"
#include "model/VxPrintable.h"
#include "model/VxPrintableSize.h"

#include <cmath>

namespace zelmio {

template <class Element, class Print>
void PrintWithBandGrowth(Element &element, long double ofsX, long double ofsY, Print print)
{
    TVxPrintableSize *size = element.Size();
    const long double height = size->InternalValue(TVxPrintableSize::HeightIndex);
    const int pixelHeight = element.Height();
    if (const TVxCustomBand *band = element.ParentBand()) {
        if (element.FixBottomPosition())
            ofsY += std::lround(band->Expanded());
        if (element.StretchHeightWithBand())
            size->SetInternalValue(TVxPrintableSize::HeightIndex, height + band->Expanded());
    }
    const auto restore = [&] {
        size->SetInternalValue(TVxPrintableSize::HeightIndex, height);
        if (element.Height() != pixelHeight)
            element.SetHeight(pixelHeight);
    };
    try {
        print(ofsX, ofsY);
    } catch (...) {
        restore();
        throw;
    }
    restore();
}

} // namespace zelmio
