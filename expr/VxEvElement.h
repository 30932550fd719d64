#pragma once
// An element of a compiled expression. The compiler writes elements into a
// queue in prefix order; evaluating an element pulls the elements of its own
// operands from the queue after it.

#include "expr/VxEvResult.h"

namespace zelmio {

class TVxFiFo;

class TVxEvElement {
public:
    TVxEvElement() = default;
    virtual ~TVxEvElement();
    TVxEvElement(const TVxEvElement &) = delete;
    TVxEvElement &operator=(const TVxEvElement &) = delete;

    virtual TVxEvResult Value(TVxFiFo &fifo);
    // Restarts accumulated state (aggregates, counters).
    virtual void Reset();
    // Marks the end of a function's argument elements.
    virtual bool IsArgumentEnd() const { return false; }

    // The element keeps state across evaluations (an aggregate).
    bool IsAggreg() const { return FIsAggreg; }

protected:
    bool FIsAggreg = false;
};

} // namespace zelmio
