#pragma once
// Logical negation of the operand that follows in the queue.

#include "expr/VxEvElement.h"

namespace zelmio {

class TVxEvElementNot : public TVxEvElement {
public:
    TVxEvResult Value(TVxFiFo &fifo) override;
};

} // namespace zelmio
