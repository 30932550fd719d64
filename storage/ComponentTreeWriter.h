#pragma once
// Turns a component and everything it holds into the text-form tree, driven
// only by the property tables of the component model (published properties
// in declaration order, base class first, with their defaults and writing
// rules; then defined properties) and the class registry's names.
//
// Nested objects: a visual control holds its child controls (a report its
// bands, a band its elements), any other component the components it owns
// (a data module its data sets, the add-on store its add-ons). Child controls
// are written whoever owns them: the elements of a report belong to the
// window that shows it, yet they are part of the report's block.
//
// References are written by name: plainly for the root, for components of
// the written tree and for components owned by the lookup root; otherwise as
// "Owner.Name" (a record set of the application's main window). Hook
// properties are written with the name of their handler, when they have one.

#include "storage/TextFormTree.h"

#include <QSet>
#include <functional>

class QObject;

namespace zelmio {

class TComponent;
struct TPropertyInfo;

class TComponentTreeWriter {
public:
    // A component for which the filter returns false is left out with
    // everything nested in it (the designer's selection surface).
    using TChildFilter = std::function<bool(TComponent *component)>;

    void SetChildFilter(TChildFilter filter) { m_filter = std::move(filter); }
    // Components owned by the lookup root are referenced by their plain name.
    void SetLookupRoot(TComponent *lookupRoot) { m_lookupRoot = lookupRoot; }

    TTextObject Write(TComponent *root);

    // The nested objects of a component, as written.
    QList<TComponent *> Children(TComponent *component) const;

    // The properties of one object (a component or a sub-object), with the
    // path prefix of a sub-object ("Frame.").
    void WriteProperties(QObject *object, const QString &prefix, std::vector<TTextProperty> &out);

private:
    void Collect(TComponent *component);
    TTextObject WriteObject(TComponent *component);
    bool WritePropertyValue(QObject *object, const TPropertyInfo &property, TTextValue &value);
    QString ReferenceName(QObject *target) const;

    TChildFilter m_filter;
    TComponent *m_root = nullptr;
    TComponent *m_lookupRoot = nullptr;
    QSet<const QObject *> m_tree;
};

// The published properties to write, in declaration order, base class first;
// a property redeclared by a descendant keeps the place of its first
// declaration and takes the descendant's declaration.
QList<TPropertyInfo> WritableProperties(const QMetaObject *metaObject);

} // namespace zelmio
