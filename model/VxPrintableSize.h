#pragma once
// Size record of a printable element: Height, Left, Top, Width in that
// stored order; Left and Width are horizontal. All initially 20.

#include "model/VxUnitBase.h"

namespace zelmio {

class TVxPrintableSize : public TVxUnitBase {
    Q_OBJECT
    Q_PROPERTY(long double Height READ Height WRITE SetHeight STORED false)
    Q_PROPERTY(long double Left READ Left WRITE SetLeft STORED false)
    Q_PROPERTY(long double Top READ Top WRITE SetTop STORED false)
    Q_PROPERTY(long double Width READ Width WRITE SetWidth STORED false)
public:
    enum Index { HeightIndex = 0, LeftIndex = 1, TopIndex = 2, WidthIndex = 3 };

    explicit TVxPrintableSize(TVxControl *element = nullptr);

    long double Height() const { return GetValue(HeightIndex); }
    void SetHeight(long double value) { SetValue(HeightIndex, value); }
    long double Left() const { return GetValue(LeftIndex); }
    void SetLeft(long double value) { SetValue(LeftIndex, value); }
    long double Top() const { return GetValue(TopIndex); }
    void SetTop(long double value) { SetValue(TopIndex, value); }
    long double Width() const { return GetValue(WidthIndex); }
    void SetWidth(long double value) { SetValue(WidthIndex, value); }

    bool IsHorizontal(int index) const override { return index == LeftIndex || index == WidthIndex; }
    void SetParentSizes() override;
};

} // namespace zelmio
