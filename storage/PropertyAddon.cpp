#include "storage/PropertyAddon.h"

namespace zelmio {

TPropertyAddon::TPropertyAddon(TComponent *owner)
    : TComponent(owner)
{
}

void TPropertyAddon::SetComponent(TComponent *component)
{
    m_component = component;
}

int TPropertyAddon::IndexOfName(const QString &name) const
{
    const QString prefix = name + QLatin1Char('=');
    for (int i = 0; i < m_properties.size(); ++i) {
        if (m_properties.at(i).startsWith(prefix, Qt::CaseInsensitive))
            return i;
    }
    return -1;
}

QString TPropertyAddon::Value(const QString &name) const
{
    const int index = IndexOfName(name);
    return index < 0 ? QString() : m_properties.at(index).mid(name.size() + 1);
}

void TPropertyAddon::SetValue(const QString &name, const QString &value)
{
    const QString line = name + QLatin1Char('=') + value;
    const int index = IndexOfName(name);
    if (index >= 0)
        m_properties[index] = line;
    else
        m_properties.append(line);
}

void TPropertyAddon::RemoveValue(const QString &name)
{
    const int index = IndexOfName(name);
    if (index >= 0)
        m_properties.removeAt(index);
}

} // namespace zelmio
