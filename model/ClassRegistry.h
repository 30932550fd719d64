#pragma once
// The process-wide class registry: class name to constructor, so that
// templates and the designer recreate objects from their class names.
// Filled at start-up from the user-interface thread and then only read.

#include "model/Component.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace zelmio {

using TComponentConstructor = std::function<TComponent *(TComponent *owner)>;

// Registers a class under its name without namespace ("TVxBand"); a second
// registration of a name replaces the first.
void RegisterComponentClass(const QMetaObject *metaObject, TComponentConstructor constructor);

template <class T>
void RegisterClass()
{
    RegisterComponentClass(&T::staticMetaObject, [](TComponent *owner) -> TComponent * {
        return new T(owner);
    });
}

void UnregisterClass(const QString &className);

// Lookups ignore case.
bool IsClassRegistered(const QString &className);
const QMetaObject *FindClass(const QString &className);
QStringList RegisteredClassNames();

// Creates an object of a registered class with that owner and sends the
// owner its insert notice; nullptr for an unknown name.
TComponent *CreateComponentByClassName(const QString &className, TComponent *owner);

// Registers the report engine's classes of this library: TVexa, TVxBand,
// TVxGroup, TVxSubDetail, TVxChildBand (element classes register themselves
// with their own libraries).
void RegisterReportModelClasses();

} // namespace zelmio
