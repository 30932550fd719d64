// Properties, fonts and colours of report elements.
#include "designer/ExtendedFunctionsSupport.h"

#include "model/PropertyAccess.h"
#include "model/VxFont.h"
#include "model/VxPrintable.h"
#include "model/VxShape.h"
#include "platform/DataSet.h"
#include "storage/PropertyAddons.h"

#include <limits>

namespace zelmio::vxext {

namespace {

// The element and its property, for the property functions; for the
// setters (dataModules) the data modules are searched as well and an
// element whose add-on "BlockEdit" is set is refused.
struct TElementProperty {
    QObject *element = nullptr;
    TPropertyTarget target;
    TPropertyAddons *addons = nullptr;

    bool Valid() const { return element && target.object && target.property.IsValid(); }
    TPropertyKind Kind() const { return target.property.kind; }
    bool Writable() const { return Valid() && target.property.meta.isWritable(); }
};

bool AddonSet(TPropertyAddons *addons, QObject *element, const QString &name)
{
    const auto *component = qobject_cast<TComponent *>(element);
    return addons && component && addons->GetBoolProp(component, name);
}

TElementProperty ElementProperty(const QString &element, const QString &property, bool setter)
{
    TElementProperty result;
    result.element = FindElement(element, setter, &result.addons);
    if (!result.element || property.isEmpty())
        return result;
    if (setter && AddonSet(result.addons, result.element, QStringLiteral("BlockEdit"))) {
        result.element = nullptr;
        return result;
    }
    result.target = ResolveProperty(result.element, property);
    return result;
}

bool IsOrdinal(TPropertyKind kind)
{
    return kind == TPropertyKind::Boolean || kind == TPropertyKind::Integer || kind == TPropertyKind::Enumeration
        || kind == TPropertyKind::Set || kind == TPropertyKind::Color;
}

class TVxEvElementExistsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("S"))
            return TVxEvResult::Error();
        return TVxEvResult::Bool(FindElement(Text(0)) != nullptr);
    }
};

class TVxEvPropExistsFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS"))
            return TVxEvResult::Error();
        QObject *element = FindElement(Text(0));
        if (!element)
            return TVxEvResult::Error();
        return TVxEvResult::Bool(!Text(1).isEmpty() && PropertyExists(element, Text(1)));
    }
};

class TVxEvSetBoolPropFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSB"))
            return TVxEvResult::Error();
        // The designer's block flags are not for templates to change.
        static const QStringList refused{QStringLiteral("BLOCKEDIT"), QStringLiteral("BLOCKCHANGE"),
                                         QStringLiteral("BLOCKDELETE"), QStringLiteral("BLOCKMOVE")};
        if (refused.contains(Text(1).toUpper()))
            return TVxEvResult::Error();
        const TElementProperty p = ElementProperty(Text(0), Text(1), true);
        if (!p.Writable() || p.Kind() != TPropertyKind::Boolean)
            return TVxEvResult::Error();
        SetBooleanProperty(p.element, Text(1), Bool(2));
        return TVxEvResult::Bool(Bool(2));
    }
};

class TVxEvSetIntPropFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSI"))
            return TVxEvResult::Error();
        const TElementProperty p = ElementProperty(Text(0), Text(1), true);
        if (!p.Writable() || !IsOrdinal(p.Kind()))
            return TVxEvResult::Error();
        CheckPropertyRange(p.target.object->metaObject(), p.target.property, Int(2));   // EVxError outside
        SetIntegerProperty(p.element, Text(1), Int(2));
        return TVxEvResult::Int(Int(2));
    }
};

class TVxEvSetFloatPropFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSF"))
            return TVxEvResult::Error();
        const TElementProperty p = ElementProperty(Text(0), Text(1), true);
        if (!p.Writable() || p.Kind() != TPropertyKind::Float)
            return TVxEvResult::Error();
        CheckPropertyRange(p.target.object->metaObject(), p.target.property, Arg(2).dblResult);
        SetFloatProperty(p.element, Text(1), Arg(2).dblResult);
        return TVxEvResult::Double(Arg(2).dblResult);
    }
};

class TVxEvSetStrPropFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SSS"))
            return TVxEvResult::Error();
        const TElementProperty p = ElementProperty(Text(0), Text(1), true);
        if (!p.Writable())
            return TVxEvResult::Error();
        const QString name = Text(1).toUpper();
        if (name == QLatin1String("DATAFIELD") && AddonSet(p.addons, p.element, QStringLiteral("BlockChange")))
            return TVxEvResult::Error();
        const QString &value = Text(2);
        const bool listName = name == QLatin1String("LINES") || name == QLatin1String("STRINGS")
                           || name == QLatin1String("ITEMS");
        if (listName && p.Kind() == TPropertyKind::StringList) {
            // The whole text: one entry per line, a final line break ends the last.
            QString text = value;
            text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
            if (text.endsWith(u'\n'))
                text.chop(1);
            const QStringList lines = value.isEmpty() ? QStringList() : text.split(u'\n');
            p.target.property.meta.write(p.target.object, QVariant(lines));
        } else if (p.Kind() == TPropertyKind::String) {
            SetStringProperty(p.element, Text(1), value);
        } else {
            return TVxEvResult::Error();
        }
        return TVxEvResult::String(value);
    }
};

enum class TPropKind { Bool, Int, Float, Str };

template <TPropKind Kind>
class TVxEvGetPropFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SS"))
            return TVxEvResult::Error();
        const TElementProperty p = ElementProperty(Text(0), Text(1), false);
        if (!p.Valid())
            return TVxEvResult::Error();
        const TPropertyKind kind = p.Kind();
        switch (Kind) {
        case TPropKind::Bool:
            if (kind != TPropertyKind::Boolean)
                break;
            return TVxEvResult::Bool(GetBooleanProperty(p.element, Text(1)));
        case TPropKind::Int: {
            if (!IsOrdinal(kind))
                break;
            const qint64 value = GetIntegerProperty(p.element, Text(1));
            if (value < std::numeric_limits<qint32>::min() || value > std::numeric_limits<qint32>::max())
                break;
            return TVxEvResult::Int(qint32(value));
        }
        case TPropKind::Float:
            if (kind == TPropertyKind::Float)
                return TVxEvResult::Double(double(GetFloatProperty(p.element, Text(1))));
            if (kind == TPropertyKind::Integer)
                return TVxEvResult::Double(double(GetIntegerProperty(p.element, Text(1))));
            break;
        case TPropKind::Str:
            if (kind == TPropertyKind::String)
                return TVxEvResult::String(GetStringProperty(p.element, Text(1)));
            if (kind == TPropertyKind::StringList)
                return TVxEvResult::String(
                    p.target.property.meta.read(p.target.object).toStringList().join(QLatin1String("\r\n")));
            break;
        }
        return TVxEvResult::Error();
    }
};

class TVxEvSetColorFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        if (!HasArgs("SI"))
            return TVxEvResult::Error();
        QObject *element = FindElement(Text(0));
        if (!element || qobject_cast<TDataSet *>(element))
            return TVxEvResult::Error();
        if (auto *shape = qobject_cast<TVxShape *>(element)) {
            shape->Brush()->SetColor(TColor(Int(1)));
            return TVxEvResult::Bool(true);
        }
        const TPropertyInfo color = FindPublishedProperty(element->metaObject(), QStringLiteral("Color"));
        if (!color.IsValid() || !color.meta.isWritable()
            || (color.kind != TPropertyKind::Color && color.kind != TPropertyKind::Integer))
            return TVxEvResult::Error();
        SetIntegerProperty(element, QStringLiteral("Color"), Int(1));
        return TVxEvResult::Bool(true);
    }
};

// The font of a printable element; other components have none.
TVxFont *ElementFont(QObject *element)
{
    return qobject_cast<TVxPrintable *>(element) ? GetFontProperty(element) : nullptr;
}

enum class TFontChange { Color, Size, Name, Style };

template <TFontChange Change>
class TVxEvSetFontFunction : public TVxEvExtFunction {
    TVxEvResult Compute() override
    {
        const char *kinds = Change == TFontChange::Name ? "SS" : Change == TFontChange::Style ? "SBBBB" : "SI";
        if (!HasArgs(kinds))
            return TVxEvResult::Error();
        QObject *element = FindElement(Text(0));
        if (!element)
            return TVxEvResult::Error();
        if (Change == TFontChange::Color) {
            if (auto *shape = qobject_cast<TVxShape *>(element)) {
                shape->Pen()->SetColor(TColor(Int(1)));
                return TVxEvResult::Bool(true);
            }
        }
        TVxFont *font = ElementFont(element);
        if (!font)
            return TVxEvResult::Bool(false);
        switch (Change) {
        case TFontChange::Color: font->SetColor(TColor(Int(1))); break;
        case TFontChange::Size: font->SetSize(Int(1)); break;
        case TFontChange::Name: font->SetName(Text(1)); break;
        case TFontChange::Style: {
            TFontStyles style;
            style.setFlag(TFontStyle::fsBold, Bool(1));
            style.setFlag(TFontStyle::fsItalic, Bool(2));
            style.setFlag(TFontStyle::fsUnderline, Bool(3));
            style.setFlag(TFontStyle::fsStrikeOut, Bool(4));
            font->SetStyle(style);
            break;
        }
        }
        return TVxEvResult::Bool(true);
    }
};

} // namespace

void CollectElementFunctions(TExtendedClasses &classes)
{
    auto add = [&classes](const char *name, TVxEvFunctionClass item) { classes.insert(QLatin1String(name), item); };
    add("ELEMENTEXISTS", &VxFunctionClass<TVxEvElementExistsFunction>);
    add("PROPEXISTS", &VxFunctionClass<TVxEvPropExistsFunction>);
    add("SETBOOLPROP", &VxFunctionClass<TVxEvSetBoolPropFunction>);
    add("SETINTPROP", &VxFunctionClass<TVxEvSetIntPropFunction>);
    add("SETFLOATPROP", &VxFunctionClass<TVxEvSetFloatPropFunction>);
    add("SETSTRPROP", &VxFunctionClass<TVxEvSetStrPropFunction>);
    add("GETBOOLPROP", &VxFunctionClass<TVxEvGetPropFunction<TPropKind::Bool>>);
    add("GETINTPROP", &VxFunctionClass<TVxEvGetPropFunction<TPropKind::Int>>);
    add("GETFLOATPROP", &VxFunctionClass<TVxEvGetPropFunction<TPropKind::Float>>);
    add("GETSTRPROP", &VxFunctionClass<TVxEvGetPropFunction<TPropKind::Str>>);
    add("SETCOLOR", &VxFunctionClass<TVxEvSetColorFunction>);
    add("SETFONTCOLOR", &VxFunctionClass<TVxEvSetFontFunction<TFontChange::Color>>);
    add("SETFONTSIZE", &VxFunctionClass<TVxEvSetFontFunction<TFontChange::Size>>);
    add("SETFONT", &VxFunctionClass<TVxEvSetFontFunction<TFontChange::Name>>);
    add("SETFONTSTYLE", &VxFunctionClass<TVxEvSetFontFunction<TFontChange::Style>>);
}

} // namespace zelmio::vxext
