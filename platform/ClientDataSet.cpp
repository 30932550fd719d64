#include "platform/ClientDataSet.h"

#include "platform/CodePage.h"
#include "platform/PacketData.h"
#include "platform/PacketReader.h"

namespace zelmio {

TClientDataSet::TClientDataSet(QObject *owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet()
{
    Close();
}

void TClientDataSet::Open()
{
    if (Active())
        return;
    std::unique_ptr<TPacketData> data;
    if (!m_xmlData.isEmpty()) {
        const QString name = objectName().isEmpty() ? QStringLiteral("(in memory)")
                                                    : QStringLiteral("%1 (in memory)").arg(objectName());
        TPacketReader reader(name);
        data = reader.readBytes(std::string(m_xmlData.constData(), std::size_t(m_xmlData.size())));
    } else {
        if (m_fileName.isEmpty())
            throw EDatabaseError(QStringLiteral("%1: no data file name given").arg(Described()));
        TPacketReader reader(m_fileName);
        data = reader.readFile(m_fileName);
    }
    m_data = std::move(data);
    BuildFields();
    m_row = m_data->recordCount > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_data->recordCount == 0;
}

void TClientDataSet::BuildFields()
{
    for (std::size_t i = 0; i < m_data->fields.size(); ++i) {
        const TPacketFieldDef &d = m_data->fields[i];
        TField *f = nullptr;
        const int index = int(i);
        switch (d.fieldClass) {
        case TPacketFieldClass::String:
            f = new TStringField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::WideString:
            f = new TWideStringField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Smallint:
            f = new TSmallintField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Word:
            f = new TWordField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Integer:
            f = new TIntegerField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Largeint:
            f = new TLargeintField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Float:
            f = new TFloatField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Currency:
            f = new TCurrencyField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::BCD:
            f = new TBCDField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Boolean:
            f = new TBooleanField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Date:
            f = new TDateField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Time:
            f = new TTimeField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::DateTime:
            f = new TDateTimeField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Blob:
            f = new TBlobField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Memo:
            f = new TMemoField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::WideMemo:
            f = new TWideMemoField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        case TPacketFieldClass::Graphic:
            f = new TGraphicField(this, d.name, index, d.dataType, d.size, d.required);
            break;
        }
        f->BindColumn(m_data->columns[i].get(), &m_row, m_data->textCodePage);
        m_fields.push_back(f);
    }
    m_defaultFields = true;
    IndexFields();
}

void TClientDataSet::Close()
{
    if (!Active())
        return;
    std::vector<TField *> fields;
    fields.swap(m_fields);
    IndexFields();
    for (TField *f : fields)
        delete f;
    m_data.reset();
    m_row = -1;
    m_eof = true;
    m_bof = true;
}

QString TClientDataSet::Described() const
{
    return objectName().isEmpty() ? QStringLiteral("Record set")
                                  : QStringLiteral("Record set '%1'").arg(objectName());
}

void TClientDataSet::CheckActive() const
{
    if (!Active())
        throw EDatabaseError(QStringLiteral("%1 is closed").arg(Described()));
}

void TClientDataSet::First()
{
    CheckActive();
    m_row = m_data->recordCount > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_data->recordCount == 0;
}

void TClientDataSet::Next()
{
    CheckActive();
    if (m_row + 1 < m_data->recordCount) {
        ++m_row;
        m_eof = false;
    } else {
        m_eof = true;   // stays on the last record
    }
    m_bof = false;
}

void TClientDataSet::Prior()
{
    CheckActive();
    if (m_row > 0) {
        --m_row;
        m_bof = false;
    } else {
        m_bof = true;
    }
    m_eof = m_data->recordCount == 0;
}

void TClientDataSet::Last()
{
    CheckActive();
    m_row = m_data->recordCount - 1;
    m_eof = true;
    m_bof = m_data->recordCount == 0;
}

int TClientDataSet::RecordCount() const
{
    return Active() ? m_data->recordCount : 0;
}

int TClientDataSet::RecNo() const
{
    return Active() ? m_row + 1 : 0;
}

void TClientDataSet::SetRecNo(int recNo)
{
    CheckActive();
    if (recNo < 1 || recNo > m_data->recordCount)
        throw EDatabaseError(QStringLiteral("%1: record %2 does not exist (%3 records)")
                                 .arg(Described())
                                 .arg(recNo)
                                 .arg(m_data->recordCount));
    m_row = recNo - 1;
    m_eof = false;
    m_bof = false;
}

QString TClientDataSet::Encoding() const
{
    return Active() ? m_data->encodingName : QString();
}

int TClientDataSet::CodePage() const
{
    return Active() && m_data->textCodePage ? m_data->textCodePage->number() : 0;
}

} // namespace zelmio
