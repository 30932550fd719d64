#include "output/VxPrinter.h"

#include "platform/VxError.h"
#include "model/CustomVexa.h"
#include "model/VxPage.h"
#include "model/VxPaperSizes.h"
#include "model/VxUnits.h"
#include "output/PageRecorder.h"
#include "output/PageReplay.h"
#include "output/VxPreviewInterface.h"
#include "output/VxPrinterMessage.h"
#include "output/VxStream.h"
#include "platform/PrinterDevice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QPainter>
#include <QPrinterInfo>
#include <QScreen>
#include <QThread>
#include <cmath>
#include <limits>

namespace zelmio {

static_assert(RecordingPixelsPerInch == kScreenPixelsPerInch,
              "pages are recorded at the model's screen resolution");

namespace {

std::atomic<bool> g_printMetafileFromPreview{false};

// Round to nearest, halves to even, into the 32-bit range.
int RoundToInt(long double value)
{
    if (std::isnan(value))
        return 0;
    constexpr long double lo = std::numeric_limits<int>::min();
    constexpr long double hi = std::numeric_limits<int>::max();
    return int(std::llrint(std::clamp(value, lo, hi)));
}

long double ScreenFactor()
{
    return static_cast<long double>(kScreenPixelsPerInch) / 254.0L;
}

// Pending window messages are processed on the thread that owns the windows;
// a worker thread leaves them alone.
void ProcessMessages()
{
    if (QCoreApplication::instance() && QThread::currentThread() == QCoreApplication::instance()->thread())
        QCoreApplication::processEvents();
}

} // namespace

bool PrintMetafileFromPreview()
{
    return g_printMetafileFromPreview;
}

void SetPrintMetafileFromPreview(bool value)
{
    g_printMetafileFromPreview = value;
}

TVxPrinter::TVxPrinter(QObject *parentReport)
    : FParentReport(parentReport)
{
    FPrinterOK = !QPrinterInfo::availablePrinterNames().isEmpty();
    bool useStandardPrinter = false;
    if (const TVxPrinterSettings *settings = ReportPrinterSettings()) {
        useStandardPrinter = settings->UseStandardprinter();
        aPrinterSettings.SetMemoryLimit(settings->MemoryLimit());
    }
    aPrinterSettings.SetUseStandardPrinter(useStandardPrinter);
    if (useStandardPrinter) {
        aPrinter = &TPrinterDevice::Application();
    } else {
        FOwnPrinter = std::make_unique<TPrinterDevice>();
        aPrinter = FOwnPrinter.get();
    }
    if (FPrinterOK)
        aPrinterSettings.SetPrinter(aPrinter, this);
    FTopWaste = aPrinterSettings.TopOffset();
    FLeftWaste = aPrinterSettings.LeftOffset();
}

TVxPrinter::~TVxPrinter()
{
    if (FStatus != TVxPrinterStatus::mpReady)
        Cleanup();
    DiscardOpenPage();
}

// --- Conversions -------------------------------------------------------------

int TVxPrinter::XPos(long double value) const
{
    return RoundToInt((value - FLeftWaste) * FXFactor);
}

int TVxPrinter::YPos(long double value) const
{
    return RoundToInt((value - FTopWaste) * FYFactor);
}

int TVxPrinter::XSize(long double value) const
{
    return RoundToInt(value * FXFactor);
}

int TVxPrinter::YSize(long double value) const
{
    return RoundToInt(value * FYFactor);
}

void TVxPrinter::SetFactors(long double x, long double y)
{
    FXFactor = std::isnan(x) || x < 0.1L ? DefaultFactor : x;
    FYFactor = std::isnan(y) || y < 0.1L ? DefaultFactor : y;
}

bool TVxPrinter::CurrentPageOK() const
{
    return (FFirstPage < 1 || FPageCount >= FFirstPage) && (FLastpage < 1 || FLastpage >= FPageCount);
}

int TVxPrinter::PrinterOffsetTenthsMM(bool horizontal) const
{
    const QPoint offset = aPrinter->PhysicalOffset();
    const int dpi = horizontal ? aPrinter->PixelsPerInchX() : aPrinter->PixelsPerInchY();
    if (dpi <= 0)
        return 0;
    return RoundToInt((horizontal ? offset.x() : offset.y()) * 254.0L / dpi);
}

// --- The run -----------------------------------------------------------------

void TVxPrinter::BeginDoc()
{
    if (FStatus != TVxPrinterStatus::mpReady)
        throw EVxError(QStringLiteral("VXPrinter not ready"));
    DiscardOpenPage();
    FAvailablePages = 0;
    FCancelled = false;
    FLastPrinterError.clear();
    const bool direct = FDestination == TVxPrinterDestination::vxdPrinter;
    if (direct)
        aPrinterSettings.ApplySettings();
    // The printable area moves with the paper just applied.
    FTopWaste = direct ? PrinterOffsetTenthsMM(false) : 0;
    FLeftWaste = direct ? PrinterOffsetTenthsMM(true) : 0;
    FPageNumber = 0;
    FPageCount = 0;
    FStatus = TVxPrinterStatus::mpBusy;
    if (direct) {
        SetFactors(aPrinter->PixelsPerInchX() / 254.0L, aPrinter->PixelsPerInchY() / 254.0L);
    } else {
        FPageList.SetStream(std::make_unique<TVxStream>(aPrinterSettings.MemoryLimit()));
        aStream = FPageList.Stream();
        SetFactors(ScreenFactor(), ScreenFactor());
    }
}

void TVxPrinter::NewPage()
{
    if (FStatus != TVxPrinterStatus::mpBusy)
        throw EVxError(QStringLiteral("Illegal call to NewPage"));
    const bool direct = FDestination == TVxPrinterDestination::vxdPrinter;
    if (FPageNumber > 0) {
        if (!direct) {
            StorePage();
        } else if (CurrentPageOK() && !FMetafile) {
            if (aPrinter->Printing() && FPageCount != FLastpage && !aPrinter->NewPage())
                throw EVxError(aPrinter->LastError());
        } else {
            DiscardOpenPage();
        }
        SetAvailablePages(FAvailablePages + 1);
    }
    ++FPageCount;
    ++FPageNumber;
    if (!direct || !CurrentPageOK())
        CreateMetafileCanvas();
    else
        CreatePrinterCanvas();
}

void TVxPrinter::CreateMetafileCanvas()
{
    DiscardOpenPage();
    SetFactors(ScreenFactor(), ScreenFactor());
    // Pages are recorded on a fixed reference resolution, so the screen's
    // logical and physical resolutions agree and no rescaling is needed.
    const int width = std::max(1, XSize(PaperWidthValue()));
    const int height = std::max(1, YSize(PaperLengthValue()));
    FMetafile = std::make_unique<TVxPageRecorder>(QSize(width, height));
    FMetafileCanvas = std::make_unique<QPainter>(FMetafile.get());
    FCanvas = FMetafileCanvas.get();
}

void TVxPrinter::CreatePrinterCanvas()
{
    DiscardOpenPage();
    if (!aPrinter->Printing()) {
        aPrinter->SetTitle(FTitle);
        if (!aPrinter->BeginDoc())
            FLastPrinterError = aPrinter->LastError();
    }
    FIsPrinting = aPrinter->Printing();
    if (!FIsPrinting) {
        // Nothing to draw on: the elements draw on a scratch page, and the
        // engine, seeing IsPrinting false, cancels the run.
        CreateMetafileCanvas();
        return;
    }
    QPainter *canvas = aPrinter->Canvas();
    // A new sheet starts with a fresh canvas state.
    canvas->resetTransform();
    canvas->setPen(QPen());
    canvas->setBrush(QBrush());
    canvas->setFont(QFont());
    canvas->setClipping(false);
    canvas->setOpacity(1.0);
    FCanvas = canvas;
    FXFactor = aPrinter->PixelsPerInchX() / 254.0L;
    FYFactor = aPrinter->PixelsPerInchY() / 254.0L;
    if (FXFactor < 0.1L)
        FXFactor = DefaultFactor;
    if (FYFactor < 0.1L)
        FYFactor = 1.0L;
}

std::unique_ptr<TVxPageRecorder> TVxPrinter::CloseMetafile()
{
    if (FMetafileCanvas) {
        if (FCanvas == FMetafileCanvas.get())
            FCanvas = nullptr;
        FMetafileCanvas->end();
        FMetafileCanvas.reset();
    }
    return std::move(FMetafile);
}

void TVxPrinter::StorePage()
{
    if (auto page = CloseMetafile())
        FPageList.AddPageBytes(page->Bytes());
}

void TVxPrinter::DiscardOpenPage()
{
    CloseMetafile();
    FCanvas = nullptr;
}

void TVxPrinter::EndDoc()
{
    if (FStatus != TVxPrinterStatus::mpBusy)
        return;
    QString failure;
    if (FDestination == TVxPrinterDestination::vxdPrinter) {
        DiscardOpenPage();
        if (aPrinter->Printing() && !aPrinter->EndDoc())
            failure = aPrinter->LastError();
        FIsPrinting = false;
    } else if (FPageCount > 0) {
        StorePage();
    }
    FCanvas = nullptr;
    FStatus = TVxPrinterStatus::mpFinished;
    SetAvailablePages(FAvailablePages + 1);
    ProcessMessages();
    if (FDestination == TVxPrinterDestination::vxdMetafile)
        FPageList.Finish();
    else
        FAfterPrintEvent(this);
    if (!failure.isEmpty())
        throw EVxError(failure);
}

void TVxPrinter::AbortDoc()
{
    if (FDestination == TVxPrinterDestination::vxdPrinter) {
        DiscardOpenPage();
        if (aPrinter->Printing())
            aPrinter->Abort();
        FIsPrinting = false;
    } else if (FMetafile) {
        if (Report() && Report()->RunState().Exporting)
            DiscardOpenPage();
        else
            StorePage();
    }
    FCanvas = nullptr;
    FStatus = TVxPrinterStatus::mpFinished;
}

void TVxPrinter::Cancel()
{
    FCancelled = true;
}

void TVxPrinter::Cleanup()
{
    if (FStatus == TVxPrinterStatus::mpBusy)
        Cancel();
    DiscardOpenPage();
    if (aPrinter && aPrinter->Printing() && FDestination == TVxPrinterDestination::vxdPrinter)
        aPrinter->Abort();
    FIsPrinting = false;
    FPageList.FreeStream();
    aStream = nullptr;
    FStatus = TVxPrinterStatus::mpReady;
}

// --- Paper -------------------------------------------------------------------

TVxPaperSize TVxPrinter::PaperSize() const
{
    return aPrinterSettings.PaperSize();
}

void TVxPrinter::SetPaperSize(TVxPaperSize value)
{
    aPrinterSettings.SetPaperSize(value);
}

int TVxPrinter::PaperWidth() const
{
    TVxPaperDimensions dimensions;
    if (PaperDimensions(PaperSize(), dimensions))
        return RoundToInt(dimensions.widthMM * 10);
    return aPrinterSettings.PaperWidth();
}

void TVxPrinter::SetPaperWidth(int value)
{
    aPrinterSettings.SetPaperWidth(value);
}

int TVxPrinter::PaperLength() const
{
    TVxPaperDimensions dimensions;
    if (PaperDimensions(PaperSize(), dimensions))
        return RoundToInt(dimensions.lengthMM * 10);
    return aPrinterSettings.PaperLength();
}

void TVxPrinter::SetPaperLength(int value)
{
    aPrinterSettings.SetPaperLength(value);
}

int TVxPrinter::PaperWidthValue() const
{
    return Orientation() == TPrinterOrientation::poLandscape ? PaperLength() : PaperWidth();
}

int TVxPrinter::PaperLengthValue() const
{
    return Orientation() == TPrinterOrientation::poLandscape ? PaperWidth() : PaperLength();
}

TPrinterOrientation TVxPrinter::Orientation() const
{
    return aPrinterSettings.Orientation();
}

void TVxPrinter::SetOrientation(TPrinterOrientation value)
{
    aPrinterSettings.SetOrientation(value);
}

// --- Printer settings --------------------------------------------------------

int TVxPrinter::Copies() const { return aPrinterSettings.Copies(); }
void TVxPrinter::SetCopies(int value) { aPrinterSettings.SetCopies(value); }
bool TVxPrinter::Duplex() const { return aPrinterSettings.Duplex(); }
void TVxPrinter::SetDuplex(bool value) { aPrinterSettings.SetDuplex(value); }
TVxBin TVxPrinter::OutputBin() const { return aPrinterSettings.OutputBin(); }
void TVxPrinter::SetOutputBin(TVxBin value) { aPrinterSettings.SetOutputBin(value); }
bool TVxPrinter::PrintMetafile() const { return aPrinterSettings.PrintMetafile(); }
void TVxPrinter::SetPrintMetafile(bool value) { aPrinterSettings.SetPrintMetafile(value); }
bool TVxPrinter::UseStandardPrinter() const { return aPrinterSettings.UseStandardPrinter(); }
void TVxPrinter::SetUseStandardPrinter(bool value) { aPrinterSettings.SetUseStandardPrinter(value); }
bool TVxPrinter::UseExtendedDuplex() const { return aPrinterSettings.UseExtendedDuplex(); }
void TVxPrinter::SetUseExtendedDuplex(bool value) { aPrinterSettings.SetUseExtendedDuplex(value); }
int TVxPrinter::ExtendedDuplex() const { return aPrinterSettings.ExtendedDuplex(); }
void TVxPrinter::SetExtendedDuplex(int value) { aPrinterSettings.SetExtendedDuplex(value); }
bool TVxPrinter::UseCustomBinCode() const { return aPrinterSettings.UseCustomBinCode(); }
void TVxPrinter::SetUseCustomBinCode(bool value) { aPrinterSettings.SetUseCustomBinCode(value); }
int TVxPrinter::CustomBinCode() const { return aPrinterSettings.CustomBinCode(); }
void TVxPrinter::SetCustomBinCode(int value) { aPrinterSettings.SetCustomBinCode(value); }
bool TVxPrinter::UseCustomPaperCode() const { return aPrinterSettings.UseCustomPaperCode(); }
void TVxPrinter::SetUseCustomPaperCode(bool value) { aPrinterSettings.SetUseCustomPaperCode(value); }
int TVxPrinter::CustomPaperCode() const { return aPrinterSettings.CustomPaperCode(); }
void TVxPrinter::SetCustomPaperCode(int value) { aPrinterSettings.SetCustomPaperCode(value); }
int TVxPrinter::PrintQuality() const { return aPrinterSettings.PrintQuality(); }
void TVxPrinter::SetPrintQuality(int value) { aPrinterSettings.SetPrintQuality(value); }
int TVxPrinter::Collate() const { return aPrinterSettings.Collate(); }
void TVxPrinter::SetCollate(int value) { aPrinterSettings.SetCollate(value); }
int TVxPrinter::ColorOption() const { return aPrinterSettings.ColorOption(); }
void TVxPrinter::SetColorOption(int value) { aPrinterSettings.SetColorOption(value); }

const TVxPrinterSettingsEvent &TVxPrinter::OnGetPrinterSettings() const
{
    return aPrinterSettings.OnGetPrinterSettings();
}

void TVxPrinter::SetOnGetPrinterSettings(const TVxPrinterSettingsEvent &hook)
{
    aPrinterSettings.SetOnGetPrinterSettings(hook);
}

const TVxPrinterSettingsEvent &TVxPrinter::OnApplyPrinterSettings() const
{
    return aPrinterSettings.OnApplyPrinterSettings();
}

void TVxPrinter::SetOnApplyPrinterSettings(const TVxPrinterSettingsEvent &hook)
{
    aPrinterSettings.SetOnApplyPrinterSettings(hook);
}

int TVxPrinter::PrinterIndex() const
{
    return aPrinter->PrinterIndex();
}

void TVxPrinter::SetPrinterIndex(int value)
{
    aPrinter->Refresh();
    FPrinterOK = aPrinter->HasPrinters();
    if (!FPrinterOK || UseStandardPrinter())
        return;
    aPrinter->SetPrinterIndex(value);
    if (aPrinterSettings.Printer())
        aPrinterSettings.GetPrinterSettings();
    else
        aPrinterSettings.SetPrinter(aPrinter, this);
}

QStringList TVxPrinter::Printers() const
{
    return aPrinter->Printers();
}

bool TVxPrinter::Compression() const
{
    return FPageList.Compression();
}

void TVxPrinter::SetCompression(bool value)
{
    FPageList.SetCompression(value);
}

int TVxPrinter::CurrentScreenDPI() const
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return int(std::lround(screen->logicalDotsPerInchX()));
    return kScreenPixelsPerInch;
}

void TVxPrinter::CopySettingsFromReport(const TCustomVexa &report)
{
    const TVxPrinterSettings *settings = report.PrinterSettings();
    const TVxPage *page = report.Page();
    if (!settings || !page)
        return;
    if (settings->PrinterIndex() != PrinterIndex())
        SetPrinterIndex(settings->PrinterIndex());
    SetPaperSize(page->PaperSize());
    SetOrientation(page->Orientation());
    if (PaperSize() == TVxPaperSize::Custom) {
        const int width = RoundToInt(page->InternalValue(TVxPage::WidthIndex));
        const int length = RoundToInt(page->InternalValue(TVxPage::LengthIndex));
        const bool landscape = page->Orientation() == TPrinterOrientation::poLandscape;
        SetPaperWidth(landscape ? length : width);
        SetPaperLength(landscape ? width : length);
    }
    SetCopies(settings->Copies());
    SetOutputBin(settings->OutputBin());
    SetFirstPage(settings->FirstPage());
    SetLastPage(settings->LastPage());
    SetDuplex(settings->Duplex());
    SetUseStandardPrinter(settings->UseStandardprinter());
    SetPrintMetafile(settings->PrintMetaFile());
    SetUseCustomBinCode(settings->UseCustomBinCode());
    SetCustomBinCode(settings->CustomBinCode());
    SetUseCustomPaperCode(settings->UseCustomPaperCode());
    SetCustomPaperCode(settings->CustomPaperCode());
    SetPrintQuality(settings->PrintQuality());
    SetCollate(settings->Collate());
    SetColorOption(settings->ColorOption());
    SetExtendedDuplex(settings->ExtendedDuplex());
    SetOnApplyPrinterSettings(report.OnApplyPrinterSettings());
    SetOnGetPrinterSettings(report.OnGetPrinterSettings());
}

void TVxPrinter::CopySettingsToReport(TVxPrinterSettings &settings) const
{
    settings.SetPrinterIndex(PrinterIndex());
    settings.SetPaperSize(PaperSize());
    settings.SetOrientation(Orientation());
    settings.SetCopies(Copies());
    settings.SetOutputBin(OutputBin());
    settings.SetDuplex(Duplex());
    settings.SetExtendedDuplex(ExtendedDuplex());
    settings.SetUseCustomBinCode(UseCustomBinCode());
    settings.SetCustomBinCode(CustomBinCode());
    settings.SetUseCustomPaperCode(UseCustomPaperCode());
    settings.SetCustomPaperCode(CustomPaperCode());
    settings.SetPrintQuality(PrintQuality());
    settings.SetCollate(Collate());
    settings.SetColorOption(ColorOption());
    settings.SetFirstPage(FFirstPage);
    settings.SetLastPage(FLastpage);
}

// --- Pages and notifications -------------------------------------------------

std::unique_ptr<TVxRecordedPage> TVxPrinter::GetPage(int pageNumber)
{
    if (FStatus == TVxPrinterStatus::mpReady || pageNumber < 1 || pageNumber > FPageCount)
        return nullptr;
    return FPageList.GetPage(pageNumber);
}

void TVxPrinter::SetAvailablePages(int value)
{
    FAvailablePages = value;
    PostPrinterMessage(FClient, CM_VXPAGEAVAILABLE, value, this);
}

void TVxPrinter::SetProgress(int value)
{
    FProgress = value;
    PostPrinterMessage(FClient, CM_VXPROGRESSUPDATE, value, this);
}

void TVxPrinter::SetShowingPreview(bool value)
{
    const bool was = FShowingPreview.exchange(value);
    if (was && !value) {
        if (FStatus == TVxPrinterStatus::mpBusy)
            Cancel();
        FAfterPreviewEvent(this);
    }
}

// --- Preview -----------------------------------------------------------------

void TVxPrinter::Preview()
{
    if (FOnPreviewEvent) {
        FOnPreviewEvent(this);
        return;
    }
    std::unique_ptr<TVxPreviewInterface> preview = GlobalPreviewInterface()();
    if (preview)
        FPreviewControl = preview->Show(this);
}

void TVxPrinter::PreviewModal()
{
    if (FOnPreviewEvent) {
        FOnPreviewEvent(this);
        return;
    }
    std::unique_ptr<TVxPreviewInterface> preview = GlobalPreviewInterface()();
    if (preview)
        preview->ShowModal(this);
}

void TVxPrinter::ClosePreview(QObject *)
{
    SetShowingPreview(false);
    QObject *master = FMaster;
    if (!master)
        return;
    // The master may free this printer while it handles the message: nothing
    // here touches the printer afterwards.
    if (master->thread() == QThread::currentThread()) {
        TVxPrinterMessage message(CM_VXPREVIEWCLOSE, 0, this);
        QCoreApplication::sendEvent(master, &message);
    } else {
        PostPrinterMessage(master, CM_VXPREVIEWCLOSE, 0, this);
    }
}

void TVxPrinter::PrintSetup()
{
    FOnPrintSetupEvent();
}

void TVxPrinter::ExportToFilter(TVxExportFilter *filter)
{
    FOnExportToFilterEvent(filter);
}

void TVxPrinter::AddOutline(int level, const QString &caption, const QString &target)
{
    if (FStatus == TVxPrinterStatus::mpBusy)
        FPageList.AddOutline(level, caption, FPageNumber, target);
}

void TVxPrinter::AddHyperlink(const QRect &, const QString &)
{
}

void TVxPrinter::FreeHyperlinks()
{
}

// --- Printing stored pages ---------------------------------------------------

void TVxPrinter::Print()
{
    if (FMaster && !FReportLoaded && !PrintMetafile() && FStatus == TVxPrinterStatus::mpFinished) {
        // The report prints by running again straight to the printer.
        PostPrinterMessage(FMaster, CM_VXPRINT, 0, this);
        return;
    }
    if (FStatus != TVxPrinterStatus::mpFinished)
        return;
    if (!FPrinterOK && aPrinter->OutputFileName().isEmpty())
        throw EVxError(QStringLiteral("Cannot print \"%1\": no printer is installed").arg(FTitle));
    PrintPages();
}

void TVxPrinter::PrintPages()
{
    int first = 1;
    int last = FPageCount;
    // The range chosen for this printer, then the report's, when given.
    if (FFirstPage > 0)
        first = FFirstPage;
    if (FLastpage > 0)
        last = FLastpage;
    TVxPrinterSettings *reportSettings = ReportPrinterSettings();
    if (reportSettings) {
        if (reportSettings->FirstPage() != 0)
            first = reportSettings->FirstPage();
        if (reportSettings->LastPage() != 0)
            last = reportSettings->LastPage();
    }
    first = std::max(first, 1);
    last = std::min<int>(last, FPageCount);
    if (first > last)
        throw EVxError(QStringLiteral("Cannot print \"%1\": there are no pages in the range to print").arg(FTitle));

    const bool showProgress = Report() && Report()->ShowProgress();
    aPrinter->SetTitle(FTitle);
    if (aPrinter->Printing())
        aPrinter->Abort();
    aPrinterSettings.ApplySettings();
    if (!aPrinter->BeginDoc())
        throw EVxError(QStringLiteral("Cannot print \"%1\": %2").arg(FTitle, aPrinter->LastError()));
    FIsPrinting = true;
    FCancelled = false;

    std::unique_ptr<QObject> progress;
    if (showProgress && GlobalProgressForm()) {
        progress = GlobalProgressForm()(this, QStringLiteral("Printing progress"));
        if (progress)
            FClient = progress.get();
    }

    QString failure;
    try {
        for (int i = first; i <= last; ++i) {
            ProcessMessages();
            if (progress)
                SetProgress(RoundToInt((long double)(i - first + 1) / (last - first + 1) * 100));
            FPageNumber = i;
            if (std::unique_ptr<TVxRecordedPage> page = GetPage(i))
                DrawStoredPage(*aPrinter->Canvas(), *page);
            if (i != last && !aPrinter->NewPage()) {
                failure = aPrinter->LastError();
                aPrinter->Abort();
                break;
            }
            if (FCancelled) {
                aPrinter->Abort();
                break;
            }
        }
    } catch (const EVxError &e) {
        failure = e.message();
        aPrinter->Abort();
    }

    FFirstPage = 0;
    FLastpage = 0;
    FAfterPrintEvent(this);
    if (reportSettings) {
        reportSettings->SetFirstPage(0);
        reportSettings->SetLastPage(0);
    }
    if (aPrinter->Printing() && !aPrinter->EndDoc() && failure.isEmpty())
        failure = aPrinter->LastError();
    FIsPrinting = false;
    if (progress && FClient == progress.get())
        FClient = nullptr;
    progress.reset();
    if (!failure.isEmpty())
        throw EVxError(QStringLiteral("Cannot print \"%1\": %2").arg(FTitle, failure));
}

void TVxPrinter::DrawStoredPage(QPainter &canvas, const TVxRecordedPage &page)
{
    // The recorded paper is laid onto the physical paper: the canvas starts
    // at the printable area's corner, so the page starts at minus the offsets.
    long double width = 0;
    long double length = 0;
    if (const TVxPage *reportPage = ReportPage()) {
        width = reportPage->InternalValue(TVxPage::WidthIndex);
        length = reportPage->InternalValue(TVxPage::LengthIndex);
    } else {
        // Without a report the page itself knows its size.
        const QSize size = page.Size();
        width = size.width() / ScreenFactor();
        length = size.height() / ScreenFactor();
    }
    const long double px = aPrinter->PixelsPerInchX() / 254.0L;
    const long double py = aPrinter->PixelsPerInchY() / 254.0L;
    const int leftOffset = PrinterOffsetTenthsMM(true);
    const int topOffset = PrinterOffsetTenthsMM(false);
    const QPoint topLeft(-RoundToInt(leftOffset * px), -RoundToInt(topOffset * py));
    const QPoint bottomRight(RoundToInt((width - leftOffset) * px), RoundToInt((length - topOffset) * py));
    ReplayPage(canvas, page, QRectF(topLeft, bottomRight));
}

// --- Prepared reports --------------------------------------------------------

void TVxPrinter::Save(const QString &fileName)
{
    if (FStatus != TVxPrinterStatus::mpFinished)
        throw EVxError(QStringLiteral("Cannot save \"%1\": the report has not finished").arg(fileName));
    if (!FPageList.Stream())
        throw EVxError(QStringLiteral("Cannot save \"%1\": the pages went straight to the printer and were not recorded")
                           .arg(fileName));
    FPageList.SaveToFile(fileName);
}

void TVxPrinter::Load(const QString &fileName)
{
    if (FStatus != TVxPrinterStatus::mpReady)
        Cleanup();
    FPageList.LoadFromFile(fileName);
    try {
        AfterLoad();
    } catch (const EVxError &e) {
        // The first page tells the paper; a report whose first page cannot
        // be read is refused whole.
        Cleanup();
        throw EVxError(QStringLiteral("The prepared report \"%1\" cannot be shown: %2")
                           .arg(QDir::toNativeSeparators(fileName), e.message()));
    }
}

void TVxPrinter::LoadFromStream(QIODevice &stream)
{
    if (FStatus != TVxPrinterStatus::mpReady)
        Cleanup();
    FPageList.LoadFromStream(stream);
    try {
        AfterLoad();
    } catch (const EVxError &) {
        Cleanup();
        throw;
    }
}

void TVxPrinter::AfterLoad()
{
    FPageCount = FPageList.PageCount();
    FPageNumber = 0;
    SetFactors(ScreenFactor(), ScreenFactor());
    FStatus = TVxPrinterStatus::mpFinished;
    if (FPageCount > 0)
        RecognisePaper();
    aStream = FPageList.Stream();
    FOnPrintSetupEvent.Clear();
    FOnExportToFilterEvent.Clear();
    FReportLoaded = true;
    SetPrintMetafileFromPreview(true);
}

void TVxPrinter::RecognisePaper()
{
    std::unique_ptr<TVxRecordedPage> first = FPageList.GetPage(1);
    const QSize pixels = first->Size();
    // The page size in millimetres divided by 4, truncated, compared with the
    // sizes Letter .. ESheet; later matches win.
    const long double w = std::trunc(pixels.width() / FXFactor / 40);
    const long double h = std::trunc(pixels.height() / FYFactor / 40);
    std::optional<std::pair<TVxPaperSize, TPrinterOrientation>> found;
    for (int n = int(TVxPaperSize::Letter); n <= int(TVxPaperSize::ESheet); ++n) {
        TVxPaperDimensions d;
        if (!PaperDimensions(TVxPaperSize(n), d))
            continue;
        const long double a = std::trunc(d.widthMM / 4);
        const long double b = std::trunc(d.lengthMM / 4);
        if (w == a && h == b)
            found = {TVxPaperSize(n), TPrinterOrientation::poPortrait};
        if (h == a && w == b)
            found = {TVxPaperSize(n), TPrinterOrientation::poLandscape};
    }
    if (found)
        aPrinterSettings.StorePaper(found->first, found->second);
    else
        aPrinterSettings.StorePaper(PaperSize(), h < w ? TPrinterOrientation::poLandscape
                                                       : TPrinterOrientation::poPortrait);
}

// --- What the printer reads of its report ------------------------------------

TCustomVexa *TVxPrinter::Report() const
{
    return qobject_cast<TCustomVexa *>(FParentReport.data());
}

TVxPrinterSettings *TVxPrinter::ReportPrinterSettings() const
{
    const TCustomVexa *report = Report();
    return report ? report->PrinterSettings() : nullptr;
}

TVxPage *TVxPrinter::ReportPage() const
{
    const TCustomVexa *report = Report();
    return report ? report->Page() : nullptr;
}

} // namespace zelmio
