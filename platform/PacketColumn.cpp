#include "platform/PacketColumn.h"

#include <algorithm>
#include <limits>

namespace zelmio {

void TPacketColumn::markPresent(int row)
{
    const std::size_t word = std::size_t(row) >> 6;
    if (word >= m_present.size()) {
        if (m_present.capacity() <= word)
            m_present.reserve(std::max({word + 1, (m_rowHint + 63) / 64, m_present.capacity() * 2}));
        m_present.resize(word + 1, 0);
    }
    m_present[word] |= std::uint64_t(1) << (unsigned(row) & 63);
}

template <typename T>
void TPacketColumn::place(std::vector<T> &values, int row, T value)
{
    const std::size_t r = std::size_t(row);
    if (r >= values.size()) {
        if (values.capacity() <= r)
            values.reserve(std::max({r + 1, m_rowHint, values.capacity() * 2}));
        values.resize(r + 1);
    }
    values[r] = value;
    markPresent(row);
}

void TPacketColumn::setInt32(int row, std::int32_t value) { place(m_int32, row, value); }
void TPacketColumn::setInt64(int row, std::int64_t value) { place(m_int64, row, value); }
void TPacketColumn::setDouble(int row, double value) { place(m_double, row, value); }
void TPacketColumn::setBool(int row, bool value) { place(m_bool, row, std::uint8_t(value ? 1 : 0)); }

std::string &TPacketColumn::beginBytes(int row)
{
    if (m_offsets.empty()) {
        m_offsets.reserve(std::max<std::size_t>(m_rowHint + 1, 16));
        m_offsets.push_back(0);
    }
    const std::size_t r = std::size_t(row);
    const std::size_t laidOut = m_offsets.size() - 1;
    if (r < laidOut) {
        // Writing the last row again: drop its old bytes.
        m_buffer.resize(m_offsets[r]);
        m_offsets.resize(r + 1);
    }
    const auto end = static_cast<std::uint32_t>(m_buffer.size());
    while (m_offsets.size() - 1 < r)
        m_offsets.push_back(end);   // rows without a value take no bytes
    return m_buffer;
}

bool TPacketColumn::finishBytes(int row)
{
    if (m_buffer.size() > std::numeric_limits<std::uint32_t>::max())
        return false;
    m_offsets.push_back(static_cast<std::uint32_t>(m_buffer.size()));
    markPresent(row);
    return true;
}

void TPacketColumn::truncate(int rows)
{
    const std::size_t n = std::size_t(std::max(rows, 0));
    const std::size_t words = (n + 63) / 64;
    if (m_present.size() > words)
        m_present.resize(words);
    if (m_present.size() == words && (n & 63))
        m_present.back() &= (std::uint64_t(1) << (n & 63)) - 1;
    if (m_int32.size() > n) m_int32.resize(n);
    if (m_int64.size() > n) m_int64.resize(n);
    if (m_double.size() > n) m_double.resize(n);
    if (m_bool.size() > n) m_bool.resize(n);
    if (!m_offsets.empty() && m_offsets.size() - 1 > n) {
        m_buffer.resize(m_offsets[n]);
        m_offsets.resize(n + 1);
    }
}

void TPacketColumn::finish()
{
    m_present.shrink_to_fit();
    m_int32.shrink_to_fit();
    m_int64.shrink_to_fit();
    m_double.shrink_to_fit();
    m_bool.shrink_to_fit();
    m_offsets.shrink_to_fit();
    m_buffer.shrink_to_fit();
}

std::size_t TPacketColumn::memoryUsed() const
{
    return sizeof(*this) + m_present.capacity() * 8 + m_int32.capacity() * 4
        + m_int64.capacity() * 8 + m_double.capacity() * 8 + m_bool.capacity()
        + m_offsets.capacity() * 4 + m_buffer.capacity();
}

} // namespace zelmio
