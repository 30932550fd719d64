#include "model/ClassRegistry.h"

#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxBarcode.h"
#include "model/VxChildBand.h"
#include "model/VxExpr.h"
#include "model/VxGroup.h"
#include "model/VxShape.h"
#include "model/VxSubDetail.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace zelmio {

namespace {

struct Entry {
    QString name;
    const QMetaObject *metaObject = nullptr;
    TComponentConstructor constructor;
};

struct Registry {
    QMutex mutex;
    QHash<QString, Entry> entries;   // keyed by the upper-cased name
};

Registry &TheRegistry()
{
    static Registry registry;
    return registry;
}

bool Lookup(const QString &className, Entry &entry)
{
    Registry &registry = TheRegistry();
    QMutexLocker lock(&registry.mutex);
    const auto it = registry.entries.constFind(className.toUpper());
    if (it == registry.entries.cend())
        return false;
    entry = it.value();
    return true;
}

} // namespace

void RegisterComponentClass(const QMetaObject *metaObject, TComponentConstructor constructor)
{
    if (!metaObject || !constructor)
        return;
    Entry entry;
    entry.name = ClassNameOf(metaObject);
    entry.metaObject = metaObject;
    entry.constructor = std::move(constructor);
    Registry &registry = TheRegistry();
    QMutexLocker lock(&registry.mutex);
    registry.entries.insert(entry.name.toUpper(), entry);
}

void UnregisterClass(const QString &className)
{
    Registry &registry = TheRegistry();
    QMutexLocker lock(&registry.mutex);
    registry.entries.remove(className.toUpper());
}

bool IsClassRegistered(const QString &className)
{
    Entry entry;
    return Lookup(className, entry);
}

const QMetaObject *FindClass(const QString &className)
{
    Entry entry;
    return Lookup(className, entry) ? entry.metaObject : nullptr;
}

QStringList RegisteredClassNames()
{
    Registry &registry = TheRegistry();
    QMutexLocker lock(&registry.mutex);
    QStringList names;
    for (const Entry &entry : std::as_const(registry.entries))
        names.append(entry.name);
    names.sort(Qt::CaseInsensitive);
    return names;
}

TComponent *CreateComponentByClassName(const QString &className, TComponent *owner)
{
    Entry entry;
    if (!Lookup(className, entry))
        return nullptr;
    TComponent *component = entry.constructor(owner);
    if (component)
        component->AfterConstruction();
    return component;
}

void RegisterReportModelClasses()
{
    RegisterClass<TVexa>();
    RegisterClass<TVxBand>();
    RegisterClass<TVxGroup>();
    RegisterClass<TVxSubDetail>();
    RegisterClass<TVxChildBand>();
    RegisterClass<TVxExpr>();
    RegisterClass<TVxShape>();
    RegisterClass<TVxBarcode>();
    RegisterClass<TVxDBBarcode>();
}

} // namespace zelmio
