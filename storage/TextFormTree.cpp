#include "storage/TextFormTree.h"

namespace zelmio {

TTextCollectionItem::TTextCollectionItem() = default;
TTextCollectionItem::~TTextCollectionItem() = default;
TTextCollectionItem::TTextCollectionItem(const TTextCollectionItem &) = default;
TTextCollectionItem::TTextCollectionItem(TTextCollectionItem &&) noexcept = default;
TTextCollectionItem &TTextCollectionItem::operator=(const TTextCollectionItem &) = default;
TTextCollectionItem &TTextCollectionItem::operator=(TTextCollectionItem &&) noexcept = default;

TTextValue::TTextValue() = default;
TTextValue::~TTextValue() = default;
TTextValue::TTextValue(const TTextValue &) = default;
TTextValue::TTextValue(TTextValue &&) noexcept = default;
TTextValue &TTextValue::operator=(const TTextValue &) = default;
TTextValue &TTextValue::operator=(TTextValue &&) noexcept = default;

TTextValue TTextValue::MakeInteger(qint64 value)
{
    TTextValue v;
    v.kind = TTextValueKind::Integer;
    v.integer = value;
    return v;
}

TTextValue TTextValue::MakeExtended(long double value)
{
    TTextValue v;
    v.kind = TTextValueKind::Extended;
    v.number = value;
    return v;
}

TTextValue TTextValue::MakeSingle(float value)
{
    TTextValue v;
    v.kind = TTextValueKind::Single;
    v.number = value;
    return v;
}

TTextValue TTextValue::MakeIdent(const QString &ident)
{
    TTextValue v;
    v.kind = TTextValueKind::Ident;
    v.text = ident;
    return v;
}

TTextValue TTextValue::MakeString(const QString &text)
{
    TTextValue v;
    v.kind = TTextValueKind::String;
    v.text = text;
    return v;
}

TTextValue TTextValue::MakeSet(const QStringList &members)
{
    TTextValue v;
    v.kind = TTextValueKind::Set;
    v.members = members;
    return v;
}

TTextValue TTextValue::MakeList(std::vector<TTextValue> values)
{
    TTextValue v;
    v.kind = TTextValueKind::List;
    v.list = std::move(values);
    return v;
}

TTextValue TTextValue::MakeBinary(const QByteArray &bytes)
{
    TTextValue v;
    v.kind = TTextValueKind::Binary;
    v.bytes = bytes;
    return v;
}

bool TTextValue::IsNumber() const
{
    switch (kind) {
    case TTextValueKind::Integer:
    case TTextValueKind::Extended:
    case TTextValueKind::Single:
    case TTextValueKind::Currency:
    case TTextValueKind::Date:
        return true;
    case TTextValueKind::Ident:
    case TTextValueKind::String:
    case TTextValueKind::Set:
    case TTextValueKind::List:
    case TTextValueKind::Collection:
    case TTextValueKind::Binary:
        return false;
    }
    return false;
}

long double TTextValue::AsFloat() const
{
    return kind == TTextValueKind::Integer ? (long double)integer : number;
}

int TTextObject::ObjectCount() const
{
    int count = 1;
    for (const TTextObject &child : children)
        count += child.ObjectCount();
    return count;
}

} // namespace zelmio
