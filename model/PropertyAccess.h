#pragma once
// Property access by name, on any persisted object, through the Qt
// meta-object: the published properties of a class are its Q_PROPERTY
// declarations and those of its bases, in declaration order, base class
// first (QObject's own are not published).
//
// Default values and "written when" rules are kept beside the declarations
// as class information, inherited and overridable by descendants:
//   Q_CLASSINFO("default:Zoom", "100")           omitted when equal
//   Q_CLASSINFO("stored:Color", "IsColorStored")  written when the named
//                                                 Q_INVOKABLE bool method says so
//   Q_CLASSINFO("stored:Left", "false")           never written
// STORED false in the declaration also means never written. Without a rule a
// property is always written, except that an unset reference or hook and a
// read-only value are never written. Default texts use the template
// notation: True/False, decimal numbers, value names, [A, B] for sets, colour
// names, plain text for strings; an empty text is the empty string or list.
//
// The access operations never fail for a missing property: getters return
// the neutral value (0, false, empty, none) and setters do nothing. Names are
// matched without regard to case; a dotted path ("Page.Columns") walks
// through sub-objects.

#include <QList>
#include <QMetaProperty>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace zelmio {

class TVxFont;
class TPropertyFiler;

enum class TPropertyKind {
    Boolean,
    Integer,
    Enumeration,   // ordinal; value names from the meta-object
    Set,           // bit value; member names from the meta-object
    Color,         // TColor: an integer written by name when it has one
    Float,         // double or extended
    String,
    StringList,    // written as Name.Strings = ( ... )
    SubObject,     // a persistent sub-object (TPersistent that is no component)
    Reference,     // another component or record set, written by name
    Hook,          // a THook callback
    Other          // anything else: not persisted
};

struct TPropertyInfo {
    QMetaProperty meta;
    TPropertyKind kind = TPropertyKind::Other;

    QString Name() const { return QString::fromLatin1(meta.name()); }
    bool IsValid() const { return meta.isValid(); }
};

// Published properties of a class or object, declaration order, base first.
QList<TPropertyInfo> PublishedProperties(const QMetaObject *metaObject);
QList<TPropertyInfo> PublishedProperties(const QObject *object);

// The property of that name (no dots), or an invalid info.
TPropertyInfo FindPublishedProperty(const QMetaObject *metaObject, const QString &name);

// Resolves a name or dotted path to the object that holds the last part and
// that part's property; {nullptr, invalid} when any step is missing.
struct TPropertyTarget {
    QObject *object = nullptr;
    TPropertyInfo property;
};
TPropertyTarget ResolveProperty(const QObject *object, const QString &path);

TPropertyKind PropertyKindOf(const QMetaProperty &property);

// Writing rules.
bool IsPropertyStored(const QObject *object, const TPropertyInfo &property);
// The declared default as a value of the property's type; invalid when the
// property has no default.
QVariant PropertyDefault(const QMetaObject *metaObject, const TPropertyInfo &property);
// The rule texts as declared (empty when there is none).
QString PropertyDefaultText(const QMetaObject *metaObject, const QString &name);
QString PropertyStoredRule(const QMetaObject *metaObject, const QString &name);
// The range a numeric property accepts from files and by name, declared as
// Q_CLASSINFO("range:NAME", "LOW HIGH"); false when none is declared.
bool PropertyRange(const QMetaObject *metaObject, const TPropertyInfo &property, long double &low,
                   long double &high);
// Raises EVxError "value V out of range (LOW to HIGH)" when the property
// declares a range and value lies outside it (or is not a number).
void CheckPropertyRange(const QMetaObject *metaObject, const TPropertyInfo &property, long double value);

// --- Access by name --------------------------------------------------------
bool PropertyExists(const QObject *object, const QString &name);

qint64 GetIntegerProperty(const QObject *object, const QString &name);
void SetIntegerProperty(QObject *object, const QString &name, qint64 value);
// True only for a Boolean property that holds true, or an ordinal property
// that holds exactly 1.
bool GetBooleanProperty(const QObject *object, const QString &name);
void SetBooleanProperty(QObject *object, const QString &name, bool value);
long double GetFloatProperty(const QObject *object, const QString &name);
void SetFloatProperty(QObject *object, const QString &name, long double value);
QString GetStringProperty(const QObject *object, const QString &name);
void SetStringProperty(QObject *object, const QString &name, const QString &value);
// Sub-objects and references; a reference of the wrong class is not set.
QObject *GetPointerProperty(const QObject *object, const QString &name);
void SetPointerProperty(QObject *object, const QString &name, QObject *reference);
// Assigns a hook (a QVariant holding the property's THook type); a hook of
// another signature is not set. An invalid QVariant clears the hook.
void SetMethodProperty(QObject *object, const QString &name, const QVariant &hook);
template <class Hook>
void SetMethodProperty(QObject *object, const QString &name, const Hook &hook)
{
    SetMethodProperty(object, name, QVariant::fromValue(hook));
}
// Whether a hook property holds a handler.
bool IsHookAssigned(const QObject *object, const QString &name);
// The object of the property "Font", or none.
TVxFont *GetFontProperty(const QObject *control);

// The same operations guarded against an absent object.
void SetBoolProp(QObject *object, const QString &name, bool value);
void SetMethProp(QObject *object, const QString &name, const QVariant &hook);

// Names of an enumeration or set property's value, and the reverse.
QString EnumValueName(const TPropertyInfo &property, qint64 value);
bool EnumValueFromName(const TPropertyInfo &property, const QString &name, qint64 &value);
// Sets as text: "[fsBold, fsItalic]".
QString SetToText(const TPropertyInfo &property, qint64 bits);
bool SetFromText(const TPropertyInfo &property, const QString &text, qint64 &bits);

// Copies every writable published property that source and target share,
// sub-objects by assigning them (used by TPersistent::Assign).
void CopyPublishedProperties(const QObject *source, QObject *target);

// Defined properties of any object: TPersistent's DefineProperties, or a
// provider registered for a class that is not a TPersistent.
using TDefinePropertiesProvider = void (*)(QObject *object, TPropertyFiler &filer);
void RegisterDefinedProperties(const QMetaObject *metaObject, TDefinePropertiesProvider provider);
void DefineObjectProperties(QObject *object, TPropertyFiler &filer);

} // namespace zelmio
