#pragma once
// The page output of one report run. The engine opens a document, asks for a
// fresh page canvas at every page break and draws on it in device pixels,
// converting report units (tenths of a millimetre from the paper's top-left
// corner) with XPos, YPos, XSize, YSize. Depending on the destination the
// printer either records every finished page (a display list in recording
// pixels, 96 per inch, see PageRecorder.h) into its page store, or draws straight onto the platform
// printer. Afterwards it serves the stored pages to the preview, prints them,
// saves them as a prepared report (".VXP") and loads one back.
//
// Watching windows (Client, Master) hear from the printer only through posted
// TVxPrinterMessage events, so a run on a worker thread never touches them.

#include "model/VxPageCanvas.h"
#include "model/Hook.h"
#include "model/VxPrinterSettings.h"
#include "model/VxTypes.h"
#include "output/PrinterSettings.h"
#include "output/VxPageList.h"

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QStringList>
#include <atomic>
#include <memory>

class QIODevice;
class QPainter;

namespace zelmio {

class TCustomVexa;
class TPrinterDevice;
class TVxExportFilter;
class TVxPage;
class TVxPageRecorder;
class TVxRecordedPage;
class TVxStream;

enum class TVxPrinterDestination { vxdMetafile, vxdPrinter };
enum class TVxPrinterStatus { mpReady, mpBusy, mpFinished };

using TVxPrinterNotifyEvent = THook<void(QObject *sender)>;
using TVxPrintSetupEvent = THook<void()>;
using TVxExportToFilterEvent = THook<void(TVxExportFilter *filter)>;

class TVxPrinter : public QObject, public TVxPrinterSettingsTarget, public TVxPageCanvas {
    Q_OBJECT
public:
    // Pixels per tenth of a millimetre at 96 per inch; the factors' initial
    // value and their fallback.
    static constexpr long double DefaultFactor = 0.37795L;

    // parentReport: the report (TCustomVexa) that runs, or none. Its printer
    // settings give UseStandardPrinter and the page store's memory limit.
    explicit TVxPrinter(QObject *parentReport = nullptr);
    ~TVxPrinter() override;

    // --- One run -------------------------------------------------------------
    // Raises EVxError "VXPrinter not ready" unless the status is mpReady.
    void BeginDoc();
    // Ends the open page and opens the next. Raises EVxError "Illegal call to
    // NewPage" unless a document is open.
    void NewPage();
    // Ends the run. Raises EVxError when the printer could not finish a job
    // (the run is ended all the same).
    void EndDoc();
    void AbortDoc();
    // Sets Cancelled; the engine and the print loop poll it.
    void Cancel();
    // Drops the pages and returns to mpReady; cancels a run in progress.
    void Cleanup();

    // The canvas of the open page (none before the first page).
    QPainter *Canvas() const override { return FCanvas; }
    int XPos(long double value) const override;
    int YPos(long double value) const override;
    int XSize(long double value) const override;
    int YSize(long double value) const override;
    long double XFactor() const override { return FXFactor; }
    long double YFactor() const override { return FYFactor; }
    // Whether the page being drawn lies in the page range.
    bool CurrentPageOK() const;

    // --- Paper ---------------------------------------------------------------
    TVxPaperSize PaperSize() const;
    void SetPaperSize(TVxPaperSize value) override;
    // Unoriented paper in tenths of a millimetre: the table's size, or the
    // stored one for Default and Custom.
    int PaperWidth() const;
    void SetPaperWidth(int value);
    int PaperLength() const;
    void SetPaperLength(int value);
    // The paper as oriented (swapped in landscape).
    int PaperWidthValue() const override;
    int PaperLengthValue() const override;
    TPrinterOrientation Orientation() const;
    void SetOrientation(TPrinterOrientation value) override;

    // --- Printer settings ----------------------------------------------------
    int Copies() const;
    void SetCopies(int value) override;
    bool Duplex() const;
    void SetDuplex(bool value) override;
    TVxBin OutputBin() const;
    void SetOutputBin(TVxBin value) override;
    int PrinterIndex() const override;
    // Selects an installed printer and reads its settings.
    void SetPrinterIndex(int value) override;
    QStringList Printers() const;
    bool PrintMetafile() const;
    void SetPrintMetafile(bool value);
    bool UseStandardPrinter() const;
    void SetUseStandardPrinter(bool value);
    bool UseExtendedDuplex() const;
    void SetUseExtendedDuplex(bool value);
    int ExtendedDuplex() const;
    void SetExtendedDuplex(int value);
    bool UseCustomBinCode() const;
    void SetUseCustomBinCode(bool value);
    int CustomBinCode() const;
    void SetCustomBinCode(int value);
    bool UseCustomPaperCode() const;
    void SetUseCustomPaperCode(bool value);
    int CustomPaperCode() const;
    void SetCustomPaperCode(int value);
    int PrintQuality() const;
    void SetPrintQuality(int value);
    int Collate() const;
    void SetCollate(int value);
    int ColorOption() const;
    void SetColorOption(int value);
    const TVxPrinterSettingsEvent &OnGetPrinterSettings() const;
    void SetOnGetPrinterSettings(const TVxPrinterSettingsEvent &hook);
    const TVxPrinterSettingsEvent &OnApplyPrinterSettings() const;
    void SetOnApplyPrinterSettings(const TVxPrinterSettingsEvent &hook);
    // The platform printer in use.
    TPrinterDevice *PrinterHandle() const { return aPrinter; }
    bool Compression() const;
    void SetCompression(bool value);
    // Physical printer margins in tenths of a millimetre (0 unless printing
    // directly).
    int LeftWaste() const { return FLeftWaste; }
    int TopWaste() const { return FTopWaste; }
    // The screen's logical pixels per inch (the preview scales by it).
    int CurrentScreenDPI() const;

    // Copies the report's page and printer settings in, in this order:
    // printer index, paper size, orientation; for Custom paper the page's
    // width and length (as a portrait pair); copies, output bin, page range,
    // duplex, standard printer, print-as-recorded, custom bin and paper codes,
    // quality, collate, colour, extended duplex and the two settings hooks.
    void CopySettingsFromReport(const TCustomVexa &report);
    // Copies the printer's current choices into a printer-settings record
    // (after the user changed them in a print dialog).
    void CopySettingsToReport(TVxPrinterSettings &settings) const;

    // --- Pages ---------------------------------------------------------------
    // A completed page, read and checked (the caller owns it), or none outside
    // 1..PageCount, while mpReady, or before the page is stored.
    std::unique_ptr<TVxRecordedPage> GetPage(int pageNumber);
    int PageCount() const { return FPageCount; }
    int PageNumber() const { return FPageNumber; }
    int AvailablePages() const { return FAvailablePages; }
    // Posts CM_VXPAGEAVAILABLE to the client.
    void SetAvailablePages(int value);
    int Progress() const { return FProgress; }
    // Posts CM_VXPROGRESSUPDATE to the client.
    void SetProgress(int value);

    // --- Actions -------------------------------------------------------------
    void Preview();
    void PreviewModal();
    // ShowingPreview := false, then tells the master (CM_VXPREVIEWCLOSE).
    // The master may free the printer while handling it.
    void ClosePreview(QObject *control);
    // Prints the stored pages. Raises EVxError when no printer is installed
    // or the print job cannot be opened or finished.
    void Print();
    void PrintSetup();
    void ExportToFilter(TVxExportFilter *filter);
    // Writes the finished pages as a prepared report. Raises EVxError when
    // there are none yet or the file cannot be written.
    void Save(const QString &fileName);
    // Replace the pages by a prepared report's. Raise EVxError naming the
    // file for a missing, truncated or damaged file.
    void Load(const QString &fileName);
    void LoadFromStream(QIODevice &stream);
    // Outlines and hyperlinks are not recorded.
    void AddOutline(int level, const QString &caption, const QString &target);
    void AddHyperlink(const QRect &area, const QString &link);
    void FreeHyperlinks();

    // --- State ---------------------------------------------------------------
    TVxPrinterStatus Status() const { return FStatus; }
    TVxPrinterDestination Destination() const { return FDestination; }
    void SetDestination(TVxPrinterDestination value) { FDestination = value; }
    int FirstPage() const { return FFirstPage; }
    void SetFirstPage(int value) { FFirstPage = value; }
    int LastPage() const { return FLastpage; }
    void SetLastPage(int value) { FLastpage = value; }
    QString Title() const { return FTitle; }
    void SetTitle(const QString &value) override { FTitle = value; }
    QObject *Client() const { return FClient; }
    void SetClient(QObject *window) { FClient = window; }
    QObject *Master() const { return FMaster; }
    void SetMaster(QObject *window) { FMaster = window; }
    bool ShowingPreview() const { return FShowingPreview; }
    // Going from true to false cancels a run in progress and fires AfterPreview.
    void SetShowingPreview(bool value);
    bool ReportLoaded() const { return FReportLoaded; }
    void SetReportLoaded(bool value) { FReportLoaded = value; }
    bool PrinterOK() const { return FPrinterOK; }
    bool Cancelled() const { return FCancelled; }
    // Whether the platform printer has an open job (printing directly).
    bool IsPrinting() const { return FIsPrinting; }
    // Why the last print job could not be opened, when it could not.
    QString LastPrinterError() const { return FLastPrinterError; }
    QObject *ParentReport() const { return FParentReport; }
    QObject *PreviewControl() const { return FPreviewControl; }
    TPrinterSettings &PrinterSettings() { return aPrinterSettings; }
    TVxPageList &PageList() { return FPageList; }
    TVxStream *Stream() const { return aStream; }

    // --- Hooks ---------------------------------------------------------------
    const TVxPrinterNotifyEvent &AfterPrint() const { return FAfterPrintEvent; }
    void SetAfterPrint(const TVxPrinterNotifyEvent &hook) { FAfterPrintEvent = hook; }
    const TVxPrinterNotifyEvent &AfterPreview() const { return FAfterPreviewEvent; }
    void SetAfterPreview(const TVxPrinterNotifyEvent &hook) { FAfterPreviewEvent = hook; }
    const TVxExportToFilterEvent &OnExportToFilter() const { return FOnExportToFilterEvent; }
    void SetOnExportToFilter(const TVxExportToFilterEvent &hook) { FOnExportToFilterEvent = hook; }
    // Replaces the standard preview window.
    const TVxPrinterNotifyEvent &OnPreview() const { return FOnPreviewEvent; }
    void SetOnPreview(const TVxPrinterNotifyEvent &hook) { FOnPreviewEvent = hook; }
    const TVxPrintSetupEvent &OnPrintSetup() const { return FOnPrintSetupEvent; }
    void SetOnPrintSetup(const TVxPrintSetupEvent &hook) { FOnPrintSetupEvent = hook; }

private:
    void CreateMetafileCanvas();
    void CreatePrinterCanvas();
    // Ends the open recording; returns it (none when no page is open).
    std::unique_ptr<TVxPageRecorder> CloseMetafile();
    void StorePage();
    void DiscardOpenPage();
    void SetFactors(long double x, long double y);
    int PrinterOffsetTenthsMM(bool horizontal) const;
    void RecognisePaper();
    void AfterLoad();
    void PrintPages();
    void DrawStoredPage(QPainter &canvas, const TVxRecordedPage &page);
    TCustomVexa *Report() const;
    TVxPrinterSettings *ReportPrinterSettings() const;
    TVxPage *ReportPage() const;

    TPrinterDevice *aPrinter = nullptr;
    std::unique_ptr<TPrinterDevice> FOwnPrinter;
    QPointer<QObject> FParentReport;
    TVxStream *aStream = nullptr; // owned by the page store
    TVxPrinterNotifyEvent FAfterPrintEvent;
    TVxPrinterNotifyEvent FAfterPreviewEvent;
    std::atomic<int> FAvailablePages{0};
    std::atomic<bool> FCancelled{false};
    QPainter *FCanvas = nullptr;
    TVxPrinterDestination FDestination = TVxPrinterDestination::vxdMetafile;
    int FFirstPage = 0;
    int FLastpage = 0;
    int FLeftWaste = 0;
    QPointer<QObject> FClient;
    QPointer<QObject> FMaster;
    std::unique_ptr<TVxPageRecorder> FMetafile;
    std::unique_ptr<QPainter> FMetafileCanvas;
    TVxExportToFilterEvent FOnExportToFilterEvent;
    TVxPrinterNotifyEvent FOnPreviewEvent;
    TVxPrintSetupEvent FOnPrintSetupEvent;
    std::atomic<int> FPageCount{0};
    std::atomic<int> FPageNumber{0};
    bool FPrinterOK = false;
    std::atomic<int> FProgress{0};
    QString FTitle;
    int FTopWaste = 0;
    std::atomic<bool> FShowingPreview{false};
    std::atomic<TVxPrinterStatus> FStatus{TVxPrinterStatus::mpReady};
    long double FXFactor = DefaultFactor;
    long double FYFactor = DefaultFactor;
    TVxPageList FPageList;
    QPointer<QObject> FPreviewControl;
    bool FReportLoaded = false;
    TPrinterSettings aPrinterSettings;
    bool FIsPrinting = false;
    QString FLastPrinterError;
};

// Process-wide: the preview prints the stored pages instead of running the
// report again. Set when a prepared report is loaded (or a report asks to
// print its recorded pages); cleared when a report is created.
bool PrintMetafileFromPreview();
void SetPrintMetafileFromPreview(bool value);

} // namespace zelmio
