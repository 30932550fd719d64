#include "platform/DataSet.h"

#include "platform/CodePage.h"
#include "platform/PacketColumn.h"
#include "platform/PacketValues.h"

#include <QBuffer>
#include <QtEndian>
#include <climits>
#include <cmath>

namespace zelmio {

EDatabaseError::EDatabaseError(const QString &message)
    : std::runtime_error(message.toStdString())
{
}

QString FieldTypeName(TFieldType type)
{
    switch (type) {
    case TFieldType::ftUnknown: return QStringLiteral("Unknown");
    case TFieldType::ftString: return QStringLiteral("String");
    case TFieldType::ftSmallint: return QStringLiteral("Smallint");
    case TFieldType::ftInteger: return QStringLiteral("Integer");
    case TFieldType::ftWord: return QStringLiteral("Word");
    case TFieldType::ftBoolean: return QStringLiteral("Boolean");
    case TFieldType::ftFloat: return QStringLiteral("Float");
    case TFieldType::ftCurrency: return QStringLiteral("Currency");
    case TFieldType::ftBCD: return QStringLiteral("BCD");
    case TFieldType::ftDate: return QStringLiteral("Date");
    case TFieldType::ftTime: return QStringLiteral("Time");
    case TFieldType::ftDateTime: return QStringLiteral("DateTime");
    case TFieldType::ftBytes: return QStringLiteral("Bytes");
    case TFieldType::ftVarBytes: return QStringLiteral("VarBytes");
    case TFieldType::ftAutoInc: return QStringLiteral("AutoInc");
    case TFieldType::ftBlob: return QStringLiteral("Blob");
    case TFieldType::ftMemo: return QStringLiteral("Memo");
    case TFieldType::ftGraphic: return QStringLiteral("Graphic");
    case TFieldType::ftFmtMemo: return QStringLiteral("FmtMemo");
    case TFieldType::ftParadoxOle: return QStringLiteral("ParadoxOle");
    case TFieldType::ftDBaseOle: return QStringLiteral("DBaseOle");
    case TFieldType::ftTypedBinary: return QStringLiteral("TypedBinary");
    case TFieldType::ftCursor: return QStringLiteral("Cursor");
    case TFieldType::ftFixedChar: return QStringLiteral("FixedChar");
    case TFieldType::ftWideString: return QStringLiteral("WideString");
    case TFieldType::ftLargeint: return QStringLiteral("Largeint");
    case TFieldType::ftADT: return QStringLiteral("ADT");
    case TFieldType::ftArray: return QStringLiteral("Array");
    case TFieldType::ftReference: return QStringLiteral("Reference");
    case TFieldType::ftDataSet: return QStringLiteral("DataSet");
    case TFieldType::ftOraBlob: return QStringLiteral("OraBlob");
    case TFieldType::ftOraClob: return QStringLiteral("OraClob");
    case TFieldType::ftVariant: return QStringLiteral("Variant");
    case TFieldType::ftInterface: return QStringLiteral("Interface");
    case TFieldType::ftIDispatch: return QStringLiteral("IDispatch");
    case TFieldType::ftGuid: return QStringLiteral("Guid");
    case TFieldType::ftTimeStamp: return QStringLiteral("TimeStamp");
    case TFieldType::ftFMTBcd: return QStringLiteral("FMTBcd");
    case TFieldType::ftFixedWideChar: return QStringLiteral("FixedWideChar");
    case TFieldType::ftWideMemo: return QStringLiteral("WideMemo");
    }
    return QStringLiteral("Unknown");
}

// --- TField ------------------------------------------------------------------

namespace {

QString trimmedText(const QString &s) { return s.trimmed(); }

bool textToInt64(const QString &text, qint64 &value)
{
    const QByteArray utf8 = text.toUtf8();
    std::int64_t v;
    if (!packet::ParseInt64(std::string_view(utf8.constData(), std::size_t(utf8.size())), v))
        return false;
    value = v;
    return true;
}

// A number typed by a person (the locale's decimal separator) or written by
// a program (".").
bool textToFloat(const QString &text, double &value)
{
    const QString t = trimmedText(text);
    if (t.isEmpty())
        return false;
    if (TryStrToFloat(t, value))
        return true;
    const QByteArray utf8 = t.toUtf8();
    return packet::ParseDouble(std::string_view(utf8.constData(), std::size_t(utf8.size())), value);
}

bool textToBoolean(const QString &text, bool &value)
{
    const QString t = trimmedText(text).toUpper();
    if (t == QLatin1String("TRUE") || t == QLatin1String("T") || t == QLatin1String("YES")
        || t == QLatin1String("Y") || t == QLatin1String("1")) {
        value = true;
        return true;
    }
    if (t == QLatin1String("FALSE") || t == QLatin1String("F") || t == QLatin1String("NO")
        || t == QLatin1String("N") || t == QLatin1String("0")) {
        value = false;
        return true;
    }
    return false;
}

bool textToDateTime(const QString &text, double &value)
{
    const QString t = trimmedText(text);
    if (t.isEmpty())
        return false;
    if (TryStrToDateTime(t, value))
        return true;
    const QByteArray utf8 = t.toUtf8();
    return packet::ParseDateTime(std::string_view(utf8.constData(), std::size_t(utf8.size())), value);
}

bool roundToInt64(double v, qint64 &out)
{
    // Halves go to the even neighbour, as the expression language rounds.
    const double r = std::nearbyint(v);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        return false;
    out = qint64(r);
    return true;
}

} // namespace

TField::TField(TDataSet *dataSet, const QString &name, int index, TFieldType type, int size,
               bool required)
    : QObject(dataSet), m_dataSet(dataSet), m_fieldName(name), m_index(index), m_dataType(type),
      m_size(size), m_required(required)
{
}

TField::~TField() = default;

void TField::BindColumn(const TPacketColumn *column, const int *currentRow, const TCodePage *codePage)
{
    m_column = column;
    m_currentRow = currentRow;
    m_codePage = codePage;
    m_textRow = -1;
    m_text.clear();
}

void TField::RaiseConversion(const char *typeName) const
{
    throw EDatabaseError(QStringLiteral("Field '%1' of type %2 cannot be read as %3")
                             .arg(m_fieldName, FieldTypeName(m_dataType), QString::fromLatin1(typeName)));
}

void TField::RaiseInvalid(const QString &text, const char *typeName) const
{
    QString shown = text;
    if (shown.size() > 60)
        shown = shown.left(60) + QStringLiteral("...");
    throw EDatabaseError(QStringLiteral("'%1' is not a valid %2 value for field '%3'")
                             .arg(shown, QString::fromLatin1(typeName), m_fieldName));
}

QString TField::BytesAsText(int row) const
{
    const std::string_view b = m_column->bytesAt(row);
    if (m_dataType == TFieldType::ftWideMemo) {
        QString s(qsizetype(b.size() / 2), Qt::Uninitialized);
        qFromLittleEndian<char16_t>(b.data(), s.size(), s.data());
        return s;
    }
    // 8-bit memo bytes: UTF-8 when they are, else the host's code page.
    if (packet::FindInvalidUtf8(b.data(), b.size()) == std::string_view::npos)
        return QString::fromUtf8(b.data(), qsizetype(b.size()));
    if (m_codePage)
        return m_codePage->decode(QByteArrayView(b.data(), qsizetype(b.size())));
    return QString::fromLatin1(b.data(), qsizetype(b.size()));
}

bool TField::IsNull() const
{
    return !m_column || !m_column->hasValue(CurrentRow());
}

int TField::AsInteger() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return 0;
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return m_column->int32At(row);
    case TPacketStorage::Boolean:
        return m_column->boolAt(row) ? 1 : 0;
    case TPacketStorage::DateTime:
    case TPacketStorage::Bytes:
        RaiseConversion("an integer");
    case TPacketStorage::Int64:
    case TPacketStorage::Float:
    case TPacketStorage::Text:
        break;
    }
    const qint64 v = AsLargeInt();
    if (v < INT_MIN || v > INT_MAX)
        throw EDatabaseError(QStringLiteral("Value %1 of field '%2' is out of the integer range")
                                 .arg(v)
                                 .arg(m_fieldName));
    return int(v);
}

qint64 TField::AsLargeInt() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return 0;
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return m_column->int32At(row);
    case TPacketStorage::Int64:
        return m_column->int64At(row);
    case TPacketStorage::Float: {
        qint64 v;
        if (!roundToInt64(m_column->doubleAt(row), v))
            throw EDatabaseError(QStringLiteral("Value %1 of field '%2' is out of the integer range")
                                     .arg(FloatToStr(m_column->doubleAt(row)), m_fieldName));
        return v;
    }
    case TPacketStorage::Boolean:
        return m_column->boolAt(row) ? 1 : 0;
    case TPacketStorage::Text: {
        const QString text = AsString();
        qint64 v;
        if (!textToInt64(text, v))
            RaiseInvalid(text, "integer");
        return v;
    }
    case TPacketStorage::DateTime:
    case TPacketStorage::Bytes:
        break;
    }
    RaiseConversion("an integer");
}

double TField::AsFloat() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return 0.0;
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return m_column->int32At(row);
    case TPacketStorage::Int64:
        return double(m_column->int64At(row));
    case TPacketStorage::Float:
    case TPacketStorage::DateTime:
        return m_column->doubleAt(row);
    case TPacketStorage::Boolean:
        return m_column->boolAt(row) ? 1.0 : 0.0;
    case TPacketStorage::Text: {
        const QString text = AsString();
        double v;
        if (!textToFloat(text, v))
            RaiseInvalid(text, "float");
        return v;
    }
    case TPacketStorage::Bytes:
        break;
    }
    RaiseConversion("a float");
}

bool TField::AsBoolean() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return false;
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return m_column->int32At(row) != 0;
    case TPacketStorage::Int64:
        return m_column->int64At(row) != 0;
    case TPacketStorage::Float:
        return m_column->doubleAt(row) != 0.0;
    case TPacketStorage::Boolean:
        return m_column->boolAt(row);
    case TPacketStorage::Text: {
        const QString text = AsString();
        bool v;
        if (!textToBoolean(text, v))
            RaiseInvalid(text, "boolean");
        return v;
    }
    case TPacketStorage::DateTime:
    case TPacketStorage::Bytes:
        break;
    }
    RaiseConversion("a boolean");
}

TDateTime TField::AsDateTime() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return 0.0;
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return m_column->int32At(row);
    case TPacketStorage::Int64:
        return double(m_column->int64At(row));
    case TPacketStorage::Float:
    case TPacketStorage::DateTime:
        return m_column->doubleAt(row);
    case TPacketStorage::Text: {
        const QString text = AsString();
        double v;
        if (!textToDateTime(text, v))
            RaiseInvalid(text, "date-time");
        return v;
    }
    case TPacketStorage::Boolean:
    case TPacketStorage::Bytes:
        break;
    }
    RaiseConversion("a date-time");
}

QString TField::AsString() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return QString();
    switch (m_column->storage()) {
    case TPacketStorage::Int32:
        return QString::number(m_column->int32At(row));
    case TPacketStorage::Int64:
        return QString::number(m_column->int64At(row));
    case TPacketStorage::Float:
        return FloatToStr(m_column->doubleAt(row));
    case TPacketStorage::DateTime: {
        const double v = m_column->doubleAt(row);
        switch (m_dataType) {
        case TFieldType::ftDate:
            return DateToStr(v);
        case TFieldType::ftTime:
            return TimeToStr(v);
        default:
            return DateTimeToStr(v);
        }
    }
    case TPacketStorage::Boolean:
        return m_column->boolAt(row) ? QStringLiteral("True") : QStringLiteral("False");
    case TPacketStorage::Text:
    case TPacketStorage::Bytes:
        break;
    }
    if (m_textRow != row) {
        if (m_column->storage() == TPacketStorage::Text) {
            const std::string_view b = m_column->bytesAt(row);
            m_text = QString::fromUtf8(b.data(), qsizetype(b.size()));
        } else {
            m_text = BytesAsText(row);
        }
        m_textRow = row;
    }
    return m_text;
}

QString TField::AsWideString() const
{
    return AsString();
}

QByteArray TField::AsBytes() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return QByteArray();
    if (m_column->storage() == TPacketStorage::Bytes || m_column->storage() == TPacketStorage::Text) {
        const std::string_view b = m_column->bytesAt(row);
        return QByteArray(b.data(), qsizetype(b.size()));
    }
    return AsString().toUtf8();
}

QString TField::DisplayText() const
{
    const int row = CurrentRow();
    if (!m_column || !m_column->hasValue(row))
        return QString();
    switch (m_dataType) {
    case TFieldType::ftCurrency:
        return FormatString(QStringLiteral("%m"), {QVariant(m_column->doubleAt(row))});
    case TFieldType::ftBlob:
    case TFieldType::ftTypedBinary:
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
        return QStringLiteral("(BLOB)");
    case TFieldType::ftGraphic:
        return QStringLiteral("(GRAPHIC)");
    default:
        return AsString();
    }
}

qint64 TField::BlobSize() const
{
    if (m_column && m_column->storage() == TPacketStorage::Bytes) {
        const int row = CurrentRow();
        return m_column->hasValue(row) ? qint64(m_column->bytesAt(row).size()) : 0;
    }
    return AsBytes().size();
}

std::unique_ptr<QIODevice> TField::CreateBlobStream() const
{
    auto stream = std::make_unique<QBuffer>();
    stream->setData(AsBytes());
    stream->open(QIODevice::ReadOnly);
    return stream;
}

// --- TDataSet ------------------------------------------------------------------

TDataSet::TDataSet(QObject *owner) : QObject(owner) {}

TDataSet::~TDataSet() = default;

void TDataSet::Last()
{
    const int count = RecordCount();
    if (count > 0)
        SetRecNo(count);
    Next();   // past the last record: Eof
}

void TDataSet::IndexFields()
{
    m_fieldIndex.clear();
    m_fieldIndex.reserve(qsizetype(m_fields.size()));
    for (int i = int(m_fields.size()) - 1; i >= 0; --i)   // the first of equal names wins
        m_fieldIndex.insert(m_fields[std::size_t(i)]->FieldName().toCaseFolded(), i);
}

TField *TDataSet::FindField(const QString &name) const
{
    const auto it = m_fieldIndex.constFind(name.toCaseFolded());
    if (it != m_fieldIndex.constEnd()) {
        const std::size_t i = std::size_t(it.value());
        if (i < m_fields.size()
            && m_fields[i]->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return m_fields[i];
    }
    if (m_fieldIndex.size() == qsizetype(m_fields.size()) && it == m_fieldIndex.constEnd())
        return nullptr;
    for (TField *f : m_fields)
        if (f->FieldName().compare(name, Qt::CaseInsensitive) == 0)
            return f;
    return nullptr;
}

TField *TDataSet::FieldByName(const QString &name) const
{
    if (TField *f = FindField(name))
        return f;
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

} // namespace zelmio
