#include "export/VxPositions.h"

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
    const long double rounded = RoundPosition(position);
    for (const auto &entry : List) {
        if (RoundPosition(entry->ExactPosition) == rounded) {
            ++entry->Clients;
            return;
        }
    }
    auto entry = std::make_unique<TVxPositionEntry>();
    entry->ExactPosition = position;
    entry->Clients = 1;
    List.push_back(std::move(entry));
}

void TVxPositions::EndUpdate()
{
    Updating = false;
    int rank = 0;
    for (size_t pass = 0; pass < List.size(); ++pass) {
        TVxPositionEntry *smallest = nullptr;
        for (const auto &entry : List) {
            if (entry->Stored || !(entry->ExactPosition > 0) || !(entry->ExactPosition < 9999999))
                continue;
            if (!smallest || entry->ExactPosition < smallest->ExactPosition)
                smallest = entry.get();
        }
        if (!smallest)
            break;
        smallest->NewPosition = ++rank;
        smallest->Stored = true;
    }
}

int TVxPositions::NewPosition(long double position) const
{
    for (const auto &entry : List)
        if (std::fabs(entry->ExactPosition - position) <= FPositionLatitude)
            return entry->NewPosition;
    return 0;
}

} // namespace zelmio
