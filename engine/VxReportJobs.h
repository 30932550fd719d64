#pragma once
// The output jobs of a report: where the generated pages go. Each job runs
// the report once (TVxReportGenerator) on a fresh report printer.
//
// Prepare and Preview leave their printer with the report (owned by it, as
// RunState().VXPrinter) with the finished pages in its page store; Print and
// ExportToFilter use a printer of their own for the run and give the report
// back its previous printer afterwards. A job asked for while a run of the
// same report is going on does nothing (and reports false).

#include <QPointer>
#include <QString>
#include <QThread>

namespace zelmio {

class TCustomVexa;
class TVxExportFilter;
class TVxPrinter;

// Generates into the report printer's page store and leaves the pages
// there; the printer is marked as holding a loaded report. Errors of the
// run propagate.
bool PrepareReport(TCustomVexa &report);
// Generates straight to the platform printer (EVxError when the printer
// cannot print); PrinterSettings.FirstPage and LastPage are reset to 0
// afterwards.
bool PrintReport(TCustomVexa &report);
// Generates once more with the filter receiving all output; the report's
// OnExport hook may take the export over. Errors propagate.
bool ExportReportToFilter(TCustomVexa &report, TVxExportFilter &filter);
// The preview: generates into the page store while the printer's preview
// window (if the windows library installed one) shows the pages; an error of
// the run closes the preview and frees the printer instead of propagating.
// With the report's CreateInBGThread the run goes on a worker thread. When
// a preview window opened, this returns once it has been closed (handling
// the window messages meanwhile); without one it returns after the run
// (at once with CreateInBGThread).
bool PreviewReport(TCustomVexa &report);
// Generates first, then shows the preview modally.
bool PreviewReportModal(TCustomVexa &report);

// Generates straight to the platform printer on a worker thread; returns at
// once (false when the printer cannot print or a run goes on).
bool PrintReportInBackground(TCustomVexa &report);

// Generates once on a scratch printer and returns the page count, leaving
// the report's printer and its label sheet as they are (the counting pass of
// label-capable reports).
int CountReportPages(TCustomVexa &report);

// Frees the report printer that Prepare or Preview left with the report,
// and the report forgets it (its page store goes with it).
void ReleaseReportPrinter(TCustomVexa &report);

// The printer setup of the report: the print dialog (GlobalPrintDialog)
// starts on the report's printer settings; confirmed choices go to its
// PrinterSettings, UserPrinterSettings and page orientation, and the
// report's Tag becomes 0; a cancel (or no dialog to show) sets Tag 1 and
// changes nothing else. True when confirmed.
bool ReportPrinterSetup(TCustomVexa &report);

// A run of the report on a worker thread into the report's printer, as
// started by a background preview or print. It starts at once and frees
// itself when it has finished; meanwhile the window thread may read the
// pages already stored. A run that fails or is cancelled leaves its message
// (LastError) and makes the printer's pages what was stored until then.
class TVxCreateReportThread : public QThread {
    Q_OBJECT
public:
    TVxCreateReportThread(TCustomVexa &report, TVxPrinter &printer);
    QString LastError() const { return m_lastError; }

protected:
    void run() override;

private:
    TCustomVexa &m_report;
    TVxPrinter &m_printer;
    QString m_lastError;
};

// The thread of the report's background run, while one goes on.
TVxCreateReportThread *ReportThread(const TCustomVexa &report);

// A fresh report printer for the report, owned by it, replacing its previous
// one (whose client window it keeps) and routing its after-print and
// after-preview notices to the report's hooks; none while a run goes on.
TVxPrinter *PrepareVXPrinter(TCustomVexa &report);

} // namespace zelmio
