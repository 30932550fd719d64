#pragma once
// A binary operator; its two operands follow it in the queue. Both are always
// evaluated (no short-circuit), then their kinds are aligned: integer with
// float becomes float, any other mixed pair becomes text on both sides.

#include "expr/VxEvElement.h"
#include "expr/VxEvOperator.h"

namespace zelmio {

class TVxEvElementOperator : public TVxEvElement {
public:
    explicit TVxEvElementOperator(TVxEvOperator opCode) : FOpCode(opCode) {}
    TVxEvResult Value(TVxFiFo &fifo) override;

    TVxEvOperator OpCode() const { return FOpCode; }

    // Applies the operator to two evaluated operands.
    static TVxEvResult Apply(TVxEvOperator opCode, TVxEvResult left, TVxEvResult right);
    // "<", "<=", ..., "OR", "AND": the operator as error texts name it.
    static QString Symbol(TVxEvOperator opCode);

private:
    TVxEvOperator FOpCode;
};

} // namespace zelmio
