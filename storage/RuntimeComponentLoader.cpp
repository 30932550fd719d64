#include "storage/RuntimeComponentLoader.h"

#include "platform/RegularFileReader.h"
#include "platform/VxError.h"
#include "model/ClassRegistry.h"
#include "model/CustomVexa.h"
#include "model/PropertyAccess.h"
#include "platform/DataSet.h"
#include "storage/ComponentFileHeader.h"
#include "storage/ComponentLoader.h"
#include "storage/ComponentTreeReader.h"
#include "storage/ExpressionText.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/PropertyAddon.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/TemplateFileRewrite.h"
#include "storage/TextFormReader.h"
#include "storage/UniqueComponentName.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <mutex>

namespace zelmio {

const QString TRuntimeComponentLoader::kVersion = QStringLiteral("1.59.0");

void RegisterStorageClasses()
{
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterReportModelClasses();
        RegisterClass<TRuntimeDatamodule>();
        RegisterClass<TComponentFileHeader>();
        RegisterClass<TPropertyAddons>();
        RegisterClass<TPropertyAddon>();
    });
}

namespace {

// The offset of the next line that starts a block ("object" at the start
// of a line), after offset; the end of data when there is none.
qsizetype NextBlockStart(const QByteArray &data, qsizetype offset)
{
    for (qsizetype at = data.indexOf('\n', offset); at >= 0; at = data.indexOf('\n', at + 1)) {
        qsizetype line = at + 1;
        if (data.mid(line, 3) == "\xEF\xBB\xBF")
            line += 3;
        if (data.mid(line, 7).toLower() == "object ")
            return at + 1;
    }
    return data.size();
}

} // namespace

TRuntimeComponentLoader::TRuntimeComponentLoader(TComponent *owner)
    : TComponent(owner)
{
    RegisterStorageClasses();
    m_header = new TComponentFileHeader(this);
    m_header->setObjectName(QStringLiteral("Header"));
    m_componentLoader = new TComponentLoader(this);
    m_addons = new TPropertyAddons(this);
    CreateDefaultDatamodule();
}

TRuntimeComponentLoader::~TRuntimeComponentLoader()
{
    Destroying();
    m_datamodules.clear();
}

TCustomVexa *TRuntimeComponentLoader::ParentControl() const
{
    return m_parentControl;
}

void TRuntimeComponentLoader::SetParentControl(TCustomVexa *report)
{
    m_parentControl = report;
}

QList<TRuntimeDatamodule *> TRuntimeComponentLoader::Datamodules() const
{
    QList<TRuntimeDatamodule *> result;
    for (const auto &module : m_datamodules)
        result.append(module.get());
    return result;
}

TRuntimeDatamodule *TRuntimeComponentLoader::Datamodule() const
{
    return m_datamodules.empty() ? nullptr : m_datamodules.front().get();
}

TComponent *TRuntimeComponentLoader::ElementOwner() const
{
    if (m_parentControl && m_parentControl->Owner())
        return m_parentControl->Owner();
    if (m_parentControl)
        return m_parentControl;
    return Owner();
}

QString TRuntimeComponentLoader::RuntimeMessage(const QString &key, const QString &fallback) const
{
    const QString prefix = key + QLatin1Char('=');
    for (const QString &line : m_runtimeMessages) {
        if (line.startsWith(prefix, Qt::CaseInsensitive))
            return line.mid(prefix.size());
    }
    return fallback;
}

bool TRuntimeComponentLoader::GetBoolProp(const TComponent *component, const QString &name) const
{
    return m_addons->GetBoolProp(component, name);
}

int TRuntimeComponentLoader::PeekFormatWord(QIODevice &stream)
{
    const QByteArray bytes = stream.peek(2);
    if (bytes.size() < 2)
        return -1;
    return static_cast<unsigned char>(bytes.at(0)) | (static_cast<unsigned char>(bytes.at(1)) << 8);
}

// --- Data modules -----------------------------------------------------------

TRuntimeDatamodule *TRuntimeComponentLoader::CreateDefaultDatamodule()
{
    auto module = std::make_unique<TRuntimeDatamodule>();
    TRuntimeDatamodule *result = module.get();
    m_datamodules.insert(m_datamodules.begin(), std::move(module));
    FixDatamoduleName(result);
    return result;
}

void TRuntimeComponentLoader::Datamodule_Loaded(TRuntimeDatamodule *module)
{
    if (!module)
        return;
    // The record sets of this system have no calculated fields, so
    // OnCalcFields has nothing to be installed on.
    for (TDataSet *dataSet : module->DataSets())
        m_beforeOpenDataset(dataSet);
    m_beforeOpenDatasets(module);
    m_onDatamoduleLoaded(module);
}

void TRuntimeComponentLoader::FixDatamoduleName(TRuntimeDatamodule *module)
{
    QString name = module->Name();
    const qsizetype underscore = name.indexOf(QLatin1Char('_'));
    if (underscore < 0)
        return;
    name = StripTrailingDigits(name.left(underscore));
    if (name.isEmpty())
        name = QStringLiteral("RuntimeDatamodule");
    const auto taken = [module](const QString &candidate) {
        QObject *existing = FindGlobalComponent(candidate);
        return existing && existing != module;
    };
    if (taken(name)) {
        for (int number = 1;; ++number) {
            const QString candidate = name + QString::number(number);
            if (!taken(candidate)) {
                name = candidate;
                break;
            }
        }
    }
    module->setObjectName(name);
}

void TRuntimeComponentLoader::ExpandSQLExpressions(TRuntimeDatamodule *module,
                                                   const std::function<QString(const QString &)> &evaluate)
{
    if (!module)
        return;
    for (TDataSet *dataSet : module->DataSets()) {
        const QVariant sqlValue = dataSet->property("SQL");
        if (!sqlValue.isValid())
            continue;
        const QString name = dataSet->objectName();
        QStringList lines = sqlValue.toStringList();
        if (module->HasExpressionSQL(name)) {
            lines = module->ExpressionSQLText(name).split(QStringLiteral("\r\n"));
        } else {
            const QString text = lines.join(QStringLiteral("\r\n"));
            if (text.contains(QLatin1String("%%")))
                module->SetExpressionSQLText(name, text);
        }
        dataSet->setProperty("SQL", ExpandExpressionText(lines, evaluate));
    }
}

void TRuntimeComponentLoader::OpenDatamoduleDataSets()
{
    TRuntimeDatamodule *module = Datamodule();
    if (!module)
        return;
    const QList<TDataSet *> dataSets = module->DataSets();
    for (auto it = dataSets.crbegin(); it != dataSets.crend(); ++it) {
        if (!(*it)->Active())
            (*it)->Open();
    }
}

// --- Names and errors -------------------------------------------------------

void TRuntimeComponentLoader::ComponentLoader_OnError(const QString &, bool &handled)
{
    handled = true;
}

void TRuntimeComponentLoader::ComponentLoader_OnSetName(TComponent *component, QString &name)
{
    if (name.isEmpty() || !component)
        return;
    const TComponent *owner = component->Owner();
    if (!owner)
        return;
    QObject *existing = owner->FindOwnedObject(name);
    if (existing && existing != component)
        name = FindUniqueComponentName(owner, name, false);
}

void TRuntimeComponentLoader::RewriteBlockForReading(QByteArray &text) const
{
    if (const TRuntimeDatamodule *module = Datamodule()) {
        const QString name = module->Name();
        const qsizetype underscore = name.indexOf(QLatin1Char('_'));
        if (underscore > 0)
            text = ReplaceOutsideQuotes(text, (name.left(underscore) + QLatin1Char('.')).toUtf8(),
                                        (name + QLatin1Char('.')).toUtf8());
    }
    if (m_databaseOwner && !m_databaseOwner->objectName().isEmpty())
        text = ReplaceOutsideQuotes(text, " = DatabaseOwner.", " = " + m_databaseOwner->objectName().toUtf8() + ".");
    text = ReplaceOutsideQuotes(text, ": TVxDWQuery", ": TVxQuery");
}

void TRuntimeComponentLoader::Fail(const QString &block, const std::exception &error) const
{
    QString message = QString::fromUtf8(error.what());
    if (!block.isEmpty())
        message = block + QStringLiteral(": ") + message;
    if (!m_loadingFileName.isEmpty())
        message = m_loadingFileName + QStringLiteral(": ") + message;
    throw EVxError(message);
}

template <class Fn>
void TRuntimeComponentLoader::WithAddonsDisabled(Fn fn)
{
    m_addons->SetEnabled(false);
    try {
        fn();
    } catch (...) {
        m_addons->SetEnabled(true);
        throw;
    }
    m_addons->SetEnabled(true);
}

// --- Clearing ---------------------------------------------------------------

void TRuntimeComponentLoader::ClearControls()
{
    if (!m_parentControl)
        return;
    const QList<TVxControl *> controls = m_parentControl->ControlList();
    for (auto it = controls.crbegin(); it != controls.crend(); ++it)
        delete *it;
}

void TRuntimeComponentLoader::ClearDatamodules()
{
    while (!m_datamodules.empty())
        m_datamodules.pop_back();
}

void TRuntimeComponentLoader::Clear()
{
    ClearControls();
    ClearDatamodules();
    CreateDefaultDatamodule();
}

// --- Record sets ------------------------------------------------------------

void TRuntimeComponentLoader::GetDatasourceListFromForm(QObject *form, QList<TDataSet *> &list)
{
    if (!form)
        return;
    for (QObject *child : form->children()) {
        auto *dataSet = qobject_cast<TDataSet *>(child);
        if (dataSet && !dataSet->objectName().startsWith(QLatin1String("__")) && !list.contains(dataSet))
            list.append(dataSet);
    }
}

void TRuntimeComponentLoader::GetDatasourceList(QList<TDataSet *> &list)
{
    for (TRuntimeDatamodule *module : Datamodules())
        GetDatasourceListFromForm(module, list);
    if (m_useDatamodules) {
        for (QObject *module : ApplicationDataModules())
            GetDatasourceListFromForm(module, list);
    }
    GetDatasourceListFromForm(m_databaseOwner, list);
}

// --- Loading ----------------------------------------------------------------

QByteArray TRuntimeComponentLoader::ReadTemplateFile(const QString &fileName)
{
    if (!QFileInfo::exists(fileName) && !QFileInfo(fileName).isSymLink())
        throw EVxError(QStringLiteral("%1: the file does not exist").arg(fileName));
    TRegularFileReader reader(fileName);
    constexpr qint64 headSize = 4096;
    QByteArray data = reader.Read(headSize);
    if (reader.AtEnd() || !TTextFormReader::CanStartObject(data))
        return data;
    if (reader.SizeHint() > kMaxTemplateFileSize)
        reader.FailTooLarge(kMaxTemplateFileSize);
    data += reader.ReadRest(kMaxTemplateFileSize);
    return data;
}

QByteArray TRuntimeComponentLoader::ReadFileData(const QString &fileName) const
{
    return ReadTemplateFile(fileName);
}

qsizetype TRuntimeComponentLoader::LoadHeaderData(const QByteArray &data, qsizetype offset)
{
    m_header->Reset();
    m_componentLoader->SetBeforeComponentRead(TComponentTextEvent());
    m_componentLoader->SetAfterComponentRead(TComponentEvent());
    m_componentLoader->SetOnReferenceName(TReferenceNameEvent());
    m_componentLoader->SetLookupRoot(nullptr);
    qsizetype end = offset;
    try {
        end = m_componentLoader->ReadComponent(m_header, data, offset);
    } catch (const std::exception &e) {
        Fail(QStringLiteral("file header"), e);
    }
    m_header->setObjectName(QStringLiteral("Header"));
    if (m_onLoadUserData && !m_header->UserData().isEmpty()) {
        QByteArray userData = m_header->UserData();
        QBuffer buffer(&userData);
        buffer.open(QIODevice::ReadOnly);
        m_onLoadUserData(buffer);
    }
    return end;
}

qsizetype TRuntimeComponentLoader::LoadDatamoduleData(const QByteArray &data, qsizetype offset)
{
    TRuntimeDatamodule *module = Datamodule();
    const qsizetype start = TTextFormReader::SkipWhiteSpace(data, offset);
    // A template without a data module block goes on with the report.
    try {
        TTextFormReader peek(data, start);
        const TTextObject tree = peek.ReadObject();
        if (!TComponentTreeReader::ClassFits(module->metaObject(), tree.className)) {
            m_warnings.append(QStringLiteral("data module: no data module block (found %1)").arg(tree.className));
            return offset;
        }
    } catch (const std::exception &e) {
        m_warnings.append(QStringLiteral("data module: skipped: %1").arg(QString::fromUtf8(e.what())));
        return NextBlockStart(data, start);
    }
    module->setObjectName(QString());
    m_componentLoader->SetBeforeComponentRead([this](QByteArray &text) { RewriteBlockForReading(text); });
    m_componentLoader->SetAfterComponentRead([this](TComponent *component) {
        Datamodule_Loaded(qobject_cast<TRuntimeDatamodule *>(component));
    });
    qsizetype end = offset;
    try {
        end = m_componentLoader->ReadComponent(module, data, start);
    } catch (const std::exception &e) {
        // The template is used with an empty module.
        m_warnings.append(QStringLiteral("data module: skipped: %1").arg(QString::fromUtf8(e.what())));
        ClearDatamodules();
        CreateDefaultDatamodule();
        end = NextBlockStart(data, start);
    }
    m_componentLoader->SetAfterComponentRead(TComponentEvent());
    if (Datamodule()->Name().isEmpty())
        Datamodule()->setObjectName(QStringLiteral("RuntimeDatamodule"));
    FixDatamoduleName(Datamodule());
    return end;
}

qsizetype TRuntimeComponentLoader::LoadReportData(const QByteArray &data, qsizetype offset)
{
    if (!m_parentControl)
        throw EVxError(QStringLiteral("The loader has no report to load into"));
    qsizetype end = offset;
    WithAddonsDisabled([&] {
        m_componentLoader->SetBeforeComponentRead([this](QByteArray &text) { RewriteBlockForReading(text); });
        m_componentLoader->SetAfterComponentRead(TComponentEvent());
        m_componentLoader->SetOnReferenceName(TReferenceNameEvent());
        m_componentLoader->SetLookupRoot(nullptr);
        try {
            end = m_componentLoader->ReadComponent(m_parentControl, data, end);
        } catch (const std::exception &e) {
            Fail(QStringLiteral("report"), e);
        }
        m_addons->Clear();
        end = TTextFormReader::SkipWhiteSpace(data, end);
        if (end >= data.size())
            return;
        // The add-on fix-up: a reference through the database owner's name
        // means an element of the window that shows the report.
        m_componentLoader->SetLookupRoot(ElementOwner());
        m_componentLoader->SetOnReferenceName([this](const QString &reference, QObject *&object) {
            const qsizetype dot = reference.indexOf(QLatin1Char('.'));
            if (dot > 0 && m_databaseOwner
                && reference.left(dot).compare(m_databaseOwner->objectName(), Qt::CaseInsensitive) == 0) {
                if (TComponent *owner = ElementOwner())
                    object = owner->FindOwnedObject(reference.mid(dot + 1));
            }
        });
        try {
            end = m_componentLoader->ReadComponent(m_addons, data, end);
        } catch (const std::exception &e) {
            m_componentLoader->SetLookupRoot(nullptr);
            m_componentLoader->SetOnReferenceName(TReferenceNameEvent());
            Fail(QStringLiteral("designer add-ons"), e);
        }
        m_componentLoader->SetLookupRoot(nullptr);
        m_componentLoader->SetOnReferenceName(TReferenceNameEvent());
        m_addons->CleanUp();
        end = TTextFormReader::SkipWhiteSpace(data, end);
        if (end < data.size())
            m_warnings.append(QStringLiteral("text after the last block ignored"));
    });
    return end;
}

qsizetype TRuntimeComponentLoader::LoadTemplateData(const QByteArray &data, qsizetype offset)
{
    Clear();
    m_warnings.clear();
    m_componentLoader->ClearWarnings();
    m_componentLoader->SetOnError([this](const QString &message, bool &handled) { ComponentLoader_OnError(message, handled); });
    m_componentLoader->SetOnSetName([this](TComponent *component, QString &name) { ComponentLoader_OnSetName(component, name); });
    const qsizetype start = TTextFormReader::SkipWhiteSpace(data, offset);
    if (start >= data.size()) {
        if (!m_loadingFileName.isEmpty())
            throw EVxError(QStringLiteral("%1: the file is empty").arg(m_loadingFileName));
        throw EVxError(QStringLiteral("The template is empty"));
    }
    qsizetype end = LoadHeaderData(data, offset);
    end = LoadDatamoduleData(data, end);
    end = LoadReportData(data, end);
    m_warnings += m_componentLoader->Warnings();
    NameFileInWarnings();
    return end;
}

void TRuntimeComponentLoader::NameFileInWarnings()
{
    // A warning stands on its own (a log line, a message on standard error):
    // it names the file as the errors do.
    if (m_loadingFileName.isEmpty())
        return;
    for (QString &warning : m_warnings)
        warning = m_loadingFileName + QStringLiteral(": ") + warning;
}

void TRuntimeComponentLoader::LoadCompsAndDatamoduleFromStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    const QByteArray data = stream.readAll();
    const qsizetype end = LoadTemplateData(data, 0);
    stream.seek(start + end);
}

void TRuntimeComponentLoader::LoadCompsAndDatamoduleFromBlobfield(const TField *field)
{
    if (!field)
        throw EVxError(QStringLiteral("No data field to load the template from"));
    QByteArray data = field->AsBytes();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadCompsAndDatamoduleFromStream(buffer);
}

void TRuntimeComponentLoader::LoadCompsAndDatamoduleFromFile(const QString &fileName)
{
    QByteArray data = RewriteTemplateFileText(ReadFileData(fileName));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    m_loadingFileName = fileName;
    try {
        LoadCompsAndDatamoduleFromStream(buffer);
    } catch (...) {
        m_loadingFileName.clear();
        throw;
    }
    m_loadingFileName.clear();
    m_fileName = fileName;
}

void TRuntimeComponentLoader::LoadFromStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    const QByteArray data = stream.readAll();
    m_warnings.clear();
    m_componentLoader->ClearWarnings();
    // The report's present controls stay: a paste adds to them, and an undo
    // step clears them itself first.
    const qsizetype end = LoadReportData(data, 0);
    m_warnings += m_componentLoader->Warnings();
    NameFileInWarnings();
    stream.seek(start + end);
}

void TRuntimeComponentLoader::LoadFromFile(const QString &fileName)
{
    QByteArray data = ReadFileData(fileName);
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    m_loadingFileName = fileName;
    try {
        LoadFromStream(buffer);
    } catch (...) {
        m_loadingFileName.clear();
        throw;
    }
    m_loadingFileName.clear();
}

void TRuntimeComponentLoader::LoadFromBlobfield(const TField *field)
{
    if (!field)
        throw EVxError(QStringLiteral("No data field to load the template from"));
    QByteArray data = field->AsBytes();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    LoadFromStream(buffer);
}

void TRuntimeComponentLoader::LoadDatamoduleFromStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    const QByteArray data = stream.readAll();
    const qsizetype end = LoadDatamoduleData(data, 0);
    stream.seek(start + end);
}

void TRuntimeComponentLoader::LoadHeaderFromStream(QIODevice &stream)
{
    const qint64 start = stream.pos();
    const QByteArray data = stream.readAll();
    const qsizetype end = LoadHeaderData(data, 0);
    stream.seek(start + end);
}

} // namespace zelmio
