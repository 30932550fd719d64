#pragma once
// Ends the argument elements of a function call in the queue.

#include "expr/VxEvElement.h"

namespace zelmio {

class TVxEvElementArgumentEnd : public TVxEvElement {
public:
    bool IsArgumentEnd() const override { return true; }
};

} // namespace zelmio
