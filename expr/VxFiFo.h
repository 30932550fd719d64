#pragma once
// The compiled form of an expression: its elements in prefix order, owned,
// with a read cursor that evaluation advances.

#include "expr/VxEvElement.h"

#include <memory>
#include <vector>

namespace zelmio {

class TVxFiFo {
public:
    TVxFiFo() = default;
    TVxFiFo(const TVxFiFo &) = delete;
    TVxFiFo &operator=(const TVxFiFo &) = delete;

    void Put(std::unique_ptr<TVxEvElement> element) { m_items.push_back(std::move(element)); }
    void Start() { m_next = 0; }
    // The element at the cursor, advancing it; nullptr at the end.
    TVxEvElement *Get()
    {
        return m_next < m_items.size() ? m_items[m_next++].get() : nullptr;
    }
    // Removes and returns the first element (nullptr when empty).
    std::unique_ptr<TVxEvElement> GetAndFree();

    // Takes the next element and evaluates it; an error value without text
    // when the queue has run out.
    TVxEvResult EvaluateNext()
    {
        TVxEvElement *element = Get();
        return element ? element->Value(*this) : TVxEvResult::Error();
    }

    // Set during an aggregation pass.
    bool Aggreg() const { return m_aggreg; }
    void SetAggreg(bool aggreg) { m_aggreg = aggreg; }

    int Count() const { return int(m_items.size()); }
    TVxEvElement *Item(int index) const { return m_items[size_t(index)].get(); }

private:
    std::vector<std::unique_ptr<TVxEvElement>> m_items;
    size_t m_next = 0;
    bool m_aggreg = false;
};

} // namespace zelmio
