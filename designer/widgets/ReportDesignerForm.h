#pragma once
// The designer window: menus, the command tool bar, the element tool bar,
// the report area and the status line around one designer core. Commands
// are enabled as the core's CommandEnabled says after every change of the
// selection or the undo lists; the caption shows the template's file and
// an unsaved mark; closing with unsaved changes asks first.

#include "designer/DesignerSettings.h"

#include <QMainWindow>
#include <QMessageBox>
#include <functional>
#include <memory>

class QAction;
class QActionGroup;
class QComboBox;
class QLabel;
class QMenu;
class QIODevice;
class QDockWidget;
class QScrollArea;
class QToolBar;

namespace zelmio {

class TDatafieldListbox;
class TOpenFileHistory;
class TDesignSurface;
class TField;
class TReportDesignerDialog;
class TDesignerPropertyPanel;
class TReportPrintForm;
class TReportPrinterDialog;
class TVexaDesigner;
class TVxControl;
class TvxdRulerPanel;
class TvxdScrollbox;
class TDesignVexa;

class TReportDesignerForm : public QMainWindow {
    Q_OBJECT
public:
    // (whether the name is for saving): the chosen file name, or empty.
    using TAskFileName = std::function<QString(bool forSaving)>;
    // (question): Yes, No or Cancel.
    using TAskSave = std::function<QMessageBox::StandardButton(const QString &question)>;
    // (message) shown to the user.
    using TShowError = std::function<void(const QString &message)>;

    explicit TReportDesignerForm(QObject *databaseOwner = nullptr, QWidget *parent = nullptr);
    ~TReportDesignerForm() override;

    TVexaDesigner *Designer() const { return m_designer; }
    TDesignVexa *Report() const;
    TvxdScrollbox *ScrollBox() const { return m_scrollBox; }
    TDesignSurface *Surface() const;
    TDesignerPropertyPanel *PropertyPanel() const { return m_propertyPanel; }
    // A command by its object name ("FileSave", "NewLabel", ...).
    QAction *Command(const QString &name) const;
    TOpenFileHistory *History() const { return m_history; }
    QString FileName() const { return m_fileName; }
    // The status line's list of the report's elements: the selected one's
    // name; opening it lists all, choosing one selects it alone.
    QComboBox *ElementsComboBox() const { return m_elementsCombo; }
    // Fills the element list with the names of all bands and elements.
    void FillElementsList();

    // The dialogs, replaceable (tests answer them).
    void SetAskFileName(const TAskFileName &ask) { m_askFileName = ask; }
    void SetAskSave(const TAskSave &ask) { m_askSave = ask; }
    void SetShowError(const TShowError &show) { m_showError = show; }
    // Shows the element menu (tests pick an entry instead of waiting).
    using TMenuRunner = std::function<void(QMenu &menu)>;
    void SetElementMenuRunner(const TMenuRunner &run) { m_elementMenuRunner = run; }

    // A template held in a stream or a data field: open and save go to it,
    // "Save as" is hidden, and the caption is the job's.
    void SetActiveStream(QIODevice *stream, const QString &caption);
    void SetActiveBlobField(TField *field, const QString &caption);
    // Loads from the active stream or data field; false when it failed (the
    // reason in the designer's LastError).
    bool LoadActiveTemplate();
    // Applies a design job's settings from the facade to the window's menus.
    void ApplyFacadeSettings(const TReportDesignerDialog &dialog);

    // The commands of the File menu; false when nothing was done.
    bool NewFile();
    bool OpenFile(const QString &fileName = QString());
    bool Save();
    bool SaveAs();
    // The file the window shows in its caption and saves to.
    void SetDisplayedFile(const QString &fileName);
    // Brings menus, buttons, caption and status line up to date.
    void UpdateCommands();
    // Fills the data field list from the report's data sources; the list
    // shows when it has fields and the designer shows the list.
    void RefreshDatafields();
    TDatafieldListbox *DatafieldList() const { return m_fieldList; }
    // A test run of the edited template (as it is now, saved or not) in the
    // preview window, or on the printer; false when it could not run (the
    // reason was shown).
    bool PreviewReport();
    bool PrintReport();
    // The expression builder on the selected expression element; true when
    // the expression changed.
    bool EditSelectedExpression();

signals:
    void Closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Typing on the report area starts the quick editor of the selected
    // element with the typed text.
    void keyPressEvent(QKeyEvent *event) override;

private:
    QAction *AddCommand(QMenu *menu, const QString &name, const QString &caption, const QString &hint,
                        const std::function<void()> &run, const QKeySequence &shortcut = QKeySequence());
    QAction *AddLaterCommand(QMenu *menu, const QString &name, const QString &caption);
    void BuildMenus();
    void BuildElementBar();
    void BuildViewMenu();
    void ShowElementMenu(QPoint at);
    void AlignRuler();
    void SaveSettings();
    TVxControl *ExpressionOfSelection() const;

    // Element panel on the left or at the top (above the property bar),
    // the property bar at the top or the bottom; "Visible" on their context
    // menus hides them.
    void PlaceElementPanel(Qt::ToolBarArea area);
    void PlacePropertyPanel(Qt::ToolBarArea area);
    void AddPanelMenu(QToolBar *panel, Qt::ToolBarArea other, const QString &otherCaption, const QString &viewEntry);
    bool RunTestJob(bool print);
    void RunEdit(const std::function<void()> &command);
    void ShowError(const QString &message);

    std::unique_ptr<TReportPrintForm> m_form;
    TVexaDesigner *m_designer = nullptr;
    TvxdScrollbox *m_scrollBox = nullptr;
    TDesignerPropertyPanel *m_propertyPanel = nullptr;
    QScrollArea *m_rulerBox = nullptr;
    TvxdRulerPanel *m_ruler = nullptr;
    QDockWidget *m_fieldsDock = nullptr;
    TDatafieldListbox *m_fieldList = nullptr;
    bool m_refreshingFields = false;
    QToolBar *m_elementPanel = nullptr;
    std::unique_ptr<TReportPrinterDialog> m_testRun;
    QObject *m_databaseOwner = nullptr;
    QMenu *m_viewMenu = nullptr;
    QMenu *m_fileMenu = nullptr;
    TOpenFileHistory *m_history = nullptr;
    TDatafieldWindowPlace m_fieldsPlace;
    QString m_helpFile;
    QString m_untitledCaption = QStringLiteral("Report Designer - Untitled");
    QAction *m_expressionCommand = nullptr;
    QAction *m_datasetsSeparator = nullptr;
    QActionGroup *m_insertGroup = nullptr;
    QAction *m_normalDesign = nullptr;
    QLabel *m_infoLabel = nullptr;
    QComboBox *m_elementsCombo = nullptr;
    QLabel *m_xPosLabel = nullptr;
    QLabel *m_yPosLabel = nullptr;
    QString m_fileName;
    QIODevice *m_activeStream = nullptr;
    TField *m_activeField = nullptr;
    QString m_jobCaption;
    QList<std::pair<QAction *, int>> m_selectionCommands;
    TAskFileName m_askFileName;
    TAskSave m_askSave;
    TShowError m_showError;
    TMenuRunner m_elementMenuRunner;
};

// Runs the report wizard for a new template in the window (replaceable:
// tests answer it; empty: no wizard).
std::function<bool(TReportDesignerForm &)> &DesignerWizardRunner();

// Lets the facade's design jobs open this window (modally).
void InstallDesignerWindows();

} // namespace zelmio
