#include "expr/VxFunctionLibrary.h"

#include "expr/VxEvElementError.h"

#include <atomic>

namespace zelmio {

namespace {

// Read by every compilation, on whichever thread a run compiles.
std::atomic<char16_t> g_argSeparator{u','};

} // namespace

TVxLibraryEntry::TVxLibraryEntry(TVxEvFunctionClass item, const QString &name,
                                 const QString &description, const QString &data,
                                 const QString &vendor)
    : FDescription(description), FData(data), FItem(item), FName(name.toUpper()), FVendor(vendor)
{
}

int TVxLibraryEntry::Category() const
{
    if (FData.isEmpty() || !FData[0].isDigit())
        return 0;
    return FData[0].digitValue();
}

QString TVxLibraryEntry::ArgumentLetters() const
{
    return FData.mid(1);
}

QString TVxLibraryEntry::CallTemplate() const
{
    const qsizetype bar = FDescription.indexOf(u'|');
    return bar < 0 ? FDescription : FDescription.left(bar);
}

QString TVxLibraryEntry::HelpText() const
{
    const qsizetype bar = FDescription.indexOf(u'|');
    return bar < 0 ? QString() : FDescription.mid(bar + 1);
}

TVxLibrary::~TVxLibrary() = default;

TVxLibraryEntry *TVxLibrary::Add(TVxEvFunctionClass item, const QString &name,
                                 const QString &description, const QString &data,
                                 const QString &vendor)
{
    Entries.push_back(std::make_unique<TVxLibraryEntry>(item, name, description, data, vendor));
    return Entries.back().get();
}

bool TVxLibrary::Remove(const QString &name)
{
    const int index = IndexOf(name);
    if (index < 0)
        return false;
    Entries.erase(Entries.begin() + index);
    return true;
}

TVxLibraryEntry *TVxLibrary::GetEntry(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return Entries[size_t(index)].get();
}

int TVxLibrary::IndexOf(const QString &name) const
{
    for (size_t i = 0; i < Entries.size(); ++i)
        if (Entries[i]->Name().compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

TVxLibraryEntry *TVxLibrary::FindEntry(const QString &name) const
{
    return GetEntry(IndexOf(name));
}

QStringList TVxLibrary::Names() const
{
    QStringList names;
    names.reserve(Count());
    for (const auto &entry : Entries)
        names.append(entry->Name());
    return names;
}

std::unique_ptr<TVxEvElement> TVxFunctionLibrary::GetFunction(const QString &name) const
{
    if (const TVxLibraryEntry *entry = FindEntry(name))
        return entry->CreateFunction();
    return std::make_unique<TVxEvElementError>(QStringLiteral("Unknown function : %1").arg(name));
}

TVxFunctionLibrary *VxFunctionLibrary()
{
    static TVxFunctionLibrary *library = [] {
        static TVxFunctionLibrary instance;
        RegisterCoreFunctions(instance);
        return &instance;
    }();
    return library;
}

void RegisterVxFunction(TVxEvFunctionClass item, const QString &name, const QString &description,
                        const QString &data, const QString &vendor)
{
    VxFunctionLibrary()->Add(item, name, description, data, vendor);
}

QChar VxArgSeparator()
{
    return QChar(g_argSeparator.load(std::memory_order_relaxed));
}

void SetVxArgSeparator(QChar separator)
{
    g_argSeparator.store(separator.unicode(), std::memory_order_relaxed);
}

} // namespace zelmio
