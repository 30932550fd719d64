#include "designer/widgets/ReportDesignerForm.h"

#include "designer/DesignVexa.h"
#include "designer/ReportDesignerDialog.h"
#include "designer/ReportPrintForm.h"
#include "designer/VexaDesigner.h"
#include "designer/ReportPrinterDialog.h"
#include "designer/DesignerSettings.h"
#include "designer/OpenFileHistory.h"
#include "designer/widgets/DatafieldListbox.h"
#include "designer/widgets/DesignerLanguage.h"
#include "designer/widgets/DesignerGlyphs.h"
#include "designer/widgets/ExpressionBuilder.h"
#include "designer/widgets/OpenFileHistoryMenu.h"
#include "designer/widgets/PropertyDialogs.h"
#include "designer/widgets/ReportWizard.h"
#include "designer/widgets/DesignerPropertyPanel.h"
#include "designer/widgets/ViewOptionsDialog.h"
#include "designer/widgets/VxdRulerPanel.h"
#include "designer/widgets/VxdScrollbox.h"
#include "model/PropertyAccess.h"
#include "platform/DataSet.h"
#include "storage/RuntimeComponentMover.h"

#include <QActionGroup>
#include <QBuffer>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QEventLoop>
#include <QDesktopServices>
#include <QFileDevice>
#include <QUrl>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

namespace zelmio {

namespace {

constexpr auto kUntitled = "Report Designer - Untitled";

// A combo box that fills its list just before it opens.
class TElementsComboBox : public QComboBox {
public:
    TElementsComboBox(std::function<void()> fill, QWidget *parent) : QComboBox(parent), m_fill(std::move(fill)) {}
    void showPopup() override
    {
        m_fill();
        QComboBox::showPopup();
    }

private:
    std::function<void()> m_fill;
};

} // namespace

TReportDesignerForm::TReportDesignerForm(QObject *databaseOwner, QWidget *parent)
    : QMainWindow(parent)
    , m_form(std::make_unique<TReportPrintForm>(databaseOwner, TReportPrintForm::LoaderKind::Designer))
    , m_databaseOwner(databaseOwner)
{
    setObjectName(QStringLiteral("ReportDesignerForm"));
    m_designer = static_cast<TVexaDesigner *>(m_form->Loader());
    m_designer->SetName(QStringLiteral("VexaDesigner1"));
    m_designer->SetEnabled(true);
    m_designer->SetGridSizeX(4);
    m_designer->SetGridSizeY(4);
    m_designer->SetKeyboardMoveX(1);
    m_designer->SetKeyboardMoveY(1);
    m_designer->SetMinElementWidth(5);
    m_designer->SetMinElementHeight(5);
    m_designer->SetUndoEnabled(true);
    m_designer->SetUndoLevels(3);
    m_designer->SetSaveBackupFiles(true);
    m_designer->SetBackupFileExtension(QStringLiteral(".BAK"));
    // The property dialogs, with the expression builder behind their buttons.
    ExpressionBuilderHook() = &EditExpression;
    InstallPropertyDialogs(m_designer, this);
    m_designer->SetOnAskQuestion([this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question) == QMessageBox::Yes;
    });
    m_designer->SetOnSelectionChanged([this](QObject *) { UpdateCommands(); });
    m_designer->SetOnUndoStateChanged([this](QObject *) { UpdateCommands(); });
    m_designer->SetOnDesignStateChanged([this](TVexaDesigner *, int state) {
        if (state == dsNormal && m_normalDesign)
            m_normalDesign->setChecked(true);
    });

    m_askFileName = [this](bool forSaving) {
        const QString filter = QStringLiteral("Report templates (*.vx2 *.VX2);;All files (*)");
        return forSaving ? QFileDialog::getSaveFileName(this, QStringLiteral("Save report"), m_fileName, filter)
                         : QFileDialog::getOpenFileName(this, QStringLiteral("Open report"), m_fileName, filter);
    };
    m_askSave = [this](const QString &question) {
        return QMessageBox::question(this, windowTitle(), question,
                                     QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    };
    m_showError = [this](const QString &message) { QMessageBox::warning(this, windowTitle(), message); };

    // The report area: the ruler above the scrolling report, kept at the
    // report area's horizontal position.
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("VxDPanel"));
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_rulerBox = new QScrollArea(area);
    m_rulerBox->setObjectName(QStringLiteral("ScrollBox2"));
    m_rulerBox->setFrameShape(QFrame::NoFrame);
    m_rulerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rulerBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_rulerBox->setFixedHeight(15);
    m_rulerBox->setFocusPolicy(Qt::NoFocus);
    m_ruler = new TvxdRulerPanel;
    m_ruler->setObjectName(QStringLiteral("RulerPanel1"));
    m_rulerBox->setWidget(m_ruler);
    column->addWidget(m_rulerBox);
    m_scrollBox = new TvxdScrollbox(m_designer, area);
    column->addWidget(m_scrollBox, 1);
    setCentralWidget(area);
    connect(m_scrollBox->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TReportDesignerForm::AlignRuler);
    connect(Surface(), &TDesignSurface::Edited, this, &TReportDesignerForm::UpdateCommands);
    // The right mouse press selects first; the menu then shows what fits
    // the selection.
    Surface()->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Surface(), &QWidget::customContextMenuRequested, this, &TReportDesignerForm::ShowElementMenu);

    BuildMenus();
    BuildElementBar();
    addToolBarBreak();
    m_propertyPanel = new TDesignerPropertyPanel(m_designer, this);
    addToolBar(Qt::TopToolBarArea, m_propertyPanel);
    connect(m_propertyPanel, &TDesignerPropertyPanel::Edited, this, [this] {
        Surface()->UpdateSize();
        Surface()->update();
        UpdateCommands();
    });
    connect(m_propertyPanel, &TDesignerPropertyPanel::EditingDone, this, [this] { Surface()->setFocus(); });
    // The data fields to drag onto the report, in a tool window at the right.
    m_fieldsDock = new QDockWidget(m_designer->RuntimeMessage(QStringLiteral("Datafield"), QStringLiteral("Data field")),
                                   this);
    m_fieldsDock->setObjectName(QStringLiteral("DatafieldWindow"));
    m_fieldsDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable |
                              QDockWidget::DockWidgetClosable);
    m_fieldList = new TDatafieldListbox(m_designer, m_fieldsDock);
    m_fieldsDock->setWidget(m_fieldList);
    addDockWidget(Qt::RightDockWidgetArea, m_fieldsDock);
    BuildViewMenu();
    AddPanelMenu(m_elementPanel, Qt::LeftToolBarArea, QStringLiteral("Left"), QStringLiteral("ViewElementToolbar"));
    AddPanelMenu(m_propertyPanel, Qt::BottomToolBarArea, QStringLiteral("Bottom"), QStringLiteral("ViewFontToolbar"));
    // The element buttons go in a column on the left unless the screen (the
    // window opens maximised) leaves less than 120 pixels below them.
    {
        const int column = 20 + 29 * int(m_elementPanel->actions().size());
        const QScreen *screen = this->screen();
        const int height = screen ? screen->availableGeometry().height() : 0;
        if (column + 120 <= height)
            PlaceElementPanel(Qt::LeftToolBarArea);
    }

    m_infoLabel = new QLabel(this);
    m_infoLabel->setObjectName(QStringLiteral("Panel1"));
    m_elementsCombo = new TElementsComboBox([this] { FillElementsList(); }, this);
    m_elementsCombo->setObjectName(QStringLiteral("ElementsComboBox"));
    m_elementsCombo->setMinimumWidth(200);
    m_elementsCombo->setFocusPolicy(Qt::ClickFocus);
    connect(m_elementsCombo, &QComboBox::textActivated, this, [this](const QString &name) {
        auto *control = qobject_cast<TVxControl *>(Report() ? Report()->Owner()->FindComponent(name) : nullptr);
        if (!control)
            return;
        m_designer->Mover()->Detach();
        m_designer->SelectElement(false, control);
        Surface()->update();
        Surface()->setFocus();
        UpdateCommands();
    });
    m_xPosLabel = new QLabel(this);
    m_xPosLabel->setObjectName(QStringLiteral("XPosLabel"));
    m_yPosLabel = new QLabel(this);
    m_yPosLabel->setObjectName(QStringLiteral("YPosLabel"));
    statusBar()->addWidget(m_infoLabel, 1);
    statusBar()->addPermanentWidget(m_elementsCombo);
    statusBar()->addPermanentWidget(m_xPosLabel);
    statusBar()->addPermanentWidget(new QLabel(QStringLiteral("/"), this));
    statusBar()->addPermanentWidget(m_yPosLabel);

    resize(715, 529);

    // The user's preferences and the recent files from the settings file,
    // then the interface language.
    m_fieldsPlace.exists = true;
    m_helpFile = ReadTesmolaSetup(m_designer, &m_fieldsPlace);
    if (!m_helpFile.isEmpty())
        m_helpFile = SettingsFilePath(m_helpFile);
    Command(QStringLiteral("HelpHelp"))->setEnabled(!m_helpFile.isEmpty() && QFileInfo::exists(m_helpFile));
    if (m_fieldsPlace.width > 0 && m_fieldsPlace.height > 0) {
        m_fieldsDock->setFloating(true);
        m_fieldsDock->setGeometry(m_fieldsPlace.left, m_fieldsPlace.top, m_fieldsPlace.width, m_fieldsPlace.height);
    }
    m_history = new TOpenFileHistory(this);
    new TOpenFileHistoryMenu(m_history, m_fileMenu, Command(QStringLiteral("FileExit")));
    if (const QString settings = TesmolaSettingsFileToRead(); !settings.isEmpty())
        m_history->LoadFromIniFile(settings);
    m_history->SetOnFileSelected([this](const QString &fileName) { OpenFile(fileName); });
    const QString englishTitle = windowTitle();
    setWindowTitle(QString::fromLatin1(kUntitled));
    if (TranslateDesignerForm(this) && windowTitle() != QString::fromLatin1(kUntitled))
        m_untitledCaption = windowTitle();
    setWindowTitle(englishTitle);
    RefreshDatafields();
    SetDisplayedFile(QString());
    UpdateCommands();
    Surface()->setFocus();
}

TReportDesignerForm::~TReportDesignerForm()
{
    // The surface watches the report: it goes first. Then the report, while
    // the window's members are still alive: freeing its elements changes the
    // selection, and the designer's hooks call back into this window unless
    // they are taken off first.
    m_propertyPanel->Detach();
    delete m_scrollBox;
    m_scrollBox = nullptr;
    delete m_propertyPanel;
    m_propertyPanel = nullptr;
    m_testRun.reset();
    m_designer->SetOnSelectionChanged({});
    m_designer->SetOnUndoStateChanged({});
    m_designer->SetOnDesignStateChanged({});
    m_designer->SetOnAskQuestion({});
    m_form.reset();
}

TDesignVexa *TReportDesignerForm::Report() const
{
    return m_form->Report();
}

TDesignSurface *TReportDesignerForm::Surface() const
{
    return m_scrollBox->Surface();
}

QAction *TReportDesignerForm::Command(const QString &name) const
{
    return findChild<QAction *>(name);
}

QAction *TReportDesignerForm::AddCommand(QMenu *menu, const QString &name, const QString &caption,
                                         const QString &hint, const std::function<void()> &run,
                                         const QKeySequence &shortcut)
{
    auto *action = new QAction(caption, this);
    action->setObjectName(name);
    action->setIcon(DesignerGlyph(name));
    if (!hint.isEmpty())
        action->setToolTip(hint);
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [run] { run(); });
    if (menu)
        menu->addAction(action);
    return action;
}

QAction *TReportDesignerForm::AddLaterCommand(QMenu *menu, const QString &name, const QString &caption)
{
    QAction *action = AddCommand(menu, name, caption, QString(), [] {});
    action->setEnabled(false);
    action->setProperty("later", true);
    return action;
}

void TReportDesignerForm::RunEdit(const std::function<void()> &command)
{
    try {
        command();
    } catch (const std::exception &e) {
        ShowError(QString::fromUtf8(e.what()));
    }
    Surface()->UpdateSize();
    Surface()->update();
    UpdateCommands();
}

void TReportDesignerForm::BuildMenus()
{
    TVexaDesigner *d = m_designer;
    const auto edit = [this](std::function<void()> command) { return [this, command] { RunEdit(command); }; };
    const auto bySelection = [this](QAction *action, TDesignerCommand command) {
        m_selectionCommands.append({action, int(command)});
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    m_fileMenu = file;
    QAction *newAction = AddCommand(file, QStringLiteral("FileNew"), QStringLiteral("&New..."),
                                    QStringLiteral("create a new report"), [this] { NewFile(); }, QKeySequence::New);
    QAction *openAction = AddCommand(file, QStringLiteral("FileOpen"), QStringLiteral("&Open..."),
                                     QStringLiteral("open a report"), [this] { OpenFile(); }, QKeySequence::Open);
    QAction *saveAction = AddCommand(file, QStringLiteral("FileSave"), QStringLiteral("&Save"),
                                     QStringLiteral("save current report"), [this] { Save(); }, QKeySequence::Save);
    AddCommand(file, QStringLiteral("FileSaveAs"), QStringLiteral("Save &as..."), QString(), [this] { SaveAs(); },
               QKeySequence::SaveAs);
    file->addSeparator();
    QAction *previewAction = AddCommand(file, QStringLiteral("FilePreview"), QStringLiteral("Pre&view"),
                                        QStringLiteral("show preview"), [this] { PreviewReport(); });
    QAction *printAction = AddCommand(file, QStringLiteral("FilePrint"), QStringLiteral("&Print"),
                                      QStringLiteral("print report"), [this] { PrintReport(); },
                                      QKeySequence::Print);
    AddCommand(file, QStringLiteral("FilePrinterSetup"), QStringLiteral("Printer setup"), QString(), [this] {
        if (!m_testRun)
            m_testRun = std::make_unique<TReportPrinterDialog>(m_databaseOwner);
        m_testRun->PrinterSetup();
    });
    file->addSeparator();
    QAction *exitAction = AddCommand(file, QStringLiteral("FileExit"), QStringLiteral("&Exit"),
                                     QStringLiteral("quit reportdesigner"), [this] { close(); }, QKeySequence::Quit);

    QMenu *editMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    bySelection(AddCommand(editMenu, QStringLiteral("EditUndo"), QStringLiteral("Undo"), QString(),
                           edit([d] { d->Undo(); }), QKeySequence::Undo),
                TDesignerCommand::Undo);
    bySelection(AddCommand(editMenu, QStringLiteral("EditRedo"), QStringLiteral("Redo"), QString(),
                           edit([d] { d->Redo(); }), QKeySequence::Redo),
                TDesignerCommand::Redo);
    editMenu->addSeparator();
    QAction *cut = bySelection(AddCommand(editMenu, QStringLiteral("EditCut"), QStringLiteral("Cut"),
                                          QStringLiteral("cut to clipboard"), edit([d] { d->CutToClipboard(); }),
                                          QKeySequence::Cut),
                               TDesignerCommand::Cut);
    QAction *copy = bySelection(AddCommand(editMenu, QStringLiteral("EditCopy"), QStringLiteral("Copy"),
                                           QStringLiteral("copy to clipboard"), edit([d] { d->CopyToClipboard(); }),
                                           QKeySequence::Copy),
                                TDesignerCommand::Copy);
    QAction *paste = bySelection(AddCommand(editMenu, QStringLiteral("EditPaste"), QStringLiteral("Paste"),
                                            QStringLiteral("paste from clipboard"),
                                            edit([d] { d->PasteFromClipboard(); }), QKeySequence::Paste),
                                 TDesignerCommand::Paste);
    QAction *del = bySelection(AddCommand(editMenu, QStringLiteral("EditDelete"), QStringLiteral("Delete"),
                                          QString(), edit([d] { d->DeleteSelectedElements(); }),
                                          QKeySequence::Delete),
                               TDesignerCommand::Delete);
    // The surface sees the key itself, so that the arrow keys and Delete
    // act on the selection wherever the focus came from.
    del->setShortcutContext(Qt::WidgetShortcut);
    editMenu->addSeparator();

    struct Entry {
        const char *name;
        const char *caption;
        const char *hint;
        TDesignerCommand command;
        void (TVexaDesigner::*run)();
    };
    const auto addEntries = [&](QMenu *menu, std::initializer_list<Entry> entries) {
        QList<QAction *> actions;
        for (const Entry &e : entries) {
            auto run = e.run;
            actions << bySelection(AddCommand(menu, QString::fromLatin1(e.name), QString::fromUtf8(e.caption),
                                              QString::fromUtf8(e.hint), edit([d, run] { (d->*run)(); })),
                                   e.command);
        }
        return actions;
    };
    using C = TDesignerCommand;
    using V = TVexaDesigner;
    const QList<QAction *> edges = addEntries(
        editMenu->addMenu(QStringLiteral("&Align")),
        {{"AlignLeft", "&Left", "align left edges", C::LeftAlign, &V::LeftAlignSelectedElements},
         {"AlignRight", "&Right", "align right edges", C::RightAlign, &V::RightAlignSelectedElements},
         {"AlignTop", "&Top", "align top edges", C::TopAlign, &V::TopAlignSelectedElements},
         {"AlignBottom", "&Bottom", "align bottom edges", C::BottomAlign, &V::BottomAlignSelectedElements}});
    const QList<QAction *> centres = addEntries(
        editMenu->addMenu(QStringLiteral("&Center elements")),
        {{"CenterHorizontal", "&Horizontal", "align horizontal centers", C::HorizontalCenter,
          &V::HorizontalCenterSelectedElements},
         {"CenterVertical", "&Vertical", "align vertical centers", C::VerticalCenter,
          &V::VerticalCenterSelectedElements}});
    const QList<QAction *> onBand = addEntries(
        editMenu->addMenu(QStringLiteral("Cen&ter on band")),
        {{"ParentCenterHorizontal", "&Horizontal", "center horizontally", C::HorizontalParentCenter,
          &V::HorizontalParentCenterSelectedElements},
         {"ParentCenterVertical", "&Vertical", "center vertically", C::VerticalParentCenter,
          &V::VerticalParentCenterSelectedElements}});
    const QList<QAction *> spaces = addEntries(
        editMenu->addMenu(QStringLiteral("&Equal space")),
        {{"EqualSpaceHorizontal", "&Horizontal", "equal space, horizontal", C::HorizontalSpaceEqual,
          &V::HorizontalSpaceEqualSelectedElements},
         {"EqualSpaceVertical", "&Vertical", "equal space, vertical", C::VerticalSpaceEqual,
          &V::VerticalSpaceEqualSelectedElements}});
    const QList<QAction *> order = addEntries(
        editMenu, {{"SendToBack", "Send to back", "send element to back", C::SendToBack,
                    &V::SendToBackSelectedElements},
                   {"BringToFront", "Bring to front", "bring element to front", C::BringToFront,
                    &V::BringToFrontSelectedElements}});

    m_viewMenu = menuBar()->addMenu(QStringLiteral("&View"));

    QMenu *report = menuBar()->addMenu(QStringLiteral("&Report"));
    AddCommand(report, QStringLiteral("ReportOptions"), QStringLiteral("&Options..."), QString(),
               edit([this] { EditReportOptions(this, m_designer); }));
    m_datasetsSeparator = report->addSeparator();
    m_datasetsSeparator->setVisible(false);
    AddLaterCommand(report, QStringLiteral("ReportDatasets"), QStringLiteral("&Datasets..."))->setVisible(false);
    AddCommand(report, QStringLiteral("ElementProperties"), QStringLiteral("Properties..."), QString(),
               edit([this] {
                   if (m_designer->GetSelectedElements().isEmpty()) {
                       TComponent *report = m_designer->ParentControl();
                       m_designer->EditProperties(report);
                   } else {
                       m_designer->EditCurrentProperties();
                   }
               }));
    m_expressionCommand = AddCommand(report, QStringLiteral("ExpressionBuilder"), QStringLiteral("Expression builder..."),
                                     QString(), [this] { EditSelectedExpression(); });

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    // The help file the settings name, opened by the desktop's viewer.
    QAction *helpAction = AddCommand(help, QStringLiteral("HelpHelp"), QStringLiteral("&Help"), QString(), [this] {
        if (!QDesktopServices::openUrl(QUrl::fromLocalFile(m_helpFile)))
            ShowError(QStringLiteral("The help file %1 could not be opened").arg(m_helpFile));
    }, QKeySequence::HelpContents);
    helpAction->setEnabled(false);
    AddCommand(help, QStringLiteral("HelpAbout"), QStringLiteral("About"), QString(), [this] {
        QMessageBox::information(this, QStringLiteral("About"),
                                 QStringLiteral("Zelmio report designer %1").arg(QCoreApplication::applicationVersion()));
    });

    QToolBar *tools = addToolBar(QStringLiteral("Toolbar"));
    tools->setObjectName(QStringLiteral("ToolbarPanel"));
    tools->setToolButtonStyle(Qt::ToolButtonIconOnly);
    tools->addActions({printAction, previewAction, newAction, openAction, saveAction});
    tools->addSeparator();
    tools->addActions({cut, copy, paste});
    tools->addSeparator();
    tools->addActions(order);
    tools->addSeparator();
    tools->addActions({edges[0], centres[0], edges[1], spaces[0], onBand[0], edges[2], centres[1], edges[3],
                       spaces[1], onBand[1]});
    tools->addSeparator();
    tools->addAction(exitAction);
}

void TReportDesignerForm::BuildElementBar()
{
    QToolBar *elements = new QToolBar(QStringLiteral("Element toolbar"), this);
    elements->setObjectName(QStringLiteral("ElementPanel"));
    elements->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_elementPanel = elements;
    addToolBarBreak();
    addToolBar(Qt::TopToolBarArea, elements);
    m_insertGroup = new QActionGroup(this);
    m_insertGroup->setExclusive(true);
    struct Kind {
        const char *name;
        const char *caption;
        const char *hint;
        int state;
    };
    const Kind kinds[] = {
        {"NormalDesign", "&Select", "select/move element", dsNormal},
        {"NewBand", "&Band", "add new band", dsBand},
        {"NewChildBand", "&Child band", "add new childband", dsChildband},
        {"NewSubdetail", "S&ub-detail band", "add new subdetail band", dsSubdetail},
        {"NewGroup", "&Group band", "add new group band", dsGroup},
        {"NewLabel", "&Label", "add new label", dsLabel},
        {"NewMemo", "&Memo", "add new memo", dsMemo},
        {"NewImage", "&Image", "add new image", dsImage},
        {"NewShape", "S&hape", "add new shape", dsShape},
        {"NewSysData", "S&ystem field", "add new system field", dsSysdata},
        {"NewDBText", "&Data field", "add new data field", dsDBText},
        {"NewDBImage", "Data im&age", "add new image from data field", dsDBImage},
        {"NewExpression", "&Expression", "add new expression-field", dsExpression},
        {"NewRichtext", "&Rich text", "add new richtext", dsRichtext},
        {"NewDBRichtext", "Data rich te&xt", "add new richtext from data field", dsDBRichtext},
        {"NewBarcode", "Barc&ode", "add new barcode", dsBarcode},
        {"NewDBBarcode", "Da&ta barcode", "add new barcode data field", dsDBBarcode},
    };
    // The insert kinds are in a menu too, so that they can be reached
    // from the keyboard.
    QMenu *insert = new QMenu(QStringLiteral("&Insert"), this);
    menuBar()->insertMenu(m_viewMenu->menuAction(), insert);
    for (const Kind &kind : kinds) {
        const int state = kind.state;
        QAction *action = AddCommand(insert, QString::fromLatin1(kind.name), QString::fromUtf8(kind.caption),
                                     QString::fromUtf8(kind.hint), [this, state] {
                                         // Shift keeps the insert mode after each insert.
                                         m_designer->SetAddMultipleElements(
                                             QApplication::keyboardModifiers().testFlag(Qt::ShiftModifier));
                                         m_designer->SetTesmolaState(state);
                                         Surface()->setFocus();
                                     });
        action->setCheckable(true);
        m_insertGroup->addAction(action);
        elements->addAction(action);
        if (state == dsNormal) {
            m_normalDesign = action;
            action->setChecked(true);
            insert->addSeparator();
        }
    }
}

void TReportDesignerForm::AddPanelMenu(QToolBar *panel, Qt::ToolBarArea other, const QString &otherCaption,
                                       const QString &viewEntry)
{
    panel->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panel, &QWidget::customContextMenuRequested, this, [this, panel, other, otherCaption, viewEntry](QPoint at) {
        QMenu menu(this);
        const auto place = [this, panel](Qt::ToolBarArea area) {
            if (panel == m_elementPanel)
                PlaceElementPanel(area);
            else
                PlacePropertyPanel(area);
        };
        QAction *top = menu.addAction(QStringLiteral("Top"));
        QAction *side = menu.addAction(otherCaption);
        top->setCheckable(true);
        side->setCheckable(true);
        top->setChecked(toolBarArea(panel) == Qt::TopToolBarArea);
        side->setChecked(toolBarArea(panel) == other);
        menu.addSeparator();
        QAction *visible = menu.addAction(QStringLiteral("Visible"));
        visible->setCheckable(true);
        visible->setChecked(true);
        QAction *chosen = menu.exec(panel->mapToGlobal(at));
        if (chosen == top)
            place(Qt::TopToolBarArea);
        else if (chosen == side)
            place(other);
        else if (chosen == visible)
            Command(viewEntry)->setChecked(false);
    });
}

void TReportDesignerForm::PlaceElementPanel(Qt::ToolBarArea area)
{
    if (toolBarArea(m_elementPanel) == area)
        return;
    const bool shown = m_elementPanel->isVisibleTo(this);
    removeToolBar(m_elementPanel);
    if (area == Qt::TopToolBarArea && toolBarArea(m_propertyPanel) == Qt::TopToolBarArea) {
        // Just above the property bar, on a line of its own.
        insertToolBar(m_propertyPanel, m_elementPanel);
        insertToolBarBreak(m_propertyPanel);
    } else {
        if (area == Qt::TopToolBarArea)
            addToolBarBreak(Qt::TopToolBarArea);
        addToolBar(area == Qt::TopToolBarArea ? Qt::TopToolBarArea : Qt::LeftToolBarArea, m_elementPanel);
    }
    m_elementPanel->setVisible(shown);
}

void TReportDesignerForm::PlacePropertyPanel(Qt::ToolBarArea area)
{
    if (toolBarArea(m_propertyPanel) == area)
        return;
    const bool shown = m_propertyPanel->isVisibleTo(this);
    removeToolBar(m_propertyPanel);
    const Qt::ToolBarArea target = area == Qt::BottomToolBarArea ? Qt::BottomToolBarArea : Qt::TopToolBarArea;
    addToolBarBreak(target);
    addToolBar(target, m_propertyPanel);
    m_propertyPanel->setVisible(shown);
}

void TReportDesignerForm::ShowElementMenu(QPoint at)
{
    TVxControl *clicked = Surface()->ControlAt(at);
    const QList<TElementMenuEntry> entries = m_designer->ElementMenu(clicked);
    if (entries.isEmpty()) {
        if (m_designer->ElementMenuEnabled(TElementMenuEntry::Edit, nullptr))
            RunEdit([this] { m_designer->RunElementMenuEntry(TElementMenuEntry::Edit, nullptr); });
        return;
    }
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("ElementMenu"));
    for (const TElementMenuEntry entry : entries) {
        if (entry == TElementMenuEntry::Separator) {
            menu.addSeparator();
            continue;
        }
        QAction *action = menu.addAction(m_designer->ElementMenuCaption(entry));
        action->setEnabled(m_designer->ElementMenuEnabled(entry, clicked));
        if (entry == TElementMenuEntry::Enabled) {
            action->setCheckable(true);
            action->setChecked(m_designer->ElementMenuChecked(entry, clicked));
        }
        QPointer<TVxControl> target = clicked;
        if (entry == TElementMenuEntry::Options) {
            // The block options of the clicked element (or the selection's first).
            action->setEnabled(true);
            connect(action, &QAction::triggered, this, [this, target] {
                RunEdit([this, target] {
                    if (target)
                        EditBlockOptions(this, m_designer, target);
                    else
                        EditBlockOptions(this, m_designer);
                });
            });
            continue;
        }
        connect(action, &QAction::triggered, this, [this, entry, target] {
            RunEdit([this, entry, target] { m_designer->RunElementMenuEntry(entry, target); });
        });
    }
    if (m_elementMenuRunner)
        m_elementMenuRunner(menu);
    else
        menu.exec(Surface()->mapToGlobal(at));
}

void TReportDesignerForm::BuildViewMenu()
{
    TVexaDesigner *d = m_designer;
    const auto panelToggle = [this](const QString &name, const QString &caption, QWidget *panel) {
        QAction *action = AddCommand(m_viewMenu, name, caption, QString(), [] {});
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::toggled, panel, &QWidget::setVisible);
        return action;
    };
    panelToggle(QStringLiteral("ViewToolbar"), QStringLiteral("Toolbar"), findChild<QToolBar *>(QStringLiteral("ToolbarPanel")));
    panelToggle(QStringLiteral("ViewFontToolbar"), QStringLiteral("Font toolbar"), m_propertyPanel);
    panelToggle(QStringLiteral("ViewElementToolbar"), QStringLiteral("Element toolbar"),
                findChild<QToolBar *>(QStringLiteral("ElementPanel")));
    panelToggle(QStringLiteral("ViewStatusline"), QStringLiteral("Statusline"), statusBar());
    // A tool bar closed through its own context menu unchecks its entry.
    for (const auto &[bar, entry] : {std::pair{QStringLiteral("ToolbarPanel"), QStringLiteral("ViewToolbar")},
                                     std::pair{QStringLiteral("PropertyPanel"), QStringLiteral("ViewFontToolbar")},
                                     std::pair{QStringLiteral("ElementPanel"), QStringLiteral("ViewElementToolbar")}}) {
        QAction *action = Command(entry);
        connect(findChild<QToolBar *>(bar), &QToolBar::visibilityChanged, action, [this, action](bool visible) {
            if (isVisible())
                action->setChecked(visible);
        });
    }
    QAction *fields = AddCommand(m_viewMenu, QStringLiteral("ViewDatafields"), QStringLiteral("Data fields"), QString(),
                                 [] {});
    fields->setCheckable(true);
    fields->setChecked(m_designer->ShowDatafieldListbox());
    connect(fields, &QAction::toggled, this, [this](bool shown) {
        m_designer->SetShowDatafieldListbox(shown);
        RefreshDatafields();
    });
    // Closing the tool window unchecks the entry.
    connect(m_fieldsDock, &QDockWidget::visibilityChanged, fields, [this, fields](bool visible) {
        if (isVisible() && !visible && m_fieldsDock->isHidden() && !m_refreshingFields)
            fields->setChecked(false);
    });
    m_viewMenu->addSeparator();
    QMenu *zoom = m_viewMenu->addMenu(QStringLiteral("Zoom"));
    const auto view = [this](std::function<void()> command) {
        return [this, command] {
            command();
            Surface()->UpdateSize();
            Surface()->update();
            UpdateCommands();
        };
    };
    AddCommand(zoom, QStringLiteral("ZoomDefault"), QStringLiteral("Default size"), QString(),
               view([d] { d->SetZoom(100); }), QKeySequence(Qt::CTRL | Qt::Key_0));
    AddCommand(zoom, QStringLiteral("ZoomIn"), QStringLiteral("Increase"), QString(), view([d] { d->ZoomIn(); }),
               QKeySequence::ZoomIn);
    AddCommand(zoom, QStringLiteral("ZoomOut"), QStringLiteral("Decrease"), QString(), view([d] { d->ZoomOut(); }),
               QKeySequence::ZoomOut);
    // Band views change only what the surface shows, not the template.
    AddCommand(m_viewMenu, QStringLiteral("RotateBands"), QStringLiteral("Rotate bands"), QString(), view([this] {
                   if (TDesignVexa *report = Report())
                       report->SetRotateBands(report->RotateBands() + 1);
               }));
    QAction *hide = AddCommand(m_viewMenu, QStringLiteral("HideBands"), QStringLiteral("Hide bands"), QString(), [] {});
    hide->setCheckable(true);
    connect(hide, &QAction::toggled, this, [this, view](bool hidden) {
        view([this, hidden] {
            m_designer->Mover()->Detach();
            if (TDesignVexa *report = Report())
                report->SetHideBands(hidden);
        })();
    });
    AddCommand(m_viewMenu, QStringLiteral("ResetBands"), QStringLiteral("Reset bands"), QString(), view([this, hide] {
                   hide->setChecked(false);
                   if (TDesignVexa *report = Report()) {
                       report->SetHideBands(false);
                       report->SetRotateBands(0);
                   }
               }));
    m_viewMenu->addSeparator();
    AddCommand(m_viewMenu, QStringLiteral("ViewOptions"), QStringLiteral("&Options..."), QString(), view([this] {
                   EditViewOptions(this, m_designer);
               }));
}

void TReportDesignerForm::FillElementsList()
{
    QStringList names;
    const std::function<void(const TVxControl *)> collect = [&](const TVxControl *parent) {
        for (const TVxControl *control : parent->ControlList()) {
            if (!control->Name().isEmpty())
                names.append(control->Name());
            collect(control);
        }
    };
    if (Report())
        collect(Report());
    const QString current = m_elementsCombo->currentText();
    m_elementsCombo->clear();
    m_elementsCombo->addItems(names);
    m_elementsCombo->setCurrentIndex(int(names.indexOf(current)));
}

void TReportDesignerForm::UpdateCommands()
{
    for (const auto &[action, command] : std::as_const(m_selectionCommands))
        action->setEnabled(m_designer->CommandEnabled(TDesignerCommand(command)));
    if (m_normalDesign && m_designer->TesmolaState() == dsNormal && !m_normalDesign->isChecked())
        m_normalDesign->setChecked(true);
    setWindowModified(m_designer->Changed());
    if (m_infoLabel) {
        m_infoLabel->setText(m_designer->InfoText());
        TVxControl *selected = m_designer->GetSelectedElement();
        const QString name = selected ? selected->Name() : QString();
        if (m_elementsCombo->count() != 1 || m_elementsCombo->itemText(0) != name) {
            m_elementsCombo->clear();
            if (!name.isEmpty())
                m_elementsCombo->addItem(name);
        }
        m_xPosLabel->setText(m_designer->InfoXPos());
        m_yPosLabel->setText(m_designer->InfoYPos());
    }
    if (m_propertyPanel)
        m_propertyPanel->UpdateSelections();
    if (m_expressionCommand)
        m_expressionCommand->setEnabled(ExpressionOfSelection() != nullptr);
    AlignRuler();
}

TVxControl *TReportDesignerForm::ExpressionOfSelection() const
{
    const QList<TVxControl *> selection = m_designer->GetSelectedElements();
    if (selection.size() != 1 || !PropertyExists(selection.first(), QStringLiteral("Expression")) ||
        !selection.first()->inherits("zelmio::TVxExpr") ||
        m_designer->GetBoolProp(selection.first(), QStringLiteral("BlockEdit")))
        return nullptr;
    return selection.first();
}

bool TReportDesignerForm::EditSelectedExpression()
{
    TVxControl *element = ExpressionOfSelection();
    if (!element)
        return false;
    QString expression = GetStringProperty(element, QStringLiteral("Expression"));
    const QString before = expression;
    if (!EditExpression(this, m_designer, expression) || expression == before)
        return false;
    m_designer->SetHasChanged(true);
    SetStringProperty(element, QStringLiteral("Expression"), expression);
    element->Invalidate();
    Surface()->update();
    UpdateCommands();
    return true;
}

void TReportDesignerForm::RefreshDatafields()
{
    m_refreshingFields = true;
    m_fieldList->Refresh();
    // The list shows only when it has something to offer.
    m_fieldsDock->setVisible(m_designer->ShowDatafieldListbox() && m_fieldList->topLevelItemCount() > 0);
    m_refreshingFields = false;
}

void TReportDesignerForm::AlignRuler()
{
    if (!m_ruler)
        return;
    // The ruler's zero sits over the report's left edge; it follows the
    // report area's scrolling, zoom and units.
    const int origin = Surface()->ReportOrigin().x();
    m_ruler->SetVexa(Report());
    m_ruler->setContentsMargins(0, 0, 0, 0);
    m_ruler->setFixedWidth(2400 + origin);
    m_ruler->SetOrigin(origin);
    m_rulerBox->horizontalScrollBar()->setValue(m_scrollBox->horizontalScrollBar()->value());
    m_ruler->update();
}

void TReportDesignerForm::SetDisplayedFile(const QString &fileName)
{
    m_fileName = fileName;
    QString caption = fileName.isEmpty() ? m_untitledCaption : fileName;
    if ((m_activeStream || m_activeField) && !m_jobCaption.isEmpty())
        caption = m_jobCaption;
    setWindowTitle(caption + QStringLiteral("[*]"));
    UpdateCommands();
}

void TReportDesignerForm::SetActiveStream(QIODevice *stream, const QString &caption)
{
    m_activeStream = stream;
    m_activeField = nullptr;
    m_jobCaption = caption;
    Command(QStringLiteral("FileSaveAs"))->setVisible(!stream);
    SetDisplayedFile(QString());
}

void TReportDesignerForm::SetActiveBlobField(TField *field, const QString &caption)
{
    m_activeField = field;
    m_activeStream = nullptr;
    m_jobCaption = caption;
    Command(QStringLiteral("FileSaveAs"))->setVisible(!field);
    SetDisplayedFile(QString());
}

bool TReportDesignerForm::LoadActiveTemplate()
{
    bool loaded = false;
    if (m_activeStream) {
        m_activeStream->seek(0);
        loaded = m_designer->LoadReport_FromStream(*m_activeStream);
    } else if (m_activeField) {
        loaded = m_designer->LoadReport_FromBlobField(m_activeField);
    }
    Surface()->UpdateSize();
    Surface()->update();
    RefreshDatafields();
    UpdateCommands();
    return loaded;
}

void TReportDesignerForm::ApplyFacadeSettings(const TReportDesignerDialog &dialog)
{
    if (!dialog.HelpFile().isEmpty()) {
        m_helpFile = dialog.HelpFile();
        Command(QStringLiteral("HelpHelp"))->setEnabled(QFileInfo::exists(m_helpFile));
    }
    const bool undo = dialog.EditorSettings().testFlag(TVxDEditorSetting::UndoEnabled);
    Command(QStringLiteral("EditUndo"))->setVisible(undo);
    Command(QStringLiteral("EditRedo"))->setVisible(undo);
    const bool datasets = dialog.UserSettings().testFlag(TVxDUserSetting::AllowDatasetEdit);
    m_datasetsSeparator->setVisible(datasets);
    Command(QStringLiteral("ReportDatasets"))->setVisible(datasets);
    if (QAction *fields = Command(QStringLiteral("ViewDatafields")))
        fields->setChecked(m_designer->ShowDatafieldListbox());
    RefreshDatafields();
    UpdateCommands();
}

void TReportDesignerForm::ShowError(const QString &message)
{
    if (m_showError)
        m_showError(message);
}

bool TReportDesignerForm::NewFile()
{
    if (!m_designer->ConfirmNoSave())
        return false;
    if (!m_fileName.isEmpty())
        m_history->NewFileLoaded(QString(), m_fileName);
    RunEdit([this] { m_designer->NewReport(); });
    SetDisplayedFile(QString());
    // A new template starts from the report wizard.
    if (DesignerWizardRunner())
        DesignerWizardRunner()(*this);
    Surface()->UpdateSize();
    Surface()->update();
    RefreshDatafields();
    UpdateCommands();
    return true;
}

bool TReportDesignerForm::OpenFile(const QString &fileName)
{
    if (!m_designer->ConfirmNoSave())
        return false;
    if (m_activeStream || m_activeField) {
        const bool loaded = LoadActiveTemplate();
        if (!loaded)
            ShowError(QStringLiteral("The report %1 could not be opened: %2").arg(m_jobCaption, m_designer->LastError()));
        return loaded;
    }
    const QString name = fileName.isEmpty() && m_askFileName ? m_askFileName(false) : fileName;
    if (name.isEmpty())
        return false;
    const bool loaded = m_designer->LoadReport(name);
    Surface()->UpdateSize();
    Surface()->update();
    if (!loaded) {
        ShowError(QStringLiteral("The report %1 could not be opened: %2").arg(name, m_designer->LastError()));
        UpdateCommands();
        return false;
    }
    m_history->NewFileLoaded(name, m_fileName);
    SetDisplayedFile(name);
    RefreshDatafields();
    return true;
}

bool TReportDesignerForm::Save()
{
    if (m_activeField) {
        // Record sets are read as the host wrote them; nothing writes back into one.
        ShowError(QStringLiteral("The report %1 could not be saved: the data field %2 cannot be written")
                      .arg(m_jobCaption, m_activeField->FieldName()));
        return false;
    }
    if (m_activeStream) {
        // The stream gets the template in place of what it held.
        if (auto *buffer = qobject_cast<QBuffer *>(m_activeStream))
            buffer->buffer().clear();
        else if (auto *file = qobject_cast<QFileDevice *>(m_activeStream))
            file->resize(0);
        m_activeStream->seek(0);
        if (!m_designer->SaveReport_ToStream(*m_activeStream)) {
            ShowError(QStringLiteral("The report %1 could not be saved: %2").arg(m_jobCaption, m_designer->LastError()));
            return false;
        }
        SetDisplayedFile(QString());
        return true;
    }
    if (m_fileName.isEmpty())
        return SaveAs();
    if (!m_designer->SaveReport(m_fileName)) {
        ShowError(QStringLiteral("The report %1 could not be saved: %2").arg(m_fileName, m_designer->LastError()));
        return false;
    }
    SetDisplayedFile(m_fileName);
    return true;
}

bool TReportDesignerForm::SaveAs()
{
    QString name = m_askFileName ? m_askFileName(true) : QString();
    if (name.isEmpty())
        return false;
    if (QFileInfo(name).suffix().isEmpty())
        name += m_designer->ReportFileExtension().toLower();
    if (!m_designer->SaveReport(name)) {
        ShowError(QStringLiteral("The report %1 could not be saved: %2").arg(name, m_designer->LastError()));
        return false;
    }
    if (name != m_fileName)
        m_history->NewFileLoaded(name, m_fileName);
    SetDisplayedFile(name);
    return true;
}

bool TReportDesignerForm::PreviewReport()
{
    return RunTestJob(false);
}

bool TReportDesignerForm::PrintReport()
{
    return RunTestJob(true);
}

bool TReportDesignerForm::RunTestJob(bool print)
{
    // The run works on a copy of the template, loaded as PDF mode loads it,
    // so that the edited report, its selection and its undo steps stay as
    // they are, and what the preview shows is what a saved file will print.
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    if (!m_designer->SaveReport_ToStream(buffer)) {
        ShowError(QStringLiteral("The report could not be prepared: %1").arg(m_designer->LastError()));
        return false;
    }
    buffer.seek(0);
    if (!m_testRun)
        m_testRun = std::make_unique<TReportPrinterDialog>(m_databaseOwner);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool done = print ? m_testRun->PrintReport_FromStream(buffer) : m_testRun->PreviewReport_FromStream(buffer);
    QApplication::restoreOverrideCursor();
    if (!done && !m_testRun->LastError().isEmpty())
        ShowError(QStringLiteral("The report could not be %1: %2")
                      .arg(print ? QStringLiteral("printed") : QStringLiteral("previewed"), m_testRun->LastError()));
    return done;
}

void TReportDesignerForm::keyPressEvent(QKeyEvent *event)
{
    const QString text = event->text();
    const bool plainKey = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (plainKey && !text.isEmpty() && text.at(0).isPrint() && m_propertyPanel && m_propertyPanel->isVisible() &&
        m_propertyPanel->CanTypeIntoEditor()) {
        QLineEdit *edit = m_propertyPanel->AllEdit();
        edit->setFocus();
        edit->selectAll();
        QKeyEvent typed(QEvent::KeyPress, event->key(), event->modifiers(), text);
        QApplication::sendEvent(edit, &typed);
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void TReportDesignerForm::closeEvent(QCloseEvent *event)
{
    if (m_designer->Changed()) {
        const QString question = m_designer->RuntimeMessage(QStringLiteral("Save report"),
                                                            QStringLiteral("Save report %s?"));
        const QString shownName = m_fileName.isEmpty() ? QStringLiteral("Untitled") : m_fileName;
        const QMessageBox::StandardButton answer =
            m_askSave ? m_askSave(QString(question).replace(QStringLiteral("%s"), shownName)) : QMessageBox::No;
        // A save that fails or is cancelled keeps the window open.
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && (!Save() || m_designer->Changed()))) {
            event->ignore();
            return;
        }
    }
    event->accept();
    SaveSettings();
    emit Closed();
}

void TReportDesignerForm::SaveSettings()
{
    // The preferences and the recent files; a settings file that cannot be
    // written is reported once, on the error output, and costs nothing else.
    m_history->NewFileLoaded(QString(), m_fileName);
    m_fieldsPlace.exists = m_fieldsDock->isFloating();
    if (m_fieldsPlace.exists) {
        const QRect place = m_fieldsDock->geometry();
        m_fieldsPlace.left = place.left();
        m_fieldsPlace.top = place.top();
        m_fieldsPlace.width = place.width();
        m_fieldsPlace.height = place.height();
    }
    QString error;
    if (!SaveTesmolaUserSetup(m_designer, &m_fieldsPlace, &error) ||
        !m_history->SaveToIniFile(TesmolaSettingsFileToWrite(), &error))
        qWarning("%s", qUtf8Printable(error));
}

std::function<bool(TReportDesignerForm &)> &DesignerWizardRunner()
{
    static std::function<bool(TReportDesignerForm &)> runner = [](TReportDesignerForm &window) {
        return RunReportWizard(&window, window.Designer());
    };
    return runner;
}

void InstallDesignerWindows()
{
    GlobalDesignerWindow() = [](TReportDesignerDialog &dialog, const TDesignJob &job) {
        TReportDesignerForm window(dialog.UseCurrentDatasets() ? dialog.parent() : nullptr);
        QApplication::setOverrideCursor(Qt::WaitCursor);
        dialog.BeginDesignJob(&window, window.Report(), window.Designer());
        window.ApplyFacadeSettings(dialog);
        QApplication::restoreOverrideCursor();
        bool result = true;
        if (job.stream || job.field) {
            if (job.stream)
                window.SetActiveStream(job.stream, job.caption);
            else
                window.SetActiveBlobField(job.field, job.caption);
            // A stream or field that does not load still opens the window.
            if (job.kind == TDesignJob::TKind::Edit)
                result = window.LoadActiveTemplate();
        } else if (job.kind == TDesignJob::TKind::Edit) {
            if (!window.Designer()->LoadReport(job.fileName)) {
                dialog.EndDesignJob();
                return false;
            }
            window.SetDisplayedFile(job.fileName);
            window.RefreshDatafields();
        } else if (!job.fileName.isEmpty()) {
            window.SetDisplayedFile(job.fileName);
        }
        if (!job.fileName.isEmpty()) {
            const QString folder = QFileInfo(job.fileName).absolutePath();
            if (window.Designer()->DefaultSaveDir().isEmpty())
                window.Designer()->SetDefaultSaveDir(folder);
            if (window.Designer()->DefaultOpenDir().isEmpty())
                window.Designer()->SetDefaultOpenDir(folder);
        }
        if (dialog.UsePrinterSettings())
            window.Report()->PrinterSettings()->Assign(dialog.PrinterSettings());
        const bool wizard = job.kind == TDesignJob::TKind::New && dialog.CheckNewReport(&window, job.showExpert);
        window.setWindowModality(Qt::ApplicationModal);
        // The wizard opens over the shown window, once.
        if (wizard)
            QTimer::singleShot(0, &window, [&window] { window.NewFile(); });
        QEventLoop loop;
        QObject::connect(&window, &TReportDesignerForm::Closed, &loop, &QEventLoop::quit);
        window.showMaximized();
        loop.exec();
        dialog.EndDesignJob();
        return result;
    };
}

} // namespace zelmio
