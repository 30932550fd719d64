#include "model/VxDBRichText.h"

namespace zelmio {

TVxDBRichText::TVxDBRichText(TComponent *owner)
    : TVxCustomRichText(owner)
{
}

void TVxDBRichText::SetDataSet(TDataSet *dataSet)
{
    m_dataSet = dataSet;
    m_field = nullptr;
}

void TVxDBRichText::SetDataField(const QString &field)
{
    m_dataField = field;
    m_field = nullptr;
}

void TVxDBRichText::Prepare()
{
    TVxCustomRichText::Prepare();
    m_field = m_dataSet && !m_dataField.isEmpty() ? m_dataSet->FindField(m_dataField) : nullptr;
}

void TVxDBRichText::LoadContent()
{
    if (!m_field && m_dataSet && !m_dataField.isEmpty())
        m_field = m_dataSet->FindField(m_dataField);
    if (!m_field) {
        LoadRichText(QByteArray());
        return;
    }
    try {
        if (qobject_cast<TBlobField *>(m_field.data()) && !qobject_cast<TMemoField *>(m_field.data())) {
            LoadRichText(m_field->AsBytes());
        } else if (qobject_cast<TMemoField *>(m_field.data()) || qobject_cast<TStringField *>(m_field.data())) {
            LoadRichText(m_field->AsString());
        } else {
            LoadRichText(QByteArray());
        }
    } catch (const std::exception &error) {
        // A value that cannot be read prints nothing.
        LoadRichText(QByteArray());
        SetLoadError(QString::fromUtf8(error.what()));
    }
}

} // namespace zelmio
