#include "platform/PacketReader.h"

#include "platform/DataSet.h"
#include "platform/PacketEncoding.h"
#include "platform/PacketScanner.h"
#include "platform/PacketValues.h"
#include "platform/RegularFileReader.h"
#include "platform/VxError.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <pugixml.hpp>

namespace zelmio {

namespace {

constexpr unsigned kRowParseOptions = pugi::parse_fragment | pugi::parse_escapes
    | pugi::parse_wconv_attribute | pugi::parse_eol;
constexpr unsigned kDocumentParseOptions = pugi::parse_default;

enum RowStateFlag { rsOriginal = 1, rsDeleted = 2, rsInserted = 4, rsModified = 8 };

// A value as quoted in a message: long ones (pictures, huge texts) cut short.
QString excerpt(std::string_view value)
{
    constexpr std::size_t kMax = 60;
    if (value.size() <= kMax)
        return QString::fromUtf8(value.data(), qsizetype(value.size()));
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;   // not inside a UTF-8 sequence
    return QString::fromUtf8(value.data(), qsizetype(cut)) + QStringLiteral("...");
}

bool attributeIsTrue(const pugi::xml_attribute &a)
{
    return QString::fromUtf8(a.value()).trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

// The largest WIDTH or DECIMALS a field may declare. Real columns stay far
// below it; a larger value is a broken packet (a fixed-length field of that
// width would pad every value to gigabytes).
constexpr std::int64_t kMaxFieldWidth = 65535;

int attributeInt(const pugi::xml_attribute &a)
{
    std::int64_t v = 0;
    if (!a || !packet::ParseInt64(a.value(), v) || v < 0 || v > INT_MAX)
        return 0;
    return int(v);
}

struct IntRange {
    std::int64_t min, max;
};

} // namespace

TPacketReader::TPacketReader(QString sourceName) : m_source(std::move(sourceName)) {}

TPacketReader::~TPacketReader() = default;

void TPacketReader::fail(const QString &problem) const
{
    throw EDatabaseError(QStringLiteral("Data packet %1: %2").arg(m_source, problem));
}

void TPacketReader::failXml(std::size_t offset, const char *description) const
{
    offset = std::min(offset, m_text.size());
    const std::size_t lineStart = [&] {
        const std::size_t nl = m_text.rfind('\n', offset == 0 ? 0 : offset - 1);
        return nl == std::string::npos || nl >= offset ? 0 : nl + 1;
    }();
    const auto line = 1 + std::count(m_text.begin(), m_text.begin() + std::ptrdiff_t(offset), '\n');
    const auto column = 1 + packet::Utf16Length(std::string_view(m_text).substr(lineStart, offset - lineStart));
    const bool atEnd = m_text.find_first_not_of(" \t\r\n", offset) == std::string::npos;
    fail(QStringLiteral("not well-formed XML: line %1, column %2: %3%4")
             .arg(line)
             .arg(column)
             .arg(QString::fromUtf8(description),
                  atEnd ? QStringLiteral(" (the file ends here: is it cut short?)") : QString()));
}

void TPacketReader::failRow(int field, const QString &problem) const
{
    if (field >= 0)
        fail(QStringLiteral("row %1, field %2: %3").arg(m_packetRow).arg(m_data->fields[std::size_t(field)].name, problem));
    fail(QStringLiteral("row %1: %2").arg(m_packetRow).arg(problem));
}

void TPacketReader::failValue(int field, std::string_view value, const char *what) const
{
    failRow(field, QStringLiteral("'%1' is not a valid %2").arg(excerpt(value), QString::fromUtf8(what)));
}

namespace {

// Why the first bytes of a file cannot begin an XML text, or empty: they
// hold no NUL byte, and the first character after white space (and a UTF-8
// byte order mark) is '<'. Text in UTF-16 is left to the full check.
QString headProblem(std::string_view head)
{
    const auto starts = [&](std::string_view prefix) { return head.starts_with(prefix); };
    using namespace std::string_view_literals;
    if (starts("\xFF\xFE"sv) || starts("\xFE\xFF"sv) || starts("<\0"sv) || starts("\0<"sv))
        return QString();
    // The full check looks for NUL bytes before it parses.
    if (head.find('\0') != std::string_view::npos)
        return QStringLiteral("the file holds NUL bytes: it is not an XML text file");
    if (starts("\xEF\xBB\xBF"sv))
        head.remove_prefix(3);
    const std::size_t first = head.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos || head[first] == '<')
        return QString();
    return QStringLiteral("not an XML file: the text does not begin with '<'");
}

} // namespace

std::unique_ptr<TPacketData> TPacketReader::readFile(const QString &path)
{
    std::string bytes;
    try {
        TRegularFileReader file(path, QStringLiteral("Data packet %1").arg(m_source));
        // A large file that is not XML is refused from its first bytes,
        // before it is read whole (a small one gets the full check's
        // message). The size is only a hint: the file is read to its end.
        constexpr std::size_t headSize = 4096;
        bytes.resize(headSize);
        bytes.resize(std::size_t(file.Read(bytes.data(), qint64(headSize))));
        if (!file.AtEnd()) {
            if (const QString problem = headProblem(bytes); !problem.isEmpty())
                fail(problem);
            std::size_t capacity = std::max<std::size_t>(std::size_t(std::max<qint64>(file.SizeHint(), 0)) + 1, 2 * headSize);
            while (!file.AtEnd()) {
                const std::size_t filled = bytes.size();
                if (capacity <= filled)
                    capacity = 2 * filled;
                bytes.resize(capacity);
                bytes.resize(filled + std::size_t(file.Read(bytes.data() + filled, qint64(capacity - filled))));
            }
        }
    } catch (const EVxError &e) {
        throw EDatabaseError(e.message());
    } catch (const std::bad_alloc &) {
        fail(QStringLiteral("cannot be read: the file is too large"));
    }
    return readBytes(std::move(bytes));
}

std::unique_ptr<TPacketData> TPacketReader::readBytes(std::string bytes)
{
    m_data = std::make_unique<TPacketData>();
    m_fieldByName.clear();
    m_fieldByFoldedName.clear();
    m_fieldAtPosition.clear();
    m_lastPacketRow.clear();
    m_packetRow = 0;
    m_records = 0;
    m_originalOpen = false;
    m_chunked = false;

    TPacketText text;
    QString problem;
    if (!DecodePacketBytes(std::move(bytes), text, problem))
        fail(problem);
    m_text = std::move(text.utf8);
    m_data->textCodePage = text.textCodePage;
    m_data->encodingName = text.encodingName;
    if (std::all_of(m_text.begin(), m_text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }))
        fail(QStringLiteral("the file is empty"));

    TPacketRowRegion region;
    if (ScanPacketRows(m_text, m_rowsPerChunk, region)) {
        m_chunked = true;
        m_expectedRows = region.rowCount;
        // The document without the rows: prolog, metadata and an empty ROWDATA.
        std::string outline;
        outline.reserve(region.contentBegin + (m_text.size() - region.contentEnd));
        outline.append(m_text, 0, region.contentBegin);
        outline.append(m_text, region.contentEnd, std::string::npos);
        pugi::xml_document doc;
        const pugi::xml_parse_result r = doc.load_buffer(outline.data(), outline.size(),
                                                         kDocumentParseOptions, pugi::encoding_utf8);
        if (!r) {
            std::size_t offset = std::size_t(r.offset);
            if (offset >= region.contentBegin)
                offset += region.contentEnd - region.contentBegin;
            failXml(offset, r.description());
        }
        readStructure(doc.document_element());

        // The rows, chunk by chunk. Each chunk is copied, so that the packet
        // text stays intact for the positions of error messages.
        std::string chunk;
        pugi::xml_document rows;
        for (std::size_t k = 0; k < region.chunkStarts.size(); ++k) {
            const std::size_t begin = region.chunkStarts[k];
            const std::size_t end = k + 1 < region.chunkStarts.size() ? region.chunkStarts[k + 1]
                                                                     : region.contentEnd;
            chunk.assign(m_text, begin, end - begin);
            const pugi::xml_parse_result rr = rows.load_buffer_inplace(chunk.data(), chunk.size(),
                                                                       kRowParseOptions, pugi::encoding_utf8);
            if (!rr)
                failXml(begin + std::size_t(rr.offset), rr.description());
            readRows(rows);
        }
    } else {
        // Comments or other markup among the rows, or a broken file: one
        // parse of everything (on a copy, to keep error positions exact).
        pugi::xml_document doc;
        const pugi::xml_parse_result r = doc.load_buffer(m_text.data(), m_text.size(),
                                                         kDocumentParseOptions, pugi::encoding_utf8);
        if (!r) {
            if (r.status == pugi::status_no_document_element)
                fail(QStringLiteral("not an XML file: no document element found"));
            failXml(std::size_t(r.offset), r.description());
        }
        std::string().swap(m_text);
        const pugi::xml_node root = doc.document_element();
        m_expectedRows = 0;
        for (const pugi::xml_node &row : root.child("ROWDATA").children("ROW")) {
            (void)row;
            ++m_expectedRows;
        }
        readStructure(root);
        readRows(root.child("ROWDATA"));
    }
    std::string().swap(m_text);

    m_data->recordCount = m_records;
    for (auto &c : m_data->columns) {
        c->truncate(m_records);
        c->finish();
    }
    return std::move(m_data);
}

void TPacketReader::readStructure(const pugi::xml_node &root)
{
    if (!root)
        fail(QStringLiteral("not an XML file: no document element found"));
    if (std::strcmp(root.name(), "DATAPACKET") != 0)
        fail(QStringLiteral("not a data packet: the root element is <%1>, not <DATAPACKET>")
                 .arg(QString::fromUtf8(root.name())));
    const pugi::xml_node fields = root.child("METADATA").child("FIELDS");
    if (!fields)
        fail(QStringLiteral("no field list (METADATA/FIELDS)"));
    readFields(fields);
}

void TPacketReader::readFields(const pugi::xml_node &fields)
{
    int number = 0;
    for (const pugi::xml_node &f : fields.children("FIELD")) {
        ++number;
        const QString name = QString::fromUtf8(f.attribute("attrname").value());
        if (name.isEmpty())
            fail(QStringLiteral("field declaration %1 has no attrname").arg(number));
        const QString folded = name.toCaseFolded();
        if (m_fieldByFoldedName.contains(folded))
            fail(QStringLiteral("the field '%1' is declared twice").arg(name));
        const auto sizeAttribute = [&](const char *attribute) {
            const pugi::xml_attribute a = f.attribute(attribute);
            const std::string_view text = a.value();
            const bool digits = !text.empty()
                && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
            std::int64_t v = 0;
            const bool parsed = packet::ParseInt64(text, v);
            if ((parsed && v > kMaxFieldWidth) || (!parsed && digits))
                fail(QStringLiteral("field '%1': %2 %3 is out of range (0 to %4)")
                         .arg(name, QLatin1String(attribute), QString::fromUtf8(a.value()))
                         .arg(kMaxFieldWidth));
            return attributeInt(a);
        };
        const int width = sizeAttribute("WIDTH");
        const int decimals = sizeAttribute("DECIMALS");
        const TPacketFieldDef def = TPacketFieldDef::fromMetadata(
            name, QString::fromUtf8(f.attribute("fieldtype").value()),
            QString::fromUtf8(f.attribute("SUBTYPE").value()), width, decimals,
            attributeIsTrue(f.attribute("required")));
        const int index = int(m_data->fields.size());
        m_fieldByFoldedName.insert(folded, index);
        m_fieldByName.emplace(def.nameUtf8, index);
        auto column = std::make_unique<TPacketColumn>(def.storage);
        column->reserveRows(m_expectedRows);
        m_data->columns.push_back(std::move(column));
        m_data->fields.push_back(def);
    }
    if (m_data->fields.empty())
        fail(QStringLiteral("the field list (METADATA/FIELDS) declares no fields"));
    m_lastPacketRow.assign(m_data->fields.size(), 0);
}

void TPacketReader::readRows(const pugi::xml_node &parent)
{
    for (pugi::xml_node row = parent.child("ROW"); row; row = row.next_sibling("ROW"))
        readRow(row);
}

int TPacketReader::fieldOfAttribute(const char *name, std::size_t position)
{
    // Rows of a packet mostly repeat the attribute order of the row before.
    if (position < m_fieldAtPosition.size()) {
        const int f = m_fieldAtPosition[position];
        if (f >= 0 && std::strcmp(name, m_data->fields[std::size_t(f)].nameUtf8.c_str()) == 0)
            return f;
    }
    const std::string_view n(name);
    int f;
    const auto it = m_fieldByName.find(n);
    if (it != m_fieldByName.end()) {
        f = it->second;
    } else {
        // Field names match without regard to case; remember this spelling
        // (and names that are no field, which are ignored).
        f = m_fieldByFoldedName.value(QString::fromUtf8(name).toCaseFolded(), -1);
        m_fieldByName.emplace(std::string(n), f);
    }
    if (position < 4096) {
        if (position >= m_fieldAtPosition.size())
            m_fieldAtPosition.resize(position + 1, -1);
        m_fieldAtPosition[position] = f;
    }
    return f;
}

void TPacketReader::readRow(const pugi::xml_node &row)
{
    if (m_packetRow == INT_MAX)
        fail(QStringLiteral("too many rows"));
    ++m_packetRow;

    int state = 0;
    pugi::xml_attribute stateAttr = row.first_attribute();
    if (!stateAttr || std::strcmp(stateAttr.name(), "RowState") != 0)
        stateAttr = row.attribute("RowState");
    if (stateAttr) {
        std::int64_t v;
        if (!packet::ParseInt64(stateAttr.value(), v) || v < 0 || v > 0xFFFF)
            failRow(-1, QStringLiteral("'%1' is not a valid RowState").arg(excerpt(stateAttr.value())));
        state = int(v);
    }

    if (state & rsDeleted) {
        m_originalOpen = false;
        return;
    }
    int record;
    if ((state & rsModified) && m_originalOpen) {
        record = m_records - 1;
    } else {
        record = m_records++;
        m_originalOpen = state == rsOriginal;
    }

    std::size_t position = 0;
    for (pugi::xml_attribute a = row.first_attribute(); a; a = a.next_attribute(), ++position) {
        const int f = fieldOfAttribute(a.name(), position);
        if (f < 0)
            continue;
        int &last = m_lastPacketRow[std::size_t(f)];
        if (last == m_packetRow)
            failRow(f, QStringLiteral("the value is given twice"));
        last = m_packetRow;
        storeValue(f, record, a.value());
    }
}

void TPacketReader::storeValue(int field, int record, std::string_view value)
{
    const TPacketFieldDef &def = m_data->fields[std::size_t(field)];
    TPacketColumn &column = *m_data->columns[std::size_t(field)];
    using S = TPacketValueSyntax;

    auto integer = [&](IntRange range, const char *typeName) -> std::int64_t {
        std::int64_t v;
        if (!packet::ParseInt64(value, v))
            failValue(field, value, "integer value");
        if (v < range.min || v > range.max)
            failRow(field, QStringLiteral("'%1' is out of range for the type %2 (%3 to %4)")
                               .arg(excerpt(value), QString::fromUtf8(typeName))
                               .arg(range.min)
                               .arg(range.max));
        return v;
    };

    if (def.syntax != S::Text && def.syntax != S::Base64) {
        // An empty value of a number, date or boolean: no value.
        if (std::all_of(value.begin(), value.end(), [](char c) { return c == ' '; }))
            return;
    }

    switch (def.syntax) {
    case S::Int8:
        column.setInt32(record, std::int32_t(integer({-128, 127}, "i1")));
        break;
    case S::UInt8:
        column.setInt32(record, std::int32_t(integer({0, 255}, "ui1")));
        break;
    case S::Int16:
        column.setInt32(record, std::int32_t(integer({-32768, 32767}, "i2")));
        break;
    case S::UInt16:
        column.setInt32(record, std::int32_t(integer({0, 65535}, "ui2")));
        break;
    case S::Int32:
        column.setInt32(record, std::int32_t(integer({INT32_MIN, INT32_MAX}, "i4")));
        break;
    case S::UInt32:
        column.setInt64(record, integer({0, UINT32_MAX}, "ui4"));
        break;
    case S::Int64:
        column.setInt64(record, integer({INT64_MIN, INT64_MAX}, "i8"));
        break;
    case S::Float: {
        double v;
        if (!packet::ParseDouble(value, v))
            failValue(field, value, "float value");
        column.setDouble(record, v);
        break;
    }
    case S::Boolean: {
        bool v;
        if (!packet::ParseBoolean(value, v))
            failValue(field, value, "boolean value");
        column.setBool(record, v);
        break;
    }
    case S::Date: {
        double v;
        if (!packet::ParseDate(value, v))
            failValue(field, value, "date value (yyyymmdd)");
        column.setDouble(record, v);
        break;
    }
    case S::Time: {
        double v;
        if (!packet::ParseTime(value, v))
            failValue(field, value, "time value (hh:mm:sszzz)");
        column.setDouble(record, v);
        break;
    }
    case S::DateTime: {
        double v;
        if (!packet::ParseDateTime(value, v))
            failValue(field, value, "date-time value (yyyymmddThh:mm:sszzz)");
        column.setDouble(record, v);
        break;
    }
    case S::Text: {
        std::string &buffer = column.beginBytes(record);
        buffer.append(value);
        if (def.fixedLength > 0) {
            const std::size_t length = packet::Utf16Length(value);
            if (length < std::size_t(def.fixedLength))
                buffer.append(std::size_t(def.fixedLength) - length, ' ');
        }
        if (!column.finishBytes(record))
            failRow(field, QStringLiteral("the texts of this field exceed 4 GiB"));
        break;
    }
    case S::Base64: {
        std::string &buffer = column.beginBytes(record);
        if (!packet::DecodeBase64(value, buffer))
            failRow(field, QStringLiteral("'%1' is not valid Base64").arg(excerpt(value)));
        if (!column.finishBytes(record))
            failRow(field, QStringLiteral("the blobs of this field exceed 4 GiB"));
        break;
    }
    }
}

} // namespace zelmio
