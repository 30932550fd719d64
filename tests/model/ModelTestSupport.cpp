#include "ModelTestSupport.h"

#include "model/Component.h"
#include "model/Hook.h"
#include "model/VxColor.h"

namespace zelmio::test {

QString ValueText(const QObject *object, const TPropertyInfo &property)
{
    const QString name = property.Name();
    switch (property.kind) {
    case TPropertyKind::Boolean:
        return GetBooleanProperty(object, name) ? QStringLiteral("True") : QStringLiteral("False");
    case TPropertyKind::Integer:
        return QString::number(GetIntegerProperty(object, name));
    case TPropertyKind::Enumeration:
    case TPropertyKind::Set: {
        const qint64 value = GetIntegerProperty(object, name);
        const QString text = EnumValueName(property, value);
        return text.isEmpty() ? QString::number(value) : text;
    }
    case TPropertyKind::Color: {
        const auto color = TColor(GetIntegerProperty(object, name));
        const QString ident = ColorToIdent(color);
        return ident.isEmpty() ? QString::number(qint32(color)) : ident;
    }
    case TPropertyKind::Float:
        return QString::number(double(GetFloatProperty(object, name)), 'f', 6);
    case TPropertyKind::String:
        return QLatin1Char('\'') + GetStringProperty(object, name) + QLatin1Char('\'');
    case TPropertyKind::StringList:
        return QLatin1Char('(') + property.meta.read(object).toStringList().join(QLatin1String(", "))
            + QLatin1Char(')');
    case TPropertyKind::Reference: {
        const QObject *target = GetPointerProperty(object, name);
        return target ? target->objectName() : QString();
    }
    case TPropertyKind::Hook:
        return QStringLiteral("<hook>");
    case TPropertyKind::SubObject:
    case TPropertyKind::Other:
        return QString();
    }
    return QString();
}

QStringList StoredLines(QObject *object, const QString &prefix)
{
    QStringList lines;
    for (const TPropertyInfo &property : PublishedProperties(object)) {
        if (!IsPropertyStored(object, property))
            continue;
        const QString path = prefix + property.Name();
        if (property.kind == TPropertyKind::SubObject) {
            if (QObject *sub = GetPointerProperty(object, property.Name()))
                lines += StoredLines(sub, path + QLatin1Char('.'));
            continue;
        }
        lines.append(path + QStringLiteral(" = ") + ValueText(object, property));
    }
    CollectingFiler filer;
    DefineObjectProperties(object, filer);
    for (const DefinedProperty &defined : filer.properties) {
        if (!defined.hasData || !defined.write)
            continue;
        TextValueWriter writer;
        defined.write(writer);
        lines.append(prefix + defined.name + QStringLiteral(" = (") + writer.values.join(QLatin1String(", "))
                     + QLatin1Char(')'));
    }
    return lines;
}

QStringList PropertyNames(const QMetaObject *metaObject)
{
    QStringList names;
    for (const TPropertyInfo &property : PublishedProperties(metaObject))
        names.append(property.Name());
    return names;
}

} // namespace zelmio::test
