// Spreadsheet export speed: the price-list workload of bench_generate (A4,
// page header, column header, groups of about 200 rows with a sum, a
// six-field detail band, a summary) exported through the .XLS, .XLSX and
// .CSV filters, 100,000 rows (or the row counts given). A streaming filter
// gets the report as one endless page, so "pages" counts the report's pages
// as printed (about 50 rows each) for comparison with bench_pdf_export.
// Prints time, pages and rows per second, file size and memory. Each
// format runs in a process of its own, so that the peak memory is its own;
// the .XLS sheet holds 65,536 rows, so it also runs 60,000 rows.
//   bench_spreadsheet_export [ROWS [xls|xlsx|csv]]
#include "common/PriceListWorkload.h"
#include "engine/VxReportJobs.h"
#include "export/spreadsheet/VxCSVFilter.h"
#include "export/spreadsheet/VxXLSFilter.h"
#include "export/spreadsheet/VxXLSXFilter.h"
#include "model/VxFont.h"
#include "model/VxUnits.h"
#include "platform/FormatSettings.h"
#include "platform/VxError.h"

#include <QFileInfo>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace zelmio;
using namespace zelmio::bench;

namespace {

void Run(int rows, const char *extension)
{
    TPriceListWorkload work(rows);
    const QString file = work.dir.filePath(QStringLiteral("bench.") + QLatin1String(extension));
    std::unique_ptr<TVxSpreadsheetFilter> filter;
    const QString ext = QString::fromLatin1(extension);
    if (ext == QLatin1String("xls"))
        filter = std::make_unique<TVxXLSFilter>(file);
    else if (ext == QLatin1String("xlsx"))
        filter = std::make_unique<TVxXLSXFilter>(file);
    else
        filter = std::make_unique<TVxCSVFilter>(file);
    const auto start = Clock::now();
    QString error;
    try {
        ExportReportToFilter(*work.report, *filter);
    } catch (const EVxError &e) {
        error = e.message();
    }
    const double seconds = SecondsSince(start);
    const double pages = rows / 50.0;
    const qint64 bytes = QFileInfo(file).size();
    if (!error.isEmpty()) {
        std::printf("%-4s %d rows: failed after %.2f s: %s\n", extension, rows, seconds, error.toUtf8().constData());
        return;
    }
    std::printf("%-4s %d rows: %.2f s, %.0f rows/s, %.0f pages/s (at 50 rows a page), %.1f MB; RSS after the "
                "export %.1f MB (%+.1f MB over the loaded packet), peak RSS of the process %.1f MB\n",
                extension, rows, seconds, rows / seconds, pages / seconds, bytes / 1048576.0,
                CurrentRssKb() / 1024.0, (CurrentRssKb() - work.loadedKb) / 1024.0, PeakRssKb() / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;
    if (argc > 2) {
        ScopedMeasurementSystem metric(false);
        ScopedFormatSettings locale(TFormatSettings::latvian());
        Run(rows, argv[2]);
        return 0;
    }
    QList<QPair<int, QString>> runs{{60000, QStringLiteral("xls")},
                                    {rows, QStringLiteral("xls")},
                                    {rows, QStringLiteral("xlsx")},
                                    {rows, QStringLiteral("csv")}};
    for (const auto &[count, extension] : runs) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::number(count), extension});
        child.waitForFinished(-1);
    }
    return 0;
}
