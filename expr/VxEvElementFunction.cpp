#include "expr/VxEvElementFunction.h"

#include "expr/VxFiFo.h"

namespace zelmio {

void TVxEvElementFunction::CollectArguments(TVxFiFo &fifo)
{
    // A failure (integer overflow) in an earlier evaluation may have left
    // values behind.
    m_argList.clear();
    while (TVxEvElement *element = fifo.Get()) {
        if (element->IsArgumentEnd())
            break;
        m_argList.push_back(element->Value(fifo));
    }
}

TVxEvResult TVxEvElementFunction::Value(TVxFiFo &fifo)
{
    CollectArguments(fifo);
    if (fifo.Aggreg())
        Aggregate();
    TVxEvResult result = Calculate();
    m_argList.clear();
    return result;
}

void TVxEvElementFunction::Aggregate()
{
}

TVxEvResult TVxEvElementFunction::Calculate()
{
    return TVxEvResult::Error();
}

void TVxEvElementFunction::Argument(int index, TVxEvResult &dest) const
{
    if (index >= 0 && size_t(index) < m_argList.size())
        dest = m_argList[size_t(index)];
}

} // namespace zelmio
