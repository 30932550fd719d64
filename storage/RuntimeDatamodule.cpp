#include "storage/RuntimeDatamodule.h"

#include "platform/DataSet.h"
#include "storage/GlobalComponentLookup.h"

#include <QChildEvent>
#include <QPointer>

namespace zelmio {

namespace {

const QString kLineBreakCode = QStringLiteral("\\~n");

int EntryIndex(const QStringList &entries, const QString &name)
{
    const QString prefix = name + QLatin1Char('=');
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

} // namespace

QString EncodeLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(QLatin1String("\r\n"), kLineBreakCode);
    result.replace(QLatin1Char('\n'), kLineBreakCode);
    return result;
}

QString DecodeLineBreaks(const QString &text)
{
    QString result = text;
    result.replace(kLineBreakCode, QLatin1String("\r\n"));
    return result;
}

TRuntimeDatamodule::TRuntimeDatamodule(TComponent *owner)
    : TComponent(owner)
{
    setObjectName(QStringLiteral("RuntimeDatamodule"));
    RegisterApplicationDataModule(this);
}

TRuntimeDatamodule::~TRuntimeDatamodule()
{
    UnregisterApplicationDataModule(this);
    Destroying();
    // The upkeep must not run for children freed with the module.
    for (auto it = m_childNames.cbegin(); it != m_childNames.cend(); ++it)
        disconnect(it.key(), nullptr, this, nullptr);
    m_childNames.clear();
}

void TRuntimeDatamodule::Loaded()
{
    TComponent::Loaded();
    m_onLoaded(this);
}

QList<TDataSet *> TRuntimeDatamodule::DataSets() const
{
    QList<TDataSet *> result;
    for (QObject *child : children()) {
        if (auto *dataSet = qobject_cast<TDataSet *>(child))
            result.append(dataSet);
    }
    return result;
}

bool TRuntimeDatamodule::HasExpressionSQL(const QString &dataSetName) const
{
    return EntryIndex(m_expressionSQL, dataSetName) >= 0;
}

QString TRuntimeDatamodule::ExpressionSQLText(const QString &dataSetName) const
{
    const int index = EntryIndex(m_expressionSQL, dataSetName);
    if (index < 0)
        return QString();
    return DecodeLineBreaks(m_expressionSQL.at(index).mid(dataSetName.size() + 1));
}

void TRuntimeDatamodule::SetExpressionSQLText(const QString &dataSetName, const QString &sql)
{
    const QString entry = dataSetName + QLatin1Char('=') + EncodeLineBreaks(sql);
    const int index = EntryIndex(m_expressionSQL, dataSetName);
    if (index >= 0)
        m_expressionSQL[index] = entry;
    else
        m_expressionSQL.append(entry);
}

void TRuntimeDatamodule::RedirectParamReferences(const QString &oldName, const QString &newName)
{
    const QString prefix = oldName + QLatin1Char('.');
    for (QString &entry : m_paramPromptList) {
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            entry = newName + QLatin1Char('.') + entry.mid(prefix.size(), 255);
    }
}

void TRuntimeDatamodule::CleanupParamReferences()
{
    // A prompt needs a data set of this module with a readable parameter of
    // that name; no record set here has parameters.
    m_paramPromptList.removeIf([this](const QString &entry) {
        const int dot = int(entry.indexOf(QLatin1Char('.')));
        QObject *dataSet = dot > 0 ? FindOwnedObject(entry.left(dot)) : nullptr;
        if (!dataSet)
            return true;
        const QVariant params = dataSet->property("Params");
        return !params.isValid();
    });
}

void TRuntimeDatamodule::childEvent(QChildEvent *event)
{
    TComponent::childEvent(event);
    QObject *child = event->child();
    if (event->added() && !m_childNames.contains(child)) {
        m_childNames.insert(child, child->objectName());
        connect(child, &QObject::destroyed, this, [this, child] {
            const QString name = m_childNames.take(child);
            if (!IsDestroying())
                ChildDestroyed(name);
        });
        connect(child, &QObject::objectNameChanged, this, [this, child](const QString &name) { ChildRenamed(child, name); });
    } else if (event->removed() && m_childNames.contains(child)) {
        // Given to another owner: it no longer belongs to this module.
        disconnect(child, nullptr, this, nullptr);
        const QString name = m_childNames.take(child);
        if (!IsDestroying())
            ChildDestroyed(name);
    }
}

void TRuntimeDatamodule::ChildDestroyed(const QString &name)
{
    if (name.isEmpty())
        return;
    const QString marker = name + QLatin1Char('.');
    m_paramPromptList.removeIf([&marker](const QString &entry) { return entry.contains(marker, Qt::CaseInsensitive); });
    const int index = EntryIndex(m_expressionSQL, name);
    if (index >= 0)
        m_expressionSQL.removeAt(index);
}

void TRuntimeDatamodule::ChildRenamed(QObject *child, const QString &newName)
{
    const QString oldName = m_childNames.value(child);
    m_childNames.insert(child, newName);
    if (oldName.isEmpty() || oldName == newName)
        return;
    const int index = EntryIndex(m_expressionSQL, oldName);
    if (index >= 0)
        m_expressionSQL[index] = newName + m_expressionSQL.at(index).mid(oldName.size());
}

} // namespace zelmio
