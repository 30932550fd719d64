#include "model/VxDBText.h"

#include "platform/Formats.h"

#include <QRegularExpression>

namespace zelmio {

namespace {

QString FormatNumber(const QString &mask, double value)
{
    // A "%m" mask is a money format string, anything else a float mask.
    if (mask.contains(QLatin1String("%m")))
        return FormatString(mask, {QVariant(value)});
    return FormatFloat(mask, value);
}

} // namespace

TVxDBText::TVxDBText(TComponent *owner)
    : TVxCustomLabel(owner)
{
}

void TVxDBText::SetDataSet(TDataSet *dataSet)
{
    m_dataSet = dataSet;
    m_field = nullptr;
    m_fieldOK = false;
}

void TVxDBText::SetDataField(const QString &field)
{
    m_dataField = field;
    m_field = nullptr;
    m_fieldOK = false;
    if (!IsPrinting() && !IsLoading())
        SetCaption(field.isEmpty() ? Name() : field);
}

void TVxDBText::NameChanged(const QString &oldName, const QString &newName)
{
    if (m_dataField.isEmpty())
        TVxCustomLabel::NameChanged(oldName, newName);
}

void TVxDBText::Prepare()
{
    TVxCustomLabel::Prepare();
    m_field = nullptr;
    m_fieldNo = -1;
    m_fieldOK = false;
    m_isMemo = false;
    if (m_dataSet && !m_dataField.isEmpty()) {
        m_field = m_dataSet->FindField(m_dataField);
        if (m_field) {
            m_fieldOK = true;
            m_fieldNo = m_field->Index();
            m_isMemo = qobject_cast<TBlobField *>(m_field.data()) != nullptr;
        }
    }
}

void TVxDBText::UnPrepare()
{
    TVxCustomLabel::UnPrepare();
    m_isMemo = false;
    SetCaption(m_dataField.isEmpty() ? Name() : m_dataField);
}

TField *TVxDBText::CurrentField() const
{
    // Automatic fields may be rebuilt while the record set is open: the
    // field is taken again by its position.
    if (m_fieldOK && m_dataSet && m_dataSet->DefaultFields() && m_fieldNo >= 0
        && m_fieldNo < m_dataSet->FieldCount())
        return m_dataSet->Fields()[size_t(m_fieldNo)];
    return m_field;
}

QString TVxDBText::FieldText()
{
    TField *field = CurrentField();
    if (!field)
        return QString();
    try {
        if (qobject_cast<TBlobField *>(field))
            return field->AsString();
        if (m_mask.isEmpty() || qobject_cast<TStringField *>(field))
            return field->DisplayText();
        if (qobject_cast<TIntegerField *>(field))
            return FormatFloat(m_mask, field->AsInteger());
        if (qobject_cast<TLargeintField *>(field))
            return FormatFloat(m_mask, double(field->AsLargeInt()));
        if (qobject_cast<TBCDField *>(field) || qobject_cast<TFMTBCDField *>(field)
            || qobject_cast<TFloatField *>(field))
            return FormatNumber(m_mask, field->AsFloat());
        if (qobject_cast<TDateTimeField *>(field) || qobject_cast<TSQLTimeStampField *>(field))
            return FormatDateTime(m_mask, field->AsDateTime());
        return field->DisplayText();
    } catch (...) {
        // A field that cannot be read or formatted prints nothing.
        return QString();
    }
}

void TVxDBText::GetFieldString(QString &dataStr)
{
    dataStr = FieldText();
    if (m_isMemo) {
        static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
        QStringList lines = dataStr.split(lineBreak);
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        SetLines(lines);
    } else {
        SetPrintCaption(dataStr);
    }
}

void TVxDBText::Print(long double ofsX, long double ofsY)
{
    if (!IsEnabled())
        return;
    if (!IsPrinting())
        Prepare();
    QString text;
    GetFieldString(text);
    TVxCustomLabel::Print(ofsX, ofsY);
}

void TVxDBText::Loaded()
{
    TVxCustomLabel::Loaded();
    if (m_dataSet || m_dataSourceName.isEmpty())
        return;
    // Older templates name a data source; its record set is the one meant.
    for (TComponent *owner = Owner(); owner; owner = owner->Owner()) {
        QObject *named = owner->FindOwnedObject(m_dataSourceName);
        if (!named)
            continue;
        if (auto *dataSet = qobject_cast<TDataSet *>(named)) {
            SetDataSet(dataSet);
            return;
        }
        const QVariant value = named->property("DataSet");
        if (auto *dataSet = qobject_cast<TDataSet *>(value.value<QObject *>())) {
            SetDataSet(dataSet);
            return;
        }
    }
}

} // namespace zelmio
