#pragma once
// Keys with values in two parallel lists, as the PDF writer keeps custom
// widths and encodings per font. Keys may repeat; look-ups ignore case and
// take the first match.

#include <QString>
#include <QStringList>

namespace zelmio {

class TDictionary {
public:
    const QStringList &Keys() const { return m_keys; }
    const QStringList &Values() const { return m_values; }

    void Add(const QString &key, const QString &value);
    // The value of the first key equal to key ignoring case; empty when none.
    QString Value(const QString &key) const;
    bool KeyExists(const QString &key) const;
    // Removes the first match from both lists.
    void RemoveKey(const QString &key);
    QString Key(int index) const { return m_keys.at(index); }
    int Count() const { return int(m_keys.size()); }
    void Clear();

private:
    int IndexOf(const QString &key) const;

    QStringList m_keys;
    QStringList m_values;
};

} // namespace zelmio
