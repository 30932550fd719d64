#pragma once
// Reads report templates and holds what a loaded template brings along: the
// report it fills (ParentControl, not owned), the file header, the
// template's data module (entry 0 of the data modules), the add-on store,
// the database owner whose record sets the template may name, and the
// application's hooks.
//
// A template is up to four object blocks: the header, the data module, the
// report and the designer's add-ons. Loading replaces the whole content:
// the report's controls and the data modules are freed first. Errors in the
// header or report block, a missing or unreadable file and a broken add-on
// block raise EVxError with a message that names the file and the place; an
// error inside the data module block is swallowed (the template then has an
// empty module). Unknown classes and properties are skipped and listed in
// LoadWarnings().
//
// Loading a file never changes it: the rewrite of older class names is
// applied to the text in memory.

#include "model/Component.h"
#include "model/Hook.h"

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class QIODevice;

namespace zelmio {

class TComponentFileHeader;
class TComponentLoader;
class TCustomVexa;
class TDataSet;
class TField;
class TPropertyAddons;
class TRuntimeDatamodule;

// (DataSet)
using TDataSetNotifyEvent = THook<void(TDataSet *dataSet)>;
// (stream of the user data, positioned at its start)
using TLoadUserDataEvent = THook<void(QIODevice &stream)>;

class TRuntimeComponentLoader : public TComponent {
    Q_OBJECT
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(bool UseDatamodules READ UseDatamodules WRITE SetUseDatamodules)
    Q_PROPERTY(bool ScriptsEnabled READ ScriptsEnabled WRITE SetScriptsEnabled)
    Q_PROPERTY(QStringList RuntimeMessages READ RuntimeMessages WRITE SetRuntimeMessages)
    Q_PROPERTY(zelmio::TNotifyEvent BeforeOpenDatasets READ BeforeOpenDatasets WRITE SetBeforeOpenDatasets)
    Q_PROPERTY(zelmio::TDataSetNotifyEvent BeforeOpenDataset READ BeforeOpenDataset WRITE SetBeforeOpenDataset)
    Q_PROPERTY(zelmio::TDataSetNotifyEvent OnCalcFields READ OnCalcFields WRITE SetOnCalcFields)
    Q_PROPERTY(zelmio::TNotifyEvent OnDatamoduleLoaded READ OnDatamoduleLoaded WRITE SetOnDatamoduleLoaded)
    Q_PROPERTY(zelmio::TLoadUserDataEvent OnLoadUserData READ OnLoadUserData WRITE SetOnLoadUserData)
    Q_CLASSINFO("default:UseDatamodules", "False")
    Q_CLASSINFO("default:ScriptsEnabled", "False")
    Q_CLASSINFO("default:RuntimeMessages", "")
public:
    static const QString kVersion;   // "1.59.0"

    explicit TRuntimeComponentLoader(TComponent *owner = nullptr);
    ~TRuntimeComponentLoader() override;

    // --- What a loaded template brings ----------------------------------
    TCustomVexa *ParentControl() const;
    virtual void SetParentControl(TCustomVexa *report);
    TComponentFileHeader *Header() const { return m_header; }
    // Entry 0 is the template's module.
    QList<TRuntimeDatamodule *> Datamodules() const;
    TRuntimeDatamodule *Datamodule() const;
    TComponentLoader *ComponentLoader() const { return m_componentLoader; }
    TPropertyAddons *PropertyAddons() const { return m_addons; }
    // The component whose components the template's elements become (the
    // window that shows the report).
    TComponent *ElementOwner() const;

    // --- Settings ---------------------------------------------------------
    QString Version() const { return kVersion; }
    void SetVersion(const QString &) {}
    bool UseDatamodules() const { return m_useDatamodules; }
    void SetUseDatamodules(bool value) { m_useDatamodules = value; }
    bool ScriptsEnabled() const { return m_scriptsEnabled; }
    void SetScriptsEnabled(bool value) { m_scriptsEnabled = value; }
    // Lines of "Key=Text".
    QStringList RuntimeMessages() const { return m_runtimeMessages; }
    void SetRuntimeMessages(const QStringList &messages) { m_runtimeMessages = messages; }
    // The text of a message key, or the fallback when the table lacks it.
    QString RuntimeMessage(const QString &key, const QString &fallback) const;
    // The window (or any object) whose record sets a template names as
    // "DatabaseOwner.Name"; none by default.
    QObject *DatabaseOwner() const { return m_databaseOwner; }
    void SetDatabaseOwner(QObject *owner) { m_databaseOwner = owner; }

    // The current file: set by a successful file load or save.
    QString FileName() const { return m_fileName; }
    void SetFileName(const QString &fileName) { m_fileName = fileName; }
    // The file being loaded, only during a load.
    QString LoadingFileName() const { return m_loadingFileName; }

    // --- Hooks ------------------------------------------------------------
    TNotifyEvent BeforeOpenDatasets() const { return m_beforeOpenDatasets; }
    void SetBeforeOpenDatasets(const TNotifyEvent &hook) { m_beforeOpenDatasets = hook; }
    TDataSetNotifyEvent BeforeOpenDataset() const { return m_beforeOpenDataset; }
    void SetBeforeOpenDataset(const TDataSetNotifyEvent &hook) { m_beforeOpenDataset = hook; }
    TDataSetNotifyEvent OnCalcFields() const { return m_onCalcFields; }
    void SetOnCalcFields(const TDataSetNotifyEvent &hook) { m_onCalcFields = hook; }
    TNotifyEvent OnDatamoduleLoaded() const { return m_onDatamoduleLoaded; }
    void SetOnDatamoduleLoaded(const TNotifyEvent &hook) { m_onDatamoduleLoaded = hook; }
    TLoadUserDataEvent OnLoadUserData() const { return m_onLoadUserData; }
    void SetOnLoadUserData(const TLoadUserDataEvent &hook) { m_onLoadUserData = hook; }

    // --- Loading ----------------------------------------------------------
    // After a data module's block was read: the data sets get the hooks,
    // then BeforeOpenDatasets and OnDatamoduleLoaded.
    virtual void Datamodule_Loaded(TRuntimeDatamodule *module);
    virtual TRuntimeDatamodule *CreateDefaultDatamodule();
    virtual void ComponentLoader_OnError(const QString &message, bool &handled);
    // A nested component whose name its owner already has gets the name with
    // trailing digits removed and the first free number appended.
    virtual void ComponentLoader_OnSetName(TComponent *component, QString &name);
    // Blocks 3 and 4 only (undo snapshots, the clipboard).
    virtual void LoadFromStream(QIODevice &stream);
    virtual void LoadFromFile(const QString &fileName);
    virtual void LoadFromBlobfield(const TField *field);
    virtual void LoadDatamoduleFromStream(QIODevice &stream);
    virtual void LoadHeaderFromStream(QIODevice &stream);
    // The whole template.
    virtual void LoadCompsAndDatamoduleFromStream(QIODevice &stream);
    virtual void LoadCompsAndDatamoduleFromBlobfield(const TField *field);
    virtual void LoadCompsAndDatamoduleFromFile(const QString &fileName);
    virtual void ClearControls();
    virtual void ClearDatamodules();
    virtual void Clear();
    // Record sets of a window or data module, and of everything the loader
    // reaches (its data modules, with UseDatamodules all application data
    // modules, then the database owner), without duplicates and without
    // names starting with "__".
    virtual void GetDatasourceListFromForm(QObject *form, QList<TDataSet *> &list);
    virtual void GetDatasourceList(QList<TDataSet *> &list);

    // Add-on shortcut.
    bool GetBoolProp(const TComponent *component, const QString &name) const;

    // What the last load skipped (unknown classes and properties, bad
    // values, unresolved references), one line each, each naming the file
    // when the template was loaded from one.
    QStringList LoadWarnings() const { return m_warnings; }

    // The first two bytes of the stream as a little-endian number (the
    // stream's position is kept); -1 when the stream is shorter.
    static int PeekFormatWord(QIODevice &stream);
    // Older templates start with the bytes 06 04.
    static constexpr int kOldFormatIdentifier = 0x0406;

    // Templates larger than this are refused unread.
    static constexpr qint64 kMaxTemplateFileSize = 256 * 1024 * 1024;
    // The bytes of a template file, read as the loaders read it: only a
    // regular file (a named pipe is refused, not waited for), and when its
    // first bytes cannot begin a template, only those (reading them fails
    // with the same error the whole file would give, without the rest being
    // read). Raises EVxError naming the file when it is missing, not a
    // regular file, unreadable or larger than kMaxTemplateFileSize.
    static QByteArray ReadTemplateFile(const QString &fileName);

protected:
    // Whole-template reading from a buffer; returns the offset after the
    // last block read.
    virtual qsizetype LoadTemplateData(const QByteArray &data, qsizetype offset);
    qsizetype LoadReportData(const QByteArray &data, qsizetype offset);
    // The reader's rewrite of each block before it is read.
    virtual void RewriteBlockForReading(QByteArray &text) const;
    // Turns the data module's name into its final form after reading.
    void FixDatamoduleName(TRuntimeDatamodule *module);
    // The SQL expression step for the data sets of a module that have an
    // "SQL" property; evaluate gives the text of one expression.
    void ExpandSQLExpressions(TRuntimeDatamodule *module, const std::function<QString(const QString &)> &evaluate);
    // Opens the closed record sets of module 0, the last created first.
    void OpenDatamoduleDataSets();
    // Runs fn with the add-on store not reacting to removals; switched on
    // again afterwards, also after an error.
    template <class Fn>
    void WithAddonsDisabled(Fn fn);
    // Prefixes an error with the file (when loading one) and the block.
    [[noreturn]] void Fail(const QString &block, const std::exception &error) const;
    void NameFileInWarnings();

private:
    qsizetype LoadHeaderData(const QByteArray &data, qsizetype offset);
    qsizetype LoadDatamoduleData(const QByteArray &data, qsizetype offset);
    QByteArray ReadFileData(const QString &fileName) const;

    QPointer<TCustomVexa> m_parentControl;
    TComponentFileHeader *m_header = nullptr;
    TComponentLoader *m_componentLoader = nullptr;
    TPropertyAddons *m_addons = nullptr;
    std::vector<std::unique_ptr<TRuntimeDatamodule>> m_datamodules;
    QStringList m_runtimeMessages;
    QPointer<QObject> m_databaseOwner;
    bool m_useDatamodules = false;
    bool m_scriptsEnabled = false;
    QString m_fileName;
    QString m_loadingFileName;
    QStringList m_warnings;

    TNotifyEvent m_beforeOpenDatasets;
    TDataSetNotifyEvent m_beforeOpenDataset;
    TDataSetNotifyEvent m_onCalcFields;
    TNotifyEvent m_onDatamoduleLoaded;
    TLoadUserDataEvent m_onLoadUserData;
};

// Registers the storage classes in the class registry (TRuntimeDatamodule,
// TComponentFileHeader, TPropertyAddons, TPropertyAddon) and the report
// engine's; safe to call more than once.
void RegisterStorageClasses();

} // namespace zelmio
