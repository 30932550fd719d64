#pragma once
// A small in-memory record set for the expression tests: fields of the real
// field classes over rows of QVariant values (an invalid QVariant is null).

#include "platform/DataSet.h"
#include "platform/Formats.h"

#include <QVariant>
#include <vector>

namespace zelmio::test {

class MemoryDataSet;

template <class Base>
class MemoryField : public Base {
public:
    MemoryField(MemoryDataSet *dataSet, const QString &name, int index, TFieldType type);

    bool IsNull() const override { return !current().isValid(); }
    int AsInteger() const override { return current().toInt(); }
    qint64 AsLargeInt() const override { return current().toLongLong(); }
    double AsFloat() const override { return current().toDouble(); }
    bool AsBoolean() const override { return current().toBool(); }
    QString AsString() const override { return current().toString(); }
    QString AsWideString() const override { return current().toString(); }
    TDateTime AsDateTime() const override { return current().toDouble(); }
    QString DisplayText() const override { return current().toString(); }

private:
    QVariant current() const;
    MemoryDataSet *m_memory;
};

class MemoryDataSet : public TDataSet {
public:
    explicit MemoryDataSet(const QString &name) { setObjectName(name); }

    template <class FieldClass>
    void addField(const QString &name, TFieldType type)
    {
        auto *field = new MemoryField<FieldClass>(this, name, int(m_fields.size()), type);
        field->setParent(this);
        m_fields.push_back(field);
    }
    void addRow(std::vector<QVariant> row) { m_rows.push_back(std::move(row)); }
    void setRow(int index, std::vector<QVariant> row) { m_rows[size_t(index)] = std::move(row); }
    // Drops the fields and builds new objects of the same layout, as a
    // record set does when it is reopened.
    void rebuildFields()
    {
        std::vector<TField *> old = m_fields;
        m_fields.clear();
        for (TField *f : old) {
            if (qobject_cast<TFloatField *>(f))
                addField<TFloatField>(f->FieldName(), f->DataType());
            else if (qobject_cast<TIntegerField *>(f))
                addField<TIntegerField>(f->FieldName(), f->DataType());
            else
                addField<TStringField>(f->FieldName(), f->DataType());
            delete f;
        }
    }
    void setDefaultFields(bool on) { m_defaultFields = on; }

    QVariant value(int field) const
    {
        if (m_current < 0 || size_t(m_current) >= m_rows.size())
            return QVariant();
        const auto &row = m_rows[size_t(m_current)];
        return size_t(field) < row.size() ? row[size_t(field)] : QVariant();
    }

    void Open() override { m_active = true; }
    void Close() override { m_active = false; }
    bool Active() const override { return m_active; }
    void First() override { m_current = 0; }
    void Next() override
    {
        if (size_t(m_current) < m_rows.size())
            ++m_current;
    }
    void Prior() override
    {
        if (m_current > 0)
            --m_current;
    }
    bool Eof() const override { return size_t(m_current) >= m_rows.size(); }
    bool Bof() const override { return m_current == 0; }
    int RecordCount() const override { return int(m_rows.size()); }
    int RecNo() const override { return m_rows.empty() ? 0 : m_current + 1; }
    void SetRecNo(int recNo) override { m_current = recNo - 1; }

private:
    std::vector<std::vector<QVariant>> m_rows;
    int m_current = 0;
    bool m_active = true;
};

template <class Base>
MemoryField<Base>::MemoryField(MemoryDataSet *dataSet, const QString &name, int index, TFieldType type)
    : Base(dataSet, name, index, type, 0, false), m_memory(dataSet)
{
}

template <class Base>
QVariant MemoryField<Base>::current() const
{
    return m_memory->value(this->Index());
}

} // namespace zelmio::test
