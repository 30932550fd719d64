#pragma once
// Helpers for the model tests: a small writer that turns an object's stored
// properties into "Path = value" lines the way the template writer will (it
// uses only the generic property tables), and a reader that feeds values
// back into defined properties.

#include "model/PropertyAccess.h"
#include "model/PropertyFiler.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace zelmio::test {

// Collects the values one defined property writes, as text.
class TextValueWriter : public TPropertyWriter {
public:
    QStringList values;
    void WriteListBegin() override {}
    void WriteListEnd() override {}
    void WriteFloat(long double value) override { values.append(QString::number(double(value), 'f', 6)); }
    void WriteInteger(qint64 value) override { values.append(QString::number(value)); }
    void WriteString(const QString &value) override { values.append(QLatin1Char('\'') + value + QLatin1Char('\'')); }
    void WriteIdent(const QString &ident) override { values.append(ident); }
    void WriteBoolean(bool value) override { values.append(value ? QStringLiteral("True") : QStringLiteral("False")); }
};

// Feeds a list of values to a defined property's reading side.
class ListValueReader : public TPropertyReader {
public:
    explicit ListValueReader(QList<QVariant> values) : m_values(std::move(values)) {}
    void ReadListBegin() override {}
    bool EndOfList() override { return m_index >= m_values.size(); }
    void ReadListEnd() override {}
    long double ReadFloat() override { return m_values.at(m_index++).toDouble(); }
    qint64 ReadInteger() override { return m_values.at(m_index++).toLongLong(); }
    QString ReadString() override { return m_values.at(m_index++).toString(); }
    QString ReadIdent() override { return m_values.at(m_index++).toString(); }
    bool ReadBoolean() override { return m_values.at(m_index++).toBool(); }

private:
    QList<QVariant> m_values;
    int m_index = 0;
};

struct DefinedProperty {
    QString name;
    TPropertyFiler::ReadFunction read;
    TPropertyFiler::WriteFunction write;
    bool hasData = false;
};

class CollectingFiler : public TPropertyFiler {
public:
    std::vector<DefinedProperty> properties;
    void DefineProperty(const QString &name, const ReadFunction &read, const WriteFunction &write,
                        bool hasData) override
    {
        properties.push_back({name, read, write, hasData});
    }
    void DefineBinaryProperty(const QString &name, const ReadBinaryFunction &, const WriteBinaryFunction &,
                              bool hasData) override
    {
        properties.push_back({name, nullptr, nullptr, hasData});
    }
    const DefinedProperty *Find(const QString &name) const
    {
        for (const DefinedProperty &p : properties) {
            if (p.name == name)
                return &p;
        }
        return nullptr;
    }
};

QString ValueText(const QObject *object, const TPropertyInfo &property);
// "Path = value" for every stored property, sub-objects with dotted paths,
// defined properties after the declared ones.
QStringList StoredLines(QObject *object, const QString &prefix = QString());
QStringList PropertyNames(const QMetaObject *metaObject);

} // namespace zelmio::test
