#include "storage/GlobalComponentLookup.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPointer>

namespace zelmio {

namespace {

// Windows and data modules come and go on the window thread, while a
// report running on its background thread may look names up.
struct Roots {
    QMutex mutex;
    QList<QPointer<QObject>> windows;
    QList<QPointer<QObject>> dataModules;
};

Roots &TheRoots()
{
    static Roots roots;
    return roots;
}

void Add(QList<QPointer<QObject>> &list, QObject *object)
{
    if (!object)
        return;
    list.removeAll(QPointer<QObject>());
    for (const QPointer<QObject> &entry : std::as_const(list)) {
        if (entry == object)
            return;
    }
    list.append(object);
}

void Remove(QList<QPointer<QObject>> &list, QObject *object)
{
    list.removeIf([object](const QPointer<QObject> &entry) { return !entry || entry == object; });
}

QList<QObject *> Live(const QList<QPointer<QObject>> &list)
{
    QList<QObject *> result;
    for (const QPointer<QObject> &entry : list) {
        if (entry)
            result.append(entry.data());
    }
    return result;
}

QObject *FindIn(const QList<QPointer<QObject>> &list, const QString &name)
{
    for (const QPointer<QObject> &entry : list) {
        if (entry && entry->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return entry.data();
    }
    return nullptr;
}

} // namespace

void RegisterApplicationWindow(QObject *window)
{
    QMutexLocker lock(&TheRoots().mutex);
    Add(TheRoots().windows, window);
}

void UnregisterApplicationWindow(QObject *window)
{
    QMutexLocker lock(&TheRoots().mutex);
    Remove(TheRoots().windows, window);
}

void RegisterApplicationDataModule(QObject *dataModule)
{
    QMutexLocker lock(&TheRoots().mutex);
    Add(TheRoots().dataModules, dataModule);
}

void UnregisterApplicationDataModule(QObject *dataModule)
{
    QMutexLocker lock(&TheRoots().mutex);
    Remove(TheRoots().dataModules, dataModule);
}

QList<QObject *> ApplicationWindows()
{
    QMutexLocker lock(&TheRoots().mutex);
    return Live(TheRoots().windows);
}

QList<QObject *> ApplicationDataModules()
{
    QMutexLocker lock(&TheRoots().mutex);
    return Live(TheRoots().dataModules);
}

QObject *FindGlobalComponent(const QString &name)
{
    if (name.isEmpty())
        return nullptr;
    QMutexLocker lock(&TheRoots().mutex);
    if (QObject *window = FindIn(TheRoots().windows, name))
        return window;
    return FindIn(TheRoots().dataModules, name);
}

} // namespace zelmio
