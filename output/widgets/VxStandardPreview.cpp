#include "output/widgets/VxStandardPreview.h"

#include "engine/VxReportJobs.h"
#include "export/VxExportFilterLibrary.h"
#include "model/CustomVexa.h"
#include "model/Vexa.h"
#include "model/VxPage.h"
#include "model/VxPreviewController.h"
#include "model/VxPrinterSettings.h"
#include "output/PageReplay.h"
#include "output/RecordedPage.h"
#include "output/VxPaperCodes.h"
#include "output/VxPrinter.h"
#include "output/widgets/VxPreview.h"
#include "output/widgets/VxPreviewDialogs.h"
#include "platform/HeadlessPlatform.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <cmath>

namespace zelmio {

namespace {

int RoundEven(double value)
{
    return int(std::nearbyint(value));
}

// Default save extensions by TPrevSaveType.
const char *const VXSaveExtensions[] = {".VXP", ".PDF", ".XLS", ".HTML", ".RTF", ".CSV", ".TXT", ".XML", ".XLSX"};

// Qt's file dialog matches patterns case-sensitively here: offer both cases.
QString DialogFilter(const QString &name, const QString &extension)
{
    return QStringLiteral("%1 (*.%2 *.%3)").arg(name, extension.toUpper(), extension.toLower());
}

} // namespace

TPreviewMessage &PreviewMessage()
{
    static TPreviewMessage message = [](QWidget *window, const QString &text) {
        QMessageBox::information(window, QApplication::applicationName(), text);
    };
    return message;
}

bool StrInMetafile(const QString &text, const TVxRecordedPage &page, bool matchCase)
{
    const QLocale locale;
    const QString wanted = matchCase ? text : locale.toUpper(text);
    for (const QString &output : PageStrings(page)) {
        if ((matchCase ? output : locale.toUpper(output)).contains(wanted))
            return true;
    }
    return false;
}

bool IsFileInUse(const QString &fileName)
{
    if (!QFileInfo::exists(fileName))
        return false;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadWrite))
        return true;
    file.close();
    return false;
}

// --- Thumbnails ---------------------------------------------------------------

// One column, one row per page; the rows are painted by the delegate.
class TThumbModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;
    int rowCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : FRows; }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : 1; }
    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::AccessibleTextRole || role == Qt::ToolTipRole)
            return QStringLiteral("Page %1").arg(index.row() + 1);
        return {};
    }
    void SetRows(int rows)
    {
        rows = std::max(0, rows);
        if (rows > FRows) {
            beginInsertRows({}, FRows, rows - 1);
            FRows = rows;
            endInsertRows();
        } else if (rows < FRows) {
            beginRemoveRows({}, rows, FRows - 1);
            FRows = rows;
            endRemoveRows();
        }
    }

private:
    int FRows = 0;
};

class TThumbDelegate : public QStyledItemDelegate {
public:
    TThumbDelegate(TVxStandardPreview *window)
        : QStyledItemDelegate(window)
        , FWindow(window)
    {
    }
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QRect cell = option.rect;
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(cell, selected ? option.palette.highlight() : option.palette.button());
        TVxPrinter *printer = FWindow->VXPrinter();
        const std::unique_ptr<TVxRecordedPage> page = printer ? printer->GetPage(index.row() + 1) : nullptr;
        if (page) {
            SetThumbDrawing(true);
            const QRect sheet(QPoint(cell.left() + FWindow->ThumbLeftMargin(), cell.top() + 10),
                              QPoint(cell.right() - 30, cell.bottom() - 10));
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            PaintPageToCanvas(page.get(), *painter, sheet, true);
            painter->restore();
            SetThumbDrawing(false);
        }
        painter->setPen(selected ? option.palette.highlightedText().color() : QColor(Qt::black));
        painter->drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(index.row() + 1));
    }

private:
    TVxStandardPreview *FWindow;
};

// --- The window ---------------------------------------------------------------

TVxStandardPreview *TVxStandardPreview::CreatePreview(QWidget *owner, TVxPrinter *printer)
{
    return new TVxStandardPreview(owner, printer);
}

TVxStandardPreview::TVxStandardPreview(QWidget *owner, TVxPrinter *printer)
    : QWidget(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("VXStandardPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    resize(951, 669);
    BuildControls();

    pageSelected = false;
    FVXPrinter = printer;
    FVXPreview->SetVXPrinter(printer);
    udpifact = printer ? printer->CurrentScreenDPI() / 96.0 : 1.0;
    if (printer) {
        // A printer that goes away takes its preview with it.
        connect(printer, &QObject::destroyed, this, [this] {
            setEnabled(false);
            deleteLater();
        });
    }

    TCustomVexa *report = printer ? qobject_cast<TCustomVexa *>(printer->ParentReport()) : nullptr;
    Qt::WindowFlags flags = windowFlags() | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
    if (report) {
        FParentReport = report;
        if (TVxPreviewController *controller = report->PreviewController()) {
            SetupFromController(*controller);
            flags = windowFlags();
        } else {
            if (report->PrevFormStyle() == TFormStyle::fsStayOnTop)
                flags |= Qt::WindowStaysOnTopHint;
            ShowThumbs = report->PrevShowThumbs();
            ShowSearch = report->PrevShowSearch();
            FInitZoom = report->PrevInitialZoom();
            ReportTitle = report->ReportTitle();
            printer->SetTitle(ReportTitle);
            FReportOrientation = report->Page()->Orientation();
            FInitState = report->PreviewInitialState();
            FInitGeometry = QRect(report->PreviewLeft(), report->PreviewTop(), report->PreviewWidth(),
                                  report->PreviewHeight());
        }
        FVXPreview->SetZoom(report->Zoom());
    } else {
        FInitState = TWindowState::wsMaximized;
        ShowThumbs = true;
        ShowSearch = true;
        FInitZoom = TVxZoomState::vxZoomToFit;
        if (printer)
            FReportOrientation = printer->Orientation();
    }
    setWindowFlags(flags);
    FireEvent(TStandPrevEventType::spOpen, QString());

    if (printer) {
        printer->SetOrientation(FReportOrientation);
        if (!printer->Title().isEmpty())
            setWindowTitle(QStringLiteral("Report Preview : ") + printer->Title());
    }

    LastProgress = 0;
    SetGridRows(1);
    FTabs->setVisible(ShowThumbs || ShowSearch);
    if (FTabs->isVisibleTo(this) && printer && printer->PageCount() > 0)
        SetGridRows(printer->PageCount());
    if (!ShowThumbs)
        FTabs->removeTab(FTabs->indexOf(FTabThumbs));
    if (!ShowSearch) {
        FTabs->removeTab(FTabs->indexOf(FTabSearchResult));
        Button(QStringLiteral("FindButton"))->setVisible(false);
    }
    ResizeThumb();

    // Checks now and then whether the run has ended (also when it was
    // cancelled and no further page arrives).
    FStatusTimer = new QTimer(this);
    FStatusTimer->setInterval(200);
    connect(FStatusTimer, &QTimer::timeout, this, &TVxStandardPreview::CheckFinished);
    FStatusTimer->start();

    qApp->installEventFilter(this);
}

TVxStandardPreview::~TVxStandardPreview()
{
    qApp->removeEventFilter(this);
}

QToolButton *TVxStandardPreview::AddButton(const QString &name, const QString &hint, const QString &text,
                                           int standardIcon)
{
    auto *button = new QToolButton(FToolBar1);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setText(text);
    if (standardIcon >= 0)
        button->setIcon(style()->standardIcon(QStyle::StandardPixmap(standardIcon)));
    button->setFixedSize(32, 32);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    FToolBar1->layout()->addWidget(button);
    return button;
}

void TVxStandardPreview::BuildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    FToolBar1 = new QWidget(this);
    FToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    FToolBar1->setFixedHeight(40);
    auto *bar = new QHBoxLayout(FToolBar1);
    bar->setContentsMargins(4, 4, 4, 4);
    bar->setSpacing(2);
    const auto separator = [&] {
        auto *line = new QFrame(FToolBar1);
        line->setFrameShape(QFrame::VLine);
        line->setFrameShadow(QFrame::Sunken);
        bar->addWidget(line);
    };
    QToolButton *zoomFit = AddButton(QStringLiteral("ZoomFit"), QStringLiteral("Zoom to fit"), QStringLiteral("Fit"), -1);
    QToolButton *zoomWidth =
        AddButton(QStringLiteral("ZoomToWidth"), QStringLiteral("Zoom to width"), QStringLiteral("<->"), -1);
    QToolButton *zoom100 = AddButton(QStringLiteral("Zoom100"), QStringLiteral("100% Size"), QStringLiteral("1:1"), -1);
    FZoomGroup = new QButtonGroup(this);
    for (QToolButton *button : {zoomFit, zoomWidth, zoom100}) {
        button->setCheckable(true);
        FZoomGroup->addButton(button);
    }
    QToolButton *pick =
        AddButton(QStringLiteral("ZoomPickButton"), QStringLiteral("Set Display Zoom"), QStringLiteral("%"), -1);
    separator();
    QToolButton *first =
        AddButton(QStringLiteral("FirstPage"), QStringLiteral("First page"), QString(), QStyle::SP_MediaSkipBackward);
    QToolButton *previous = AddButton(QStringLiteral("PreviousPage"), QStringLiteral("Previous page"), QString(),
                                      QStyle::SP_MediaSeekBackward);
    QToolButton *next =
        AddButton(QStringLiteral("nextPage"), QStringLiteral("Next page"), QString(), QStyle::SP_MediaSeekForward);
    QToolButton *last =
        AddButton(QStringLiteral("LastPage"), QStringLiteral("Last page"), QString(), QStyle::SP_MediaSkipForward);
    separator();
    QToolButton *gotoPage =
        AddButton(QStringLiteral("GotoPageButton"), QStringLiteral("Select a Page"), QStringLiteral("#"), -1);
    QToolButton *find =
        AddButton(QStringLiteral("FindButton"), QStringLiteral("Search for Text"), QStringLiteral("Find"), -1);
    separator();
    QToolButton *copy = AddButton(QStringLiteral("copybutton"), QStringLiteral("Copy page to clipboard"),
                                  QStringLiteral("Copy"), -1);
    QToolButton *setup = AddButton(QStringLiteral("PrintSetup"), QStringLiteral("Printer setup"),
                                   QStringLiteral("Setup"), QStyle::SP_FileDialogDetailedView);
    QToolButton *print = AddButton(QStringLiteral("Print"), QStringLiteral("Print"), QStringLiteral("Print"), -1);
    QToolButton *load =
        AddButton(QStringLiteral("LoadReport"), QStringLiteral("Load report"), QString(), QStyle::SP_DialogOpenButton);
    QToolButton *save =
        AddButton(QStringLiteral("SaveReport"), QStringLiteral("Save report"), QString(), QStyle::SP_DialogSaveButton);
    separator();
    QToolButton *cancel = AddButton(QStringLiteral("CancelButton"), QStringLiteral("Cancel the report"), QString(),
                                    QStyle::SP_BrowserStop);
    QToolButton *exit = AddButton(QStringLiteral("ExitButton"), QStringLiteral("Close Preview"),
                                  QStringLiteral("&Close"), -1);
    exit->setFixedSize(67, 32);
    exit->setToolButtonStyle(Qt::ToolButtonTextOnly);
    bar->addStretch(1);
    for (QToolButton *button : {first, previous, next, last, gotoPage, find, copy, setup, print, load, save, cancel})
        button->setEnabled(false);
    pick->setEnabled(true);
    layout->addWidget(FToolBar1);

    auto *body = new QHBoxLayout;
    body->setSpacing(0);
    FTabs = new QTabWidget(this);
    FTabs->setObjectName(QStringLiteral("Tabs"));
    FTabs->setFixedWidth(193);
    FTabThumbs = new QWidget;
    FTabThumbs->setObjectName(QStringLiteral("TabThumbs"));
    auto *thumbLayout = new QVBoxLayout(FTabThumbs);
    thumbLayout->setContentsMargins(0, 0, 0, 0);
    FThumbGrid = new QTableView(FTabThumbs);
    FThumbGrid->setObjectName(QStringLiteral("ThumbGrid"));
    FThumbModel = new TThumbModel(FThumbGrid);
    FThumbGrid->setModel(FThumbModel);
    FThumbGrid->setItemDelegate(new TThumbDelegate(this));
    FThumbGrid->horizontalHeader()->hide();
    FThumbGrid->verticalHeader()->hide();
    FThumbGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    FThumbGrid->setShowGrid(false);
    FThumbGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    FThumbGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    FThumbGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    FThumbGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FThumbGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FThumbGrid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    thumbLayout->addWidget(FThumbGrid);
    FTabs->addTab(FTabThumbs, QStringLiteral("ThumbNails"));
    FTabSearchResult = new QWidget;
    FTabSearchResult->setObjectName(QStringLiteral("TabSearchResult"));
    auto *searchLayout = new QVBoxLayout(FTabSearchResult);
    searchLayout->setContentsMargins(2, 2, 2, 2);
    FGroupBox1 = new QGroupBox(QStringLiteral("Search Text"), FTabSearchResult);
    FGroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto *groupLayout = new QVBoxLayout(FGroupBox1);
    FSearchTextLabel = new QLabel(FGroupBox1);
    FSearchTextLabel->setObjectName(QStringLiteral("SearchTextLabel"));
    groupLayout->addWidget(FSearchTextLabel);
    searchLayout->addWidget(FGroupBox1);
    FSearchResultBox = new QListWidget(FTabSearchResult);
    FSearchResultBox->setObjectName(QStringLiteral("SearchResultBox"));
    FSearchResultBox->setEnabled(false);
    searchLayout->addWidget(FSearchResultBox, 1);
    FTabs->addTab(FTabSearchResult, QStringLiteral("Search Results"));
    body->addWidget(FTabs);
    FVXPreview = new TVxPreview(this);
    FVXPreview->SetPageNumber(1);
    body->addWidget(FVXPreview, 1);
    layout->addLayout(body, 1);

    FStatusBar = new QStatusBar(this);
    FStatusBar->setObjectName(QStringLiteral("StatusBar"));
    FStatusBar->setSizeGripEnabled(false);
    const int widths[4] = {60, 120, 120, 50};
    for (int i = 0; i < 4; ++i) {
        FPanels[i] = new QLabel(FStatusBar);
        FPanels[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        FPanels[i]->setMinimumWidth(widths[i]);
        FStatusBar->addWidget(FPanels[i], i == 3 ? 1 : 0);
    }
    FPanels[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    FPanels[0]->setText(QStringLiteral("0%"));
    layout->addWidget(FStatusBar);

    FZoommenu = new QMenu(this);
    FZoommenu->setObjectName(QStringLiteral("Zoommenu"));
    for (int zoom = 50; zoom <= 200; zoom += 10) {
        QAction *item = FZoommenu->addAction(QStringLiteral("%1%").arg(zoom));
        item->setObjectName(QStringLiteral("N%1").arg(zoom));
    }

    connect(zoomFit, &QToolButton::clicked, this, &TVxStandardPreview::ZoomToFitClick);
    connect(zoomWidth, &QToolButton::clicked, this, &TVxStandardPreview::ZoomToWidthClick);
    connect(zoom100, &QToolButton::clicked, this, &TVxStandardPreview::ZoomTo100Click);
    connect(pick, &QToolButton::clicked, this, &TVxStandardPreview::ZoomPickButtonClick);
    connect(FZoommenu, &QMenu::triggered, this, &TVxStandardPreview::N50Click);
    connect(first, &QToolButton::clicked, this, &TVxStandardPreview::FirstPageClick);
    connect(previous, &QToolButton::clicked, this, &TVxStandardPreview::PrevPageClick);
    connect(next, &QToolButton::clicked, this, &TVxStandardPreview::NextPageClick);
    connect(last, &QToolButton::clicked, this, &TVxStandardPreview::LastPageClick);
    connect(gotoPage, &QToolButton::clicked, this, &TVxStandardPreview::GotoPageButtonClick);
    connect(find, &QToolButton::clicked, this, &TVxStandardPreview::FindButtonClick);
    connect(FSearchResultBox, &QListWidget::itemClicked, this, &TVxStandardPreview::SearchResultBoxClick);
    connect(FSearchResultBox, &QListWidget::itemActivated, this, &TVxStandardPreview::SearchResultBoxClick);
    connect(copy, &QToolButton::clicked, this, &TVxStandardPreview::copybuttonClick);
    connect(setup, &QToolButton::clicked, this, &TVxStandardPreview::PrintSetupClick);
    connect(print, &QToolButton::clicked, this, &TVxStandardPreview::PrintClick);
    connect(load, &QToolButton::clicked, this, &TVxStandardPreview::LoadClick);
    connect(save, &QToolButton::clicked, this, &TVxStandardPreview::SaveClick);
    connect(cancel, &QToolButton::clicked, this, &TVxStandardPreview::CancelButtonClick);
    connect(exit, &QToolButton::clicked, this, &TVxStandardPreview::ExitClick);
    connect(FThumbGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    ThumbGridSelectCell(current.row());
            });
    FVXPreview->SetOnPageAvailable([this](QObject *, int pageNum) { VXPreviewPageAvailable(pageNum); });
    FVXPreview->SetOnProgressUpdate([this](QObject *, int progress) { VXPreviewProgressUpdate(progress); });
    FVXPreview->SetOnMouseDown([this](QObject *, QMouseEvent *) {
        if (FParentReport)
            FParentReport->onStandPrevMouseEvent()(this);
    });
}

QToolButton *TVxStandardPreview::Button(const QString &name) const
{
    return FToolBar1->findChild<QToolButton *>(name);
}

QString TVxStandardPreview::PanelText(int panel) const
{
    return panel >= 0 && panel < 4 ? FPanels[panel]->text() : QString();
}

TCustomVexa *TVxStandardPreview::Report() const
{
    return FParentReport;
}

bool TVxStandardPreview::FireEvent(TStandPrevEventType type, const QString &name)
{
    FEventHandled = false;
    if (FParentReport && FParentReport->OnStandPrevEvent())
        FParentReport->OnStandPrevEvent()(this, type, name, FEventHandled);
    return FEventHandled;
}

void TVxStandardPreview::SetupFromController(const TVxPreviewController &c)
{
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint;
    if (c.PrevWindowStyle() == TFormStyle::fsStayOnTop)
        flags |= Qt::WindowStaysOnTopHint;
    if (c.ShowMinimise())
        flags |= Qt::WindowMinimizeButtonHint;
    if (c.ShowMaximise())
        flags |= Qt::WindowMaximizeButtonHint;
    if (c.ShowSysMenu())
        flags |= Qt::WindowSystemMenuHint;
    setWindowFlags(flags);
    ShowThumbs = c.ShowThumbs();
    ShowSearch = c.ShowFindButton();
    FInitZoom = c.PrevInitZoom();
    if (FParentReport) {
        ReportTitle = FParentReport->ReportTitle();
        FReportOrientation = FParentReport->Page()->Orientation();
    }
    if (FVXPrinter)
        FVXPrinter->SetTitle(ReportTitle);
    FInitState = c.PrevInitState();
    FInitGeometry = QRect(c.PrevInitLeft(), c.PrevInitTop(), c.prevInitWidth(), c.prevInitHeight());
    const std::pair<const char *, bool> visibility[] = {
        {"LoadReport", c.ShowLoadReportButton()},   {"SaveReport", c.ShowSaveReportButton()},
        {"CancelButton", c.ShowCancelButton()},     {"Print", c.ShowPrintButton()},
        {"PrintSetup", c.ShowPrintSetupButton()},   {"FindButton", c.ShowFindButton()},
        {"GotoPageButton", c.ShowGotoButton()},     {"ZoomPickButton", c.ShowZoomPickButton()},
        {"Zoom100", c.ShowZoom100Button()},         {"ZoomFit", c.ShowZoomFitButton()},
        {"ZoomToWidth", c.ShowZoomToWidthButton()}, {"copybutton", c.ShowCopyButton()},
        {"FirstPage", c.ShowFirstButton()},         {"PreviousPage", c.ShowPrevButton()},
        {"nextPage", c.ShowNextButton()},           {"LastPage", c.ShowLastButton()},
    };
    for (const auto &[name, visible] : visibility)
        Button(QString::fromLatin1(name))->setVisible(visible);
}

void TVxStandardPreview::Show()
{
    if (FInitState == TWindowState::wsMaximized) {
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->availableGeometry());
        showMaximized();
    } else {
        if (FInitGeometry.width() > 0 && FInitGeometry.height() > 0)
            setGeometry(FInitGeometry);
        if (FInitState == TWindowState::wsMinimized)
            showMinimized();
        else
            show();
    }
    // The initial zoom needs the control's final size.
    QCoreApplication::processEvents();
    switch (FInitZoom) {
    case TVxZoomState::vxZoomToFit:
        ZoomToFitClick();
        Button(QStringLiteral("ZoomFit"))->setChecked(true);
        break;
    case TVxZoomState::vxZoomToWidth:
        FVXPreview->ZoomToWidth();
        Button(QStringLiteral("ZoomToWidth"))->setChecked(true);
        break;
    default:
        FVXPreview->SetZoom(FParentReport ? FParentReport->Zoom() : FVXPreview->Zoom());
        FVXPreview->UpdateZoom();
        Button(QStringLiteral("Zoom100"))->setChecked(true);
        break;
    }
    // A prepared report, or a report generated before the window opened.
    if (FVXPrinter && FVXPrinter->Status() == TVxPrinterStatus::mpFinished)
        VXPreviewPageAvailable(OfferedPages());
    UpdateInfo();
    ResizeThumb();
}

void TVxStandardPreview::UpdateInfo()
{
    const int count = FVXPrinter ? OfferedPages() : 0;
    FPanels[1]->setText(QStringLiteral("Page %1 of %2").arg(FVXPreview->PageNumber()).arg(count));
    FPanels[3]->setText(ReportTitle);
    UpdateZoomPanel();
}

void TVxStandardPreview::UpdateZoomPanel()
{
    FPanels[2]->setText(QStringLiteral("Zoom %1%").arg(FVXPreview->Zoom()));
}

int TVxStandardPreview::OfferedPages() const
{
    if (!FVXPrinter)
        return 0;
    const int count = FVXPrinter->PageCount();
    // The run stops only after the record that passed the limit: the page
    // begun beyond it is not offered.
    const int limit = FParentReport && !FLoadedFromFile ? FParentReport->PagesInPreview() : 0;
    return limit > 0 ? std::min(count, limit) : count;
}

void TVxStandardPreview::SelectPage(int n)
{
    if (n > OfferedPages())
        return;
    FVXPreview->SetPageNumber(n);
    UpdateInfo();
    if (FVXPrinter && n >= 1 && n <= OfferedPages() && n <= FThumbModel->rowCount()) {
        FThumbUpdating = true;
        FThumbGrid->setCurrentIndex(FThumbModel->index(n - 1, 0));
        FThumbGrid->scrollTo(FThumbModel->index(n - 1, 0));
        FThumbUpdating = false;
    }
}

void TVxStandardPreview::SetGridRows(int rows)
{
    FThumbModel->SetRows(rows);
    FThumbGrid->viewport()->update();
}

void TVxStandardPreview::ResizeThumb()
{
    if (!FVXPrinter)
        return;
    FThumbFontHeight = FThumbGrid->fontMetrics().boundingRect(QStringLiteral("P")).height();
    const int columnWidth = FThumbGrid->viewport()->width() - 4;
    FThumbGrid->setColumnWidth(0, columnWidth);
    FThumbDrawWidth = columnWidth - 20;
    const double paperWidth = std::max(1, FVXPrinter->PaperWidth());
    const double paperLength = std::max(1, FVXPrinter->PaperLength());
    if (FReportOrientation == TPrinterOrientation::poLandscape)
        FThumbDrawHeight = RoundEven(FThumbDrawWidth / paperLength * paperWidth - FThumbFontHeight);
    else
        FThumbDrawHeight = RoundEven(FThumbDrawWidth / paperWidth * paperLength - FThumbFontHeight);
    FThumbDrawHeight = std::max(FThumbDrawHeight, 24);
    FThumbGrid->verticalHeader()->setDefaultSectionSize(FThumbDrawHeight);
    FThumbLeftMargin = RoundEven((columnWidth - FThumbDrawWidth) / 2.0);
    FThumbTopMargin = 0;
    FThumbGrid->viewport()->update();
}

// --- Zoom and pages -------------------------------------------------------------

void TVxStandardPreview::ZoomToFitClick()
{
    QCoreApplication::processEvents();
    FVXPreview->ZoomToFit();
    UpdateZoomPanel();
}

void TVxStandardPreview::ZoomToWidthClick()
{
    QCoreApplication::processEvents();
    FVXPreview->ZoomToWidth();
    UpdateZoomPanel();
}

void TVxStandardPreview::ZoomTo100Click()
{
    QCoreApplication::processEvents();
    FVXPreview->SetZoom(100);
    FVXPreview->UpdateZoom();
    UpdateZoomPanel();
}

void TVxStandardPreview::ZoomPickButtonClick()
{
    QToolButton *pick = Button(QStringLiteral("ZoomPickButton"));
    FZoommenu->popup(pick->mapToGlobal(QPoint(pick->width() / 2, pick->height() / 2)));
}

void TVxStandardPreview::N50Click(QAction *item)
{
    if (!item)
        return;
    bool ok = false;
    const int zoom = item->objectName().mid(1).toInt(&ok);
    if (ok)
        FVXPreview->SetZoom(zoom);
    if (QAbstractButton *checked = FZoomGroup->checkedButton()) {
        FZoomGroup->setExclusive(false);
        checked->setChecked(false);
        FZoomGroup->setExclusive(true);
    }
    UpdateInfo();
}

void TVxStandardPreview::ZoomBy(double factor)
{
    const int zoom = FVXPreview->Zoom();
    int next = RoundEven(zoom * factor);
    if (next == zoom)
        next += factor > 1 ? 1 : -1;
    FVXPreview->SetZoom(std::clamp(next, 2, 2000));
    if (QAbstractButton *checked = FZoomGroup->checkedButton()) {
        FZoomGroup->setExclusive(false);
        checked->setChecked(false);
        FZoomGroup->setExclusive(true);
    }
    UpdateInfo();
}

void TVxStandardPreview::FirstPageClick()
{
    SelectPage(1);
}

void TVxStandardPreview::PrevPageClick()
{
    SelectPage(FVXPreview->PageNumber() - 1);
}

void TVxStandardPreview::NextPageClick()
{
    SelectPage(FVXPreview->PageNumber() + 1);
}

void TVxStandardPreview::LastPageClick()
{
    if (!FVXPrinter)
        return;
    // While the run goes on the last page may still be being drawn.
    const bool finished = FVXPrinter->Status() == TVxPrinterStatus::mpFinished;
    SelectPage(finished ? OfferedPages() : OfferedPages() - 1);
}

void TVxStandardPreview::GotoPageButtonClick()
{
    const int count = FVXPrinter ? OfferedPages() : 0;
    QInputDialog box(this);
    box.setObjectName(QStringLiteral("GotoPageBox"));
    box.setWindowTitle(QStringLiteral("Select a page from 1 to %1").arg(count));
    box.setLabelText(QStringLiteral("Enter page number"));
    box.setTextValue(QString::number(FVXPreview->PageNumber()));
    box.exec();
    // The text counts whichever way the box was closed.
    GotoPage(box.textValue());
}

void TVxStandardPreview::GotoPage(const QString &text)
{
    const int count = FVXPrinter ? OfferedPages() : 0;
    bool ok = false;
    int page = text.trimmed().toInt(&ok);
    if (!ok || page < 1 || page > count)
        page = 1;
    SelectPage(page);
}

void TVxStandardPreview::ThumbGridSelectCell(int row)
{
    if (FThumbUpdating || FThumbSelecting)
        return;
    FThumbSelecting = true;
    if (FVXPreview->PageNumber() != row + 1)
        FVXPreview->SetPageNumber(row + 1);
    UpdateInfo();
    FThumbSelecting = false;
}

void TVxStandardPreview::VXPreviewPageAvailable(int)
{
    if (!FVXPrinter)
        return;
    QToolButton *cancel = Button(QStringLiteral("CancelButton"));
    cancel->setEnabled(true);
    UpdateInfo();
    const int count = OfferedPages();
    SetGridRows(count);
    if (count > 0 && !pageSelected) {
        SelectPage(1);
        pageSelected = true;
    }
    if (count > 0 && !Button(QStringLiteral("FirstPage"))->isEnabled()) {
        for (const char *name : {"FirstPage", "nextPage", "PreviousPage", "LastPage", "copybutton", "ZoomPickButton"})
            Button(QString::fromLatin1(name))->setEnabled(true);
    }
    if (FVXPrinter->Status() == TVxPrinterStatus::mpFinished) {
        FFinishSeen = true;
        for (const char *name : {"PrintSetup", "Print", "SaveReport", "LoadReport", "FindButton", "GotoPageButton"})
            Button(QString::fromLatin1(name))->setEnabled(true);
        cancel->setEnabled(false);
    }
    // A preview generates at most PagesInPreview pages.
    if (FParentReport && !FLoadedFromFile && FParentReport->PagesInPreview() > 0
        && FVXPrinter->PageCount() >= FParentReport->PagesInPreview())
        FParentReport->SetUserCancel(true);
}

void TVxStandardPreview::CheckFinished()
{
    if (FVXPrinter && !FFinishSeen && FVXPrinter->Status() == TVxPrinterStatus::mpFinished)
        VXPreviewPageAvailable(OfferedPages());
}

void TVxStandardPreview::VXPreviewProgressUpdate(int progress)
{
    if (progress >= LastProgress + 5) {
        FPanels[0]->setText(QStringLiteral("%1%").arg(progress));
        LastProgress = progress;
    }
}

// --- Search ---------------------------------------------------------------------

void TVxStandardPreview::FindButtonClick()
{
    if (!FVXPrinter || FVXPrinter->Status() == TVxPrinterStatus::mpBusy)
        return;
    TSearchDlg dialog(this);
    dialog.exec();
    if (dialog.cancel) {
        FTabs->setCurrentWidget(FTabSearchResult);
        return;
    }
    SearchFor(dialog.Edit1->text(), dialog.CheckBox1->isChecked());
}

void TVxStandardPreview::SearchFor(const QString &text, bool matchCase)
{
    if (!FVXPrinter || FSearchBusy)
        return;
    FSearchBusy = true;
    FSearchResultBox->setEnabled(true);
    FSearchTextLabel->setText(text);
    FSearchResultBox->clear();
    const int count = OfferedPages();
    for (int n = 1; n <= count && FVXPrinter; ++n) {
        const std::unique_ptr<TVxRecordedPage> page = FVXPrinter->GetPage(n);
        if (page && !text.isEmpty() && StrInMetafile(text, *page, matchCase)) {
            auto *item = new QListWidgetItem(QStringLiteral("Page %1").arg(n), FSearchResultBox);
            item->setData(Qt::UserRole, n);
        }
        // A long report stays responsive while it is searched.
        if (n % 50 == 0)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (FSearchResultBox->count() == 0) {
        FSearchResultBox->addItem(QStringLiteral("No matching text"));
        FSearchResultBox->setEnabled(false);
    }
    FTabs->setCurrentWidget(FTabSearchResult);
    FSearchBusy = false;
}

void TVxStandardPreview::SearchResultBoxClick()
{
    const int count = FVXPrinter ? OfferedPages() : 0;
    int page = 1;
    if (const QListWidgetItem *item = FSearchResultBox->currentItem()) {
        bool ok = false;
        page = item->data(Qt::UserRole).toInt(&ok);
        if (!ok || page < 1 || page > count)
            page = 1;
    }
    SelectPage(page);
}

// --- Actions ----------------------------------------------------------------------

void TVxStandardPreview::copybuttonClick()
{
    if (FireEvent(TStandPrevEventType::spCopy, QStringLiteral("Copy")))
        return;
    const TVxRecordedPage *page = FVXPreview->PreviewImage()->Metafile();
    if (!page)
        return;
    // The page at twice the screen resolution, and its texts.
    auto *data = new QMimeData;
    data->setImageData(RenderPage(*page, 192));
    data->setText(PageStrings(*page).join(QLatin1Char('\n')));
    QApplication::clipboard()->setMimeData(data);
}

void TVxStandardPreview::PrintSetupClick()
{
    if (FireEvent(TStandPrevEventType::spPrintSetup, QStringLiteral("PrintSetup")))
        return;
    TCustomVexa *report = Report();
    if (!report || !FVXPrinter)
        return;
    ReportPrinterSetup(*report);
    if (report->Tag() != 0)
        return;
    TVexaPrinterSettings *user = report->UserPrinterSettings();
    FVXPrinter->SetPrinterIndex(report->PrinterSettings()->PrinterIndex());
    TPrinterSettings &settings = FVXPrinter->PrinterSettings();
    if (user->CustomBinCode() < 13) {
        FVXPrinter->SetUseCustomBinCode(false);
        if (const std::optional<TVxBin> bin = BinOfCode(user->CustomBinCode()))
            FVXPrinter->SetOutputBin(*bin);
    } else {
        FVXPrinter->SetUseCustomBinCode(true);
        FVXPrinter->SetCustomBinCode(user->CustomBinCode());
    }
    FVXPrinter->SetCollate(user->Collate());
    FVXPrinter->SetColorOption(user->ColorOption());
    FVXPrinter->SetPrintQuality(user->PrintQuality());
    FVXPrinter->SetCopies(user->Copies());
    FVXPrinter->SetFirstPage(user->FirstPage());
    FVXPrinter->SetLastPage(user->LastPage());
    FVXPrinter->SetDuplex(user->Duplex());
    FVXPrinter->SetExtendedDuplex(user->ExtendedDuplex());
    FVXPrinter->SetUseExtendedDuplex(user->ExtendedDuplex() > 1);
    Q_UNUSED(settings);
}

void TVxStandardPreview::PrintClick()
{
    QToolButton *exit = Button(QStringLiteral("ExitButton"));
    exit->setEnabled(false);
    struct Reenable {
        QPointer<QToolButton> button;
        ~Reenable()
        {
            if (button)
                button->setEnabled(true);
        }
    } reenable{exit};
    if (FireEvent(TStandPrevEventType::spPrint, QStringLiteral("Print")))
        return;
    try {
        auto *report = qobject_cast<TVexa *>(Report());
        if (!PrintMetafileFromPreview() && report) {
            if (!PrintReport(*report))
                PreviewMessage()(this, QStringLiteral("The report could not be printed: no printer is available"));
            // The report's own printer returns to the window if it lost it.
            if (!FVXPreview->VXPrinter() && report->RunState().VXPrinter)
                FVXPreview->SetVXPrinter(report->RunState().VXPrinter);
        } else if (FVXPrinter) {
            FVXPrinter->Print();
        }
    } catch (const std::exception &e) {
        PreviewMessage()(this, QString::fromUtf8(e.what()));
    }
}

QStringList TVxStandardPreview::SaveDialogFilters() const
{
    QStringList filters{DialogFilter(QStringLiteral("Vexa file"), QStringLiteral("VXP"))};
    for (const auto &entry : VXExportFilterLibrary().Filters())
        filters << DialogFilter(entry->FilterName(), entry->Extension());
    return filters;
}

int TVxStandardPreview::DefaultSaveFilterIndex() const
{
    const TPrevSaveType type = FParentReport ? FParentReport->PreviewDefaultSaveType() : TPrevSaveType::stVXP;
    const QString extension = QString::fromLatin1(VXSaveExtensions[int(type)]).mid(1);
    const auto &entries = VXExportFilterLibrary().Filters();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i]->Extension().compare(extension, Qt::CaseInsensitive) == 0)
            return int(i) + 2;
    }
    return 1;
}

void TVxStandardPreview::SaveClick()
{
    if (FireEvent(TStandPrevEventType::spSave, QStringLiteral("Save")))
        return;
    const QStringList filters = SaveDialogFilters();
    QFileDialog dialog(this, QStringLiteral("Save report"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.value(DefaultSaveFilterIndex() - 1));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    SaveToFile(dialog.selectedFiles().constFirst(), int(filters.indexOf(dialog.selectedNameFilter())) + 1);
}

bool TVxStandardPreview::SaveToFile(QString name, int filterIndex)
{
    if (!FVXPrinter)
        return false;
    if (IsFileInUse(name)) {
        PreviewMessage()(this, QStringLiteral("The file is read-only or in use - save abandoned."));
        return false;
    }
    const auto &entries = VXExportFilterLibrary().Filters();
    QString ext = QFileInfo(name).suffix().toUpper();
    if (ext.isEmpty()) {
        if (filterIndex >= 2 && size_t(filterIndex - 2) < entries.size())
            ext = entries[size_t(filterIndex - 2)]->Extension().toUpper();
        else
            ext = QStringLiteral("VXP");
        if (ext.startsWith(QLatin1Char('.')))
            ext = ext.mid(1, 4).trimmed();
        name += QLatin1Char('.') + ext;
    }
    try {
        if (ext == QLatin1String("VXP")) {
            FVXPrinter->Save(name);
            return true;
        }
        const TVxExportFilterLibraryEntry *entry = VXExportFilterLibrary().GetFilterByExtension(ext);
        if (!entry) {
            PreviewMessage()(this, QStringLiteral("%1 was not saved: no export filter writes .%2 files")
                                       .arg(QDir::toNativeSeparators(name), ext));
            return false;
        }
        TCustomVexa *report = Report();
        if (!report) {
            PreviewMessage()(this, QStringLiteral("%1 was not saved: loaded pages can be saved as a Vexa file only")
                                       .arg(QDir::toNativeSeparators(name)));
            return false;
        }
        const std::unique_ptr<TVxExportFilter> filter = entry->ExportFilterClass().Create(name);
        if (!ExportReportToFilter(*report, *filter)) {
            PreviewMessage()(this, QStringLiteral("%1 was not saved: the report is running")
                                       .arg(QDir::toNativeSeparators(name)));
            return false;
        }
    } catch (const std::exception &e) {
        PreviewMessage()(this, QString::fromUtf8(e.what()));
        return false;
    }
    return true;
}

void TVxStandardPreview::LoadClick()
{
    if (FireEvent(TStandPrevEventType::spLoad, QStringLiteral("Load")))
        return;
    QFileDialog dialog(this, QStringLiteral("Load report"));
    dialog.setObjectName(QStringLiteral("LoadDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilter(DialogFilter(QStringLiteral("Vexa file"), QStringLiteral("VXP")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    LoadFromFile(dialog.selectedFiles().constFirst());
}

bool TVxStandardPreview::LoadFromFile(const QString &name)
{
    if (!FVXPrinter)
        return false;
    if (!QFileInfo::exists(name)) {
        PreviewMessage()(this, QStringLiteral("File does not exist"));
        return false;
    }
    try {
        FVXPrinter->Load(name);
    } catch (const std::exception &e) {
        PreviewMessage()(this, QString::fromUtf8(e.what()));
        // The store was emptied: show that.
        SetGridRows(OfferedPages());
        FVXPreview->PreviewImage()->SetPageNumber(1);
        UpdateInfo();
        return false;
    }
    ReportTitle = name;
    FLoadedFromFile = true;
    FVXPreview->SetVXPrinter(FVXPrinter);
    FReportOrientation = FVXPrinter->Orientation();
    if (TCustomVexa *report = Report()) {
        report->Page()->SetPaperSize(FVXPrinter->PaperSize());
        report->Page()->SetOrientation(FVXPrinter->Orientation());
    }
    FVXPreview->UpdateZoom();
    FVXPreview->Fixvalues();
    ResizeThumb();
    FFinishSeen = false;
    SetGridRows(0);
    VXPreviewPageAvailable(1);
    SelectPage(1);
    SetPrintMetafileFromPreview(true);
    Button(QStringLiteral("Print"))->setEnabled(true);
    return true;
}

void TVxStandardPreview::CancelButtonClick()
{
    if (FireEvent(TStandPrevEventType::spCancel, QStringLiteral("Cancel")))
        return;
    if (TCustomVexa *report = Report())
        report->SetUserCancel(true);
    else if (FVXPrinter)
        FVXPrinter->Cancel();
}

void TVxStandardPreview::ExitClick()
{
    close();
}

void TVxStandardPreview::closeEvent(QCloseEvent *event)
{
    const bool busy = FVXPrinter && FVXPrinter->Status() == TVxPrinterStatus::mpBusy;
    if (busy || !Button(QStringLiteral("ExitButton"))->isEnabled()) {
        // The run must be cancelled or finish first.
        event->ignore();
        return;
    }
    FireEvent(TStandPrevEventType::spClose, QString());
    FStatusTimer->stop();
    if (FVXPrinter)
        FVXPrinter->ClosePreview(this);
    QCoreApplication::processEvents();
    event->accept();
}

void TVxStandardPreview::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    FVXPreview->UpdateZoom();
    FVXPreview->Fixvalues();
    UpdateZoomPanel();
    ResizeThumb();
}

// --- Keys -------------------------------------------------------------------------

bool TVxStandardPreview::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (key == Qt::Key_Escape) {
        close();
        return true;
    }
    QWidget *focus = QApplication::focusWidget();
    if (focus && (focus == FThumbGrid || FThumbGrid->isAncestorOf(focus)))
        return false;
    const bool pagesOpen = Button(QStringLiteral("FirstPage"))->isEnabled();
    QScrollBar *bar = FVXPreview->verticalScrollBar();
    const int increment = bar->singleStep();
    switch (key) {
    case Qt::Key_PageUp:
        if (pagesOpen)
            mods == Qt::ControlModifier ? FirstPageClick() : PrevPageClick();
        return true;
    case Qt::Key_PageDown:
        if (pagesOpen)
            mods == Qt::ControlModifier ? LastPageClick() : NextPageClick();
        return true;
    case Qt::Key_Home:
        if (pagesOpen)
            FirstPageClick();
        return true;
    case Qt::Key_End:
        if (pagesOpen)
            LastPageClick();
        return true;
    case Qt::Key_Up:
        if (bar->value() - increment < 1) {
            const int before = FVXPreview->PageNumber();
            FThumbSelecting = true;
            PrevPageClick();
            FThumbSelecting = false;
            bar->setValue(before < 2 ? 0 : bar->maximum());
        } else {
            bar->setValue(bar->value() - increment);
        }
        return true;
    case Qt::Key_Down:
        if (bar->value() + increment < bar->maximum()) {
            bar->setValue(bar->value() + increment);
        } else if (FVXPrinter && FVXPreview->PageNumber() < OfferedPages()) {
            FThumbSelecting = true;
            NextPageClick();
            FThumbSelecting = false;
        } else {
            bar->setValue(bar->maximum());
        }
        return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        ZoomBy(1.2);
        return true;
    case Qt::Key_Minus:
        ZoomBy(1 / 1.2);
        return true;
    case Qt::Key_F:
        if (mods == Qt::ControlModifier) {
            QToolButton *find = Button(QStringLiteral("FindButton"));
            if (find->isEnabled() && find->isVisibleTo(this))
                FindButtonClick();
            return true;
        }
        return false;
    case Qt::Key_P:
        if (mods == Qt::ControlModifier) {
            QToolButton *print = Button(QStringLiteral("Print"));
            if (print->isEnabled() && print->isVisibleTo(this))
                PrintClick();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TVxStandardPreview::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::Wheel)
        return false;
    auto *widget = qobject_cast<QWidget *>(watched);
    if (!widget || widget->window() != this)
        return false;
    if (type == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Typing into the tool bar's or the lists' own fields stays theirs.
        try {
            return FormKeyDown(key->key(), key->modifiers());
        } catch (...) {
            return true;
        }
    }
    // Wheel turns over the page move through it (and past its ends to the
    // neighbouring pages); with Ctrl they zoom.
    if (!FVXPreview->isAncestorOf(widget) && widget != FVXPreview)
        return false;
    auto *wheel = static_cast<QWheelEvent *>(event);
    const int delta = wheel->angleDelta().y();
    if (delta == 0)
        return false;
    if (wheel->modifiers() & Qt::ControlModifier)
        ZoomBy(delta > 0 ? 1.2 : 1 / 1.2);
    else
        FormKeyDown(delta <= 0 ? Qt::Key_Down : Qt::Key_Up, Qt::NoModifier);
    return true;
}

// --- The interface ------------------------------------------------------------------

QObject *TVxStandardPreviewInterface::Show(TVxPrinter *printer)
{
    TVxStandardPreview *window = TVxStandardPreview::CreatePreview(nullptr, printer);
    window->Show();
    return window;
}

QObject *TVxStandardPreviewInterface::ShowModal(TVxPrinter *printer)
{
    QPointer<TVxStandardPreview> window = TVxStandardPreview::CreatePreview(nullptr, printer);
    window->setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);
    window->Show();
    if (window)
        loop.exec();
    return window;
}

void InstallPreviewWindows()
{
    GlobalPreviewInterface() = [] { return std::make_unique<TVxStandardPreviewInterface>(); };
    if (!RunningHeadless()) {
        GlobalProgressForm() = [](TVxPrinter *printer, const QString &caption) -> std::unique_ptr<QObject> {
            auto form = std::make_unique<TVxProgressForm>(printer, caption);
            form->show();
            return form;
        };
    }
    GlobalPrintDialog() = &ExecutePrintDialog;
}

} // namespace zelmio
