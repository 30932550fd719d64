#pragma once
// The report designer's engine (no window): the design report it edits
// (ParentControl), insert modes that create bands and elements at a clicked
// point through the element factory, the band rules of delete and paste,
// the info panel's texts, the data field list, file handling with backups,
// zoom, and which commands the current selection allows. The designer
// window shows all this and forwards the user's clicks and commands; what
// would ask the user (questions, the data source choice, property dialogs)
// goes through hooks, which the window answers with its dialogs.

#include "model/VxColor.h"
#include "storage/RuntimeComponentEditor.h"

#include <QPoint>
#include <QStringList>

namespace zelmio {

class TDataSet;
class TField;
class TVxDCtrlFactory;
class TVxControl;

class TVexaDesigner;
// (designer; var Component; var EditResult)
using TEditPropertiesEvent = THook<void(TVexaDesigner *designer, TComponent *&component, bool &editResult)>;
// (designer; the selected elements): properties of several elements at once.
using TEditSeveralPropertiesEvent = THook<void(TVexaDesigner *designer, const QList<TVxControl *> &elements)>;
// (designer; NewState)
using TDesignStateChangedEvent = THook<void(TVexaDesigner *designer, int newState)>;
// (designer; Component; var DoDelete)
using TDeleteElementEvent = THook<void(TVexaDesigner *designer, TComponent *component, bool &doDelete)>;
// (ComponentList; var DoCopy)
using TBeforeCopyEvent = THook<void(const QList<TVxControl *> &components, bool &doCopy)>;
// (Component or none; var Info)
using TShowInfoEvent = THook<void(TComponent *component, QString &info)>;
// (Field; var ShowField)
using TShowDatafieldEvent = THook<void(TField *field, bool &showField)>;
// (Control)
using TComponentCreatedEvent = THook<void(TVxControl *control)>;
// (question text): true for Yes / OK.
using TAskQuestionEvent = THook<bool(const QString &question)>;
// (the data sources to choose from): the chosen one, or none.
using TSelectDatasourceEvent = THook<TDataSet *(const QList<TDataSet *> &dataSources)>;

// Design states: the insert mode of the next click on the report.
enum TDesignState : int {
    dsNormal = 0, dsBand = 2, dsLabel = 3, dsDBText = 4, dsExpression = 5, dsSysdata = 6, dsShape = 7,
    dsImage = 8, dsDBImage = 9, dsMemo = 10, dsRichtext = 11, dsDBRichtext = 12, dsSubdetail = 13,
    dsGroup = 14, dsChildband = 15, dsChart = 16, dsCheckbox = 17, dsGrid = 18, dsDBBarcode = 19, dsBarcode = 20
};

// The commands whose enabling follows the selection.
enum class TDesignerCommand {
    Copy, Cut, Delete, Paste, BringToFront, SendToBack, HorizontalParentCenter, VerticalParentCenter,
    LeftAlign, RightAlign, TopAlign, BottomAlign, HorizontalCenter, VerticalCenter,
    HorizontalSpaceEqual, VerticalSpaceEqual, Group, Ungroup, UngroupAll, Undo, Redo, TextAlign, Font
};

// The entries of the element menu (right click on the report).
enum class TElementMenuEntry {
    Separator, Enabled, Edit, Options, Scripts, BringToFront, SendToBack, Group, Ungroup, UngroupAll
};

// A node of the data field list: a data source and its shown fields.
struct TDatafieldNode {
    TDataSet *dataSet = nullptr;
    QString title;                // display name in upper case
    QList<TField *> fields;
    QStringList labels;           // display labels, in the order of fields
};

class TVexaDesigner : public TRuntimeComponentEditor {
    Q_OBJECT
    Q_PROPERTY(QString ReportFileExtension READ ReportFileExtension WRITE SetReportFileExtension)
    Q_PROPERTY(QString BackupFileExtension READ BackupFileExtension WRITE SetBackupFileExtension)
    Q_PROPERTY(bool SaveBackupFiles READ SaveBackupFiles WRITE SetSaveBackupFiles)
    Q_PROPERTY(bool AutoEditAfterInsert READ AutoEditAfterInsert WRITE SetAutoEditAfterInsert)
    Q_PROPERTY(bool ShowDatafieldListbox READ ShowDatafieldListbox WRITE SetShowDatafieldListbox)
    Q_PROPERTY(bool DatafieldsSorted READ DatafieldsSorted WRITE SetDatafieldsSorted)
    Q_PROPERTY(QStringList FieldDisplayLabels READ FieldDisplayLabels WRITE SetFieldDisplayLabels)
    Q_PROPERTY(QStringList DatasetDisplayLabels READ DatasetDisplayLabels WRITE SetDatasetDisplayLabels)
    Q_PROPERTY(QStringList AvailableDatasetNames READ AvailableDatasetNames WRITE SetAvailableDatasetNames)
    Q_CLASSINFO("default:ReportFileExtension", ".VX2")
    Q_CLASSINFO("default:BackupFileExtension", ".BAK")
    Q_CLASSINFO("default:SaveBackupFiles", "False")
    Q_CLASSINFO("default:AutoEditAfterInsert", "True")
    Q_CLASSINFO("default:ShowDatafieldListbox", "True")
    Q_CLASSINFO("default:DatafieldsSorted", "False")
public:
    explicit TVexaDesigner(TComponent *owner = nullptr);

    TVxDCtrlFactory *ControlFactory() const { return m_factory; }

    QString ReportFileExtension() const { return m_reportFileExtension; }
    void SetReportFileExtension(const QString &extension) { m_reportFileExtension = extension; }
    QString BackupFileExtension() const { return m_backupFileExtension; }
    void SetBackupFileExtension(const QString &extension) { m_backupFileExtension = extension; }
    bool SaveBackupFiles() const { return m_saveBackupFiles; }
    void SetSaveBackupFiles(bool save) { m_saveBackupFiles = save; }
    bool AutoEditAfterInsert() const { return m_autoEditAfterInsert; }
    void SetAutoEditAfterInsert(bool edit) { m_autoEditAfterInsert = edit; }
    bool ShowDatafieldListbox() const { return m_showDatafieldListbox; }
    void SetShowDatafieldListbox(bool show) { m_showDatafieldListbox = show; }
    bool DatafieldsSorted() const { return m_datafieldsSorted; }
    void SetDatafieldsSorted(bool sorted) { m_datafieldsSorted = sorted; }
    QStringList FieldDisplayLabels() const { return m_fieldDisplayLabels; }
    void SetFieldDisplayLabels(const QStringList &labels) { m_fieldDisplayLabels = labels; }
    QStringList DatasetDisplayLabels() const { return m_datasetDisplayLabels; }
    void SetDatasetDisplayLabels(const QStringList &labels) { m_datasetDisplayLabels = labels; }
    // Start folders of the open and save dialogs.
    QString DefaultOpenDir() const { return m_defaultOpenDir; }
    void SetDefaultOpenDir(const QString &dir) { m_defaultOpenDir = dir; }
    QString DefaultSaveDir() const { return m_defaultSaveDir; }
    void SetDefaultSaveDir(const QString &dir) { m_defaultSaveDir = dir; }
    // The filter of the file dialogs ("Reports|*.VX2").
    QString DefaultFileFilter() const { return m_defaultFileFilter; }
    void SetDefaultFileFilter(const QString &filter) { m_defaultFileFilter = filter; }
    // Whether the user may change the block flags of elements.
    bool AllowBlockEdit() const { return m_allowBlockEdit; }
    void SetAllowBlockEdit(bool allowed) { m_allowBlockEdit = allowed; }
    bool ShowScriptIndicator() const { return m_showScriptIndicator; }
    void SetShowScriptIndicator(bool show) { m_showScriptIndicator = show; }
    // User rights handed to the data set dialogs.
    bool AllowSQLEdit() const { return m_allowSQLEdit; }
    void SetAllowSQLEdit(bool allowed) { m_allowSQLEdit = allowed; }
    bool AllowNewCalcFields() const { return m_allowNewCalcFields; }
    void SetAllowNewCalcFields(bool allowed) { m_allowNewCalcFields = allowed; }
    // Design-time display: band names (in BandNameFontColor) and frames
    // around elements (style 0 solid, 1 dashed, 2 dotted).
    bool ShowBandNames() const { return m_showBandNames; }
    void SetShowBandNames(bool show) { m_showBandNames = show; }
    TColor BandNameFontColor() const { return m_bandNameFontColor; }
    void SetBandNameFontColor(TColor color) { m_bandNameFontColor = color; }
    bool ShowComponentFrames() const { return m_showComponentFrames; }
    void SetShowComponentFrames(bool show) { m_showComponentFrames = show; }
    TColor ComponentFrameColor() const { return m_componentFrameColor; }
    void SetComponentFrameColor(TColor color) { m_componentFrameColor = color; }
    int ComponentFrameStyle() const { return m_componentFrameStyle; }
    void SetComponentFrameStyle(int style) { m_componentFrameStyle = style; }
    QStringList AvailableDatasetNames() const { return m_availableDatasetNames; }
    // Blank entries are dropped.
    void SetAvailableDatasetNames(const QStringList &names);

    // --- Hooks ------------------------------------------------------------
    void SetOnEditProperties(const TEditPropertiesEvent &hook) { m_onEditProperties = hook; }
    // The common dialog for two or more selected elements.
    void SetOnEditSeveralProperties(const TEditSeveralPropertiesEvent &hook) { m_onEditSeveral = hook; }
    void SetOnDesignStateChanged(const TDesignStateChangedEvent &hook) { m_onDesignStateChanged = hook; }
    void SetOnDeleteElement(const TDeleteElementEvent &hook) { m_onDeleteElement = hook; }
    void SetOnBeforeCopyToClipboard(const TBeforeCopyEvent &hook) { m_onBeforeCopy = hook; }
    void SetOnShowInfo(const TShowInfoEvent &hook) { m_onShowInfo = hook; }
    void SetOnShowDatafield(const TShowDatafieldEvent &hook) { m_onShowDatafield = hook; }
    void SetAfterReportComponentCreated(const TComponentCreatedEvent &hook) { m_afterCreated = hook; }
    TComponentCreatedEvent AfterReportComponentCreated() const { return m_afterCreated; }
    // The window's message box; without it every question is answered Yes.
    void SetOnAskQuestion(const TAskQuestionEvent &hook) { m_onAskQuestion = hook; }
    // The window's data source choice for new data elements; without it the
    // first data source is taken.
    void SetOnSelectDatasource(const TSelectDatasourceEvent &hook) { m_onSelectDatasource = hook; }

    // --- Insert modes ---------------------------------------------------------
    int TesmolaState() const { return m_state; }
    void SetTesmolaState(int state);
    // Shift on a tool button: the state stays after each insert.
    bool AddMultipleElements() const { return m_addMultiple; }
    void SetAddMultipleElements(bool multiple) { m_addMultiple = multiple; }
    // A left click in insert mode on a control of the report (the report, a
    // band or an element) at a point in that control's coordinates; the new
    // band or element, or none. Positions snap to the grid.
    TVxControl *ReportMouseDown(TVxControl *clicked, QPoint point);
    // The new element is finished: hook, optional property dialog, selection.
    // False when the dialog was cancelled and the element freed.
    bool FinishNewElement(TVxControl *element);

    // --- Properties -------------------------------------------------------------
    bool EditProperties(TComponent *&control);
    // Replaces a band by a new band of the design class (for example
    // "TTesmolaLoopband"): the new one takes the old one's parent, height,
    // font, block flags, frame, elements, the child bands that named it,
    // its place in the selection and its name; the old band is freed. One
    // undo step, unless the caller records it (a property dialog inside the
    // property command). The new band, or the old one when the class is the
    // same or unknown.
    TVxControl *SwapBands(TVxControl *oldBand, const QString &className, bool recordUndo = true);
    bool EditCurrentProperties();
    // A double click on a band or element of the report (or Enter with it
    // selected alone): its properties, unless its "BlockEdit" add-on is set.
    // True when they were edited.
    bool ControlDoubleClicked(TVxControl *control);

    // --- Overridden commands ------------------------------------------------------
    TVxControl *GetValidPasteParent() override;
    void DeleteSelectedElements() override;
    bool CopyToClipboard() override;
    bool PasteFromClipboard() override;
    void SelectionChanged(TVxControl *control) override;

    // Whether the command can run with the current selection and state.
    bool CommandEnabled(TDesignerCommand command) const;

    // --- Element menu -------------------------------------------------------------
    // Script editing by the user (with the loader's ScriptsEnabled).
    bool ScriptEditByUser() const { return m_scriptEditByUser; }
    void SetScriptEditByUser(bool allowed) { m_scriptEditByUser = allowed; }
    bool ScriptsAllowed() const { return ScriptsEnabled() && m_scriptEditByUser; }
    // The menu for a right click on the control (after the click has
    // selected): empty when there is none to show.
    QList<TElementMenuEntry> ElementMenu(const TVxControl *clicked) const;
    QString ElementMenuCaption(TElementMenuEntry entry) const;
    // "Enabled" is checked when the control's EditorEnabled (else Enabled)
    // property is true, and disabled when it has neither.
    bool ElementMenuChecked(TElementMenuEntry entry, const TVxControl *clicked) const;
    bool ElementMenuEnabled(TElementMenuEntry entry, const TVxControl *clicked) const;
    // Runs the entry; true when the report changed.
    bool RunElementMenuEntry(TElementMenuEntry entry, TVxControl *clicked);

    // --- Info panel -------------------------------------------------------------
    void UpdateInfoPanel();
    QString InfoText() const { return m_infoText; }
    QString InfoXPos() const { return m_infoX; }
    QString InfoYPos() const { return m_infoY; }
    bool InfoDividerVisible() const { return m_infoDivider; }
    // The kind and name of an element, as the info panel shows it.
    QString ElementDescription(const TComponent *component) const;

    // --- Data field list ------------------------------------------------------------
    void GetDatasourceList(QList<TDataSet *> &list) override;
    QList<TDatafieldNode> DatafieldTree();
    // The display labels of a data set's shown fields, and the field of a label.
    QStringList FieldLabels(TDataSet *dataSet);
    TField *FieldByLabel(TDataSet *dataSet, const QString &label);
    // Whether a field is offered to the author (not named "__...", then the
    // OnShowDatafield hook), and its display label (else its field name).
    bool IsFieldShown(TField *field) { return FieldShown(field); }
    QString DisplayLabel(const TField *field) const { return FieldLabel(field); }
    // A dropped field: a data text (a data image for picture fields) in
    // selected element 0 when it is a band, else in element 0's parent; the
    // point is in element 0's coordinates. The new element, or none without
    // a field or a selection.
    TVxControl *DropDatafield(TField *field, QPoint point);

    // --- Documents --------------------------------------------------------------------
    // False on any error (the error text in LastError()); an empty name is
    // refused, the window asks for one first.
    bool LoadReport(const QString &fileName);
    bool SaveReport(const QString &fileName);
    bool LoadReport_FromStream(QIODevice &stream);
    bool SaveReport_ToStream(QIODevice &stream);
    bool LoadReport_FromBlobField(const TField *field);
    // True unless the report has changes and the "Report not saved"
    // question is declined.
    bool ConfirmNoSave();
    // An empty report (the changed flag cleared).
    void NewReport();
    void Clear() override;
    void LoadCompsAndDatamoduleFromStream(QIODevice &stream) override;
    QString LastError() const { return m_lastError; }

    // --- Zoom -----------------------------------------------------------------------------
    int Zoom() const;
    void SetZoom(int zoom);
    void ZoomIn() { SetZoom(Zoom() * 2); }
    void ZoomOut();

protected:
    void RestoreSnapshot(const QByteArray &snapshot) override;
    void AfterPaste(TVxControl *element, TVxControl *target) override;

private:
    QString Message(const QString &key, const QString &fallback) const;
    bool Ask(const QString &question) const;
    TVxControl *InsertBand(int state);
    TVxControl *InsertElement(int state, TVxControl *clicked, QPoint point);
    TVxControl *CreateStandalone(int state, TVxControl *target, int left, int top);
    void ResetDataTextCaptions();
    bool FieldShown(TField *field);
    QString FieldLabel(const TField *field) const;

    TVxDCtrlFactory *m_factory = nullptr;
    int m_state = dsNormal;
    bool m_addMultiple = false;
    QString m_reportFileExtension = QStringLiteral(".VX2");
    QString m_backupFileExtension = QStringLiteral(".BAK");
    bool m_saveBackupFiles = false;
    bool m_autoEditAfterInsert = true;
    bool m_showDatafieldListbox = true;
    bool m_datafieldsSorted = false;
    QStringList m_fieldDisplayLabels;
    QStringList m_datasetDisplayLabels;
    QStringList m_availableDatasetNames;
    QString m_infoText;
    QString m_infoX;
    QString m_infoY;
    bool m_infoDivider = false;
    bool m_pasteEnabled = false;
    bool m_scriptEditByUser = false;
    bool m_allowBlockEdit = true;
    bool m_showScriptIndicator = true;
    bool m_allowSQLEdit = true;
    bool m_allowNewCalcFields = false;
    bool m_showBandNames = true;
    TColor m_bandNameFontColor = clSilver;
    bool m_showComponentFrames = false;
    TColor m_componentFrameColor = clGray;
    int m_componentFrameStyle = 2;
    QString m_defaultOpenDir;
    QString m_defaultSaveDir;
    QString m_defaultFileFilter = QStringLiteral("Reports|*.VX2");
    QString m_lastError;

    TEditPropertiesEvent m_onEditProperties;
    TEditSeveralPropertiesEvent m_onEditSeveral;
    TDesignStateChangedEvent m_onDesignStateChanged;
    TDeleteElementEvent m_onDeleteElement;
    TBeforeCopyEvent m_onBeforeCopy;
    TShowInfoEvent m_onShowInfo;
    TShowDatafieldEvent m_onShowDatafield;
    TComponentCreatedEvent m_afterCreated;
    TAskQuestionEvent m_onAskQuestion;
    TSelectDatasourceEvent m_onSelectDatasource;
};

} // namespace zelmio
