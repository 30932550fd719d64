#include "expr/VxEvElementNot.h"

#include "expr/VxFiFo.h"

namespace zelmio {

TVxEvResult TVxEvElementNot::Value(TVxFiFo &fifo)
{
    const TVxEvResult operand = fifo.EvaluateNext();
    if (operand.Kind == TVxEvResultType::resBool)
        return TVxEvResult::Bool(!operand.booResult);
    return TVxEvResult::Error(QStringLiteral("Invalid use of NOT"));
}

} // namespace zelmio
