#include "storage/ComponentTreeWriter.h"

#include "model/Component.h"
#include "model/Hook.h"
#include "model/PropertyAccess.h"
#include "model/PropertyFiler.h"
#include "model/VxColor.h"
#include "model/VxControl.h"

#include <QBuffer>
#include <QHash>
#include <QMetaEnum>
#include <QStringList>

namespace zelmio {

namespace {

// Collects the values a defined property writes.
class TTextValueWriter : public TPropertyWriter {
public:
    void WriteListBegin() override { m_stack.push_back(TTextValue::MakeList()); }
    void WriteListEnd() override
    {
        if (m_stack.empty())
            return;
        TTextValue list = std::move(m_stack.back());
        m_stack.pop_back();
        Add(std::move(list));
    }
    void WriteFloat(long double value) override { Add(TTextValue::MakeExtended(value)); }
    void WriteInteger(qint64 value) override { Add(TTextValue::MakeInteger(value)); }
    void WriteString(const QString &value) override { Add(TTextValue::MakeString(value)); }
    void WriteIdent(const QString &ident) override { Add(TTextValue::MakeIdent(ident)); }
    void WriteBoolean(bool value) override { Add(TTextValue::MakeIdent(value ? QStringLiteral("True") : QStringLiteral("False"))); }

    bool HasResult() const { return m_hasResult; }
    TTextValue Result() const { return m_result; }

private:
    void Add(TTextValue value)
    {
        if (!m_stack.empty()) {
            m_stack.back().list.push_back(std::move(value));
            return;
        }
        // A defined property holds one value; further top-level values would
        // not read back, so the first one counts.
        if (!m_hasResult) {
            m_result = std::move(value);
            m_hasResult = true;
        }
    }

    std::vector<TTextValue> m_stack;
    TTextValue m_result;
    bool m_hasResult = false;
};

class TWritingFiler : public TPropertyFiler {
public:
    TWritingFiler(const QString &prefix, std::vector<TTextProperty> &out)
        : m_prefix(prefix)
        , m_out(out)
    {
    }
    void DefineProperty(const QString &name, const ReadFunction &, const WriteFunction &write, bool hasData) override
    {
        if (!hasData || !write)
            return;
        TTextValueWriter writer;
        write(writer);
        if (!writer.HasResult())
            return;
        m_out.push_back(TTextProperty{m_prefix + name, writer.Result(), 0});
    }
    void DefineBinaryProperty(const QString &name, const ReadBinaryFunction &, const WriteBinaryFunction &write,
                              bool hasData) override
    {
        if (!hasData || !write)
            return;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        write(buffer);
        buffer.close();
        m_out.push_back(TTextProperty{m_prefix + name, TTextValue::MakeBinary(bytes), 0});
    }

private:
    QString m_prefix;
    std::vector<TTextProperty> &m_out;
};

QString HookHandlerName(const QObject *object, const TPropertyInfo &property)
{
    const QVariant value = property.meta.read(object);
    if (!value.isValid())
        return QString();
    // Every THook instantiation has THookBase as its only base.
    return static_cast<const THookBase *>(value.constData())->HandlerName();
}

QObject *SubObject(const QObject *object, const TPropertyInfo &property)
{
    const QVariant value = property.meta.read(object);
    return value.isValid() ? *static_cast<QObject *const *>(value.constData()) : nullptr;
}

} // namespace

QList<TPropertyInfo> WritableProperties(const QMetaObject *metaObject)
{
    // A class's list never changes; saving or snapshotting a report asks for
    // it once per object, so each thread keeps the lists it has built.
    thread_local QHash<const QMetaObject *, QList<TPropertyInfo>> built;
    if (const auto found = built.constFind(metaObject); found != built.cend())
        return *found;
    QList<TPropertyInfo> result;
    for (const TPropertyInfo &property : PublishedProperties(metaObject)) {
        bool replaced = false;
        for (TPropertyInfo &earlier : result) {
            if (qstrcmp(earlier.meta.name(), property.meta.name()) == 0) {
                earlier = property;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            result.append(property);
    }
    built.insert(metaObject, result);
    return result;
}

QList<TComponent *> TComponentTreeWriter::Children(TComponent *component) const
{
    QList<TComponent *> result;
    if (auto *control = qobject_cast<TVxControl *>(component)) {
        for (TVxControl *child : control->ControlList()) {
            if (!child->IsDestroying() && (!m_filter || m_filter(child)))
                result.append(child);
        }
        return result;
    }
    for (TComponent *owned : component->ComponentList()) {
        if (!owned->IsDestroying() && (!m_filter || m_filter(owned)))
            result.append(owned);
    }
    return result;
}

void TComponentTreeWriter::Collect(TComponent *component)
{
    m_tree.insert(component);
    for (TComponent *child : Children(component))
        Collect(child);
}

TTextObject TComponentTreeWriter::Write(TComponent *root)
{
    m_root = root;
    m_tree.clear();
    if (!root)
        return TTextObject();
    Collect(root);
    return WriteObject(root);
}

TTextObject TComponentTreeWriter::WriteObject(TComponent *component)
{
    TTextObject object;
    object.name = component->Name();
    object.className = component->ClassName();
    WriteProperties(component, QString(), object.properties);
    for (TComponent *child : Children(component))
        object.children.push_back(WriteObject(child));
    return object;
}

void TComponentTreeWriter::WriteProperties(QObject *object, const QString &prefix, std::vector<TTextProperty> &out)
{
    if (!object)
        return;
    for (const TPropertyInfo &property : WritableProperties(object->metaObject())) {
        const QString path = prefix + property.Name();
        switch (property.kind) {
        case TPropertyKind::SubObject:
            if (IsPropertyStored(object, property))
                WriteProperties(SubObject(object, property), path + QLatin1Char('.'), out);
            continue;
        case TPropertyKind::Hook: {
            // A hook is written by its handler's name; one installed by code
            // has none and is not part of the template.
            if (!property.meta.isStored())
                continue;
            const QString handler = HookHandlerName(object, property);
            if (!handler.isEmpty())
                out.push_back(TTextProperty{path, TTextValue::MakeIdent(handler), 0});
            continue;
        }
        case TPropertyKind::StringList: {
            if (!IsPropertyStored(object, property))
                continue;
            const QStringList lines = property.meta.read(object).toStringList();
            if (lines.isEmpty())
                continue;
            std::vector<TTextValue> values;
            values.reserve(lines.size());
            for (const QString &line : lines)
                values.push_back(TTextValue::MakeString(line));
            out.push_back(TTextProperty{path + QStringLiteral(".Strings"), TTextValue::MakeList(std::move(values)), 0});
            continue;
        }
        case TPropertyKind::Boolean:
        case TPropertyKind::Integer:
        case TPropertyKind::Enumeration:
        case TPropertyKind::Set:
        case TPropertyKind::Color:
        case TPropertyKind::Float:
        case TPropertyKind::String:
        case TPropertyKind::Reference:
            break;
        case TPropertyKind::Other:
            continue;
        }
        if (!IsPropertyStored(object, property))
            continue;
        TTextValue value;
        if (WritePropertyValue(object, property, value))
            out.push_back(TTextProperty{path, std::move(value), 0});
    }
    TWritingFiler filer(prefix, out);
    DefineObjectProperties(object, filer);
}

bool TComponentTreeWriter::WritePropertyValue(QObject *object, const TPropertyInfo &property, TTextValue &value)
{
    const QString name = property.Name();
    switch (property.kind) {
    case TPropertyKind::Boolean:
        value = TTextValue::MakeIdent(property.meta.read(object).toBool() ? QStringLiteral("True") : QStringLiteral("False"));
        return true;
    case TPropertyKind::Integer:
        value = TTextValue::MakeInteger(GetIntegerProperty(object, name));
        return true;
    case TPropertyKind::Enumeration: {
        const qint64 ordinal = GetIntegerProperty(object, name);
        const QString ident = EnumValueName(property, ordinal);
        value = ident.isEmpty() ? TTextValue::MakeInteger(ordinal) : TTextValue::MakeIdent(ident);
        return true;
    }
    case TPropertyKind::Set: {
        const qint64 bits = GetIntegerProperty(object, name);
        const QMetaEnum enumerator = property.meta.enumerator();
        QStringList members;
        for (int i = 0; i < enumerator.keyCount(); ++i) {
            const int bit = enumerator.value(i);
            if (bit != 0 && (bits & bit) == bit)
                members.append(QString::fromLatin1(enumerator.key(i)));
        }
        value = TTextValue::MakeSet(members);
        return true;
    }
    case TPropertyKind::Color: {
        const qint64 color = GetIntegerProperty(object, name);
        const QString ident = ColorToIdent(TColor(qint32(color)));
        value = ident.isEmpty() ? TTextValue::MakeInteger(color) : TTextValue::MakeIdent(ident);
        return true;
    }
    case TPropertyKind::Float: {
        const long double number = GetFloatProperty(object, name);
        value = property.meta.metaType().id() == QMetaType::Float ? TTextValue::MakeSingle(float(number))
                                                                   : TTextValue::MakeExtended(number);
        return true;
    }
    case TPropertyKind::String:
        value = TTextValue::MakeString(property.meta.read(object).toString());
        return true;
    case TPropertyKind::Reference: {
        const QString reference = ReferenceName(GetPointerProperty(object, name));
        if (reference.isEmpty())
            return false;
        value = TTextValue::MakeIdent(reference);
        return true;
    }
    case TPropertyKind::StringList:
    case TPropertyKind::SubObject:
    case TPropertyKind::Hook:
    case TPropertyKind::Other:
        return false;
    }
    return false;
}

QString TComponentTreeWriter::ReferenceName(QObject *target) const
{
    if (!target || target->objectName().isEmpty())
        return QString();
    const QString name = target->objectName();
    if (target == m_root || m_tree.contains(target))
        return name;
    QObject *owner = target->parent();
    if (m_lookupRoot && owner == m_lookupRoot)
        return name;
    if (owner && !owner->objectName().isEmpty())
        return owner->objectName() + QLatin1Char('.') + name;
    return name;
}

} // namespace zelmio
