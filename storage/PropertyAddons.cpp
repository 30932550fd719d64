#include "storage/PropertyAddons.h"

#include "platform/VxError.h"
#include "storage/PropertyAddon.h"
#include "storage/RuntimeDatamodule.h"
#include "storage/UniqueComponentName.h"

namespace zelmio {

TPropertyAddons::TPropertyAddons(TComponent *owner)
    : TComponent(owner)
{
}

QList<TPropertyAddon *> TPropertyAddons::Addons() const
{
    return OwnedComponents<TPropertyAddon>(this);
}

TPropertyAddon *TPropertyAddons::FindAddon(const TComponent *component) const
{
    if (!component)
        return nullptr;
    for (TPropertyAddon *addon : Addons()) {
        if (addon->Component() == component)
            return addon;
    }
    return nullptr;
}

QString TPropertyAddons::GetStringProp(const TComponent *component, const QString &name,
                                       const QString &defaultValue) const
{
    const TPropertyAddon *addon = FindAddon(component);
    if (!addon)
        return defaultValue;
    const QString value = addon->Value(name);
    return value.isEmpty() ? defaultValue : DecodeLineBreaks(value);
}

void TPropertyAddons::SetStringProp(TComponent *component, const QString &name, const QString &value)
{
    if (!component)
        return;
    if (component->Name().isEmpty()) {
        QString base = component->ClassName();
        if (base.startsWith(QLatin1String("TTesmola")))
            base = base.mid(8);
        else if (base.startsWith(QLatin1Char('T')))
            base = base.mid(1);
        component->SetName(FindUniqueComponentName(component->Owner(), base, false));
    }
    TPropertyAddon *addon = FindAddon(component);
    if (!addon) {
        addon = new TPropertyAddon(this);
        addon->AfterConstruction();
        addon->SetComponent(component);
    }
    addon->SetValue(name, EncodeLineBreaks(value));
}

bool TPropertyAddons::GetBoolProp(const TComponent *component, const QString &name) const
{
    return GetStringProp(component, name, QStringLiteral("False")).trimmed().toUpper() == QLatin1String("TRUE");
}

void TPropertyAddons::SetBoolProp(TComponent *component, const QString &name, bool value)
{
    if (value)
        SetStringProp(component, name, QStringLiteral("True"));
    else
        RemoveLine(component, name);
}

int TPropertyAddons::GetIntProp(const TComponent *component, const QString &name) const
{
    const QString text = GetStringProp(component, name, QStringLiteral("0")).trimmed();
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok)
        throw EVxError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return value;
}

void TPropertyAddons::SetIntProp(TComponent *component, const QString &name, int value)
{
    if (value != 0)
        SetStringProp(component, name, QString::number(value));
    else
        RemoveLine(component, name);
}

void TPropertyAddons::RemoveLine(const TComponent *component, const QString &name)
{
    TPropertyAddon *addon = FindAddon(component);
    if (!addon)
        return;
    addon->RemoveValue(name);
    if (addon->Properties().isEmpty())
        delete addon;
}

void TPropertyAddons::Clear()
{
    const QList<TPropertyAddon *> addons = Addons();
    for (auto it = addons.crbegin(); it != addons.crend(); ++it)
        delete *it;
}

void TPropertyAddons::CleanUp()
{
    const QList<TPropertyAddon *> addons = Addons();
    for (auto it = addons.crbegin(); it != addons.crend(); ++it) {
        if (!(*it)->Component())
            delete *it;
    }
}

void TPropertyAddons::Notification(TComponent *component, TOperation operation)
{
    TPropertyAddon *addon = nullptr;
    if (operation == TOperation::opRemove && m_enabled && component && !IsDestroying()
        && !(qobject_cast<TPropertyAddon *>(component) && component->Owner() == this))
        addon = FindAddon(component);
    TComponent::Notification(component, operation);
    delete addon;
}

} // namespace zelmio
