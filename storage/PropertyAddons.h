#pragma once
// The store of the designer's per-element values (block flags, group
// numbers): one TPropertyAddon per element that has values, kept beside the
// elements and written as the last block of a template.
//
// While Enabled, the store frees the add-on of every component it is told is
// being removed; writing and temporary owner changes switch it off so that
// no add-on is lost, and loading switches it on again.

#include "model/Component.h"

namespace zelmio {

class TPropertyAddon;

class TPropertyAddons : public TComponent {
    Q_OBJECT
public:
    explicit TPropertyAddons(TComponent *owner = nullptr);

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }

    QList<TPropertyAddon *> Addons() const;
    TPropertyAddon *FindAddon(const TComponent *component) const;

    // The value of the line for name; the default when the element has no
    // add-on, no such line or an empty value. "\~n" becomes CR LF.
    QString GetStringProp(const TComponent *component, const QString &name, const QString &defaultValue) const;
    // Names an unnamed element first (its class name without "TTesmola",
    // numbered among its owner's components); CR LF is stored as "\~n".
    void SetStringProp(TComponent *component, const QString &name, const QString &value);
    // True when the value, trimmed and upper-cased, is "TRUE".
    bool GetBoolProp(const TComponent *component, const QString &name) const;
    // True stores "True"; false removes the line (and an add-on left empty).
    void SetBoolProp(TComponent *component, const QString &name, bool value);
    // Raises EVxError for a value that is not a number.
    int GetIntProp(const TComponent *component, const QString &name) const;
    // Non-zero stores the number; zero removes the line (and an empty add-on).
    void SetIntProp(TComponent *component, const QString &name, int value);

    // Frees all add-ons; CleanUp frees those whose element is gone.
    void Clear();
    void CleanUp();

    void Notification(TComponent *component, TOperation operation) override;

private:
    void RemoveLine(const TComponent *component, const QString &name);

    bool m_enabled = true;
};

} // namespace zelmio
