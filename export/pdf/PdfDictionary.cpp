#include "export/pdf/PdfDictionary.h"

namespace zelmio {

void TDictionary::Add(const QString &key, const QString &value)
{
    m_keys.append(key);
    m_values.append(value);
}

int TDictionary::IndexOf(const QString &key) const
{
    for (int i = 0; i < int(m_keys.size()); ++i)
        if (m_keys.at(i).compare(key, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString TDictionary::Value(const QString &key) const
{
    const int i = IndexOf(key);
    return i < 0 ? QString() : m_values.at(i);
}

bool TDictionary::KeyExists(const QString &key) const
{
    return IndexOf(key) >= 0;
}

void TDictionary::RemoveKey(const QString &key)
{
    const int i = IndexOf(key);
    if (i < 0)
        return;
    m_keys.removeAt(i);
    m_values.removeAt(i);
}

void TDictionary::Clear()
{
    m_keys.clear();
    m_values.clear();
}

} // namespace zelmio
