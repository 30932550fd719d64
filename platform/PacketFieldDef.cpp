#include "platform/PacketFieldDef.h"

namespace zelmio {

TPacketFieldDef TPacketFieldDef::fromMetadata(const QString &name, const QString &fieldType,
                                              const QString &subtype, int width, int decimals,
                                              bool required)
{
    using C = TPacketFieldClass;
    using S = TPacketValueSyntax;
    using St = TPacketStorage;
    using F = TFieldType;

    TPacketFieldDef d;
    d.name = name;
    d.nameUtf8 = name.toStdString();
    d.packetType = fieldType;
    d.subtype = subtype;
    d.required = required;

    auto set = [&d](C cls, F type, S syntax, St storage, int size) {
        d.fieldClass = cls;
        d.dataType = type;
        d.syntax = syntax;
        d.storage = storage;
        d.size = size;
    };
    const QString t = fieldType.trimmed().toLower();
    const QString sub = subtype.trimmed().toLower();
    const bool fixedChar = sub == QLatin1String("fixedchar");

    if (t == QLatin1String("i1"))
        set(C::Smallint, F::ftSmallint, S::Int8, St::Int32, 0);
    else if (t == QLatin1String("ui1"))
        set(C::Smallint, F::ftSmallint, S::UInt8, St::Int32, 0);
    else if (t == QLatin1String("i2"))
        set(C::Smallint, F::ftSmallint, S::Int16, St::Int32, 0);
    else if (t == QLatin1String("ui2"))
        set(C::Word, F::ftWord, S::UInt16, St::Int32, 0);
    else if (t == QLatin1String("i4"))
        set(C::Integer, F::ftInteger, S::Int32, St::Int32, 0);
    else if (t == QLatin1String("ui4"))
        set(C::Integer, F::ftInteger, S::UInt32, St::Int64, 0);
    else if (t == QLatin1String("i8"))
        set(C::Largeint, F::ftLargeint, S::Int64, St::Int64, 0);
    else if (t == QLatin1String("r8") || t == QLatin1String("r4")) {
        if (sub == QLatin1String("money"))
            set(C::Currency, F::ftCurrency, S::Float, St::Float, 0);
        else
            set(C::Float, F::ftFloat, S::Float, St::Float, 0);
    } else if (t == QLatin1String("fixed") || t == QLatin1String("fixedfmt"))
        set(C::BCD, F::ftBCD, S::Float, St::Float, decimals);
    else if (t == QLatin1String("boolean"))
        set(C::Boolean, F::ftBoolean, S::Boolean, St::Boolean, 0);
    else if (t == QLatin1String("date"))
        set(C::Date, F::ftDate, S::Date, St::DateTime, 0);
    else if (t == QLatin1String("time"))
        set(C::Time, F::ftTime, S::Time, St::DateTime, 0);
    else if (t == QLatin1String("datetime") || t == QLatin1String("sqldatetime"))
        set(C::DateTime, F::ftDateTime, S::DateTime, St::DateTime, 0);
    else if (t == QLatin1String("string")) {
        set(C::String, fixedChar ? F::ftFixedChar : F::ftString, S::Text, St::Text, width);
        d.fixedLength = fixedChar ? width : 0;
    } else if (t == QLatin1String("string.uni")) {
        // WIDTH counts bytes, two per character.
        const int chars = (width + 1) / 2;
        set(C::WideString, fixedChar ? F::ftFixedWideChar : F::ftWideString, S::Text, St::Text, chars);
        d.fixedLength = fixedChar ? chars : 0;
    } else if (t == QLatin1String("bin.hex")) {
        if (sub == QLatin1String("graphics"))
            set(C::Graphic, F::ftGraphic, S::Base64, St::Bytes, width);
        else if (sub == QLatin1String("text"))
            set(C::Memo, F::ftMemo, S::Base64, St::Bytes, width);
        else if (sub == QLatin1String("formatted"))
            set(C::Memo, F::ftFmtMemo, S::Base64, St::Bytes, width);
        else if (sub == QLatin1String("widetext"))
            set(C::WideMemo, F::ftWideMemo, S::Base64, St::Bytes, width);
        else if (sub == QLatin1String("typedbinary"))
            set(C::Blob, F::ftTypedBinary, S::Base64, St::Bytes, width);
        else
            set(C::Blob, F::ftBlob, S::Base64, St::Bytes, width);
    } else {
        // An exotic column should not make the whole packet unreadable.
        set(C::WideString, F::ftWideString, S::Text, St::Text, width > 0 ? width : 0);
    }
    return d;
}

} // namespace zelmio
