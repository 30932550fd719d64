#include "export/VxExportFilterLibrary.h"

namespace zelmio {

void TVxExportFilterLibrary::AddFilter(const TVxExportFilterClass &filterClass)
{
    for (const auto &entry : FFilterList)
        if (entry->ExportFilterClass().ClassName == filterClass.ClassName)
            return;
    const std::unique_ptr<TVxExportFilter> probe = filterClass.Create(QString());
    FFilterList.push_back(
        std::make_unique<TVxExportFilterLibraryEntry>(filterClass, probe->GetFilterName(), probe->GetExtension()));
}

void TVxExportFilterLibrary::RemoveFilter(const TVxExportFilterClass &filterClass) noexcept
{
    try {
        const QString name = filterClass.Create(QString())->GetFilterName();
        for (auto it = FFilterList.begin(); it != FFilterList.end(); ++it) {
            if ((*it)->FilterName() == name) {
                FFilterList.erase(it);
                return;
            }
        }
    } catch (...) {
        // Unregistering happens while components are freed; it must not fail.
    }
}

const TVxExportFilterLibraryEntry *TVxExportFilterLibrary::GetFilterByExtension(const QString &ext) const
{
    for (const auto &entry : FFilterList)
        if (entry->Extension().compare(ext, Qt::CaseInsensitive) == 0)
            return entry.get();
    return nullptr;
}

QString TVxExportFilterLibrary::GetSaveDialogFilter() const
{
    QString result = QStringLiteral("Vexa file") + QStringLiteral("(*.") + QStringLiteral("VXP")
        + QStringLiteral(")|*.") + QStringLiteral("VXP");
    for (const auto &entry : FFilterList)
        result += QStringLiteral("|") + entry->FilterName() + QStringLiteral(" (*.") + entry->Extension()
            + QStringLiteral(")|*.") + entry->Extension();
    return result;
}

TVxExportFilterLibrary &VXExportFilterLibrary()
{
    static TVxExportFilterLibrary library;
    return library;
}

} // namespace zelmio
