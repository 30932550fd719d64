#pragma once
// The designer's add-on values of one element: a reference to the element
// and lines of "Name=Value". Owned by the add-on store, unnamed.

#include "model/Component.h"

#include <QPointer>
#include <QStringList>

namespace zelmio {

class TPropertyAddon : public TComponent {
    Q_OBJECT
    Q_PROPERTY(zelmio::TComponent *Component READ Component WRITE SetComponent)
    Q_PROPERTY(QStringList Properties READ Properties WRITE SetProperties)
    Q_CLASSINFO("default:Properties", "")
public:
    explicit TPropertyAddon(TComponent *owner = nullptr);

    TComponent *Component() const { return m_component; }
    void SetComponent(TComponent *component);
    QStringList Properties() const { return m_properties; }
    // Copies the lines.
    void SetProperties(const QStringList &lines) { m_properties = lines; }

    // The line index of a value, -1 when there is none (names without
    // regard to case).
    int IndexOfName(const QString &name) const;
    QString Value(const QString &name) const;
    void SetValue(const QString &name, const QString &value);
    void RemoveValue(const QString &name);

private:
    // Cleared when the element is freed; the store frees the add-on then
    // (or, while it does not react, at its next CleanUp).
    QPointer<TComponent> m_component;
    QStringList m_properties;
};

} // namespace zelmio
