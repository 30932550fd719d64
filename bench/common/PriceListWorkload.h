// The price-list workload the generation and export benchmarks share, and
// their clock and memory readings.
#pragma once

#include "model/Vexa.h"
#include "platform/ClientDataSet.h"

#include <QTemporaryDir>
#include <chrono>

namespace zelmio::bench {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start);
long CurrentRssKb();  // resident memory now, from /proc
long PeakRssKb();

// A4, a page header with the date and page number, a column header, a group
// (a delivery note of about 200 rows) with a header and a footer sum, a
// six-field detail band and a summary; about 50 rows a page. The packet is
// written into a temporary folder, which also takes the benchmark's output.
struct TPriceListWorkload {
    explicit TPriceListWorkload(int rows);
    QTemporaryDir dir;
    TComponent form;
    TClientDataSet *data = nullptr;
    TVexa *report = nullptr;
    long loadedKb = 0;  // resident memory once the packet is loaded
};

} // namespace zelmio::bench
