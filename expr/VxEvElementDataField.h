#pragma once
// Reads a field of the current record. The kind of value follows the field's
// class; dates and times arrive as text in the locale's formats.

#include "expr/VxEvElement.h"
#include "platform/DataSet.h"

#include <QPointer>

namespace zelmio {

class TVxEvElementDataField : public TVxEvElement {
public:
    TVxEvElementDataField(TDataSet *dataSet, int fieldNo, TField *field);
    TVxEvResult Value(TVxFiFo &fifo) override;

    TDataSet *DataSet() const { return FDataSet.data(); }
    int FieldNo() const { return FFieldNo; }
    TField *Field() const { return FField.data(); }

    // How a field's value becomes an expression value.
    enum class ValueKind {
        WideText, Text, Integer, Float, Boolean, Date, Time, DateTime, TimeStamp, Unknown
    };
    static ValueKind KindOf(const TField *field);

private:
    TField *currentField();

    QPointer<TDataSet> FDataSet;
    int FFieldNo;
    QPointer<TField> FField;
    // Classified once per field object, not per evaluation.
    const TField *m_classified = nullptr;
    ValueKind m_kind = ValueKind::Unknown;
    QString m_fieldName;
};

} // namespace zelmio
