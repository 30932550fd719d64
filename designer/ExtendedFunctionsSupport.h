#pragma once
// Shared parts of the extended function implementations: the base class
// with the common argument and failure rules, the lookups of report
// elements, record sets and reports, and the collection of the function
// classes by name that the registration tables draw on.

#include "expr/VxEvElementFunction.h"
#include "expr/VxFunctionLibrary.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>

namespace zelmio {

class TCustomVexa;
class TDataSet;
class TDesignVexa;
class TPropertyAddons;

namespace vxext {

// Largest text a function builds (PADLEFT, STRETCHSTR ...): a longer one is
// refused instead of exhausting memory.
constexpr qsizetype kMaxResultLength = 1 << 20;

// Base of the extended functions: the result is an error without text
// unless Compute gives one; any failure inside is caught and gives that
// error too.
class TVxEvExtFunction : public TVxEvElementFunction {
public:
    TVxEvResult Calculate() final;

protected:
    virtual TVxEvResult Compute() = 0;
    // The arguments have exactly these kinds: "S" text, "I" integer, "N"
    // integer or float, "F" float, "B" boolean, "V" any but an error.
    bool HasArgs(const char *kinds) const;
    const QString &Text(int index) const { return Arg(index).StringVal; }
    qint32 Int(int index) const { return Arg(index).intResult; }
    bool Bool(int index) const { return Arg(index).booResult; }
    // An integer or float argument as a float.
    double Number(int index) const;
};

using TExtendedClasses = QHash<QString, TVxEvFunctionClass>;

// Each implementation file adds its classes under their function names.
void CollectTextFunctions(TExtendedClasses &classes);
void CollectDateFunctions(TExtendedClasses &classes);
void CollectVariableFunctions(TExtendedClasses &classes);
void CollectReportFunctions(TExtendedClasses &classes);
void CollectElementFunctions(TExtendedClasses &classes);

// --- Lookups -------------------------------------------------------------

// Whether the root (a window or data module) owns a design report.
TDesignVexa *DesignReportOf(const QObject *root);

// Element lookup: among the open windows that hold a design report, from the
// last to the first, the owned component of that name that is a printable
// element, a band or panel, a report or a record set; with dataModules the
// data modules that hold a design report follow, from the last to the
// first. addons receives the add-on store of the root it was found in.
QObject *FindElement(const QString &name, bool dataModules = false, TPropertyAddons **addons = nullptr);

// Record set lookup: the components of the prepared design reports' owners
// and of their loaders' data modules (the last prepared report first), then
// the open data modules, then the open windows, each from its last member
// to its first. With a required field, a record set without it does not
// count. nullptr when none.
TDataSet *FindRecordSet(const QString &name, const QString &requiredField = QString());

// The report of the running output job: the component named "Vexa" found
// as the record set lookup searches.
TCustomVexa *FindRunningReport();

} // namespace vxext

} // namespace zelmio
