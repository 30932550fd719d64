#pragma once
// Ranking of text positions on a page: texts whose positions lie close
// together share a rank, and ranks are numbered from the smallest position.
// Filters that rebuild rows and columns number their columns and lines so.

#include <QStringList>
#include <memory>
#include <unordered_map>
#include <utility>
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
    // Ranks the entries from the smallest position up. Entries left of the
    // paper (below 0) keep rank 0; the paper's edge (0) and positions far
    // down one endless page are ranked, so that their texts are not lost.
    void EndUpdate();
    // The rank of the first entry within FPositionLatitude of position, 0
    // when none is that close.
    int NewPosition(long double position) const;

private:
    // Indexes that keep a page of many texts from costing the square of
    // their number: List's entries by rounded position (for Add) and by
    // exact position with their place in List (for NewPosition, built by
    // EndUpdate). Rebuilt when List was changed from outside.
    std::unordered_map<long double, size_t> m_byRounded;
    std::vector<std::pair<long double, size_t>> m_sorted;
    size_t m_sortedFor = size_t(-1); // List's size when m_sorted was built
};

// A row of cells (for the spreadsheet filter).
class TlineObj {
public:
    QStringList Entries;
    long double YPos = 0;
};

} // namespace zelmio
