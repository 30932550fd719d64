#include "export/VxPositions.h"

#include <algorithm>
#include <cmath>

namespace zelmio {

namespace {
// Rounding half to even, as the ranking has always rounded.
long double RoundPosition(long double value)
{
    return std::nearbyint(value);
}
} // namespace

void TVxPositions::Add(long double position)
{
    if (!Updating)
        return;
    if (m_byRounded.size() != List.size()) {
        m_byRounded.clear();
        for (size_t i = 0; i < List.size(); ++i)
            m_byRounded.emplace(RoundPosition(List[i]->ExactPosition), i);
    }
    const long double rounded = RoundPosition(position);
    // NaN never equals itself, so it gets an entry of its own each time.
    if (!std::isnan(rounded)) {
        const auto found = m_byRounded.find(rounded);
        if (found != m_byRounded.end()) {
            ++List[found->second]->Clients;
            return;
        }
    }
    auto entry = std::make_unique<TVxPositionEntry>();
    entry->ExactPosition = position;
    entry->Clients = 1;
    List.push_back(std::move(entry));
    if (std::isnan(rounded))
        m_byRounded.clear(); // out of step with List: rebuilt on the next Add
    else
        m_byRounded.emplace(rounded, List.size() - 1);
}

void TVxPositions::EndUpdate()
{
    Updating = false;
    // Ranks from the smallest position up; distinct entries never share a
    // position (they would round alike), so the order is that of List's
    // earlier one-by-one selection of the smallest.
    std::vector<TVxPositionEntry *> ranked;
    for (const auto &entry : List)
        if (!entry->Stored && entry->ExactPosition >= 0 && std::isfinite(entry->ExactPosition))
            ranked.push_back(entry.get());
    std::stable_sort(ranked.begin(), ranked.end(), [](const TVxPositionEntry *a, const TVxPositionEntry *b) {
        return a->ExactPosition < b->ExactPosition;
    });
    int rank = 0;
    for (TVxPositionEntry *entry : ranked) {
        entry->NewPosition = ++rank;
        entry->Stored = true;
    }

    m_sorted.clear();
    m_sorted.reserve(List.size());
    for (size_t i = 0; i < List.size(); ++i)
        if (!std::isnan(List[i]->ExactPosition))
            m_sorted.emplace_back(List[i]->ExactPosition, i);
    std::sort(m_sorted.begin(), m_sorted.end());
    m_sortedFor = List.size();
}

int TVxPositions::NewPosition(long double position) const
{
    auto close = [&](const TVxPositionEntry &entry) {
        return std::fabs(entry.ExactPosition - position) <= FPositionLatitude;
    };
    if (m_sortedFor != List.size() || std::isnan(position) || std::isinf(position)) {
        for (const auto &entry : List)
            if (close(*entry))
                return entry->NewPosition;
        return 0;
    }
    // Of the entries that close, the first in List; the window is widened
    // by one so that rounding at its edges cannot leave one out.
    const long double reach = FPositionLatitude + 1;
    auto it = std::lower_bound(m_sorted.begin(), m_sorted.end(), position - reach,
                               [](const std::pair<long double, size_t> &e, long double v) { return e.first < v; });
    size_t best = List.size();
    for (; it != m_sorted.end() && it->first <= position + reach; ++it)
        if (it->second < best && it->second < List.size() && close(*List[it->second]))
            best = it->second;
    return best < List.size() ? List[best]->NewPosition : 0;
}

} // namespace zelmio
