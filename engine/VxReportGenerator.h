#pragma once
// One generation run of a report: the page cycle (pages, columns, headers,
// footers, backgrounds, page and column numbers), the printing of single
// bands (hooks, breaks, stretching, child and linked bands) and the run
// itself, which lets the report's controller walk the data. The pages go to
// the report printer given; with an export filter in the report's run state
// everything is also described to the filter.
//
// Positions are tenths of a millimetre from the paper's top-left corner.

#include "model/VxRunEngine.h"

#include <QElapsedTimer>
#include <atomic>
#include <vector>

namespace zelmio {

class TCustomVexa;
class TVxCustomBand;
class TVxExportFilter;
class TVxPrintable;
class TVxPrinter;

class TVxReportGenerator : public TVxRunEngine {
public:
    // With a filter the run is an export: nothing is drawn on the pages and
    // everything is described to the filter.
    TVxReportGenerator(TCustomVexa &report, TVxPrinter &printer, TVxExportFilter *filter = nullptr);
    ~TVxReportGenerator() override;
    TVxReportGenerator(const TVxReportGenerator &) = delete;
    TVxReportGenerator &operator=(const TVxReportGenerator &) = delete;

    // The run (nothing when another run of the report is going on). Errors
    // propagate after the printer job was ended or aborted.
    void CreateReport();

    // --- The engine as the model calls it --------------------------------
    void PrintBand(TVxCustomBand *band) override;
    void NewPage(bool printHeaders) override;
    void NewColumn() override;
    void EndPage() override;
    bool Cancelled() const override;
    void Cancel() override;
    void ProcessMessages() override;
    void SetProgress(int percent) override;
    int PrinterPageNumber() const override;
    void SetRecordNumber(int number) override { m_recordNumber = number; }

    int RecordNumber() const { return m_recordNumber; }

private:
    void Generate();
    void PrepareRun();
    void UnprepareRun();
    void PrintPageBackground();
    void PrintColumnHeaderList();
    bool InColumnHeaderList(const TVxCustomBand *band) const;

    // Printing one band.
    void PrintBandNow(TVxCustomBand *band);
    // False when the band must not print here (the run was cancelled, or
    // the band already printed as a repeated header).
    bool MakeSpace(TVxCustomBand *band);
    void PrintElements(TVxCustomBand *band, long double height);
    void PaintBandFrame(TVxCustomBand *band, long double expanded);
    void PrintChild(TVxCustomBand *band, bool before);
    long double StretchHeight(const TVxCustomBand *band, bool includeNext) const;
    long double ExpandedHeight(const TVxCustomBand *band) const;
    long double ColumnWidth() const;
    int PrintedRecords() const;

    TCustomVexa &m_report;
    TVxPrinter &m_printer;
    TVxExportFilter *m_filter;
    std::vector<TVxPrintable *> m_elements;
    std::atomic<bool> m_cancelled{false};
    int m_recordNumber = 0;
    int m_bandDepth = 0;
    QElapsedTimer m_sinceMessages;
};

} // namespace zelmio
