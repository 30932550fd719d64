#pragma once
// Rich text from a record set field: a memo, blob or non-empty string
// field's value is loaded as rich text before each print. A value that
// cannot be read or is broken rich text prints nothing.

#include "model/VxCustomRichText.h"
#include "platform/DataSet.h"

#include <QPointer>

namespace zelmio {

class TVxDBRichText : public TVxCustomRichText {
    Q_OBJECT
    Q_PROPERTY(zelmio::TDataSet *DataSet READ DataSet WRITE SetDataSet)
    Q_PROPERTY(QString DataField READ DataField WRITE SetDataField)
public:
    explicit TVxDBRichText(TComponent *owner = nullptr);

    TDataSet *DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet *dataSet);
    QString DataField() const { return m_dataField; }
    void SetDataField(const QString &field);
    TField *Field() const { return m_field; }

    void Prepare() override;

protected:
    void LoadContent() override;

private:
    QPointer<TDataSet> m_dataSet;
    QString m_dataField;
    QPointer<TField> m_field;
};

} // namespace zelmio
