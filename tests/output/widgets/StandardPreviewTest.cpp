// The preview window driven as a user would: pages, zoom, thumbnails,
// search, save and load, cancel during a run, the controller's buttons and
// the report's hook.
#include "../../engine/EngineTestSupport.h"

#include "export/pdf/VxPDFFilter.h"
#include "model/VxPreviewController.h"
#include "output/PageReplay.h"
#include "output/RecordedPage.h"
#include "output/VxPrinter.h"
#include "output/VxPrinterMessage.h"
#include "output/widgets/VxPreview.h"
#include "output/widgets/VxPreviewDialogs.h"
#include "output/widgets/VxStandardPreview.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputDialog>
#include <QMimeData>
#include <QPainter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QKeyEvent>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// Numbered details, 26 to an A4 page, and a footer "page N".
void NumberedDetails(ReportFixture &f, int records)
{
    f.SetData(kNumberField, NumberedRows(records));
    f.AddField(f.AddBand(TVxBandType::rbDetail, 100), QStringLiteral("NR"));
    f.AddExpr(f.AddBand(TVxBandType::rbPageFooter, 100), QStringLiteral("'page ' + STR(PAGENUMBER)"), 0);
}

// Messages the window shows, caught instead of message boxes.
struct CaughtMessages {
    QStringList texts;
    TPreviewMessage previous = PreviewMessage();
    CaughtMessages()
    {
        PreviewMessage() = [this](QWidget *, const QString &text) { texts << text; };
    }
    ~CaughtMessages() { PreviewMessage() = previous; }
};

// A finished report in an open preview window.
struct PreviewFixture {
    ReportFixture f;
    QPointer<TVxStandardPreview> window;
    TVxPrinter *printer = nullptr;

    explicit PreviewFixture(int records, const std::function<void(ReportFixture &)> &setup = {})
    {
        NumberedDetails(f, records);
        if (setup)
            setup(f);
        EXPECT_TRUE(PrepareReport(*f.report));
        printer = f.report->RunState().VXPrinter;
        window = TVxStandardPreview::CreatePreview(nullptr, printer);
        window->Show();
    }
    ~PreviewFixture()
    {
        if (window) {
            window->close();
            delete window.data();
        }
    }
    QToolButton *Button(const char *name) const { return window->Button(QString::fromLatin1(name)); }
    int Page() const { return window->VXPreview()->PageNumber(); }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(window->VXPreview(), &press);
    }
    QStringList Results() const
    {
        QStringList items;
        for (int i = 0; i < window->SearchResultBox()->count(); ++i)
            items << window->SearchResultBox()->item(i)->text();
        return items;
    }
};

// Runs action once the modal dialog of that class is up.
template <class Dialog>
void OnModal(std::function<void(Dialog *)> action)
{
    QTimer::singleShot(0, [action] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        action(dialog);
    });
}

} // namespace

TEST(StandardPreview, OpensWithItsCaptionTextsAndFirstPage)
{
    PreviewFixture p(30, [](ReportFixture &f) { f.report->SetReportTitle(QStringLiteral("Cenas")); });
    EXPECT_EQ(p.window->windowTitle(), QStringLiteral("Report Preview : Cenas"));
    EXPECT_EQ(p.window->PanelText(1), QStringLiteral("Page 1 of 2"));
    EXPECT_EQ(p.window->PanelText(3), QStringLiteral("Cenas"));
    EXPECT_EQ(p.window->Tabs()->tabText(0), QStringLiteral("ThumbNails"));
    EXPECT_EQ(p.window->Tabs()->tabText(1), QStringLiteral("Search Results"));
    EXPECT_EQ(p.Button("ExitButton")->text(), QStringLiteral("&Close"));
    EXPECT_EQ(p.Button("ZoomFit")->toolTip(), QStringLiteral("Zoom to fit"));
    EXPECT_TRUE(p.window->VXPreview()->PreviewImage()->ImageOK());
    // A finished run: every action is open, cancel is not.
    for (const char *name : {"FirstPage", "nextPage", "Print", "PrintSetup", "SaveReport", "LoadReport", "FindButton"})
        EXPECT_TRUE(p.Button(name)->isEnabled()) << name;
    EXPECT_FALSE(p.Button("CancelButton")->isEnabled());
    EXPECT_TRUE(p.printer->ShowingPreview());
    // Closing detaches the window from the printer.
    p.window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(p.window.isNull());
    EXPECT_FALSE(p.printer->ShowingPreview());
}

TEST(StandardPreview, ButtonsAndKeysMoveBetweenPages)
{
    PreviewFixture p(26 * 5); // five pages
    ASSERT_EQ(p.printer->PageCount(), 5);
    p.Button("PreviousPage")->click();
    EXPECT_EQ(p.Page(), 1);
    p.Button("nextPage")->click();
    p.Button("nextPage")->click();
    EXPECT_EQ(p.Page(), 3);
    EXPECT_EQ(p.window->PanelText(1), QStringLiteral("Page 3 of 5"));
    p.Button("LastPage")->click();
    EXPECT_EQ(p.Page(), 5);
    p.Button("nextPage")->click();
    EXPECT_EQ(p.Page(), 5);
    p.Button("FirstPage")->click();
    EXPECT_EQ(p.Page(), 1);
    // The image shows the page moved to.
    p.Button("nextPage")->click();
    EXPECT_EQ(PageStrings(*p.window->VXPreview()->PreviewImage()->Metafile()).last(), QStringLiteral("page 2"));

    const struct {
        int key;
        Qt::KeyboardModifiers modifiers;
        int expected;
    } keys[] = {
        {Qt::Key_PageDown, Qt::NoModifier, 3},
        {Qt::Key_PageUp, Qt::NoModifier, 2},
        {Qt::Key_PageDown, Qt::ControlModifier, 5},
        {Qt::Key_PageUp, Qt::ControlModifier, 1},
        // The modifiers must be exactly Ctrl.
        {Qt::Key_PageDown, Qt::ControlModifier | Qt::ShiftModifier, 2},
        {Qt::Key_End, Qt::NoModifier, 5},
        {Qt::Key_Home, Qt::NoModifier, 1},
    };
    for (const auto &k : keys) {
        p.Key(k.key, k.modifiers);
        EXPECT_EQ(p.Page(), k.expected) << "key " << k.key;
    }

    // Up at the top of page 1 stays there; Up at the top of page 3 shows the
    // bottom of page 2; Down at the bottom of a page goes on to the next.
    p.window->VXPreview()->SetZoom(200);
    QScrollBar *bar = p.window->VXPreview()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    p.Key(Qt::Key_Up);
    EXPECT_EQ(p.Page(), 1);
    EXPECT_EQ(bar->value(), 0);
    p.window->SelectPage(3);
    p.Key(Qt::Key_Up);
    EXPECT_EQ(p.Page(), 2);
    EXPECT_EQ(bar->value(), bar->maximum());
    p.Key(Qt::Key_Down);
    EXPECT_EQ(p.Page(), 3);
    EXPECT_EQ(bar->value(), 0);
    p.Key(Qt::Key_Down);
    EXPECT_EQ(bar->value(), bar->singleStep());

    // Go to page: anything but 1 ... 5 shows page 1.
    for (const auto &[text, expected] : std::vector<std::pair<QString, int>>{{"4", 4}, {"abc", 1}, {"0", 1}, {"6", 1}}) {
        p.window->GotoPage(text);
        EXPECT_EQ(p.Page(), expected) << text.toStdString();
    }
    // The go-to box itself.
    OnModal<QInputDialog>([](QInputDialog *box) {
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Select a page from 1 to 5"));
        EXPECT_EQ(box->labelText(), QStringLiteral("Enter page number"));
        EXPECT_EQ(box->textValue(), QStringLiteral("1"));
        box->setTextValue(QStringLiteral("3"));
        box->reject(); // the text counts all the same
    });
    p.Button("GotoPageButton")->click();
    EXPECT_EQ(p.Page(), 3);
}

TEST(StandardPreview, ZoomStatesTheZoomMenuAndZoomKeys)
{
    PreviewFixture p(30);
    TVxPreview *preview = p.window->VXPreview();
    preview->SetZoom(100);
    // A4 at 100 % on 96 dpi: 794 pixels and the frame's 4.
    EXPECT_EQ(preview->PreviewImage()->width(), 798);
    EXPECT_EQ(preview->ZoomState(), TVxZoomState::vxZoomOther);
    for (int rejected : {1, 2001}) {
        preview->SetZoom(rejected);
        EXPECT_EQ(preview->Zoom(), 100);
    }
    preview->SetZoom(2);
    EXPECT_EQ(preview->Zoom(), 2);
    preview->SetZoom(2000);
    EXPECT_EQ(preview->Zoom(), 2000);

    p.Button("ZoomFit")->click();
    EXPECT_EQ(preview->ZoomState(), TVxZoomState::vxZoomToFit);
    // The whole sheet fits into the control.
    EXPECT_LE(preview->PreviewImage()->height(), preview->height());
    EXPECT_EQ(p.window->PanelText(2), QStringLiteral("Zoom %1%").arg(preview->Zoom()));
    p.Button("ZoomToWidth")->click();
    EXPECT_EQ(preview->ZoomState(), TVxZoomState::vxZoomToWidth);
    EXPECT_LE(preview->PreviewImage()->width(), preview->width());
    EXPECT_GT(preview->PreviewImage()->width(), preview->width() * 8 / 10);
    // Resizing refits in the fit states.
    const int widthZoom = preview->Zoom();
    p.window->resize(p.window->width() + 200, p.window->height());
    EXPECT_GT(preview->Zoom(), widthZoom);
    p.Button("Zoom100")->click();
    EXPECT_EQ(preview->Zoom(), 100);
    EXPECT_EQ(p.window->PanelText(2), QStringLiteral("Zoom 100%"));

    // The menu: 50 % to 200 % in steps of 10.
    QStringList captions;
    for (QAction *item : p.window->Zoommenu()->actions())
        captions << item->text();
    EXPECT_EQ(captions.size(), 16);
    EXPECT_EQ(captions.first(), QStringLiteral("50%"));
    EXPECT_EQ(captions.last(), QStringLiteral("200%"));
    p.window->Zoommenu()->findChild<QAction *>(QStringLiteral("N150"))->trigger();
    EXPECT_EQ(preview->Zoom(), 150);
    EXPECT_EQ(p.window->PanelText(2), QStringLiteral("Zoom 150%"));
    p.Key(Qt::Key_Plus);
    EXPECT_EQ(preview->Zoom(), 180);
    p.Key(Qt::Key_Minus);
    EXPECT_EQ(preview->Zoom(), 150);
}

TEST(StandardPreview, ThumbnailsSelectPagesAndFollowThem)
{
    PreviewFixture p(26 * 4);
    QTableView *grid = p.window->ThumbGrid();
    ASSERT_EQ(grid->model()->rowCount(), 4);
    // Rows in the sheet's proportions (A4 portrait: taller than wide).
    EXPECT_GT(p.window->ThumbDrawHeight(), p.window->ThumbDrawWidth());
    grid->setCurrentIndex(grid->model()->index(2, 0));
    EXPECT_EQ(p.Page(), 3);
    EXPECT_EQ(p.window->PanelText(1), QStringLiteral("Page 3 of 4"));
    p.Button("LastPage")->click();
    EXPECT_EQ(grid->currentIndex().row(), 3);
    // A thumbnail is the page, drawn small with its frame.
    const QImage shot = grid->viewport()->grab().toImage();
    EXPECT_FALSE(shot.isNull());
    bool dark = false;
    for (int y = 12; y < std::min(shot.height(), p.window->ThumbDrawHeight() - 12) && !dark; ++y)
        for (int x = p.window->ThumbLeftMargin() + 4; x < shot.width() - 34 && !dark; ++x)
            dark = qGray(shot.pixel(x, y)) < 100;
    EXPECT_TRUE(dark);
}

TEST(StandardPreview, ALandscapeReportsThumbnailsAreWiderThanTall)
{
    PreviewFixture p(5, [](ReportFixture &f) { f.report->Page()->SetOrientation(TPrinterOrientation::poLandscape); });
    EXPECT_LT(p.window->ThumbDrawHeight(), p.window->ThumbDrawWidth());
}

TEST(StandardPreview, SearchListsEveryPageWithTheTextOfALongReport)
{
    PreviewFixture p(26 * 80);
    ASSERT_EQ(p.printer->PageCount(), 80);
    // The footer "page 37" only on page 37; without match case any case.
    p.window->SearchFor(QStringLiteral("PAGE 37"), false);
    EXPECT_EQ(p.Results(), QStringList{"Page 37"});
    EXPECT_EQ(p.window->findChild<QLabel *>(QStringLiteral("SearchTextLabel"))->text(), QStringLiteral("PAGE 37"));
    EXPECT_EQ(p.window->Tabs()->currentWidget()->objectName(), QStringLiteral("TabSearchResult"));
    p.window->SearchResultBox()->setCurrentRow(0);
    p.window->SearchResultBoxClick();
    EXPECT_EQ(p.Page(), 37);
    EXPECT_EQ(PageStrings(*p.window->VXPreview()->PreviewImage()->Metafile()).last(), QStringLiteral("page 37"));

    // Every hit: "page 3" is on 3 and 30 to 39.
    p.window->SearchFor(QStringLiteral("page 3"), true);
    QStringList expected{"Page 3"};
    for (int n = 30; n <= 39; ++n)
        expected << QStringLiteral("Page %1").arg(n);
    EXPECT_EQ(p.Results(), expected);
    EXPECT_TRUE(p.window->SearchResultBox()->isEnabled());

    // Match case, and a text split over two outputs, find nothing.
    for (const QString &text : {QStringLiteral("PAGE 37"), QStringLiteral("26page")}) {
        p.window->SearchFor(text, true);
        EXPECT_EQ(p.Results(), QStringList{"No matching text"});
        EXPECT_FALSE(p.window->SearchResultBox()->isEnabled());
    }

    // Through the search dialog (Ctrl+F).
    OnModal<TSearchDlg>([](TSearchDlg *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Search for Text"));
        EXPECT_EQ(dialog->CheckBox1->text(), QStringLiteral("Match case"));
        dialog->Edit1->setText(QStringLiteral("2049"));
        dialog->SpeedButton2->click();
    });
    p.Key(Qt::Key_F, Qt::ControlModifier);
    EXPECT_EQ(p.Results(), QStringList{"Page 79"});
    // Cancel leaves the results as they were.
    OnModal<TSearchDlg>([](TSearchDlg *dialog) {
        dialog->Edit1->setText(QStringLiteral("page"));
        dialog->SpeedButton1->click();
    });
    p.Button("FindButton")->click();
    EXPECT_EQ(p.Results(), QStringList{"Page 79"});
}

TEST(StandardPreview, SavesAsAPreparedReportOrThroughTheRegistryAndLoadsBack)
{
    TVxPDFFilter pdfComponent; // registers the PDF filter
    CaughtMessages messages;
    QTemporaryDir dir;
    PreviewFixture p(26 * 3);

    // Only registered types are offered: the prepared report, then the PDF.
    const QStringList filters = p.window->SaveDialogFilters();
    ASSERT_GE(filters.size(), 2);
    EXPECT_EQ(filters[0], QStringLiteral("Vexa file (*.VXP *.vxp)"));
    EXPECT_TRUE(filters.join('|').contains(QStringLiteral("*.PDF")));
    EXPECT_FALSE(filters.join('|').contains(QStringLiteral("HTML")));
    EXPECT_EQ(p.window->DefaultSaveFilterIndex(), int(filters.indexOf(QRegularExpression("^PDF.*"))) + 1)
        << filters.join('|').toStdString();

    const QString vxp = dir.filePath(QStringLiteral("cenas.vxp"));
    ASSERT_TRUE(p.window->SaveToFile(vxp, 2)); // the extension decides
    EXPECT_TRUE(QFileInfo::exists(vxp));

    // A name without extension takes the chosen type's.
    const int pdfIndex = p.window->DefaultSaveFilterIndex();
    ASSERT_TRUE(p.window->SaveToFile(dir.filePath(QStringLiteral("cenas")), pdfIndex));
    QFile pdf(dir.filePath(QStringLiteral("cenas.PDF")));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF-"));
    pdf.close();

    // Through the save dialog.
    OnModal<QFileDialog>([&](QFileDialog *dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Save report"));
        EXPECT_TRUE(dialog->selectedNameFilter().startsWith(QStringLiteral("PDF")));
        dialog->selectFile(dir.filePath(QStringLiteral("dialog.pdf")));
        QMetaObject::invokeMethod(dialog, "accept");
    });
    p.Button("SaveReport")->click();
    EXPECT_TRUE(QFileInfo::exists(dir.filePath(QStringLiteral("dialog.pdf"))));
    EXPECT_TRUE(messages.texts.isEmpty()) << messages.texts.join('\n').toStdString();

    // A type no filter writes saves nothing and says why.
    EXPECT_FALSE(p.window->SaveToFile(dir.filePath(QStringLiteral("cenas.html")), 1));
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("cenas.html"))));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral("cenas.html"))) << messages.texts[0].toStdString();
    EXPECT_TRUE(messages.texts[0].contains(QStringLiteral(".HTML")));
    // A file that cannot be written is not touched.
    const QString locked = dir.filePath(QStringLiteral("locked.vxp"));
    QFile(locked).open(QIODevice::WriteOnly);
    QFile::setPermissions(locked, QFile::ReadOwner);
    if (!QFile(locked).open(QIODevice::ReadWrite)) { // root may write anyway
        EXPECT_FALSE(p.window->SaveToFile(locked, 1));
        EXPECT_EQ(messages.texts.last(), QStringLiteral("The file is read-only or in use - save abandoned."));
    }

    // Loading the prepared report into a window of a printer of its own.
    TVxPrinter loaded;
    QPointer<TVxStandardPreview> other = TVxStandardPreview::CreatePreview(nullptr, &loaded);
    other->Show();
    ASSERT_TRUE(other->LoadFromFile(vxp));
    EXPECT_EQ(loaded.PageCount(), 3);
    EXPECT_EQ(other->PanelText(1), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(other->ThumbGrid()->model()->rowCount(), 3);
    EXPECT_TRUE(other->Button(QStringLiteral("Print"))->isEnabled());
    EXPECT_TRUE(PrintMetafileFromPreview());
    other->LastPageClick();
    EXPECT_EQ(PageStrings(*other->VXPreview()->PreviewImage()->Metafile()).last(), QStringLiteral("page 3"));
    // Missing and damaged files are named, nothing crashes.
    messages.texts.clear();
    EXPECT_FALSE(other->LoadFromFile(dir.filePath(QStringLiteral("none.vxp"))));
    EXPECT_EQ(messages.texts.value(0), QStringLiteral("File does not exist"));
    const QString damaged = dir.filePath(QStringLiteral("damaged.vxp"));
    QFile bad(damaged);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a prepared report at all");
    bad.close();
    EXPECT_FALSE(other->LoadFromFile(damaged));
    EXPECT_TRUE(messages.texts.value(1).contains(QStringLiteral("damaged.vxp"))) << messages.texts.value(1).toStdString();
    other->close();
    delete other.data();
    SetPrintMetafileFromPreview(false);
}

TEST(StandardPreview, PagesShowWhileGeneratedAndCancelStopsTheRun)
{
    InstallPreviewWindows();
    ReportFixture f;
    NumberedDetails(f, 26 * 2000);
    bool sawFirstPageWhileBusy = false;
    bool closeRefusedWhileBusy = false;
    int pagesAtCancel = 0;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *window = qobject_cast<TVxStandardPreview *>(QApplication::activeWindow());
        if (!window) {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (auto *preview = qobject_cast<TVxStandardPreview *>(w))
                    window = preview;
        }
        if (!window || !window->VXPrinter())
            return;
        TVxPrinter *printer = window->VXPrinter();
        if (printer->Status() == TVxPrinterStatus::mpBusy && printer->PageCount() >= 3 && pagesAtCancel == 0) {
            sawFirstPageWhileBusy = window->VXPreview()->PreviewImage()->ImageOK()
                && window->Button(QStringLiteral("nextPage"))->isEnabled()
                && window->Button(QStringLiteral("CancelButton"))->isEnabled();
            window->close();
            closeRefusedWhileBusy = window->isVisible();
            pagesAtCancel = printer->PageCount();
            window->Button(QStringLiteral("CancelButton"))->click();
        } else if (pagesAtCancel > 0 && printer->Status() == TVxPrinterStatus::mpFinished
                   && !window->Button(QStringLiteral("CancelButton"))->isEnabled()) {
            window->Button(QStringLiteral("ExitButton"))->click();
        } else if (clock.elapsed() > 60000) {
            ADD_FAILURE() << "the run was not stopped";
            f.report->SetUserCancel(true);
        }
    });
    poll.start();
    // Returns once the window has been closed.
    EXPECT_TRUE(PreviewReport(*f.report));
    poll.stop();
    TVxPrinter *printer = f.report->RunState().VXPrinter;
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(sawFirstPageWhileBusy);
    EXPECT_TRUE(closeRefusedWhileBusy);
    EXPECT_GT(pagesAtCancel, 0);
    // The record loop stops at the next record.
    EXPECT_LE(printer->PageCount(), pagesAtCancel + 1);
    EXPECT_FALSE(printer->ShowingPreview());
    GlobalPreviewInterface() = [] { return std::make_unique<TVxPreviewInterface>(); };
}

TEST(StandardPreview, PagesInPreviewStopsTheRunAtThatPage)
{
    InstallPreviewWindows();
    ReportFixture f;
    NumberedDetails(f, 26 * 20);
    f.report->SetPagesInPreview(3);
    QStringList panels;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *window = qobject_cast<TVxStandardPreview *>(w); window && window->isVisible()
                && window->VXPrinter() && window->VXPrinter()->Status() == TVxPrinterStatus::mpFinished) {
                window->LastPageClick();
                panels << window->PanelText(1);
                window->close();
            }
    });
    poll.start();
    EXPECT_TRUE(PreviewReport(*f.report));
    // The run stops after the record that began page 4; three are offered.
    EXPECT_LE(f.report->RunState().VXPrinter->PageCount(), 4);
    ASSERT_FALSE(panels.isEmpty());
    EXPECT_EQ(panels.last(), QStringLiteral("Page 3 of 3"));
    GlobalPreviewInterface() = [] { return std::make_unique<TVxPreviewInterface>(); };
}

TEST(StandardPreview, TheControllerDecidesWhichButtonsShow)
{
    TVxPreviewController *controller = nullptr;
    PreviewFixture p(5, [&](ReportFixture &f) {
        controller = new TVxPreviewController(&f.form);
        for (const char *hidden : {"ShowPrintButton", "ShowSaveReportButton", "ShowFindButton", "ShowZoomFitButton",
                                   "ShowLastButton", "ShowThumbs"})
            controller->setProperty(hidden, false);
        f.report->SetPreviewController(controller);
    });
    for (const char *name : {"Print", "SaveReport", "FindButton", "ZoomFit", "LastPage"})
        EXPECT_FALSE(p.Button(name)->isVisibleTo(p.window)) << name;
    for (const char *name : {"LoadReport", "PrintSetup", "nextPage", "ZoomToWidth", "copybutton", "CancelButton"})
        EXPECT_TRUE(p.Button(name)->isVisibleTo(p.window)) << name;
    // Neither thumbnails nor search: no tabs.
    EXPECT_FALSE(p.window->Tabs()->isVisibleTo(p.window));
    // A hidden button's key does nothing.
    int searches = 0;
    QTimer::singleShot(0, [&] {
        if (QApplication::activeModalWidget()) {
            ++searches;
            QApplication::activeModalWidget()->close();
        }
    });
    p.Key(Qt::Key_F, Qt::ControlModifier);
    QCoreApplication::processEvents();
    EXPECT_EQ(searches, 0);
}

TEST(StandardPreview, TheHookSeesEveryActionAndHandledSkipsTheWindowsOwn)
{
    struct Call {
        TStandPrevEventType type;
        QString name;
    };
    std::vector<Call> calls;
    bool handle = true;
    PreviewFixture p(26 * 2, [&](ReportFixture &f) {
        f.report->SetOnStandPrevEvent([&](QObject *, TStandPrevEventType type, const QString &name, bool &handled) {
            calls.push_back({type, name});
            handled = handle;
        });
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].type, TStandPrevEventType::spOpen);
    // Handled: no dialog opens and nothing is done.
    int dialogs = 0;
    QTimer modalGuard;
    QObject::connect(&modalGuard, &QTimer::timeout, [&] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            ++dialogs;
            modal->close();
        }
    });
    modalGuard.start(10);
    QApplication::clipboard()->clear();
    for (const char *name : {"SaveReport", "LoadReport", "Print", "PrintSetup", "copybutton"})
        p.Button(name)->click();
    p.window->CancelButtonClick();
    for (QElapsedTimer wait; !wait.isValid() || wait.elapsed() < 30;) {
        if (!wait.isValid())
            wait.start();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(dialogs, 0);
    EXPECT_FALSE(p.f.report->UserCancel());
    const QMimeData *before = QApplication::clipboard()->mimeData();
    EXPECT_TRUE(!before || !before->hasImage());
    QStringList names;
    for (size_t i = 1; i < calls.size(); ++i)
        names << calls[i].name;
    EXPECT_EQ(names, (QStringList{"Save", "Load", "Print", "PrintSetup", "Copy", "Cancel"}));
    EXPECT_TRUE(p.window->EventHandled());
    // Not handled: the window acts (copy puts the page on the clipboard).
    handle = false;
    p.Button("copybutton")->click();
    const QMimeData *after = QApplication::clipboard()->mimeData();
    ASSERT_NE(after, nullptr);
    EXPECT_TRUE(after->hasImage());
    EXPECT_TRUE(QApplication::clipboard()->text().contains(QStringLiteral("page 1")));
    // Close notifies.
    p.window->close();
    EXPECT_EQ(calls.back().type, TStandPrevEventType::spClose);
    EXPECT_EQ(calls.back().name, QString());
}

TEST(StandardPreview, TheStatusBarAndProgressWindowShowProgressInSteps)
{
    PreviewFixture p(5);
    const std::pair<int, QString> steps[] = {{1, "0%"}, {4, "0%"}, {5, "5%"}, {9, "5%"}, {10, "10%"}};
    for (const auto &[progress, shown] : steps) {
        p.window->VXPreviewProgressUpdate(progress);
        EXPECT_EQ(p.window->PanelText(0), shown) << progress;
    }

    TVxPrinter printer;
    TVxProgressForm form(&printer, QStringLiteral("Printing progress"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Printing progress"));
    printer.SetClient(&form);
    for (int progress : {45, 46, 49}) {
        printer.SetProgress(progress);
        QCoreApplication::sendPostedEvents(&form);
    }
    EXPECT_EQ(form.Gauge()->value(), 45);
    EXPECT_EQ(form.Info()->text(), QStringLiteral("45%  Completed"));
    form.CancelButton()->click();
    EXPECT_TRUE(printer.Cancelled());
}

TEST(PreviewControl, PaintsTheSheetWithFrameAndShadow)
{
    ReportFixture f;
    NumberedDetails(f, 1);
    ASSERT_TRUE(PrepareReport(*f.report));
    const std::unique_ptr<TVxRecordedPage> page = f.report->RunState().VXPrinter->GetPage(1);
    QImage image(104, 144, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    PaintPageToCanvas(page.get(), painter, QRect(0, 0, 104, 144), true);
    painter.end();
    EXPECT_EQ(image.pixel(0, 0), qRgb(0, 0, 0));          // frame
    EXPECT_EQ(image.pixel(101, 50), qRgb(0, 0, 0));       // frame, right
    EXPECT_EQ(image.pixel(103, 50), qRgb(0, 0, 0));       // shadow
    EXPECT_EQ(image.pixel(103, 0), QColor(Qt::gray).rgb()); // the shadow is offset
    EXPECT_EQ(image.pixel(50, 2), qRgb(255, 255, 255));   // sheet
    // Without a page and without frame nothing is drawn.
    QImage empty(20, 20, QImage::Format_RGB32);
    empty.fill(Qt::gray);
    QPainter emptyPainter(&empty);
    PaintPageToCanvas(nullptr, emptyPainter, empty.rect(), false);
    emptyPainter.end();
    EXPECT_EQ(empty.pixel(0, 0), QColor(Qt::gray).rgb());

    // The control: page moves beyond the store are ignored, and a notice for
    // a later page does not refetch the one shown.
    TVxPreview preview;
    preview.SetVXPrinter(f.report->RunState().VXPrinter);
    EXPECT_TRUE(preview.PreviewImage()->ImageOK());
    for (int n : {0, 2}) {
        preview.SetPageNumber(n);
        EXPECT_EQ(preview.PageNumber(), 1);
    }
    const TVxRecordedPage *held = preview.PreviewImage()->Metafile();
    TVxPrinterMessage notice(CM_VXPAGEAVAILABLE, 2, nullptr);
    QCoreApplication::sendEvent(&preview, &notice);
    EXPECT_EQ(preview.PreviewImage()->Metafile(), held);
}
