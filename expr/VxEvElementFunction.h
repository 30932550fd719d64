#pragma once
// Base of every function of the expression language. Its argument elements
// follow it in the queue up to an argument-end marker. Evaluation collects
// the argument values, lets an aggregate accumulate during an aggregation
// pass (Aggregate), then asks for the result (Calculate).
//
// A function reads its evaluated arguments through ArgCount / Arg /
// Argument; they are valid only during Aggregate and Calculate.

#include "expr/VxEvElement.h"

#include <vector>

namespace zelmio {

class TVxEvElementFunction : public TVxEvElement {
public:
    TVxEvResult Value(TVxFiFo &fifo) override;
    // Called after the arguments were evaluated, in an aggregation pass only.
    virtual void Aggregate();
    // The function's result; the base gives an error without text.
    virtual TVxEvResult Calculate();

    int ArgCount() const { return int(m_argList.size()); }
    const TVxEvResult &Arg(int index) const { return m_argList[size_t(index)]; }
    const std::vector<TVxEvResult> &ArgList() const { return m_argList; }
    // Copies argument index into dest; past the end dest stays unchanged.
    void Argument(int index, TVxEvResult &dest) const;

protected:
    // Evaluates the argument elements up to the end marker into ArgList.
    void CollectArguments(TVxFiFo &fifo);
    void ClearArguments() { m_argList.clear(); }

private:
    // Kept between evaluations so that its storage is reused.
    std::vector<TVxEvResult> m_argList;
};

} // namespace zelmio
