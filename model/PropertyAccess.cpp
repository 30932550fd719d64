#include "model/PropertyAccess.h"

#include "platform/VxError.h"

#include "model/Component.h"
#include "model/Hook.h"
#include "model/Persistent.h"
#include "model/VxColor.h"
#include "model/VxFont.h"
#include "model/VxTypes.h"
#include "platform/DataSet.h"

#include <QHash>
#include <QMetaEnum>
#include <QMutex>
#include <QMutexLocker>
#include <cstring>

namespace zelmio {

namespace {

bool IsReferenceClass(const QMetaObject *metaObject)
{
    return metaObject
        && (metaObject->inherits(&TComponent::staticMetaObject)
            || metaObject->inherits(&TDataSet::staticMetaObject));
}

bool IsHookType(QMetaType type)
{
    const char *name = type.name();
    return name && std::strncmp(name, "zelmio::THook<", 14) == 0;
}

// Raw ordinal of an enumeration-like value (Q_ENUM types, QFlags, TColor).
qint64 RawOrdinal(const QVariant &value)
{
    const QMetaType type = value.metaType();
    if (type.flags() & QMetaType::IsEnumeration) {
        const void *data = value.constData();
        switch (type.sizeOf()) {
        case 1: { qint8 v; std::memcpy(&v, data, 1); return v; }
        case 2: { qint16 v; std::memcpy(&v, data, 2); return v; }
        case 4: { qint32 v; std::memcpy(&v, data, 4); return v; }
        case 8: { qint64 v; std::memcpy(&v, data, 8); return v; }
        default: return 0;
        }
    }
    if (type.id() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    return value.toLongLong();
}

QVariant OrdinalVariant(QMetaType type, qint64 ordinal)
{
    if (type.flags() & QMetaType::IsEnumeration) {
        switch (type.sizeOf()) {
        case 1: { qint8 v = qint8(ordinal); return QVariant(type, &v); }
        case 2: { qint16 v = qint16(ordinal); return QVariant(type, &v); }
        case 4: { qint32 v = qint32(ordinal); return QVariant(type, &v); }
        case 8: { qint64 v = ordinal; return QVariant(type, &v); }
        default: return QVariant();
        }
    }
    QVariant result(ordinal);
    if (result.convert(type))
        return result;
    return QVariant();
}

long double VariantToFloat(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<long double>())
        return *static_cast<const long double *>(value.constData());
    return value.toDouble();
}

QVariant FloatVariant(QMetaType type, long double value)
{
    if (type == QMetaType::fromType<long double>())
        return QVariant::fromValue(value);
    if (type.id() == QMetaType::Float)
        return QVariant(float(value));
    return QVariant(double(value));
}

QVariant ReadValue(const QObject *object, const QMetaProperty &property)
{
    return property.read(object);
}

bool IsOrdinalKind(TPropertyKind kind)
{
    switch (kind) {
    case TPropertyKind::Boolean:
    case TPropertyKind::Integer:
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set:
    case TPropertyKind::Color:
        return true;
    case TPropertyKind::Float:
    case TPropertyKind::String:
    case TPropertyKind::StringList:
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Hook:
    case TPropertyKind::Other:
        return false;
    }
    return false;
}

// Whether an ordinal may be stored in the property at all: enumerations take
// their named values (character sets any byte), sets their member bits.
bool OrdinalAcceptable(const TPropertyInfo &property, qint64 value)
{
    switch (property.kind) {
    case TPropertyKind::Boolean:
        return value == 0 || value == 1;
    case TPropertyKind::Enumeration: {
        if (property.meta.metaType() == QMetaType::fromType<TFontCharset>())
            return value >= 0 && value <= 255;
        const QMetaEnum enumerator = property.meta.enumerator();
        return enumerator.valueToKey(int(value)) != nullptr;
    }
    case TPropertyKind::Set: {
        const QMetaEnum enumerator = property.meta.enumerator();
        qint64 all = 0;
        for (int i = 0; i < enumerator.keyCount(); ++i)
            all |= enumerator.value(i);
        return (value & ~all) == 0;
    }
    case TPropertyKind::Integer:
    case TPropertyKind::Color:
        return true;
    case TPropertyKind::Float:
    case TPropertyKind::String:
    case TPropertyKind::StringList:
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Hook:
    case TPropertyKind::Other:
        return false;
    }
    return false;
}

QString ClassInfoValue(const QMetaObject *metaObject, const QByteArray &key)
{
    if (!metaObject)
        return QString();
    const int index = metaObject->indexOfClassInfo(key.constData());
    return index < 0 ? QString() : QString::fromUtf8(metaObject->classInfo(index).value());
}

bool HasClassInfo(const QMetaObject *metaObject, const QByteArray &key)
{
    return metaObject && metaObject->indexOfClassInfo(key.constData()) >= 0;
}

// Class information keys are case-sensitive; properties are found without
// regard to case, so the key uses the declared name.
QByteArray RuleKey(const char *prefix, const QMetaProperty &property)
{
    return QByteArray(prefix) + property.name();
}

bool ValuesEqual(const TPropertyInfo &property, const QVariant &a, const QVariant &b)
{
    switch (property.kind) {
    case TPropertyKind::Boolean:
    case TPropertyKind::Integer:
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set:
    case TPropertyKind::Color:
        return RawOrdinal(a) == RawOrdinal(b);
    case TPropertyKind::Float:
        return VariantToFloat(a) == VariantToFloat(b);
    case TPropertyKind::String:
        return a.toString() == b.toString();
    case TPropertyKind::StringList:
        return a.toStringList() == b.toStringList();
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Hook:
    case TPropertyKind::Other:
        return false;
    }
    return false;
}

struct ProviderRegistry {
    QMutex mutex;
    QHash<const QMetaObject *, TDefinePropertiesProvider> providers;
};

ProviderRegistry &Providers()
{
    static ProviderRegistry registry;
    return registry;
}

} // namespace

TPropertyKind PropertyKindOf(const QMetaProperty &property)
{
    const QMetaType type = property.metaType();
    if (type.id() == QMetaType::Bool)
        return TPropertyKind::Boolean;
    if (property.isFlagType())
        return TPropertyKind::Set;
    if (property.isEnumType())
        return TPropertyKind::Enumeration;
    if (type == QMetaType::fromType<TColor>())
        return TPropertyKind::Color;
    switch (type.id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
        return TPropertyKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return TPropertyKind::Float;
    case QMetaType::QString:
        return TPropertyKind::String;
    case QMetaType::QStringList:
        return TPropertyKind::StringList;
    default:
        break;
    }
    if (type == QMetaType::fromType<long double>())
        return TPropertyKind::Float;
    if (type.flags() & QMetaType::PointerToQObject)
        return IsReferenceClass(type.metaObject()) ? TPropertyKind::Reference : TPropertyKind::SubObject;
    if (IsHookType(type))
        return TPropertyKind::Hook;
    return TPropertyKind::Other;
}

QList<TPropertyInfo> PublishedProperties(const QMetaObject *metaObject)
{
    QList<TPropertyInfo> result;
    if (!metaObject)
        return result;
    const int first = QObject::staticMetaObject.propertyCount();
    for (int i = first; i < metaObject->propertyCount(); ++i) {
        TPropertyInfo info;
        info.meta = metaObject->property(i);
        info.kind = PropertyKindOf(info.meta);
        result.append(info);
    }
    return result;
}

QList<TPropertyInfo> PublishedProperties(const QObject *object)
{
    return object ? PublishedProperties(object->metaObject()) : QList<TPropertyInfo>();
}

namespace {

TPropertyInfo SearchPublishedProperty(const QMetaObject *metaObject, const QString &name);

} // namespace

TPropertyInfo FindPublishedProperty(const QMetaObject *metaObject, const QString &name)
{
    if (!metaObject || name.isEmpty())
        return TPropertyInfo();
    // Print-time rules read the same few properties of the same classes for
    // every band and element: each class and name is searched once.
    thread_local QHash<QPair<const QMetaObject *, QString>, TPropertyInfo> found;
    const QPair<const QMetaObject *, QString> key(metaObject, name);
    if (const auto it = found.constFind(key); it != found.constEnd())
        return *it;
    const TPropertyInfo info = SearchPublishedProperty(metaObject, name);
    if (found.size() > 4096)
        found.clear();
    found.insert(key, info);
    return info;
}

namespace {

TPropertyInfo SearchPublishedProperty(const QMetaObject *metaObject, const QString &name)
{
    const int first = QObject::staticMetaObject.propertyCount();
    for (int i = metaObject->propertyCount() - 1; i >= first; --i) {
        const QMetaProperty property = metaObject->property(i);
        if (name.compare(QLatin1String(property.name()), Qt::CaseInsensitive) == 0) {
            TPropertyInfo info;
            info.meta = property;
            info.kind = PropertyKindOf(property);
            return info;
        }
    }
    return TPropertyInfo();
}

} // namespace

TPropertyTarget ResolveProperty(const QObject *object, const QString &path)
{
    TPropertyTarget target;
    if (!object || path.isEmpty())
        return target;
    if (!path.contains(QLatin1Char('.'))) {
        const TPropertyInfo info = FindPublishedProperty(object->metaObject(), path);
        if (info.IsValid()) {
            target.object = const_cast<QObject *>(object);
            target.property = info;
        }
        return target;
    }
    const QStringList parts = path.split(QLatin1Char('.'));
    QObject *current = const_cast<QObject *>(object);
    for (int i = 0; i < parts.size(); ++i) {
        const TPropertyInfo info = FindPublishedProperty(current->metaObject(), parts.at(i));
        if (!info.IsValid())
            return TPropertyTarget();
        if (i == parts.size() - 1) {
            target.object = current;
            target.property = info;
            return target;
        }
        if (info.kind != TPropertyKind::SubObject)
            return TPropertyTarget();
        const QVariant value = info.meta.read(current);
        QObject *next = value.isValid() ? *static_cast<QObject *const *>(value.constData()) : nullptr;
        if (!next)
            return TPropertyTarget();
        current = next;
    }
    return target;
}

QString PropertyDefaultText(const QMetaObject *metaObject, const QString &name)
{
    const TPropertyInfo info = FindPublishedProperty(metaObject, name);
    if (!info.IsValid())
        return QString();
    return ClassInfoValue(metaObject, RuleKey("default:", info.meta));
}

QString PropertyStoredRule(const QMetaObject *metaObject, const QString &name)
{
    const TPropertyInfo info = FindPublishedProperty(metaObject, name);
    if (!info.IsValid())
        return QString();
    return ClassInfoValue(metaObject, RuleKey("stored:", info.meta));
}

bool PropertyRange(const QMetaObject *metaObject, const TPropertyInfo &property, long double &low,
                   long double &high)
{
    const QString rule = ClassInfoValue(metaObject, RuleKey("range:", property.meta));
    if (rule.isEmpty())
        return false;
    const QStringList bounds = rule.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    bool lowOk = false;
    bool highOk = false;
    if (bounds.size() == 2) {
        low = bounds[0].toDouble(&lowOk);
        high = bounds[1].toDouble(&highOk);
    }
    return lowOk && highOk;
}

void CheckPropertyRange(const QMetaObject *metaObject, const TPropertyInfo &property, long double value)
{
    long double low = 0;
    long double high = 0;
    if (!PropertyRange(metaObject, property, low, high))
        return;
    if (!(value >= low && value <= high))
        throw EVxError(QStringLiteral("value %1 out of range (%2 to %3)")
                           .arg(QString::number(double(value), 'g', 12), QString::number(double(low), 'g', 12),
                                QString::number(double(high), 'g', 12)));
}

QVariant PropertyDefault(const QMetaObject *metaObject, const TPropertyInfo &property)
{
    const QByteArray key = RuleKey("default:", property.meta);
    if (!HasClassInfo(metaObject, key))
        return QVariant();
    const QString text = ClassInfoValue(metaObject, key).trimmed();
    const QMetaType type = property.meta.metaType();
    switch (property.kind) {
    case TPropertyKind::Boolean:
        return QVariant(text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0);
    case TPropertyKind::Integer: {
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        return ok ? OrdinalVariant(type, value) : QVariant();
    }
    case TPropertyKind::Color: {
        if (const auto named = IdentToColor(text))
            return OrdinalVariant(type, qint64(*named));
        bool ok = false;
        const qint64 value = text.toLongLong(&ok);
        return ok ? OrdinalVariant(type, value) : QVariant();
    }
    case TPropertyKind::Enumeration: {
        qint64 value = 0;
        return EnumValueFromName(property, text, value) ? OrdinalVariant(type, value) : QVariant();
    }
    case TPropertyKind::Set: {
        qint64 bits = 0;
        return SetFromText(property, text, bits) ? OrdinalVariant(type, bits) : QVariant();
    }
    case TPropertyKind::Float: {
        bool ok = false;
        const double value = text.toDouble(&ok);
        return ok ? FloatVariant(type, value) : QVariant();
    }
    case TPropertyKind::String:
        return QVariant(text);
    case TPropertyKind::StringList:
        return QVariant(text.isEmpty() ? QStringList() : text.split(QLatin1Char('\n')));
    case TPropertyKind::SubObject:
    case TPropertyKind::Reference:
    case TPropertyKind::Hook:
    case TPropertyKind::Other:
        return QVariant();
    }
    return QVariant();
}

bool IsPropertyStored(const QObject *object, const TPropertyInfo &property)
{
    if (!object || !property.IsValid() || !property.meta.isStored())
        return false;
    if (property.kind == TPropertyKind::Other)
        return false;
    const QMetaObject *metaObject = object->metaObject();
    const QByteArray storedKey = RuleKey("stored:", property.meta);
    if (HasClassInfo(metaObject, storedKey)) {
        const QString rule = ClassInfoValue(metaObject, storedKey).trimmed();
        if (rule.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
        if (rule.compare(QLatin1String("true"), Qt::CaseInsensitive) != 0) {
            bool stored = true;
            if (QMetaObject::invokeMethod(const_cast<QObject *>(object), rule.toLatin1().constData(),
                                          Qt::DirectConnection, Q_RETURN_ARG(bool, stored)))
                return stored;
            return true;
        }
    }
    switch (property.kind) {
    case TPropertyKind::SubObject:
        return true;
    case TPropertyKind::Reference:
        return GetPointerProperty(object, property.Name()) != nullptr;
    case TPropertyKind::Hook:
        return IsHookAssigned(object, property.Name());
    case TPropertyKind::Boolean:
    case TPropertyKind::Integer:
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set:
    case TPropertyKind::Color:
    case TPropertyKind::Float:
    case TPropertyKind::String:
    case TPropertyKind::StringList:
        break;
    case TPropertyKind::Other:
        return false;
    }
    if (!property.meta.isWritable())
        return false;
    const QVariant defaultValue = PropertyDefault(metaObject, property);
    if (!defaultValue.isValid())
        return true;
    return !ValuesEqual(property, ReadValue(object, property.meta), defaultValue);
}

bool PropertyExists(const QObject *object, const QString &name)
{
    return ResolveProperty(object, name).object != nullptr;
}

qint64 GetIntegerProperty(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || !IsOrdinalKind(target.property.kind))
        return 0;
    return RawOrdinal(ReadValue(target.object, target.property.meta));
}

void SetIntegerProperty(QObject *object, const QString &name, qint64 value)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || !IsOrdinalKind(target.property.kind) || !target.property.meta.isWritable())
        return;
    if (!OrdinalAcceptable(target.property, value))
        return;
    if (target.property.kind == TPropertyKind::Boolean) {
        target.property.meta.write(target.object, QVariant(value == 1));
        return;
    }
    const QVariant variant = OrdinalVariant(target.property.meta.metaType(), value);
    if (variant.isValid())
        target.property.meta.write(target.object, variant);
}

bool GetBooleanProperty(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || !IsOrdinalKind(target.property.kind))
        return false;
    const QVariant value = ReadValue(target.object, target.property.meta);
    if (target.property.kind == TPropertyKind::Boolean)
        return value.toBool();
    return RawOrdinal(value) == 1;
}

void SetBooleanProperty(QObject *object, const QString &name, bool value)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::Boolean || !target.property.meta.isWritable())
        return;
    target.property.meta.write(target.object, QVariant(value));
}

long double GetFloatProperty(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::Float)
        return 0;
    return VariantToFloat(ReadValue(target.object, target.property.meta));
}

void SetFloatProperty(QObject *object, const QString &name, long double value)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::Float || !target.property.meta.isWritable())
        return;
    target.property.meta.write(target.object, FloatVariant(target.property.meta.metaType(), value));
}

QString GetStringProperty(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::String)
        return QString();
    return ReadValue(target.object, target.property.meta).toString();
}

void SetStringProperty(QObject *object, const QString &name, const QString &value)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::String || !target.property.meta.isWritable())
        return;
    target.property.meta.write(target.object, QVariant(value));
}

QObject *GetPointerProperty(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object)
        return nullptr;
    if (target.property.kind != TPropertyKind::SubObject && target.property.kind != TPropertyKind::Reference)
        return nullptr;
    const QVariant value = ReadValue(target.object, target.property.meta);
    return value.isValid() ? *static_cast<QObject *const *>(value.constData()) : nullptr;
}

void SetPointerProperty(QObject *object, const QString &name, QObject *reference)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || !target.property.meta.isWritable())
        return;
    if (target.property.kind != TPropertyKind::SubObject && target.property.kind != TPropertyKind::Reference)
        return;
    const QMetaType type = target.property.meta.metaType();
    if (reference && !reference->metaObject()->inherits(type.metaObject()))
        return;
    if (!reference && target.property.kind == TPropertyKind::SubObject)
        return;
    target.property.meta.write(target.object, QVariant(type, &reference));
}

void SetMethodProperty(QObject *object, const QString &name, const QVariant &hook)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::Hook || !target.property.meta.isWritable())
        return;
    const QMetaType type = target.property.meta.metaType();
    if (!hook.isValid()) {
        target.property.meta.write(target.object, QVariant(type));
        return;
    }
    if (hook.metaType() != type)
        return;
    target.property.meta.write(target.object, hook);
}

bool IsHookAssigned(const QObject *object, const QString &name)
{
    const TPropertyTarget target = ResolveProperty(object, name);
    if (!target.object || target.property.kind != TPropertyKind::Hook)
        return false;
    const QVariant value = ReadValue(target.object, target.property.meta);
    // Every THook instantiation has THookBase as its only base.
    return value.isValid() && static_cast<const THookBase *>(value.constData())->Assigned();
}

TVxFont *GetFontProperty(const QObject *control)
{
    return qobject_cast<TVxFont *>(GetPointerProperty(control, QStringLiteral("Font")));
}

void SetBoolProp(QObject *object, const QString &name, bool value)
{
    if (object)
        SetBooleanProperty(object, name, value);
}

void SetMethProp(QObject *object, const QString &name, const QVariant &hook)
{
    if (object)
        SetMethodProperty(object, name, hook);
}

QString EnumValueName(const TPropertyInfo &property, qint64 value)
{
    if (property.kind == TPropertyKind::Set)
        return SetToText(property, value);
    if (property.kind != TPropertyKind::Enumeration)
        return QString();
    const char *key = property.meta.enumerator().valueToKey(int(value));
    return key ? QString::fromLatin1(key) : QString();
}

bool EnumValueFromName(const TPropertyInfo &property, const QString &name, qint64 &value)
{
    if (property.kind != TPropertyKind::Enumeration)
        return false;
    const QMetaEnum enumerator = property.meta.enumerator();
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        if (name.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0) {
            value = enumerator.value(i);
            return true;
        }
    }
    bool ok = false;
    const qint64 number = name.toLongLong(&ok);
    if (ok && OrdinalAcceptable(property, number)) {
        value = number;
        return true;
    }
    return false;
}

QString SetToText(const TPropertyInfo &property, qint64 bits)
{
    QStringList members;
    const QMetaEnum enumerator = property.meta.enumerator();
    for (int i = 0; i < enumerator.keyCount(); ++i) {
        const int bit = enumerator.value(i);
        if (bit != 0 && (bits & bit) == bit)
            members.append(QString::fromLatin1(enumerator.key(i)));
    }
    return QLatin1Char('[') + members.join(QLatin1String(", ")) + QLatin1Char(']');
}

bool SetFromText(const TPropertyInfo &property, const QString &text, qint64 &bits)
{
    if (property.kind != TPropertyKind::Set)
        return false;
    QString inner = text.trimmed();
    if (!inner.startsWith(QLatin1Char('[')) || !inner.endsWith(QLatin1Char(']')))
        return false;
    inner = inner.mid(1, inner.size() - 2);
    const QMetaEnum enumerator = property.meta.enumerator();
    qint64 result = 0;
    for (const QString &part : inner.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString member = part.trimmed();
        if (member.isEmpty())
            continue;
        bool found = false;
        for (int i = 0; i < enumerator.keyCount(); ++i) {
            if (member.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0) {
                result |= enumerator.value(i);
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    bits = result;
    return true;
}

void CopyPublishedProperties(const QObject *source, QObject *target)
{
    if (!source || !target)
        return;
    for (const TPropertyInfo &property : PublishedProperties(target)) {
        if (!property.meta.isStored() || qstrcmp(property.meta.name(), "Name") == 0)
            continue;
        const TPropertyInfo from = FindPublishedProperty(source->metaObject(), property.Name());
        if (!from.IsValid() || from.kind != property.kind || from.meta.metaType() != property.meta.metaType())
            continue;
        if (property.kind == TPropertyKind::SubObject) {
            auto *to = qobject_cast<TPersistent *>(GetPointerProperty(target, property.Name()));
            auto *value = qobject_cast<TPersistent *>(GetPointerProperty(source, property.Name()));
            if (to && value)
                to->Assign(value);
            continue;
        }
        if (property.kind == TPropertyKind::Other || !property.meta.isWritable())
            continue;
        property.meta.write(target, from.meta.read(source));
    }
}

void RegisterDefinedProperties(const QMetaObject *metaObject, TDefinePropertiesProvider provider)
{
    ProviderRegistry &registry = Providers();
    QMutexLocker lock(&registry.mutex);
    registry.providers.insert(metaObject, provider);
}

void DefineObjectProperties(QObject *object, TPropertyFiler &filer)
{
    if (!object)
        return;
    if (auto *persistent = qobject_cast<TPersistent *>(object)) {
        persistent->DefineProperties(filer);
        return;
    }
    TDefinePropertiesProvider provider = nullptr;
    {
        ProviderRegistry &registry = Providers();
        QMutexLocker lock(&registry.mutex);
        for (const QMetaObject *mo = object->metaObject(); mo && !provider; mo = mo->superClass())
            provider = registry.providers.value(mo, nullptr);
    }
    if (provider)
        provider(object, filer);
}

} // namespace zelmio
