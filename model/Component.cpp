#include "model/Component.h"

#include "platform/VxError.h"

namespace zelmio {

bool IsValidComponentName(const QString &name)
{
    if (name.isEmpty())
        return false;
    const QChar first = name.at(0);
    if (!first.isLetter() && first != QLatin1Char('_'))
        return false;
    for (const QChar c : name) {
        if (!c.isLetterOrNumber() && c != QLatin1Char('_'))
            return false;
    }
    return true;
}

TComponent::TComponent(TComponent *owner)
    : TPersistent(owner)
{
}

TComponent::~TComponent()
{
    Destroying();
    DestroyComponents();
    for (TComponent *other : std::as_const(m_freeNotifies))
        other->m_freeNotifies.removeAll(this);
    m_freeNotifies.clear();
}

void TComponent::Destroying()
{
    if (m_state & csDestroying)
        return;
    m_state |= csDestroying;
    // Listeners first, then the owner tree, as references are cleared the
    // same way whichever path reaches them.
    const QList<TComponent *> listeners = m_freeNotifies;
    for (TComponent *other : listeners) {
        if (!m_freeNotifies.contains(other))
            continue;
        other->m_freeNotifies.removeAll(this);
        m_freeNotifies.removeAll(other);
        other->Notification(this, TOperation::opRemove);
    }
    if (TComponent *owner = Owner())
        owner->Notification(this, TOperation::opRemove);
}

void TComponent::SetStateBit(unsigned bit, bool on)
{
    if (on)
        m_state |= bit;
    else
        m_state &= ~bit;
}

void TComponent::SetName(const QString &name)
{
    if (name == objectName())
        return;
    if (!name.isEmpty()) {
        if (!IsValidComponentName(name))
            throw EVxError(QStringLiteral("'%1' is not a valid component name").arg(name));
        if (TComponent *owner = Owner()) {
            QObject *existing = owner->FindOwnedObject(name);
            if (existing && existing != this)
                throw EVxError(QStringLiteral("A component named %1 already exists").arg(name));
        }
    }
    setObjectName(name);
}

TComponent *TComponent::Owner() const
{
    return qobject_cast<TComponent *>(parent());
}

TPersistent *TComponent::GetOwner() const
{
    return Owner();
}

QList<TComponent *> TComponent::ComponentList() const
{
    return OwnedComponents<TComponent>(this);
}

int TComponent::ComponentCount() const
{
    return int(ComponentList().size());
}

TComponent *TComponent::Components(int index) const
{
    const QList<TComponent *> list = ComponentList();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

int TComponent::ComponentIndex() const
{
    const TComponent *owner = Owner();
    return owner ? int(owner->ComponentList().indexOf(const_cast<TComponent *>(this))) : -1;
}

TComponent *TComponent::FindComponent(const QString &name) const
{
    return qobject_cast<TComponent *>(FindOwnedObject(name));
}

QObject *TComponent::FindOwnedObject(const QString &name) const
{
    if (name.isEmpty())
        return nullptr;
    for (QObject *child : children()) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

void TComponent::InsertComponent(TComponent *component)
{
    if (!component || component->Owner() == this)
        return;
    if (TComponent *previous = component->Owner())
        previous->RemoveComponent(component);
    component->setParent(this);
    Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent *component)
{
    if (!component || component->Owner() != this)
        return;
    Notification(component, TOperation::opRemove);
    component->setParent(nullptr);
}

void TComponent::DestroyComponents()
{
    for (;;) {
        TComponent *last = nullptr;
        const QObjectList &owned = children();
        for (auto it = owned.crbegin(); it != owned.crend(); ++it) {
            if (TComponent *candidate = qobject_cast<TComponent *>(*it)) {
                last = candidate;
                break;
            }
        }
        if (!last)
            break;
        delete last;
    }
}

void TComponent::AfterConstruction()
{
    if (TComponent *owner = Owner())
        owner->Notification(this, TOperation::opInsert);
}

void TComponent::FreeNotification(TComponent *component)
{
    if (!component || component == this)
        return;
    if (!m_freeNotifies.contains(component))
        m_freeNotifies.append(component);
    if (!component->m_freeNotifies.contains(this))
        component->m_freeNotifies.append(this);
}

void TComponent::RemoveFreeNotification(TComponent *component)
{
    if (!component)
        return;
    m_freeNotifies.removeAll(component);
    component->m_freeNotifies.removeAll(this);
}

void TComponent::SetDesigning(bool designing, bool includeOwned)
{
    SetStateBit(csDesigning, designing);
    if (includeOwned) {
        for (TComponent *owned : ComponentList())
            owned->SetDesigning(designing, true);
    }
}

void TComponent::BeginLoading()
{
    m_state |= csLoading | csReading;
}

void TComponent::Loaded()
{
    m_state &= ~(csLoading | csReading);
}

void TComponent::Notification(TComponent *component, TOperation operation)
{
    SendNotification(component, operation);
}

void TComponent::SendNotification(TComponent *component, TOperation operation)
{
    if (operation == TOperation::opRemove && component)
        RemoveFreeNotification(component);
    const QList<TComponent *> owned = ComponentList();
    for (auto it = owned.crbegin(); it != owned.crend(); ++it) {
        if (*it != component)
            (*it)->Notification(component, operation);
    }
}

} // namespace zelmio
