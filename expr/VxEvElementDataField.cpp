#include "expr/VxEvElementDataField.h"

#include "platform/DataSet.h"

namespace zelmio {

TVxEvElementDataField::TVxEvElementDataField(TDataSet *dataSet, int fieldNo, TField *field)
    : FDataSet(dataSet), FFieldNo(fieldNo), FField(field)
{
    if (field)
        m_fieldName = field->FieldName();
}

TVxEvElementDataField::ValueKind TVxEvElementDataField::KindOf(const TField *field)
{
    // Tried in this order; a subclass counts as its base.
    if (qobject_cast<const TWideStringField *>(field))
        return ValueKind::WideText;
    if (qobject_cast<const TStringField *>(field))
        return ValueKind::Text;
    if (qobject_cast<const TIntegerField *>(field) || qobject_cast<const TLargeintField *>(field))
        return ValueKind::Integer;
    if (qobject_cast<const TBCDField *>(field) || qobject_cast<const TFMTBCDField *>(field)
        || qobject_cast<const TFloatField *>(field) || field->DataType() == TFieldType::ftFMTBcd)
        return ValueKind::Float;
    if (qobject_cast<const TBooleanField *>(field))
        return ValueKind::Boolean;
    if (qobject_cast<const TDateField *>(field))
        return ValueKind::Date;
    if (field->DataType() == TFieldType::ftTimeStamp)
        return ValueKind::TimeStamp;
    if (qobject_cast<const TTimeField *>(field))
        return ValueKind::Time;
    if (qobject_cast<const TDateTimeField *>(field))
        return ValueKind::DateTime;
    return ValueKind::Unknown;
}

TField *TVxEvElementDataField::currentField()
{
    TDataSet *dataSet = FDataSet.data();
    if (!dataSet)
        return nullptr;
    // Automatic fields may have been rebuilt since compilation (the record
    // set reopened): fetch the field again by its position.
    if (dataSet->DefaultFields()) {
        const auto &fields = dataSet->Fields();
        if (FFieldNo < 0 || size_t(FFieldNo) >= fields.size())
            return nullptr;
        TField *field = fields[size_t(FFieldNo)];
        if (field != FField.data()) {
            FField = field;
            m_classified = nullptr;
        }
        return field;
    }
    return FField.data();
}

TVxEvResult TVxEvElementDataField::Value(TVxFiFo &)
{
    TField *field = currentField();
    if (!field)
        return TVxEvResult::Error(QStringLiteral("Field '%1' not found").arg(m_fieldName));
    if (field != m_classified) {
        m_kind = KindOf(field);
        m_classified = field;
        m_fieldName = field->FieldName();
    }

    try {
        switch (m_kind) {
        case ValueKind::WideText: return TVxEvResult::String(field->AsWideString());
        case ValueKind::Text: return TVxEvResult::String(field->AsString());
        case ValueKind::Integer: return TVxEvResult::Int(field->AsInteger());
        case ValueKind::Float: return TVxEvResult::Double(field->AsFloat());
        case ValueKind::Boolean: return TVxEvResult::Bool(field->AsBoolean());
        // The value's own text, not its display text: the field's display
        // format plays no part.
        case ValueKind::Date:
            return TVxEvResult::String(field->IsNull() ? QString() : DateToStr(field->AsDateTime()));
        case ValueKind::Time:
            return TVxEvResult::String(field->IsNull() ? QString() : TimeToStr(field->AsDateTime()));
        case ValueKind::DateTime:
            return TVxEvResult::String(field->IsNull() ? QString()
                                                       : DateTimeToStr(field->AsDateTime()));
        case ValueKind::TimeStamp: return TVxEvResult::String(field->AsString());
        case ValueKind::Unknown:
            return TVxEvResult::Error(
                QStringLiteral("Field %1 is of unknown type").arg(field->FieldName()));
        }
    } catch (const EDatabaseError &e) {
        // A value the record set cannot convert (a large integer beyond 32
        // bits) is an expression error, not a failure of the report.
        return TVxEvResult::Error(e.message());
    } catch (const EConvertError &e) {
        return TVxEvResult::Error(e.message());
    }
    return TVxEvResult::Error();
}

} // namespace zelmio
