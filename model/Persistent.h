#pragma once
// The base of every persisted object: components and the persistent
// sub-objects that are their properties (frame, font, page, size records,
// printer settings). Published properties are the Q_PROPERTY declarations of
// the class and its bases (see PropertyAccess.h); what they cannot express is
// given by DefineProperties.

#include <QObject>
#include <QString>

namespace zelmio {

class TPropertyFiler;

class TPersistent : public QObject {
    Q_OBJECT
public:
    explicit TPersistent(QObject *parent = nullptr);
    ~TPersistent() override;

    // The object whose property this is (sub-objects) or the owner (components).
    virtual TPersistent *GetOwner() const;

    // Copies the published state of source. The default copies every
    // writable published property the two classes share (and assigns shared
    // sub-objects); classes with defined properties or coupled values
    // override it. Raises EVxError when the classes are unrelated.
    virtual void Assign(const TPersistent *source);

    // Lists the defined properties; the default has none.
    virtual void DefineProperties(TPropertyFiler &filer);

    // The class name without namespace ("TVxBand").
    QString ClassName() const;
};

// The class name of any object's meta-object without namespace.
QString ClassNameOf(const QObject *object);
QString ClassNameOf(const QMetaObject *metaObject);

} // namespace zelmio
