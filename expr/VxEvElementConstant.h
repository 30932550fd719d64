#pragma once
// A numeric literal. An environment "constant" is changed by overwriting the
// value held here.

#include "expr/VxEvElement.h"

namespace zelmio {

class TVxEvElementConstant : public TVxEvElement {
public:
    explicit TVxEvElementConstant(const TVxEvResult &value) : FValue(value) {}
    TVxEvResult Value(TVxFiFo &) override { return FValue; }

    const TVxEvResult &Constant() const { return FValue; }
    void SetConstant(const TVxEvResult &value) { FValue = value; }

private:
    TVxEvResult FValue;
};

} // namespace zelmio
