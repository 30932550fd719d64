#pragma once
// The report dialog facade the application places on its main window: the
// output jobs of the printer dialog plus the design jobs (a new template, or
// one to edit, in a file, a stream or a data field), with the designer
// settings and hooks the facade hands to each designer window.

#include "designer/ReportPrinterDialog.h"
#include "designer/VexaDesigner.h"

#include <QStringList>
#include <functional>

class QIODevice;

namespace zelmio {

class TDataSet;
class TField;

namespace VxDesignerSettings {
Q_NAMESPACE
enum class TVxDUserSetting {
    AllowSQLEdit = 0x01, AllowDatasetEdit = 0x02, QueriesOnlyInExpert = 0x04, QueriesOnlyInDBSetup = 0x08,
    AllowNewCalcFields = 0x10, AllowBlockEdit = 0x20, AllowScriptEdit = 0x40
};
Q_DECLARE_FLAGS(TVxDUserSettings, TVxDUserSetting)
Q_FLAG_NS(TVxDUserSettings)
enum class TVxDEditorSetting {
    UndoEnabled = 0x01, SaveBackupFiles = 0x02, AutoEditAfterInsert = 0x04, ShowDatafieldListbox = 0x08,
    DatafieldsSorted = 0x10, ShowScriptIndicator = 0x20
};
Q_DECLARE_FLAGS(TVxDEditorSettings, TVxDEditorSetting)
Q_FLAG_NS(TVxDEditorSettings)
} // namespace VxDesignerSettings
} // namespace zelmio

Q_DECLARE_OPERATORS_FOR_FLAGS(zelmio::VxDesignerSettings::TVxDUserSettings)
Q_DECLARE_OPERATORS_FOR_FLAGS(zelmio::VxDesignerSettings::TVxDEditorSettings)

namespace zelmio {
using VxDesignerSettings::TVxDEditorSetting;
using VxDesignerSettings::TVxDEditorSettings;
using VxDesignerSettings::TVxDUserSetting;
using VxDesignerSettings::TVxDUserSettings;

// (Form; Loader; var ShowExpert; var ExpertDefaultDataset)
using TNewReportEvent =
    THook<void(QObject *form, TRuntimeComponentLoader *loader, bool &showExpert, TDataSet *&defaultDataSet)>;

// One design job, as the facade hands it to the designer window.
struct TDesignJob {
    enum class TKind { New, Edit } kind = TKind::New;
    QString fileName;              // a template file (New: the name to save under)
    QIODevice *stream = nullptr;   // the template lives in a stream ...
    TField *field = nullptr;       // ... or in a data field
    QString caption;               // the window caption of stream and field jobs
    bool showExpert = false;       // start with the report wizard
};

class TReportDesignerDialog : public TReportPrinterDialog {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxDesignerSettings::TVxDUserSettings UserSettings READ UserSettings WRITE SetUserSettings)
    Q_PROPERTY(zelmio::VxDesignerSettings::TVxDEditorSettings EditorSettings READ EditorSettings WRITE SetEditorSettings)
    Q_PROPERTY(QString DefaultSaveDir READ DefaultSaveDir WRITE SetDefaultSaveDir)
    Q_PROPERTY(QString DefaultOpenDir READ DefaultOpenDir WRITE SetDefaultOpenDir)
    Q_PROPERTY(QStringList FieldDisplayLabels READ FieldDisplayLabels WRITE SetFieldDisplayLabels)
    Q_PROPERTY(QStringList IndexDisplayLabels READ IndexDisplayLabels WRITE SetIndexDisplayLabels)
    Q_PROPERTY(QStringList DatasetDisplayLabels READ DatasetDisplayLabels WRITE SetDatasetDisplayLabels)
    Q_PROPERTY(QStringList AvailableDatasetNames READ AvailableDatasetNames WRITE SetAvailableDatasetNames)
    Q_PROPERTY(QStringList AvailableDatabaseNames READ AvailableDatabaseNames WRITE SetAvailableDatabaseNames)
    Q_PROPERTY(QStringList AvailableTableNames READ AvailableTableNames WRITE SetAvailableTableNames)
    Q_PROPERTY(QString HelpFile READ HelpFile WRITE SetHelpFile)
    Q_PROPERTY(QString DefaultFileExtension READ DefaultFileExtension WRITE SetDefaultFileExtension)
    Q_PROPERTY(QString DefaultFileFilter READ DefaultFileFilter WRITE SetDefaultFileFilter)
    Q_CLASSINFO("default:DefaultFileExtension", ".VX2")
    Q_CLASSINFO("default:DefaultFileFilter", "Reports|*.VX2")
public:
    explicit TReportDesignerDialog(QObject *owner = nullptr);
    ~TReportDesignerDialog() override;

    // --- Design jobs: each shows the designer window modally and returns
    // when it closes.
    // A new template (with the report wizard when showExpert); fileName,
    // when given, is the name it is saved under. True.
    virtual bool NewReport(const QString &fileName, bool showExpert);
    // The template of the file; an empty name or a missing file opens a new
    // template instead. False, without showing the window, when the file
    // does not load (the reason in LastError).
    bool EditReport(const QString &fileName);
    // Templates held in a stream or a data field: open and save go to it.
    bool NewReport_InStream(QIODevice &stream, const QString &caption, bool showExpert);
    bool NewReport_InBlobField(TField *field, const QString &caption, bool showExpert);
    // The window opens even when the template does not load; the result
    // says whether it loaded.
    bool EditReport_FromStream(QIODevice &stream, const QString &caption);
    bool EditReport_FromBlobField(TField *field, const QString &caption);

    // The base steps, then the designer's settings when the current window
    // is a designer window.
    void AssignProperties() override;

    // --- Used by the designer window while a job runs.
    // Makes the window's report and designer the current ones and hands
    // them the settings (AssignProperties).
    void BeginDesignJob(QObject *window, TDesignVexa *report, TVexaDesigner *designer);
    void EndDesignJob();
    // The new-report check: the OnNewReport hook may change showExpert.
    bool CheckNewReport(QObject *window, bool showExpert);

    // --- Settings.
    TVxDUserSettings UserSettings() const { return m_userSettings; }
    void SetUserSettings(TVxDUserSettings settings) { m_userSettings = settings; }
    TVxDEditorSettings EditorSettings() const { return m_editorSettings; }
    void SetEditorSettings(TVxDEditorSettings settings) { m_editorSettings = settings; }
    QString DefaultSaveDir() const { return m_defaultSaveDir; }
    void SetDefaultSaveDir(const QString &dir) { m_defaultSaveDir = dir; }
    QString DefaultOpenDir() const { return m_defaultOpenDir; }
    void SetDefaultOpenDir(const QString &dir) { m_defaultOpenDir = dir; }
    QStringList FieldDisplayLabels() const { return m_fieldDisplayLabels; }
    void SetFieldDisplayLabels(const QStringList &labels) { m_fieldDisplayLabels = labels; }
    QStringList IndexDisplayLabels() const { return m_indexDisplayLabels; }
    void SetIndexDisplayLabels(const QStringList &labels) { m_indexDisplayLabels = labels; }
    QStringList DatasetDisplayLabels() const { return m_datasetDisplayLabels; }
    void SetDatasetDisplayLabels(const QStringList &labels) { m_datasetDisplayLabels = labels; }
    QStringList AvailableDatasetNames() const { return m_availableDatasetNames; }
    void SetAvailableDatasetNames(const QStringList &names) { m_availableDatasetNames = names; }
    QStringList AvailableDatabaseNames() const { return m_availableDatabaseNames; }
    void SetAvailableDatabaseNames(const QStringList &names) { m_availableDatabaseNames = names; }
    QStringList AvailableTableNames() const { return m_availableTableNames; }
    void SetAvailableTableNames(const QStringList &names) { m_availableTableNames = names; }
    QString HelpFile() const { return m_helpFile; }
    void SetHelpFile(const QString &file) { m_helpFile = file; }
    QString DefaultFileExtension() const { return m_defaultFileExtension; }
    // Normalised: a leading "." is added, at most 10 characters follow it.
    void SetDefaultFileExtension(const QString &extension);
    QString DefaultFileFilter() const { return m_defaultFileFilter; }
    void SetDefaultFileFilter(const QString &filter) { m_defaultFileFilter = filter; }

    // --- Hooks.
    TComponentCreatedEvent AfterReportComponentCreated() const { return m_afterComponentCreated; }
    void SetAfterReportComponentCreated(const TComponentCreatedEvent &hook) { m_afterComponentCreated = hook; }
    TShowDatafieldEvent OnShowDatafield() const { return m_onShowDatafield; }
    void SetOnShowDatafield(const TShowDatafieldEvent &hook) { m_onShowDatafield = hook; }
    TNewReportEvent OnNewReport() const { return m_onNewReport; }
    void SetOnNewReport(const TNewReportEvent &hook) { m_onNewReport = hook; }
    TSaveUserDataEvent OnSaveReport() const { return m_onSaveReport; }
    void SetOnSaveReport(const TSaveUserDataEvent &hook) { m_onSaveReport = hook; }

private:
    bool RunDesignJob(const TDesignJob &job);

    TVexaDesigner *m_designer = nullptr;
    TVxDUserSettings m_userSettings = TVxDUserSetting::AllowSQLEdit | TVxDUserSetting::AllowDatasetEdit |
                                      TVxDUserSetting::AllowBlockEdit | TVxDUserSetting::AllowScriptEdit;
    TVxDEditorSettings m_editorSettings = TVxDEditorSetting::AutoEditAfterInsert |
                                          TVxDEditorSetting::ShowDatafieldListbox |
                                          TVxDEditorSetting::DatafieldsSorted |
                                          TVxDEditorSetting::ShowScriptIndicator;
    QString m_defaultSaveDir;
    QString m_defaultOpenDir;
    QStringList m_fieldDisplayLabels;
    QStringList m_indexDisplayLabels;
    QStringList m_datasetDisplayLabels;
    QStringList m_availableDatasetNames;
    QStringList m_availableDatabaseNames;
    QStringList m_availableTableNames;
    QString m_helpFile;
    QString m_defaultFileExtension = QStringLiteral(".VX2");
    QString m_defaultFileFilter = QStringLiteral("Reports|*.VX2");
    TComponentCreatedEvent m_afterComponentCreated;
    TShowDatafieldEvent m_onShowDatafield;
    TNewReportEvent m_onNewReport;
    TSaveUserDataEvent m_onSaveReport;
};

// Runs a design job in the designer window and returns the job's result
// when the window closes. The windows library installs it; without it the
// design jobs are refused.
using TDesignerWindowRunner = std::function<bool(TReportDesignerDialog &dialog, const TDesignJob &job)>;
TDesignerWindowRunner &GlobalDesignerWindow();

} // namespace zelmio
