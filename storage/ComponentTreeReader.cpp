#include "storage/ComponentTreeReader.h"

#include "platform/VxError.h"
#include "model/ClassRegistry.h"
#include "model/Component.h"
#include "model/Hook.h"
#include "model/PropertyAccess.h"
#include "model/PropertyFiler.h"
#include "model/VxColor.h"
#include "model/VxControl.h"
#include "storage/GlobalComponentLookup.h"
#include "storage/UniqueComponentName.h"

#include <QBuffer>
#include <QMetaEnum>
#include <limits>

namespace zelmio {

namespace {

QString KindName(TTextValueKind kind)
{
    switch (kind) {
    case TTextValueKind::Integer: return QStringLiteral("an integer");
    case TTextValueKind::Extended:
    case TTextValueKind::Single:
    case TTextValueKind::Currency:
    case TTextValueKind::Date: return QStringLiteral("a number");
    case TTextValueKind::Ident: return QStringLiteral("an identifier");
    case TTextValueKind::String: return QStringLiteral("a string");
    case TTextValueKind::Set: return QStringLiteral("a set");
    case TTextValueKind::List: return QStringLiteral("a list");
    case TTextValueKind::Collection: return QStringLiteral("a collection");
    case TTextValueKind::Binary: return QStringLiteral("binary data");
    }
    return QString();
}

[[noreturn]] void BadValue(const TTextValue &value, const QString &expected)
{
    throw EVxError(QStringLiteral("expected %1, found %2").arg(expected, KindName(value.kind)));
}

bool IsIdent(const TTextValue &value, const char *ident)
{
    return value.kind == TTextValueKind::Ident && value.text.compare(QLatin1String(ident), Qt::CaseInsensitive) == 0;
}

bool ReadBool(const TTextValue &value)
{
    if (IsIdent(value, "True"))
        return true;
    if (IsIdent(value, "False"))
        return false;
    BadValue(value, QStringLiteral("True or False"));
}

// Reads the values of a defined property from one text value.
class TTextValueReader : public TPropertyReader {
public:
    explicit TTextValueReader(const TTextValue &value)
        : m_root(value)
    {
    }

    void ReadListBegin() override
    {
        const TTextValue &value = Next();
        if (value.kind != TTextValueKind::List)
            BadValue(value, QStringLiteral("a list"));
        m_stack.push_back({&value.list, 0});
    }
    bool EndOfList() override { return m_stack.empty() || m_stack.back().index >= m_stack.back().list->size(); }
    void ReadListEnd() override
    {
        if (m_stack.empty() || !EndOfList())
            throw EVxError(QStringLiteral("more values in the list than expected"));
        m_stack.pop_back();
    }
    long double ReadFloat() override
    {
        const TTextValue &value = Next();
        if (!value.IsNumber())
            BadValue(value, QStringLiteral("a number"));
        return value.AsFloat();
    }
    qint64 ReadInteger() override
    {
        const TTextValue &value = Next();
        if (value.kind != TTextValueKind::Integer)
            BadValue(value, QStringLiteral("an integer"));
        return value.integer;
    }
    QString ReadString() override
    {
        const TTextValue &value = Next();
        if (value.kind != TTextValueKind::String)
            BadValue(value, QStringLiteral("a string"));
        return value.text;
    }
    QString ReadIdent() override
    {
        const TTextValue &value = Next();
        if (value.kind != TTextValueKind::Ident)
            BadValue(value, QStringLiteral("an identifier"));
        return value.text;
    }
    bool ReadBoolean() override { return ReadBool(Next()); }

private:
    struct Level {
        const std::vector<TTextValue> *list;
        size_t index;
    };

    const TTextValue &Next()
    {
        if (m_stack.empty()) {
            if (m_rootRead)
                throw EVxError(QStringLiteral("fewer values than expected"));
            m_rootRead = true;
            return m_root;
        }
        Level &level = m_stack.back();
        if (level.index >= level.list->size())
            throw EVxError(QStringLiteral("the list ended before all values were read"));
        return (*level.list)[level.index++];
    }

    const TTextValue &m_root;
    std::vector<Level> m_stack;
    bool m_rootRead = false;
};

class TReadingFiler : public TPropertyFiler {
public:
    TReadingFiler(const QString &name, const TTextValue &value)
        : m_name(name)
        , m_value(value)
    {
    }
    void DefineProperty(const QString &name, const ReadFunction &read, const WriteFunction &, bool) override
    {
        if (m_found || name.compare(m_name, Qt::CaseInsensitive) != 0 || !read)
            return;
        m_found = true;
        TTextValueReader reader(m_value);
        read(reader);
    }
    void DefineBinaryProperty(const QString &name, const ReadBinaryFunction &read, const WriteBinaryFunction &,
                              bool) override
    {
        if (m_found || name.compare(m_name, Qt::CaseInsensitive) != 0 || !read)
            return;
        m_found = true;
        if (m_value.kind != TTextValueKind::Binary)
            BadValue(m_value, QStringLiteral("binary data"));
        QByteArray bytes = m_value.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        read(buffer);
    }
    bool Found() const { return m_found; }

private:
    QString m_name;
    const TTextValue &m_value;
    bool m_found = false;
};

QStringList StringListOf(const TTextValue &value)
{
    if (value.kind != TTextValueKind::List)
        BadValue(value, QStringLiteral("a list of strings"));
    QStringList lines;
    lines.reserve(qsizetype(value.list.size()));
    for (const TTextValue &item : value.list) {
        if (item.kind != TTextValueKind::String)
            BadValue(item, QStringLiteral("a string"));
        lines.append(item.text);
    }
    return lines;
}

void CheckIntegerRange(const TPropertyInfo &property, qint64 value)
{
    qint64 low = std::numeric_limits<qint64>::min();
    qint64 high = std::numeric_limits<qint64>::max();
    switch (property.meta.metaType().id()) {
    case QMetaType::Int: low = std::numeric_limits<qint32>::min(); high = std::numeric_limits<qint32>::max(); break;
    case QMetaType::UInt: low = 0; high = std::numeric_limits<quint32>::max(); break;
    case QMetaType::Short: low = std::numeric_limits<qint16>::min(); high = std::numeric_limits<qint16>::max(); break;
    case QMetaType::UShort: low = 0; high = std::numeric_limits<quint16>::max(); break;
    case QMetaType::Char:
    case QMetaType::SChar: low = std::numeric_limits<qint8>::min(); high = std::numeric_limits<qint8>::max(); break;
    case QMetaType::UChar: low = 0; high = std::numeric_limits<quint8>::max(); break;
    case QMetaType::ULongLong:
    case QMetaType::ULong: low = 0; break;
    default: break;
    }
    if (value < low || value > high)
        throw EVxError(QStringLiteral("value %1 out of range").arg(value));
}

qint64 EnumOrdinal(const TPropertyInfo &property, const TTextValue &value)
{
    qint64 ordinal = 0;
    QString text;
    if (value.kind == TTextValueKind::Ident)
        text = value.text;
    else if (value.kind == TTextValueKind::Integer)
        text = QString::number(value.integer);
    else
        BadValue(value, QStringLiteral("a value name"));
    if (!EnumValueFromName(property, text, ordinal))
        throw EVxError(QStringLiteral("'%1' is not a value of %2")
                           .arg(text, QLatin1String(property.meta.metaType().name())));
    return ordinal;
}

qint64 SetBits(const TPropertyInfo &property, const TTextValue &value)
{
    if (value.kind == TTextValueKind::Integer)
        return value.integer;
    if (value.kind != TTextValueKind::Set)
        BadValue(value, QStringLiteral("a set"));
    const QMetaEnum enumerator = property.meta.enumerator();
    qint64 bits = 0;
    for (const QString &member : value.members) {
        bool found = false;
        for (int i = 0; i < enumerator.keyCount(); ++i) {
            if (member.compare(QLatin1String(enumerator.key(i)), Qt::CaseInsensitive) == 0) {
                bits |= enumerator.value(i);
                found = true;
                break;
            }
        }
        if (!found)
            throw EVxError(QStringLiteral("'%1' is not a member of %2")
                               .arg(member, QLatin1String(enumerator.name())));
    }
    return bits;
}

void SetHookHandlerName(QObject *object, const TPropertyInfo &property, const QString &handler)
{
    QVariant value(property.meta.metaType());
    if (!value.isValid())
        return;
    // Every THook instantiation has THookBase as its only base. The handler
    // of a template names a method of the window it was designed in; it
    // cannot be bound here, but its name is kept so that saving keeps it.
    static_cast<THookBase *>(value.data())->SetHandlerName(handler);
    property.meta.write(object, value);
}

QObject *SubObjectOf(const QObject *object, const TPropertyInfo &property)
{
    const QVariant value = property.meta.read(object);
    return value.isValid() ? *static_cast<QObject *const *>(value.constData()) : nullptr;
}

using TReferenceSink = std::function<void(QObject *object, const QString &property, const QString &reference)>;

// Assigns one property line; references go to the sink.
void AssignValue(QObject *object, const TTextProperty &line, const TReferenceSink &sink)
{
    const QStringList parts = line.path.split(QLatin1Char('.'));
    QObject *target = object;
    for (int i = 0; i + 1 < parts.size(); ++i) {
        const TPropertyInfo info = FindPublishedProperty(target->metaObject(), parts.at(i));
        if (info.IsValid() && info.kind == TPropertyKind::StringList && i + 2 == parts.size()
            && parts.last().compare(QLatin1String("Strings"), Qt::CaseInsensitive) == 0) {
            if (!info.meta.isWritable())
                throw EVxError(QStringLiteral("property is read-only"));
            info.meta.write(target, QVariant(StringListOf(line.value)));
            return;
        }
        if (!info.IsValid() || info.kind != TPropertyKind::SubObject)
            throw EVxError(QStringLiteral("unknown property"));
        target = SubObjectOf(target, info);
        if (!target)
            throw EVxError(QStringLiteral("unknown property"));
    }
    const QString name = parts.last();
    const TPropertyInfo info = FindPublishedProperty(target->metaObject(), name);
    if (!info.IsValid()) {
        TReadingFiler filer(name, line.value);
        DefineObjectProperties(target, filer);
        if (!filer.Found())
            throw EVxError(QStringLiteral("unknown property"));
        return;
    }
    if (!info.meta.isWritable())
        throw EVxError(QStringLiteral("property is read-only"));
    const TTextValue &value = line.value;
    switch (info.kind) {
    case TPropertyKind::Boolean:
        info.meta.write(target, QVariant(ReadBool(value)));
        return;
    case TPropertyKind::Integer:
        if (value.kind != TTextValueKind::Integer)
            BadValue(value, QStringLiteral("an integer"));
        CheckIntegerRange(info, value.integer);
        CheckPropertyRange(target->metaObject(), info, (long double)value.integer);
        SetIntegerProperty(target, info.Name(), value.integer);
        return;
    case TPropertyKind::Enumeration:
        SetIntegerProperty(target, info.Name(), EnumOrdinal(info, value));
        return;
    case TPropertyKind::Set:
        SetIntegerProperty(target, info.Name(), SetBits(info, value));
        return;
    case TPropertyKind::Color: {
        if (value.kind == TTextValueKind::Ident) {
            const std::optional<TColor> color = IdentToColor(value.text);
            if (!color)
                throw EVxError(QStringLiteral("'%1' is not a colour").arg(value.text));
            SetIntegerProperty(target, info.Name(), qint64(*color));
            return;
        }
        if (value.kind != TTextValueKind::Integer)
            BadValue(value, QStringLiteral("a colour"));
        if (value.integer < std::numeric_limits<qint32>::min() || value.integer > std::numeric_limits<quint32>::max())
            throw EVxError(QStringLiteral("colour value out of range"));
        SetIntegerProperty(target, info.Name(), qint64(qint32(quint32(value.integer))));
        return;
    }
    case TPropertyKind::Float:
        if (!value.IsNumber())
            BadValue(value, QStringLiteral("a number"));
        CheckPropertyRange(target->metaObject(), info, value.AsFloat());
        SetFloatProperty(target, info.Name(), value.AsFloat());
        return;
    case TPropertyKind::String:
        if (value.kind != TTextValueKind::String)
            BadValue(value, QStringLiteral("a string"));
        info.meta.write(target, QVariant(value.text));
        return;
    case TPropertyKind::StringList:
        info.meta.write(target, QVariant(StringListOf(value)));
        return;
    case TPropertyKind::Reference:
        if (value.kind != TTextValueKind::Ident)
            BadValue(value, QStringLiteral("a component name"));
        if (IsIdent(value, "nil")) {
            SetPointerProperty(target, info.Name(), nullptr);
            return;
        }
        sink(target, info.Name(), value.text);
        return;
    case TPropertyKind::Hook:
        if (value.kind != TTextValueKind::Ident)
            BadValue(value, QStringLiteral("a handler name"));
        SetHookHandlerName(target, info, value.text);
        return;
    case TPropertyKind::SubObject:
        throw EVxError(QStringLiteral("an object property takes no value"));
    case TPropertyKind::Other:
        throw EVxError(QStringLiteral("property type not supported"));
    }
}

void SetReference(QObject *object, const QString &property, QObject *referenced)
{
    SetPointerProperty(object, property, referenced);
    if (GetPointerProperty(object, property) != referenced)
        throw EVxError(QStringLiteral("%1 (%2) does not fit the property")
                           .arg(referenced->objectName(), ClassNameOf(referenced)));
}

// An object owned by root (any QObject root: a window need not be a
// component) of that name, without regard to case.
QObject *FindOwnedByName(const QObject *root, const QString &name)
{
    if (!root || name.isEmpty())
        return nullptr;
    for (QObject *child : root->children()) {
        if (child->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return child;
    }
    return nullptr;
}

QString ObjectLabel(const QString &name, const QString &className)
{
    return name.isEmpty() ? className : QStringLiteral("%1 (%2)").arg(name, className);
}

} // namespace

bool TComponentTreeReader::ClassFits(const QMetaObject *meta, const QString &className)
{
    for (; meta; meta = meta->superClass()) {
        if (ClassNameOf(meta).compare(className, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TComponentTreeReader::AssignProperty(QObject *object, const TTextProperty &property)
{
    AssignValue(object, property, [](QObject *target, const QString &name, const QString &reference) {
        const int dot = int(reference.indexOf(QLatin1Char('.')));
        QObject *referenced = nullptr;
        if (dot > 0)
            referenced = FindOwnedByName(FindGlobalComponent(reference.left(dot)), reference.mid(dot + 1));
        if (!referenced)
            throw EVxError(QStringLiteral("'%1' not found").arg(reference));
        SetReference(target, name, referenced);
    });
}

void TComponentTreeReader::Error(const QString &message) const
{
    if (m_onError)
        m_onError(message);
}

QList<TComponent *> TComponentTreeReader::CreatedComponents() const
{
    QList<TComponent *> result;
    for (const QPointer<TComponent> &component : m_created) {
        if (component)
            result.append(component.data());
    }
    return result;
}

void TComponentTreeReader::Read(const TTextObject &tree, TComponent *root)
{
    if (!root)
        throw EVxError(QStringLiteral("nothing to read into"));
    if (!ClassFits(root->metaObject(), tree.className))
        throw EVxError(QStringLiteral("expected an object of class %1, found %2")
                           .arg(root->ClassName(), tree.className));
    m_root = root;
    m_rootFileName = tree.name;
    m_names.clear();
    m_created.clear();
    m_fixups.clear();

    root->BeginLoading();
    const auto *rootControl = qobject_cast<TVxControl *>(root);
    TComponent *owner = rootControl && root->Owner() ? root->Owner() : root;
    const QString rootLabel = ObjectLabel(tree.name, tree.className);
    ApplyProperties(root, tree.properties, rootLabel);
    for (const TTextObject &child : tree.children)
        ReadChild(child, root, owner, rootLabel);

    // The root comes after the nested objects of the same name.
    if (!tree.name.isEmpty())
        m_names[tree.name.toUpper()].append(root);
    for (int i = 0; i < m_fixups.size();) {
        if (ResolveFixup(m_fixups.at(i), false))
            m_fixups.removeAt(i);
        else
            ++i;
    }

    const auto loaded = [this](TComponent *component) {
        try {
            component->Loaded();
        } catch (const std::exception &e) {
            Error(QStringLiteral("%1: %2").arg(ObjectLabel(component->Name(), component->ClassName()),
                                               QString::fromUtf8(e.what())));
        }
    };
    loaded(root);
    for (const QPointer<TComponent> &component : std::as_const(m_created)) {
        if (component)
            loaded(component.data());
    }
}

void TComponentTreeReader::ReadChild(const TTextObject &node, TComponent *nestParent, TComponent *owner,
                                     const QString &path)
{
    const QString label = ObjectLabel(node.name, node.className);
    if (!IsClassRegistered(node.className)) {
        Error(QStringLiteral("%1: class %2 is not registered; the object and its contents are skipped")
                  .arg(path + QStringLiteral(" > ") + label, node.className));
        return;
    }
    TComponent *component = nullptr;
    try {
        component = CreateComponentByClassName(node.className, owner);
    } catch (const std::exception &e) {
        Error(QStringLiteral("%1: cannot be created: %2").arg(label, QString::fromUtf8(e.what())));
        return;
    }
    if (!component)
        return;
    component->BeginLoading();
    m_created.append(component);

    QString name = node.name;
    if (m_onSetName)
        m_onSetName(component, name);
    try {
        component->SetName(name);
    } catch (const std::exception &) {
        const QString unique = FindUniqueComponentName(owner, name.isEmpty() ? component->ClassName() : name, true);
        try {
            component->SetName(unique);
        } catch (const std::exception &e) {
            Error(QStringLiteral("%1: cannot be named: %2").arg(label, QString::fromUtf8(e.what())));
        }
    }
    if (!node.name.isEmpty())
        m_names[node.name.toUpper()].append(component);

    auto *control = qobject_cast<TVxControl *>(component);
    auto *parentControl = qobject_cast<TVxControl *>(nestParent);
    if (control && parentControl) {
        try {
            control->SetParent(parentControl);
        } catch (const std::exception &e) {
            Error(QStringLiteral("%1: cannot be placed: %2").arg(label, QString::fromUtf8(e.what())));
        }
    }
    const QString context = path + QStringLiteral(" > ") + label;
    ApplyProperties(component, node.properties, context);
    for (const TTextObject &child : node.children)
        ReadChild(child, component, owner, context);
}

void TComponentTreeReader::ApplyProperties(QObject *object, const std::vector<TTextProperty> &properties,
                                           const QString &context)
{
    for (const TTextProperty &property : properties)
        Apply(object, property, context);
}

void TComponentTreeReader::Apply(QObject *object, const TTextProperty &property, const QString &context)
{
    try {
        AssignValue(object, property, [this, &context](QObject *target, const QString &name, const QString &reference) {
            m_fixups.append(Fixup{target, name, reference, context});
        });
    } catch (const std::exception &e) {
        Error(QStringLiteral("%1: property %2 skipped: %3").arg(context, property.path, QString::fromUtf8(e.what())));
    }
}

QList<QObject *> TComponentTreeReader::Resolve(const QString &reference) const
{
    QList<QObject *> result;
    const auto addLocal = [this, &result](const QString &name) {
        for (const QPointer<QObject> &object : m_names.value(name.toUpper())) {
            if (object)
                result.append(object.data());
        }
    };
    const auto add = [&result](QObject *object) {
        if (object)
            result.append(object);
    };
    const int dot = int(reference.indexOf(QLatin1Char('.')));
    if (dot < 0) {
        addLocal(reference);
        add(FindOwnedByName(m_lookupRoot, reference));
        return result;
    }
    const QString rootName = reference.left(dot);
    const QString name = reference.mid(dot + 1);
    if (name.contains(QLatin1Char('.')))
        return result;
    if (!m_rootFileName.isEmpty() && rootName.compare(m_rootFileName, Qt::CaseInsensitive) == 0)
        addLocal(name);
    else if (m_root && rootName.compare(m_root->Name(), Qt::CaseInsensitive) == 0)
        add(m_root->FindOwnedObject(name));
    else
        add(FindOwnedByName(FindGlobalComponent(rootName), name));
    return result;
}

bool TComponentTreeReader::ResolveFixup(const Fixup &fixup, bool final)
{
    if (!fixup.object)
        return true;
    QList<QObject *> candidates = Resolve(fixup.reference);
    if (candidates.isEmpty() && final && m_onUnresolved) {
        if (QObject *object = m_onUnresolved(fixup.reference))
            candidates.append(object);
    }
    if (candidates.isEmpty()) {
        if (final)
            Error(QStringLiteral("%1: property %2: '%3' not found; the reference stays empty")
                      .arg(fixup.context, fixup.property, fixup.reference));
        return false;
    }
    QString failure;
    for (QObject *candidate : std::as_const(candidates)) {
        try {
            SetReference(fixup.object, fixup.property, candidate);
            return true;
        } catch (const std::exception &e) {
            if (failure.isEmpty())
                failure = QString::fromUtf8(e.what());
        }
    }
    Error(QStringLiteral("%1: property %2 skipped: %3").arg(fixup.context, fixup.property, failure));
    return true;
}

void TComponentTreeReader::ResolveRemainingReferences()
{
    const QList<Fixup> pending = m_fixups;
    m_fixups.clear();
    for (const Fixup &fixup : pending)
        ResolveFixup(fixup, true);
}

} // namespace zelmio
