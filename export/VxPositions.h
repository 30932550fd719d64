#pragma once
// Ranking of text positions on a page: texts whose positions lie close
// together share a rank, and ranks are numbered from the smallest position.
// Filters that rebuild rows and columns number their columns and lines so.

#include <QStringList>
#include <memory>
#include <vector>

namespace zelmio {

class TVxPositionEntry {
public:
    long double ExactPosition = 0;
    int NewPosition = 0; // the assigned rank, 0 until assigned
    int Clients = 0;     // texts that share the position
    bool Stored = false; // rank assigned
};

class TVxPositions {
public:
    std::vector<std::unique_ptr<TVxPositionEntry>> List;
    bool Updating = false;
    bool IgnoreClientCount = false;
    long double FPositionLatitude = 4.0L; // 0.4 mm

    void BeginUpdate() { Updating = true; }
    // Ignored unless updating. Positions that round to the same integer share
    // an entry.
    void Add(long double position);
    // Ranks the entries from the smallest position up; entries at 0 or below
    // (and at 9999999 or above) keep rank 0.
    void EndUpdate();
    // The rank of the first entry within FPositionLatitude of position, 0
    // when none is that close.
    int NewPosition(long double position) const;
};

// A row of cells (for the spreadsheet filter).
class TlineObj {
public:
    QStringList Entries;
    long double YPos = 0;
};

} // namespace zelmio
