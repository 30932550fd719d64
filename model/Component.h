#pragma once
// Components: named objects in an ownership tree. A component's owner is its
// QObject parent and frees it; its owned components are its component
// children in creation order. Names are unique among an owner's components
// without regard to case.
//
// Free notification: when a component is freed, its owner (which passes the
// notice on to everything it owns) and every component that asked for
// FreeNotification receive Notification(component, opRemove), so that they
// clear their references to it. The notice goes out at the start of the
// destruction (Destroying), while the component can still be compared and
// named; classes whose destructors run logic of their own call Destroying()
// first so that the notice precedes it.
//
// Visual parenthood (an element's band, a band's report) is separate from
// ownership: see TVxControl.

#include "model/Persistent.h"

#include <QList>
#include <QString>

namespace zelmio {

enum class TOperation { opInsert, opRemove };

// Component state bits.
enum TComponentStateBit : unsigned {
    csLoading = 0x1,     // being read from a template; Loaded() clears it
    csReading = 0x2,
    csWriting = 0x4,
    csDestroying = 0x8,
    csDesigning = 0x10,  // shown in the designer
    csUpdating = 0x20,
};

class TComponent : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName STORED false)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_CLASSINFO("default:Tag", "0")
public:
    explicit TComponent(TComponent *owner = nullptr);
    ~TComponent() override;

    QString Name() const { return objectName(); }
    // Raises EVxError for a name that is not an identifier or that another
    // object of the same owner already has (without regard to case).
    virtual void SetName(const QString &name);

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }

    TComponent *Owner() const;
    TPersistent *GetOwner() const override;

    // Owned components in creation (ownership) order.
    QList<TComponent *> ComponentList() const;
    int ComponentCount() const;
    TComponent *Components(int index) const;
    // Position among the owner's components, -1 without owner.
    int ComponentIndex() const;
    // The owned component of that name, without regard to case; nullptr for
    // an empty name or none.
    TComponent *FindComponent(const QString &name) const;
    // Any owned object of that name, also objects that are not components
    // (record sets); names are unique among all of them.
    QObject *FindOwnedObject(const QString &name) const;

    // Ownership changes. Insert appends the component to the owned list and
    // sends opInsert; Remove sends opRemove and gives it up.
    void InsertComponent(TComponent *component);
    void RemoveComponent(TComponent *component);
    // Frees every owned component, the last created first.
    void DestroyComponents();
    // Sends opInsert for a component just created with this owner (the
    // constructor cannot: the derived parts do not exist yet). The class
    // registry calls it for the objects it creates.
    void AfterConstruction();

    // Asks that component be told (opRemove) when this one is freed, and the
    // other way round; either side's end removes the link.
    void FreeNotification(TComponent *component);
    void RemoveFreeNotification(TComponent *component);

    unsigned ComponentState() const { return m_state; }
    bool IsLoading() const { return m_state & csLoading; }
    bool IsDestroying() const { return m_state & csDestroying; }
    bool IsDesigning() const { return m_state & csDesigning; }
    void SetDesigning(bool designing, bool includeOwned = true);

    // Template reading: BeginLoading marks the component as being read;
    // Loaded is called when the whole template has been read and clears the
    // mark. Overrides call the base first.
    virtual void BeginLoading();
    virtual void Loaded();

    // A component was inserted into or removed from the owner tree, or is
    // being freed. The base passes the notice on to every owned component.
    virtual void Notification(TComponent *component, TOperation operation);

protected:
    // Marks the component as being destroyed and sends the free notices;
    // safe to call more than once.
    void Destroying();
    void SetStateBit(unsigned bit, bool on);

private:
    void SendNotification(TComponent *component, TOperation operation);

    QList<TComponent *> m_freeNotifies;
    unsigned m_state = 0;
    int m_tag = 0;
};

// True for a text that can name a component: a letter or "_" followed by
// letters, digits and "_".
bool IsValidComponentName(const QString &name);

// The owner's components of class T (and its descendants), in ownership order.
template <class T>
QList<T *> OwnedComponents(const TComponent *owner)
{
    QList<T *> result;
    if (!owner)
        return result;
    for (QObject *child : owner->children()) {
        if (T *typed = qobject_cast<T *>(child))
            result.append(typed);
    }
    return result;
}

} // namespace zelmio
