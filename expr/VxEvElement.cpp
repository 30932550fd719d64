#include "expr/VxEvElement.h"
#include "expr/VxFiFo.h"

namespace zelmio {

TVxEvElement::~TVxEvElement() = default;

TVxEvResult TVxEvElement::Value(TVxFiFo &)
{
    return TVxEvResult();
}

void TVxEvElement::Reset()
{
}

std::unique_ptr<TVxEvElement> TVxFiFo::GetAndFree()
{
    if (m_items.empty())
        return nullptr;
    std::unique_ptr<TVxEvElement> first = std::move(m_items.front());
    m_items.erase(m_items.begin());
    if (m_next > 0)
        --m_next;
    return first;
}

} // namespace zelmio
