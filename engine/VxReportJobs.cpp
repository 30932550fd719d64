#include "engine/VxReportJobs.h"
#include "platform/StageClock.h"

#include "output/VxPaperCodes.h"
#include "output/VxPrintDialog.h"

#include "engine/VxReportGenerator.h"
#include "export/VxExportFilter.h"
#include "model/CustomVexa.h"
#include "model/VxPage.h"
#include "model/VxPrinterSettings.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrinter.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <memory>

namespace zelmio {

namespace {

// A printer for the report with its notices routed to the report's hooks.
std::unique_ptr<TVxPrinter> NewPrinter(TCustomVexa &report, const TVxPrinter *previous)
{
    auto printer = std::make_unique<TVxPrinter>(&report);
    if (previous)
        printer->SetClient(previous->Client());
    TCustomVexa *target = &report;
    printer->SetAfterPrint([target](QObject *) { target->AfterPrint()(target); });
    printer->SetAfterPreview([target](QObject *) { target->AfterPreview()(target); });
    return printer;
}

// The report's printer for output that stays with it (page store, preview).
void MakeReportPrinter(TCustomVexa &report, TVxPrinter &printer)
{
    printer.SetMaster(&report);
    printer.SetTitle(report.ReportTitle());
    // Only a report hook replaces the standard preview window.
    if (report.OnPreview()) {
        TCustomVexa *target = &report;
        printer.SetOnPreview([target](QObject *) { target->OnPreview()(target); });
    }
}

// Installs a printer for the length of one run and puts the previous one
// back afterwards.
class TRunPrinter {
public:
    TRunPrinter(TCustomVexa &report, std::unique_ptr<TVxPrinter> printer)
        : m_report(report)
        , m_printer(std::move(printer))
        , m_previous(report.RunState().VXPrinter)
    {
        report.RunState().VXPrinter = m_printer.get();
    }
    ~TRunPrinter()
    {
        m_report.RunState().VXPrinter = m_previous;
        m_report.RunState().PageCanvas = m_previous;
    }
    TVxPrinter &Printer() { return *m_printer; }

private:
    TCustomVexa &m_report;
    std::unique_ptr<TVxPrinter> m_printer;
    TVxPrinter *m_previous;
};

// A label-capable report sets its sheet up for the job and undoes it after.
class TReportPrintPreparation {
public:
    explicit TReportPrintPreparation(TCustomVexa &report)
        : m_report(report)
    {
        report.PrepareReportPrint();
    }
    ~TReportPrintPreparation() { m_report.DoneReportPrint(); }

private:
    TCustomVexa &m_report;
};

// The progress window of a job that prints or exports, when the report
// asks for one and the windows library installed a factory; the printer
// reports to it for the length of the job.
class TProgressWindow {
public:
    TProgressWindow(TCustomVexa &report, TVxPrinter &printer, const QString &caption)
        : m_printer(printer)
        , m_client(printer.Client())
    {
        if (report.ShowProgress() && GlobalProgressForm()) {
            m_window = GlobalProgressForm()(&printer, caption);
            if (m_window)
                printer.SetClient(m_window.get());
        }
    }
    ~TProgressWindow()
    {
        if (m_window)
            m_printer.SetClient(m_client);
    }

private:
    TVxPrinter &m_printer;
    QObject *m_client;
    std::unique_ptr<QObject> m_window;
};

} // namespace

int CountReportPages(TCustomVexa &report)
{
    if (!report.RunState().Available)
        return 0;
    TRunPrinter run(report, NewPrinter(report, report.RunState().VXPrinter));
    run.Printer().SetDestination(TVxPrinterDestination::vxdMetafile);
    TVxReportGenerator generator(report, run.Printer());
    generator.CreateReport();
    return run.Printer().PageCount();
}

TVxPrinter *PrepareVXPrinter(TCustomVexa &report)
{
    TVxReportRunState &state = report.RunState();
    if (!state.Available)
        return nullptr;
    TVxPrinter *previous = state.VXPrinter;
    std::unique_ptr<TVxPrinter> printer = NewPrinter(report, previous);
    printer->setParent(&report);
    state.VXPrinter = printer.get();
    state.PageCanvas = printer.get();
    delete previous;
    return printer.release();
}

bool PrepareReport(TCustomVexa &report)
{
    TVxPrinter *printer = PrepareVXPrinter(report);
    if (!printer)
        return false;
    MakeReportPrinter(report, *printer);
    printer->SetDestination(TVxPrinterDestination::vxdMetafile);
    TReportPrintPreparation preparation(report);
    TVxReportGenerator generator(report, *printer);
    generator.CreateReport();
    printer->SetReportLoaded(true);
    return true;
}

bool PrintReport(TCustomVexa &report)
{
    if (!report.RunState().Available)
        return false;
    struct ResetRange {
        TCustomVexa &report;
        ~ResetRange()
        {
            if (report.PrinterSettings()) {
                report.PrinterSettings()->SetFirstPage(0);
                report.PrinterSettings()->SetLastPage(0);
            }
        }
    } resetRange{report};
    TRunPrinter run(report, NewPrinter(report, report.RunState().VXPrinter));
    if (!run.Printer().PrinterOK())
        return false;
    run.Printer().SetDestination(TVxPrinterDestination::vxdPrinter);
    TReportPrintPreparation preparation(report);
    TProgressWindow progress(report, run.Printer(), QStringLiteral("Printing progress"));
    TVxReportGenerator generator(report, run.Printer());
    generator.CreateReport();
    return true;
}

bool ExportReportToFilter(TCustomVexa &report, TVxExportFilter &filter)
{
    const TStageTimer generating(TStage::Generate);
    if (!report.RunState().Available)
        return false;
    report.SetZoom(100);
    bool handled = false;
    report.OnExport()(&report, handled);
    if (handled)
        return true;
    filter.SetOwner(&report);
    filter.SetOriginalVXPrinter(report.RunState().VXPrinter);
    TReportPrintPreparation preparation(report);
    TRunPrinter run(report, NewPrinter(report, report.RunState().VXPrinter));
    TProgressWindow progress(report, run.Printer(), QStringLiteral("Export Progress"));
    TVxReportGenerator generator(report, run.Printer(), &filter);
    generator.CreateReport();
    return true;
}

TVxCreateReportThread::TVxCreateReportThread(TCustomVexa &report, TVxPrinter &printer)
    : m_report(report)
    , m_printer(printer)
{
    // A child of the report, which waits for it when it is freed first.
    setParent(&report);
    connect(this, &QThread::finished, this, &QObject::deleteLater);
}

void TVxCreateReportThread::run()
{
    TReportPrintPreparation preparation(m_report);
    try {
        TVxReportGenerator generator(m_report, m_printer);
        generator.CreateReport();
    } catch (const std::exception &e) {
        m_lastError = QString::fromUtf8(e.what());
        m_printer.Cancel();
    }
}

namespace {

TVxCreateReportThread *StartThread(TCustomVexa &report, TVxPrinter &printer)
{
    auto *thread = new TVxCreateReportThread(report, printer);
    thread->start();
    return thread;
}

// A modeless preview keeps the window thread handling its messages until
// the window is closed (it clears the printer's ShowingPreview), or the
// printer or the application goes away. Without a window nothing waits.
void WaitWhilePreviewShows(TVxPrinter *shown)
{
    QPointer<TVxPrinter> printer = shown;
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread())
        return;
    while (printer && printer->ShowingPreview() && !QCoreApplication::closingDown())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
}

} // namespace

TVxCreateReportThread *ReportThread(const TCustomVexa &report)
{
    for (TVxCreateReportThread *thread :
         report.findChildren<TVxCreateReportThread *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!thread->isFinished())
            return thread;
    }
    return nullptr;
}

bool PrintReportInBackground(TCustomVexa &report)
{
    TVxPrinter *printer = PrepareVXPrinter(report);
    if (!printer || !printer->PrinterOK())
        return false;
    printer->SetDestination(TVxPrinterDestination::vxdPrinter);
    StartThread(report, *printer);
    return true;
}

bool PreviewReport(TCustomVexa &report)
{
    if (report.RunState().VXPrinter && report.RunState().VXPrinter->ShowingPreview())
        return false;
    QCoreApplication::processEvents();
    TVxPrinter *printer = PrepareVXPrinter(report);
    if (!printer || printer->ShowingPreview())
        return false;
    MakeReportPrinter(report, *printer);
    printer->SetDestination(TVxPrinterDestination::vxdMetafile);
    printer->CopySettingsFromReport(report);
    printer->Preview();
    if (report.CreateInBGThread()) {
        const bool windowShown = printer->ShowingPreview();
        QPointer<TVxCreateReportThread> thread = StartThread(report, *printer);
        if (windowShown) {
            WaitWhilePreviewShows(printer);
            // Closing the window cancelled a run still going: let it end.
            if (thread)
                thread->wait();
        }
        return true;
    }
    TReportPrintPreparation preparation(report);
    try {
        TVxReportGenerator generator(report, *printer);
        generator.CreateReport();
    } catch (const std::exception &) {
        // The preview shows what the run produced no further: it closes.
        printer->ClosePreview(nullptr);
        if (report.RunState().VXPrinter == printer)
            ReleaseReportPrinter(report);
        else
            delete printer;
        return false;
    }
    printer->SetReportLoaded(true);
    report.OnPreviewShowing()(&report);
    WaitWhilePreviewShows(printer);
    return true;
}

bool PreviewReportModal(TCustomVexa &report)
{
    if (!PrepareReport(report))
        return false;
    report.RunState().VXPrinter->PreviewModal();
    return true;
}

void ReleaseReportPrinter(TCustomVexa &report)
{
    TVxPrinter *printer = report.RunState().VXPrinter;
    report.RunState().VXPrinter = nullptr;
    report.RunState().PageCanvas = nullptr;
    delete printer;
}

bool ReportPrinterSetup(TCustomVexa &report)
{
    TVexaPrinterSettings *settings = report.PrinterSettings();
    TVxPrintDialogRequest request;
    request.printerIndex = settings->PrinterIndex();
    request.orientation = report.Page()->Orientation();
    request.copies = settings->Copies();
    request.paperSource = BinCode(settings->OutputBin());
    request.duplexCode = settings->Duplex() ? 3 : 1;
    if (const TVxPrinter *printer = report.RunState().VXPrinter;
        printer && printer->Status() == TVxPrinterStatus::mpFinished && printer->PageCount() > 0) {
        request.minPage = 1;
        request.maxPage = printer->PageCount();
        request.fromPage = 1;
        request.toPage = printer->PageCount();
    }
    TVxPrintDialogChoice choice;
    const TVxPrintDialogClass &dialog = GlobalPrintDialog();
    if (!dialog || !dialog(request, choice)) {
        report.SetTag(1);
        return false;
    }
    settings->SetCopies(choice.copies);
    settings->SetPrinterIndex(choice.printerIndex);
    report.Page()->SetOrientation(choice.orientation);
    TVexaPrinterSettings *user = report.UserPrinterSettings();
    user->SetCustomBinCode(choice.paperSource);
    user->SetExtendedDuplex(choice.duplexCode);
    user->SetPrintQuality(choice.printQuality);
    user->SetCollate(choice.collate);
    user->SetColorOption(choice.colorOption);
    user->SetCopies(choice.copies);
    user->SetOrientation(choice.orientation);
    user->SetFirstPage(choice.fromPage);
    user->SetLastPage(choice.toPage);
    const int binCode = choice.paperSource > 255 ? choice.paperSource - 256 : choice.paperSource;
    user->SetOutputBin(BinOfCode(binCode).value_or(settings->OutputBin()));
    user->SetCustomPaperCode(choice.paperCode);
    user->SetPrinterIndex(choice.printerIndex);
    user->SetDuplex(choice.duplexCode != 1);
    if (choice.range == TVxPrintDialogChoice::TRange::Pages) {
        settings->SetFirstPage(choice.fromPage);
        settings->SetLastPage(choice.toPage);
    } else {
        settings->SetFirstPage(0);
        settings->SetLastPage(0);
    }
    report.SetTag(0);
    return true;
}

} // namespace zelmio
