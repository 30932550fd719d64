#pragma once
// The report: the root of a template. It holds the page setup, the bands in
// print order, the data controller, the expression environment, the printer
// settings, the preview settings and the hooks, and paints its design view.
// The published property table is declared by TVexa (the concrete report),
// in the order templates store it.

#include "model/Hook.h"
#include "model/VxBasePanel.h"
#include "model/VxReportRunState.h"
#include "model/VxTypes.h"
#include "platform/PrinterDeviceMode.h"

#include <QList>
#include <QPicture>
#include <QPointer>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>

namespace zelmio {

class TCustomVexa;
class TVexaBands;
class TVexaPrinterSettings;
class TVxBand;
class TVxCustomBand;
class TVxCustomController;
class TVxEvEnvironment;
class TVxFont;
class TVxPage;
class TVxPreviewController;

// (Sender: report; var PrintReport) and (Sender: report; var ExportHandled).
using TVxReportBeforePrintEvent = THook<void(TCustomVexa *sender, bool &printReport)>;
using TVxExportEvent = TVxReportBeforePrintEvent;
// (Sender: report)
using TVxReportNotifyEvent = THook<void(TCustomVexa *sender)>;
// (Sender; var Handled/Cancel; the printer's device-mode record). The report
// printer's settings use the same hook type.
using TVxPrinterSettingsEvent = THook<void(QObject *sender, bool &handled, TPrinterDeviceMode *devMode)>;
// (Sender: the preview window; EventType; Name; var Handled)
using TStandPrevEvent = THook<void(QObject *sender, TStandPrevEventType eventType, const QString &name,
                                   bool &handled)>;

class TCustomVexa : public TVxBasePanel {
    Q_OBJECT
public:
    // Builds the owned objects: controller, band lists, environment with
    // PAGENUMBER, COLUMNNUMBER and REPORTTITLE, description, band switches,
    // page setup, printer settings. White, at 0,0, zoom 100.
    explicit TCustomVexa(TComponent *owner = nullptr);
    ~TCustomVexa() override;

    TCustomVexa *RulerReport() const override { return const_cast<TCustomVexa *>(this); }

    // --- Owned objects ----------------------------------------------------
    TVxCustomController *Controller() const { return m_controller.get(); }
    // The report's bands in print order.
    const QList<TVxCustomBand *> &BandList() const { return m_bandList; }
    TVxEvEnvironment *Functions() const { return m_environment.get(); }
    void SetFunctions(TVxEvEnvironment *environment);
    QStringList Description() const { return m_description; }
    void SetDescription(const QStringList &description) { m_description = description; }
    TVexaBands *Bands() const { return m_bands.get(); }
    void SetBands(TVexaBands *bands);
    TVxPage *Page() const { return m_page.get(); }
    void SetPage(TVxPage *page);
    TVexaPrinterSettings *PrinterSettings() const { return m_printerSettings.get(); }
    void SetPrinterSettings(TVexaPrinterSettings *settings);
    TVexaPrinterSettings *UserPrinterSettings() const { return m_userPrinterSettings.get(); }
    TVxPreviewController *PreviewController() const;
    void SetPreviewController(TVxPreviewController *controller);

    // Page 1 of a run made for the design view, drawn over the report until
    // the next change (Modify drops it).
    const QPicture *PreviewPage() const { return m_previewPage ? &*m_previewPage : nullptr; }
    void SetPreviewPage(const QPicture &page);
    void ClearPreviewPage();

    // --- Settings ---------------------------------------------------------
    TVxReportOptions Options() const { return m_options; }
    void SetOptions(TVxReportOptions options) { m_options = options; }
    // Kept by the controller.
    bool PrintIfEmpty() const;
    virtual void SetPrintIfEmpty(bool value);
    QString ReportTitle() const { return m_reportTitle; }
    void SetReportTitle(const QString &title) { m_reportTitle = title; }
    bool ShowProgress() const { return m_showProgress; }
    void SetShowProgress(bool value) { m_showProgress = value; }
    bool SnapToGrid() const { return m_snapToGrid; }
    void SetSnapToGrid(bool value) { m_snapToGrid = value; }
    // The page's unit; setting it also sets the unit of every band, of the
    // elements on each band and of the elements placed on the report.
    TVxUnit GetUnits() const;
    virtual void SetUnits(TVxUnit units);
    // Accepted for 1 ... 300 only: panel zoom, page zoom, band layout.
    void SetZoom(int zoom) override;
    QString BackImageControl() const { return m_backImageControl; }
    void SetBackImageControl(const QString &name) { m_backImageControl = name; }
    TColor BackgroundColor() const { return m_backgroundColor; }
    void SetBackgroundColor(TColor color) { m_backgroundColor = color; }
    bool CreateInBGThread() const { return m_createInBGThread; }
    void SetCreateInBGThread(bool value) { m_createInBGThread = value; }
    bool StartNewPageInComposite() const { return m_startNewPageInComposite; }
    void SetStartNewPageInComposite(bool value) { m_startNewPageInComposite = value; }

    // Preview window settings.
    TFormStyle PrevFormStyle() const { return m_prevFormStyle; }
    void SetPrevFormStyle(TFormStyle style) { m_prevFormStyle = style; }
    TWindowState PreviewInitialState() const { return m_previewInitialState; }
    void SetPreviewInitialState(TWindowState state) { m_previewInitialState = state; }
    int PreviewWidth() const { return m_previewWidth; }
    void SetPreviewWidth(int value) { m_previewWidth = value; }
    int PreviewHeight() const { return m_previewHeight; }
    void SetPreviewHeight(int value) { m_previewHeight = value; }
    int PreviewLeft() const { return m_previewLeft; }
    void SetPreviewLeft(int value) { m_previewLeft = value; }
    int PreviewTop() const { return m_previewTop; }
    void SetPreviewTop(int value) { m_previewTop = value; }
    int PagesInPreview() const { return m_pagesInPreview; }
    void SetPagesInPreview(int value) { m_pagesInPreview = value; }
    bool PrevShowThumbs() const { return m_prevShowThumbs; }
    void SetPrevShowThumbs(bool value) { m_prevShowThumbs = value; }
    bool PrevShowSearch() const { return m_prevShowSearch; }
    void SetPrevShowSearch(bool value) { m_prevShowSearch = value; }
    TVxZoomState PrevInitialZoom() const { return m_prevInitialZoom; }
    void SetPrevInitialZoom(TVxZoomState state) { m_prevInitialZoom = state; }
    TPrevSaveType PreviewDefaultSaveType() const { return m_previewDefaultSaveType; }
    void SetPreviewDefaultSaveType(TPrevSaveType type) { m_previewDefaultSaveType = type; }
    bool ShowingPreview() const { return m_showingPreview; }
    void SetShowingPreview(bool value) { m_showingPreview = value; }

    // --- Hooks ------------------------------------------------------------
    TVxReportBeforePrintEvent BeforePrint() const { return m_beforePrint; }
    void SetBeforePrint(const TVxReportBeforePrintEvent &hook) { m_beforePrint = hook; }
    TNotifyEvent AfterPrint() const { return m_afterPrint; }
    void SetAfterPrint(const TNotifyEvent &hook) { m_afterPrint = hook; }
    TNotifyEvent AfterPreview() const { return m_afterPreview; }
    void SetAfterPreview(const TNotifyEvent &hook) { m_afterPreview = hook; }
    TNotifyEvent OnPreviewShowing() const { return m_onPreviewShowing; }
    void SetOnPreviewShowing(const TNotifyEvent &hook) { m_onPreviewShowing = hook; }
    TVxReportNotifyEvent OnStartPage() const { return m_onStartPage; }
    void SetOnStartPage(const TVxReportNotifyEvent &hook) { m_onStartPage = hook; }
    TVxReportNotifyEvent OnEndPage() const { return m_onEndPage; }
    void SetOnEndPage(const TVxReportNotifyEvent &hook) { m_onEndPage = hook; }
    TVxNeedDataEvent OnNeedData() const { return m_onNeedData; }
    void SetOnNeedData(const TVxNeedDataEvent &hook) { m_onNeedData = hook; }
    TNotifyEvent OnPreview() const { return m_onPreview; }
    void SetOnPreview(const TNotifyEvent &hook) { m_onPreview = hook; }
    TVxExportEvent OnExport() const { return m_onExport; }
    void SetOnExport(const TVxExportEvent &hook) { m_onExport = hook; }
    TVxPrinterSettingsEvent OnGetPrinterSettings() const { return m_onGetPrinterSettings; }
    void SetOnGetPrinterSettings(const TVxPrinterSettingsEvent &hook) { m_onGetPrinterSettings = hook; }
    TVxPrinterSettingsEvent OnApplyPrinterSettings() const { return m_onApplyPrinterSettings; }
    void SetOnApplyPrinterSettings(const TVxPrinterSettingsEvent &hook) { m_onApplyPrinterSettings = hook; }
    TNotifyEvent OnPrevXEvent() const { return m_onPrevXEvent; }
    void SetOnPrevXEvent(const TNotifyEvent &hook) { m_onPrevXEvent = hook; }
    TStandPrevEvent OnStandPrevEvent() const { return m_onStandPrevEvent; }
    void SetOnStandPrevEvent(const TStandPrevEvent &hook) { m_onStandPrevEvent = hook; }
    TNotifyEvent onStandPrevMouseEvent() const { return m_onStandPrevMouseEvent; }
    void SetonStandPrevMouseEvent(const TNotifyEvent &hook) { m_onStandPrevMouseEvent = hook; }

    // --- Run-time switches (not stored) -------------------------------------
    // Read by the report printer when it records pages.
    bool AdjustScreenRes() const { return m_adjustScreenRes; }
    void SetAdjustScreenRes(bool value) { m_adjustScreenRes = value; }
    // Set by the preview and progress windows; stops the record loop.
    bool UserCancel() const { return m_userCancel.load(); }
    void SetUserCancel(bool value) { m_userCancel.store(value); }
    TVxReportRunState &RunState() { return m_runState; }
    const TVxReportRunState &RunState() const { return m_runState; }

    // Marks the report changed: drops the cached page picture and asks for
    // one repaint; the next paint clears the mark.
    bool Modified() const { return m_modified; }
    void Modify();

    // Design-view switches: all bands out of sight (at the page length), and
    // the print-order list rotated by a number of steps.
    bool HideBands() const { return m_hideBands; }
    void SetHideBands(bool hide);
    int RotateBands() const { return m_rotateBands; }
    void SetRotateBands(int steps);

    // --- Bands ------------------------------------------------------------
    // A TVxBand of that kind, owned by the report's owner (the report when it
    // has none), placed on the report and named with the kind's name stem
    // and the smallest free number.
    TVxBand *CreateBand(TVxBandType bandType);
    // Adds or removes a band of the list (no duplicates; removal is ignored
    // while the report is freed) and rebuilds the print order and layout.
    void AddBand(TVxCustomBand *band);
    void RemoveBand(TVxCustomBand *band);
    // The first band of that kind in the print-order list, or none.
    TVxCustomBand *FindBand(TVxBandType bandType) const;
    // Rebuilds the print order (not while loading or freeing).
    void RebuildBandList();
    // Appends a band and its child chain to the list being rebuilt, unless
    // it is listed already or being freed (called by the controllers).
    void RegisterBand(TVxCustomBand *band);
    // Design-time layout of the bands (not while loading or freeing).
    void SetBandValues();
    bool IsLayingOut() const { return m_layingOut; }
    // Connects the controller to its bands.
    virtual void SetControllerBands();
    virtual void AddNotifyClient(TVxControl *element);

    // --- Generation ----------------------------------------------------------
    // While a run is going on (also from hooks): print a band now at the
    // current position, break the page or the column, end the page. Nothing
    // happens without a run.
    void PrintBand(TVxCustomBand *band);
    void NewPage(bool printHeaders);
    void NewColumn();
    void EndPage();
    // Stops a run in progress (the record loop ends at the next record).
    void Cancel();
    // Space left below the current position (see VxBandStretch).
    int AvailableSpace() const;
    // Recomputes the height of the enabled page footers with their enabled
    // child chains.
    void ResetPageFooterSize();
    // Runs the controller over the data (the base: its empty print).
    virtual void Execute();
    // Label-capable reports set up their sheet before each output job and
    // undo it afterwards; the base has nothing to do.
    virtual void PrepareReportPrint() {}
    virtual void DoneReportPrint() {}

    // --- Text measurement on the reference device ---------------------------
    // Width of the text in reference pixels plus 1; 0 when it cannot be measured.
    int TextWidth(const TVxFont *font, const QString &text) const;
    // Height of one line of the font in reference pixels; 0 when it cannot
    // be measured.
    int TextHeight(const TVxFont *font, const QString &text) const;

    // --- Design view --------------------------------------------------------
    void Paint(QPainter &painter) override;
    virtual void PaintMargins(QPainter &painter);
    virtual void PaintFrame(QPainter &painter);
    virtual void PaintColumns(QPainter &painter);

    void SetBounds(int left, int top, int width, int height) override;
    void Loaded() override;
    void Notification(TComponent *component, TOperation operation) override;

protected:
    // Replaces the controller (the concrete report uses a data controller).
    void SetController(std::unique_ptr<TVxCustomController> controller);

private:
    // Margins and column geometry of the design view, in pixels.
    struct PixelPage {
        int width = 0;
        int length = 0;
        int leftMargin = 0;
        int rightMargin = 0;
        int topMargin = 0;
        int bottomMargin = 0;
        int columnSpace = 0;
    };
    PixelPage PagePixels() const;

    std::unique_ptr<TVxCustomController> m_controller;
    QList<TVxCustomBand *> m_bandList;
    QList<TVxCustomBand *> m_bandRegList;
    std::unique_ptr<TVxEvEnvironment> m_environment;
    QStringList m_description;
    std::unique_ptr<TVexaBands> m_bands;
    std::unique_ptr<TVxPage> m_page;
    std::unique_ptr<TVexaPrinterSettings> m_printerSettings;
    std::unique_ptr<TVexaPrinterSettings> m_userPrinterSettings;
    std::optional<QPicture> m_previewPage;
    // Kept as a component: it is compared while the controller is being
    // destroyed, when it is no controller any more.
    QPointer<TComponent> m_previewSetup;

    TVxReportOptions m_options = TVxReportOption::FirstPageHeader | TVxReportOption::LastPageFooter;
    QString m_reportTitle;
    bool m_showProgress = true;
    bool m_snapToGrid = true;
    QString m_backImageControl;
    TColor m_backgroundColor = clWhite;
    bool m_createInBGThread = false;
    bool m_startNewPageInComposite = false;
    TFormStyle m_prevFormStyle = TFormStyle::fsNormal;
    TWindowState m_previewInitialState = TWindowState::wsNormal;
    int m_previewWidth = 0;
    int m_previewHeight = 0;
    int m_previewLeft = 0;
    int m_previewTop = 0;
    int m_pagesInPreview = 0;
    bool m_prevShowThumbs = true;
    bool m_prevShowSearch = true;
    TVxZoomState m_prevInitialZoom = TVxZoomState::vxZoomToFit;
    TPrevSaveType m_previewDefaultSaveType = TPrevSaveType::stPDF;
    bool m_showingPreview = false;

    TVxReportBeforePrintEvent m_beforePrint;
    TNotifyEvent m_afterPrint;
    TNotifyEvent m_afterPreview;
    TNotifyEvent m_onPreviewShowing;
    TVxReportNotifyEvent m_onStartPage;
    TVxReportNotifyEvent m_onEndPage;
    TVxNeedDataEvent m_onNeedData;
    TNotifyEvent m_onPreview;
    TVxExportEvent m_onExport;
    TVxPrinterSettingsEvent m_onGetPrinterSettings;
    TVxPrinterSettingsEvent m_onApplyPrinterSettings;
    TNotifyEvent m_onPrevXEvent;
    TStandPrevEvent m_onStandPrevEvent;
    TNotifyEvent m_onStandPrevMouseEvent;

    bool m_adjustScreenRes = true;
    std::atomic<bool> m_userCancel{false};
    TVxReportRunState m_runState;
    bool m_modified = false;
    bool m_hideBands = false;
    int m_rotateBands = 0;
    bool m_rebuilding = false;
    bool m_layingOut = false;
};

// The paper size of the default printer, asked when a report is created.
// The printer layer installs the source at start-up; without one (or when no
// printer can be asked) it is Default.
using TDefaultPaperSizeSource = TVxPaperSize (*)();
void SetDefaultPaperSizeSource(TDefaultPaperSizeSource source);
TVxPaperSize DefaultPrinterPaperSizeForReports();

} // namespace zelmio
