// PDF export speed: the price-list workload of bench_generate (A4, page
// header, column header, a group of about 200 rows with a sum, a six-field
// detail band, a summary; about 50 rows a page) exported through the PDF
// document filter into a file, for about 500 and 2,000 pages (or the page
// counts given), with described fonts and with embedded font subsets.
// Prints pages per second, bytes per page and memory.
//   bench_pdf_export [PAGES...]
#include "common/PriceListWorkload.h"
#include "engine/VxReportJobs.h"
#include "model/VxUnits.h"
#include "export/pdf/VxPDFFilter.h"
#include "model/VxFont.h"
#include "platform/FormatSettings.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

using namespace zelmio;
using namespace zelmio::bench;

namespace {

void Run(int pages, bool embed)
{
    TPriceListWorkload work(pages * 50);
    work.report->Font()->SetName(QStringLiteral("Arial"));
    work.report->Font()->SetCharset(TFontCharset::BALTIC_CHARSET);

    const QString file = work.dir.filePath(QStringLiteral("bench.pdf"));
    TVxPDFDocumentFilter pdf(file);
    pdf.AddFontMap(QStringLiteral("Arial:Times New Roman"));
    if (embed)
        pdf.SetFontHandling(TFontHandling::fhAutoEmbed);
    const auto start = Clock::now();
    ExportReportToFilter(*work.report, pdf);
    const double seconds = SecondsSince(start);
    const int written = pdf.PageCount();
    const qint64 bytes = QFileInfo(file).size();
    std::printf("%s: %d pages in %.2f s, %.0f pages/s, %.0f bytes a page (%.1f MB); RSS after the export "
                "%.1f MB (%+.1f MB over the loaded packet), peak RSS of the process %.1f MB\n",
                embed ? "embedded fonts" : "described fonts", written, seconds, written / seconds,
                written ? double(bytes) / written : 0.0, bytes / 1048576.0, CurrentRssKb() / 1024.0,
                (CurrentRssKb() - work.loadedKb) / 1024.0, PeakRssKb() / 1024.0);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ScopedMeasurementSystem metric(false);
    ScopedFormatSettings locale(TFormatSettings::latvian());
    PDFSettings().Codepage = QStringLiteral("1257");
    QList<int> counts;
    for (int i = 1; i < argc; ++i)
        counts << std::atoi(argv[i]);
    if (counts.isEmpty())
        counts = {500, 2000};
    for (int pages : counts) {
        Run(pages, false);
        Run(pages, true);
    }
    return 0;
}
