// Generation speed: the price-list workload (A4, a page header with the date
// and page number, a column header, a group header and footer with a sum (a
// group is a delivery note of about 200 rows), a
// six-field detail band, a summary; about 50 rows a page) rendered into the
// page store for 10,000 and 100,000 rows (or the counts given).
//   bench_generate [ROWS...]
#include "common/PriceListWorkload.h"
#include "engine/VxReportJobs.h"
#include "model/VxUnits.h"
#include "output/VxPrinter.h"
#include "platform/FormatSettings.h"

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

using namespace zelmio;
using namespace zelmio::bench;

namespace {

void Run(int rows)
{
    TPriceListWorkload work(rows);
    const auto start = Clock::now();
    PrepareReport(*work.report);
    const double seconds = SecondsSince(start);
    const int pages = work.report->RunState().VXPrinter->PageCount();
    std::printf("%d rows: %d pages in %.2f s, %.0f pages/s, %.1f us a record; RSS after the run %.1f MB "
                "(%+.1f MB), peak RSS of the process %.1f MB\n",
                rows, pages, seconds, pages / seconds, seconds * 1e6 / rows, CurrentRssKb() / 1024.0,
                (CurrentRssKb() - work.loadedKb) / 1024.0, PeakRssKb() / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ScopedMeasurementSystem metric(false);
    ScopedFormatSettings locale(TFormatSettings::latvian());
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << std::atoi(argv[i]);
    if (counts.isEmpty())
        counts = {10000, 100000};
    for (int rows : counts)
        Run(rows);
    return 0;
}
