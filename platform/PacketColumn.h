#pragma once
// One field's values over all records of a loaded data packet, stored by type:
// numbers and dates in plain vectors, texts and blobs as bytes in one buffer
// per column with offsets, and a bitmap of the records that hold a value.
// A column that never receives a value allocates nothing but its object.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelmio {

enum class TPacketStorage {
    Int32,      // small and 32-bit integers
    Int64,      // large and unsigned 32-bit integers
    Float,      // floats and BCD values
    DateTime,   // dates, times and date-times as day numbers
    Boolean,
    Text,       // UTF-8
    Bytes       // blobs, decoded
};

class TPacketColumn {
public:
    explicit TPacketColumn(TPacketStorage storage) : m_storage(storage) {}

    TPacketStorage storage() const { return m_storage; }

    // Reading; the typed accessors are valid only for a row that has a value.
    bool hasValue(int row) const
    {
        const auto r = static_cast<std::uint32_t>(row);   // -1 becomes huge: no value
        const std::size_t word = r >> 6;
        return word < m_present.size() && ((m_present[word] >> (r & 63)) & 1u);
    }
    std::int32_t int32At(int row) const { return m_int32[std::size_t(row)]; }
    std::int64_t int64At(int row) const { return m_int64[std::size_t(row)]; }
    double doubleAt(int row) const { return m_double[std::size_t(row)]; }
    bool boolAt(int row) const { return m_bool[std::size_t(row)] != 0; }
    std::string_view bytesAt(int row) const
    {
        const std::uint32_t begin = m_offsets[std::size_t(row)];
        return {m_buffer.data() + begin, m_offsets[std::size_t(row) + 1] - begin};
    }

    // Loading. Rows are written in ascending order; the last row written may
    // be written again (a change-log row that modifies it), earlier ones not.
    void reserveRows(std::size_t rows) { m_rowHint = rows; }
    void setInt32(int row, std::int32_t value);
    void setInt64(int row, std::int64_t value);
    void setDouble(int row, double value);
    void setBool(int row, bool value);
    // Text and blob values: append the bytes to the buffer beginBytes returns,
    // then call finishBytes. finishBytes is false when the column's buffer
    // would pass 4 GiB (offsets are 32-bit to keep large packets small).
    std::string &beginBytes(int row);
    bool finishBytes(int row);
    // Drops every row from `rows` on (a deleted change-log row).
    void truncate(int rows);
    // Loading is over: gives back the spare capacity.
    void finish();

    std::size_t memoryUsed() const;

private:
    void markPresent(int row);
    template <typename T> void place(std::vector<T> &values, int row, T value);

    TPacketStorage m_storage;
    std::size_t m_rowHint = 0;
    std::vector<std::uint64_t> m_present;
    std::vector<std::int32_t> m_int32;
    std::vector<std::int64_t> m_int64;
    std::vector<double> m_double;
    std::vector<std::uint8_t> m_bool;
    // Text and Bytes: row r is m_buffer[m_offsets[r], m_offsets[r + 1]);
    // m_offsets.size() - 1 rows are laid out so far.
    std::vector<std::uint32_t> m_offsets;
    std::string m_buffer;
};

} // namespace zelmio
