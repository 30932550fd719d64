#pragma once
// The process-wide registry of export filter classes, through which the
// preview offers its save formats and finds the filter of a chosen one.

#include "export/VxExportFilter.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

namespace zelmio {

// A filter class: its name and a way to create a filter of it for a file.
struct TVxExportFilterClass {
    QString ClassName;
    std::function<std::unique_ptr<TVxExportFilter>(const QString &filename)> Create;

    template <class TFilter>
    static TVxExportFilterClass Of(const QString &className)
    {
        return {className, [](const QString &filename) -> std::unique_ptr<TVxExportFilter> {
                    return std::make_unique<TFilter>(filename);
                }};
    }
};

class TVxExportFilterLibraryEntry {
public:
    TVxExportFilterLibraryEntry(TVxExportFilterClass filterClass, const QString &name, const QString &extension)
        : FExportFilterClass(std::move(filterClass))
        , FName(name)
        , FExtension(extension)
    {
    }

    const TVxExportFilterClass &ExportFilterClass() const { return FExportFilterClass; }
    QString FilterName() const { return FName; }
    QString Extension() const { return FExtension; }
    int XLSXMargin() const { return FXLSXMargin; }
    void SetXLSXMargin(int margin) { FXLSXMargin = margin; }

private:
    TVxExportFilterClass FExportFilterClass;
    QString FName;
    QString FExtension;
    int FXLSXMargin = 0; // kept, not used
};

class TVxExportFilterLibrary {
public:
    const std::vector<std::unique_ptr<TVxExportFilterLibraryEntry>> &Filters() const { return FFilterList; }

    // Adds an entry with the class's filter name and extension, unless a
    // class of the same name is registered already.
    void AddFilter(const TVxExportFilterClass &filterClass);
    // Removes the first entry with the class's filter name; never raises.
    void RemoveFilter(const TVxExportFilterClass &filterClass) noexcept;
    // The first entry whose extension equals ext ignoring case, or nullptr.
    const TVxExportFilterLibraryEntry *GetFilterByExtension(const QString &ext) const;
    // "Vexa file(*.VXP)|*.VXP", then "|Name (*.EXT)|*.EXT" for each entry.
    QString GetSaveDialogFilter() const;
    QString SaveDialogFilterString() const { return GetSaveDialogFilter(); }

private:
    std::vector<std::unique_ptr<TVxExportFilterLibraryEntry>> FFilterList;
};

// The one registry of the process.
TVxExportFilterLibrary &VXExportFilterLibrary();

} // namespace zelmio
