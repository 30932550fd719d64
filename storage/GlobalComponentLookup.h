#pragma once
// Process-wide lookup of root components by name: the application's windows
// and data modules (the data modules that loaders create count as
// application data modules). A reference "Root.Name" in a template resolves
// its root here: the first window, or else the first data module, whose name
// matches without regard to case.
//
// Windows register themselves when created (the shell's main window, the
// report windows); entries of freed objects drop out by themselves. Used from
// the user-interface thread only.

#include <QList>
#include <QObject>
#include <QString>

namespace zelmio {

void RegisterApplicationWindow(QObject *window);
void UnregisterApplicationWindow(QObject *window);
void RegisterApplicationDataModule(QObject *dataModule);
void UnregisterApplicationDataModule(QObject *dataModule);

QList<QObject *> ApplicationWindows();
QList<QObject *> ApplicationDataModules();

// The window or data module of that name; nullptr for none or an empty name.
QObject *FindGlobalComponent(const QString &name);

} // namespace zelmio
