#pragma once
// Size record of a band: Length (the band's Height) and Width, stored in
// that order; Width is horizontal. Initial values Length 20, Width 40.

#include "model/VxUnitBase.h"

namespace zelmio {

class TVxBandSize : public TVxUnitBase {
    Q_OBJECT
    Q_PROPERTY(long double Height READ Height WRITE SetHeight STORED false)
    Q_PROPERTY(long double Width READ Width WRITE SetWidth STORED false)
public:
    enum Index { LengthIndex = 0, WidthIndex = 1 };

    explicit TVxBandSize(TVxControl *band = nullptr);

    long double Height() const { return GetValue(LengthIndex); }
    void SetHeight(long double value) { SetValue(LengthIndex, value); }
    long double Length() const { return Height(); }
    void SetLength(long double value) { SetHeight(value); }
    long double Width() const { return GetValue(WidthIndex); }
    void SetWidth(long double value) { SetValue(WidthIndex, value); }

    bool IsHorizontal(int index) const override { return index == WidthIndex; }
    void SetParentSizes() override;
};

} // namespace zelmio
