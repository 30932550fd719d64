#pragma once
// Reads a text-form tree into a root component, driven only by the property
// tables of the component model and the class registry.
//
// The root keeps its identity; its class in the text must be its own class or
// one of its ancestors. Nested objects are created by class name through the
// class registry; a nested control is put on the control it is nested in.
// Children of a visual control root (the report's bands and elements) are
// owned by the root's owner (the window that shows the report), any other
// root's children by the root. Properties are assigned in file order, before
// the object's own children are read; every component read is marked as
// loading and gets Loaded() at the end, the root first.
//
// Reading errors do not stop the reading: a property that is unknown or has
// a bad value is skipped, an object whose class is not registered is skipped
// with everything nested in it, and each skip is reported to the error hook.
//
// References are resolved by name after all objects exist: a plain name or
// "Root.Name" against the names the objects had in the text (renamed objects
// are still found), a plain name also among the components of the lookup
// root, and "Owner.Name" through the global lookup of windows and data
// modules. ResolveRemainingReferences() tries once more after the loader's
// after-read step and asks the unresolved-reference hook last.

#include "storage/TextFormTree.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <functional>

namespace zelmio {

class TComponent;
struct TPropertyInfo;

class TComponentTreeReader {
public:
    using TErrorHook = std::function<void(const QString &message)>;
    // May change the name a nested component gets (unique naming).
    using TSetNameHook = std::function<void(TComponent *component, QString &name)>;
    // The object a reference that nothing else resolved stands for, or nullptr.
    using TUnresolvedHook = std::function<QObject *(const QString &reference)>;

    void SetOnError(TErrorHook hook) { m_onError = std::move(hook); }
    void SetOnSetName(TSetNameHook hook) { m_onSetName = std::move(hook); }
    void SetOnUnresolvedReference(TUnresolvedHook hook) { m_onUnresolved = std::move(hook); }
    void SetLookupRoot(TComponent *lookupRoot) { m_lookupRoot = lookupRoot; }

    // Raises EVxError when the tree's class does not fit the root.
    void Read(const TTextObject &tree, TComponent *root);
    void ResolveRemainingReferences();

    // The components created by Read, in reading order.
    QList<TComponent *> CreatedComponents() const;

    // Whether a class name in a template names the class of meta or one of
    // its ancestors.
    static bool ClassFits(const QMetaObject *meta, const QString &className);

    // Assigns one property line to an object (a component or a sub-object);
    // raises EVxError with the reason when it cannot. References are
    // resolved right away through the global lookup only.
    static void AssignProperty(QObject *object, const TTextProperty &property);

private:
    struct Fixup {
        QPointer<QObject> object;
        QString property;
        QString reference;
        QString context;
    };

    void ReadChild(const TTextObject &node, TComponent *nestParent, TComponent *owner, const QString &path);
    void ApplyProperties(QObject *object, const std::vector<TTextProperty> &properties, const QString &context);
    void Apply(QObject *object, const TTextProperty &property, const QString &context);
    QList<QObject *> Resolve(const QString &reference) const;
    bool ResolveFixup(const Fixup &fixup, bool final);
    void Error(const QString &message) const;

    TErrorHook m_onError;
    TSetNameHook m_onSetName;
    TUnresolvedHook m_onUnresolved;
    TComponent *m_lookupRoot = nullptr;

    TComponent *m_root = nullptr;
    QString m_rootFileName;
    // Objects by upper-cased name in the text; a name may stand for more than
    // one (an element named like the root): the first that fits is taken.
    QHash<QString, QList<QPointer<QObject>>> m_names;
    QList<QPointer<TComponent>> m_created;
    QList<Fixup> m_fixups;
};

} // namespace zelmio
