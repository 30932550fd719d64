#pragma once
// Reads an XML data packet into typed columns (TPacketData). The metadata is
// parsed as a small document; the rows are parsed in chunks of rows and
// moved into the columns chunk by chunk, so memory stays near the file size
// plus the values. Every problem raises EDatabaseError naming the packet,
// and where it helps the row (counted from 1 over the ROW elements) and the
// field; nothing half-read is returned.
//
// Change log rows (RowState, a set of flags: 1 original, 2 deleted,
// 4 inserted, 8 modified) are applied so that the records show the current
// state of the data:
//   - a row without RowState, 0, 4 (or any state without the deleted flag
//     that does not follow an original row, such as a lone 1 or 8) is a record;
//   - an original row (1) followed by modified rows (8) is one record: the
//     values of each modified row replace the original's; attributes a
//     modified row leaves out keep the original values;
//   - a row with the deleted flag (2) is not a record (a deleted record is
//     logged as its own row, in place of an original one).

#include "platform/PacketData.h"

#include <QHash>
#include <QString>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace pugi {
class xml_node;
}

namespace zelmio {

class TPacketReader {
public:
    // `sourceName` names the packet in messages (normally its path).
    explicit TPacketReader(QString sourceName);
    ~TPacketReader();

    std::unique_ptr<TPacketData> readFile(const QString &path);
    std::unique_ptr<TPacketData> readBytes(std::string bytes);

    // Rows parsed per chunk; tests make it small to cross chunk borders.
    void setRowsPerChunk(std::size_t rows) { m_rowsPerChunk = rows ? rows : 1; }
    // Whether the last read could use the chunked row parse.
    bool usedChunkedParse() const { return m_chunked; }

private:
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
    };

    [[noreturn]] void fail(const QString &problem) const;
    [[noreturn]] void failXml(std::size_t offset, const char *description) const;
    [[noreturn]] void failRow(int field, const QString &problem) const;
    [[noreturn]] void failValue(int field, std::string_view value, const char *what) const;

    void readStructure(const pugi::xml_node &root);
    void readFields(const pugi::xml_node &fields);
    void readRows(const pugi::xml_node &parent);
    void readRow(const pugi::xml_node &row);
    int fieldOfAttribute(const char *name, std::size_t position);
    void storeValue(int field, int record, std::string_view value);

    QString m_source;
    std::size_t m_rowsPerChunk = 2000;
    bool m_chunked = false;
    std::string m_text;                       // the packet as UTF-8
    std::unique_ptr<TPacketData> m_data;
    std::size_t m_expectedRows = 0;

    std::unordered_map<std::string, int, NameHash, std::equal_to<>> m_fieldByName;   // exact spelling; -1 for no field
    QHash<QString, int> m_fieldByFoldedName;
    std::vector<int> m_fieldAtPosition;       // field of the n-th attribute of the previous row
    std::vector<int> m_lastPacketRow;         // per field: the packet row that last gave it a value
    int m_packetRow = 0;                      // ROW elements read, from 1
    int m_records = 0;
    bool m_originalOpen = false;              // the last record came from an original (1) row
};

} // namespace zelmio
