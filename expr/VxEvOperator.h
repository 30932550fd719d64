#pragma once

namespace zelmio {

// Binary operators; the order is the stored numeric value.
enum class TVxEvOperator {
    opLess, opLessOrEqual, opGreater, opGreaterOrEqual, opEqual, opUnequal,
    opPlus, opMinus, opOr, opMul, opDiv, opAnd
};

} // namespace zelmio
