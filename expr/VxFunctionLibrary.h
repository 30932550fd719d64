#pragma once
// The process-wide registry of expression functions. Every function name of
// the language is an entry here; compiling a call creates a new element of
// the entry's class. Libraries register at start-up, the core set first.
//
// An entry's description is a call template, "|" and a help text
// ("SUM(<X>)|Sums the numeric <X>"); its data text is a category digit and
// one letter per argument ("N" numeric, "S" text, "B" logical, "V" any), as
// in "5BVV". Categories: 1 "Date & time", 2 "Math & trig", 3 "Statistical",
// 4 "Database", 5 "Logical", 6 "Information", 7 "Other"; the expression
// builder does not offer entries above 7, but they work in expressions.

#include "expr/VxEvElementFunction.h"

#include <QChar>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace zelmio {

class TVxEvElement;

// Creates a new function element: the class of an entry.
using TVxEvFunctionClass = std::unique_ptr<TVxEvElementFunction> (*)();

template <class T>
std::unique_ptr<TVxEvElementFunction> VxFunctionClass()
{
    return std::make_unique<T>();
}

class TVxLibraryEntry {
public:
    TVxLibraryEntry(TVxEvFunctionClass item, const QString &name, const QString &description,
                    const QString &data, const QString &vendor);

    const QString &Description() const { return FDescription; }
    const QString &Data() const { return FData; }
    TVxEvFunctionClass Item() const { return FItem; }
    const QString &Name() const { return FName; }
    const QString &Vendor() const { return FVendor; }
    // A later library may supply its own class for an existing name.
    void SetItem(TVxEvFunctionClass item) { FItem = item; }

    // The category digit (0 when the data text has none).
    int Category() const;
    // The argument letters after the category digit.
    QString ArgumentLetters() const;
    // The description split at its first "|".
    QString CallTemplate() const;
    QString HelpText() const;

    std::unique_ptr<TVxEvElementFunction> CreateFunction() const { return FItem(); }

private:
    QString FDescription;
    QString FData;
    TVxEvFunctionClass FItem;
    QString FName;
    QString FVendor;
};

class TVxLibrary {
public:
    TVxLibrary() = default;
    virtual ~TVxLibrary();
    TVxLibrary(const TVxLibrary &) = delete;
    TVxLibrary &operator=(const TVxLibrary &) = delete;

    // Appends an entry; names may repeat (the first one wins in lookups).
    TVxLibraryEntry *Add(TVxEvFunctionClass item, const QString &name, const QString &description,
                         const QString &data, const QString &vendor);
    // Removes and destroys the first entry of that name; false if none.
    bool Remove(const QString &name);

    int Count() const { return int(Entries.size()); }
    // The entry at index, or nullptr beyond the end.
    TVxLibraryEntry *GetEntry(int index) const;
    // The first entry of that name, ignoring case, or nullptr.
    TVxLibraryEntry *FindEntry(const QString &name) const;
    int IndexOf(const QString &name) const;
    QStringList Names() const;

protected:
    std::vector<std::unique_ptr<TVxLibraryEntry>> Entries;   // registration order
};

class TVxFunctionLibrary : public TVxLibrary {
public:
    // A new element of the named function, or an error element
    // "Unknown function : <name>".
    std::unique_ptr<TVxEvElement> GetFunction(const QString &name) const;
};

// The registry, created on first use with the core functions registered.
TVxFunctionLibrary *VxFunctionLibrary();

void RegisterVxFunction(TVxEvFunctionClass item, const QString &name, const QString &description,
                        const QString &data, const QString &vendor);

template <class T>
void RegisterVxFunction(const QString &name, const QString &description, const QString &data,
                        const QString &vendor)
{
    RegisterVxFunction(&VxFunctionClass<T>, name, description, data, vendor);
}

// The character between function arguments (",").
QChar VxArgSeparator();
void SetVxArgSeparator(QChar separator);

// Registers the core set (conditions, conversions, text, date and time,
// aggregates) into library, in its fixed order.
void RegisterCoreFunctions(TVxLibrary &library);

} // namespace zelmio
