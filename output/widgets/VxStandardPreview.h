#pragma once
// The preview window: the pages of a report printer around one preview
// control, while the report is generated and afterwards, with a tool bar,
// page thumbnails, a text search over all pages, a status bar and the
// actions print, printer setup, save (as a prepared report or through any
// registered export filter), load, copy, cancel and close.

#include "model/VxTypes.h"
#include "output/VxPrinter.h"
#include "output/VxPreviewInterface.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QListWidget;
class QMenu;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTimer;
class QToolButton;

namespace zelmio {

class TCustomVexa;
class TVxPreview;
class TVxPreviewController;
class TVxPrinter;
class TVxRecordedPage;
class TThumbModel;

// Whether a text output of the page contains text (upper-cased by the
// locale unless matchCase). A text split over two outputs is not found.
bool StrInMetafile(const QString &text, const TVxRecordedPage &page, bool matchCase);
// True only when the file exists and cannot be opened for reading and writing.
bool IsFileInUse(const QString &fileName);

// How the window tells the user something; replaceable (tests).
using TPreviewMessage = std::function<void(QWidget *window, const QString &text)>;
TPreviewMessage &PreviewMessage();

class TVxStandardPreview : public QWidget {
    Q_OBJECT
public:
    // The window for the printer (the window frees itself when closed).
    static TVxStandardPreview *CreatePreview(QWidget *owner, TVxPrinter *printer);
    ~TVxStandardPreview() override;

    // Shows the window in its initial state and refreshes the status bar.
    void Show();
    void SelectPage(int n);
    void UpdateInfo();
    void SetupFromController(const TVxPreviewController &controller);
    void ResizeThumb();

    // --- Handlers of the controls --------------------------------------------
    void ZoomToFitClick();
    void ZoomToWidthClick();
    void ZoomTo100Click();
    void ZoomPickButtonClick();
    void N50Click(QAction *item);
    void FirstPageClick();
    void PrevPageClick();
    void NextPageClick();
    void LastPageClick();
    void GotoPageButtonClick();
    void FindButtonClick();
    void SearchResultBoxClick();
    void copybuttonClick();
    void PrintSetupClick();
    void PrintClick();
    void LoadClick();
    void SaveClick();
    void CancelButtonClick();
    void ExitClick();
    void VXPreviewPageAvailable(int pageNum);
    void VXPreviewProgressUpdate(int progress);

    // --- The actions behind the dialogs --------------------------------------
    // The page typed into the go-to box (anything but 1 ... PageCount: page 1).
    void GotoPage(const QString &text);
    // Lists the pages whose texts contain text and brings the results forward.
    void SearchFor(const QString &text, bool matchCase);
    // Saves under name; filterIndex (1-based, of SaveDialogFilters) gives the
    // type of a name without extension. False, after telling the user why,
    // when nothing was saved.
    bool SaveToFile(QString name, int filterIndex);
    bool LoadFromFile(const QString &name);
    // The save dialog's types: the prepared report, then each registered
    // export filter in registry order.
    QStringList SaveDialogFilters() const;
    // The type the save dialog starts with: the report's default save type
    // when a filter is registered for it, else the prepared report.
    int DefaultSaveFilterIndex() const;

    // --- State ---------------------------------------------------------------
    TVxPrinter *VXPrinter() const { return FVXPrinter; }
    TVxPreview *VXPreview() const { return FVXPreview; }
    QString PanelText(int panel) const;
    QTableView *ThumbGrid() const { return FThumbGrid; }
    QListWidget *SearchResultBox() const { return FSearchResultBox; }
    QTabWidget *Tabs() const { return FTabs; }
    QMenu *Zoommenu() const { return FZoommenu; }
    QToolButton *Button(const QString &name) const;
    TVxZoomState InitZoom() const { return FInitZoom; }
    int ThumbDrawHeight() const { return FThumbDrawHeight; }
    int ThumbDrawWidth() const { return FThumbDrawWidth; }
    int ThumbLeftMargin() const { return FThumbLeftMargin; }
    int ThumbTopMargin() const { return FThumbTopMargin; }
    // The Handled result of the last OnStandPrevEvent call.
    bool EventHandled() const { return FEventHandled; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    TVxStandardPreview(QWidget *owner, TVxPrinter *printer);
    void BuildControls();
    QToolButton *AddButton(const QString &name, const QString &hint, const QString &text, int standardIcon);
    // Fires OnStandPrevEvent; true when the hook handled the action.
    bool FireEvent(TStandPrevEventType type, const QString &name);
    TCustomVexa *Report() const;
    // Keys as the window sees them before its controls; true when used.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void ZoomBy(double factor);
    void ThumbGridSelectCell(int row);
    void SetGridRows(int rows);
    void CheckFinished();
    void UpdateZoomPanel();
    // The pages the window offers: all, or at most the report's PagesInPreview.
    int OfferedPages() const;

    QPointer<TVxPrinter> FVXPrinter;
    QPointer<TCustomVexa> FParentReport;
    TVxPreview *FVXPreview = nullptr;
    QStatusBar *FStatusBar = nullptr;
    QLabel *FPanels[4] = {};
    QWidget *FToolBar1 = nullptr;
    QButtonGroup *FZoomGroup = nullptr;
    QTabWidget *FTabs = nullptr;
    QWidget *FTabThumbs = nullptr;
    QWidget *FTabSearchResult = nullptr;
    QTableView *FThumbGrid = nullptr;
    TThumbModel *FThumbModel = nullptr;
    QGroupBox *FGroupBox1 = nullptr;
    QLabel *FSearchTextLabel = nullptr;
    QListWidget *FSearchResultBox = nullptr;
    QMenu *FZoommenu = nullptr;
    QTimer *FStatusTimer = nullptr;

    TPrinterOrientation FReportOrientation = TPrinterOrientation::poPortrait;
    int LastProgress = 0;
    int FThumbFontHeight = 0;
    int FThumbDrawHeight = 0;
    int FThumbDrawWidth = 0;
    int FThumbTopMargin = 0;
    int FThumbLeftMargin = 0;
    bool ShowThumbs = true;
    bool ShowSearch = true;
    bool pageSelected = false;
    bool FFinishSeen = false;
    bool FLoadedFromFile = false;
    bool FThumbUpdating = false;
    bool FThumbSelecting = false;
    bool FEventHandled = false;
    bool FSearchBusy = false;
    TVxZoomState FInitZoom = TVxZoomState::vxZoomToFit;
    TWindowState FInitState = TWindowState::wsMaximized;
    QRect FInitGeometry;
    double udpifact = 1;
    QString ReportTitle;
};

// Opens TVxStandardPreview for a printer.
class TVxStandardPreviewInterface : public TVxPreviewInterface {
public:
    QObject *Show(TVxPrinter *printer) override;
    // Returns once the window has closed (it has freed itself: none).
    QObject *ShowModal(TVxPrinter *printer) override;
};

// Installs the preview window, the progress window (unless headless) and the
// print dialog as the process-wide factories the core uses.
void InstallPreviewWindows();

} // namespace zelmio
