#include "export/pdf/PdfEncoders.h"

#include <algorithm>
#include <cstdint>
#include <array>

namespace zelmio {

namespace {

constexpr int kClearCode = 256;
constexpr int kEndOfData = 257;
constexpr int kFirstFreeCode = 258;
constexpr int kTableSize = 4096;

class TBitWriter {
public:
    explicit TBitWriter(QByteArray &out)
        : m_out(out)
    {
    }
    void Write(int code, int width)
    {
        m_buffer = (m_buffer << width) | uint32_t(code);
        m_bits += width;
        while (m_bits >= 8) {
            m_bits -= 8;
            m_out.append(char((m_buffer >> m_bits) & 0xFF));
        }
        m_buffer &= (1u << m_bits) - 1;
    }
    // Pads the last byte with zero bits.
    void Flush()
    {
        if (m_bits > 0)
            m_out.append(char((m_buffer << (8 - m_bits)) & 0xFF));
        m_bits = 0;
        m_buffer = 0;
    }

private:
    QByteArray &m_out;
    uint32_t m_buffer = 0;
    int m_bits = 0;
};

// The LZW string table: a string is its prefix's code and its last byte,
// found by open addressing. Clearing only moves the generation on, so a
// table reset costs nothing however often a picture fills the table.
class TLzwTable {
public:
    TLzwTable() { m_stamps.fill(0); }
    void Clear()
    {
        if (++m_stamp == 0) {
            m_stamps.fill(0);
            m_stamp = 1;
        }
    }
    // The code of the string, or -1.
    int Find(uint32_t key) const
    {
        for (uint32_t slot = Slot(key);; slot = (slot + 1) & kMask) {
            if (m_stamps[slot] != m_stamp)
                return -1;
            if (m_keys[slot] == key)
                return m_codes[slot];
        }
    }
    void Insert(uint32_t key, int code)
    {
        uint32_t slot = Slot(key);
        while (m_stamps[slot] == m_stamp)
            slot = (slot + 1) & kMask;
        m_stamps[slot] = m_stamp;
        m_keys[slot] = key;
        m_codes[slot] = int16_t(code);
    }

private:
    static constexpr uint32_t kSlots = 1u << 13;   // twice the table size
    static constexpr uint32_t kMask = kSlots - 1;
    static uint32_t Slot(uint32_t key) { return (key * 2654435761u) >> 19; }

    std::array<uint32_t, kSlots> m_keys{};
    std::array<int16_t, kSlots> m_codes{};
    std::array<uint16_t, kSlots> m_stamps{};
    uint16_t m_stamp = 1;
};

} // namespace

QByteArray LZWEncode(QByteArrayView source)
{
    QByteArray out;
    out.reserve(source.size() / 2 + 16);
    TBitWriter writer(out);
    thread_local TLzwTable table;
    table.Clear();
    int width = 9;
    int nextCode = kFirstFreeCode;
    writer.Write(kClearCode, width);
    if (!source.isEmpty()) {
        int current = uchar(source[0]);
        for (qsizetype i = 1; i < source.size(); ++i) {
            const uchar byte = uchar(source[i]);
            const uint32_t key = (uint32_t(current) << 8) | byte;
            if (const int found = table.Find(key); found >= 0) {
                current = found;
                continue;
            }
            writer.Write(current, width);
            const int added = nextCode++;
            table.Insert(key, added);
            // The decoder widens its codes one entry early (early change 1).
            if (added == 511 || added == 1023 || added == 2047)
                ++width;
            if (nextCode == kTableSize) {
                writer.Write(kClearCode, width);
                table.Clear();
                width = 9;
                nextCode = kFirstFreeCode;
            }
            current = byte;
        }
        writer.Write(current, width);
    }
    writer.Write(kEndOfData, width);
    writer.Flush();
    return out;
}

QByteArray Ascii85EncodeFilter(QByteArrayView source)
{
    QByteArray out;
    out.reserve(source.size() * 5 / 4 + source.size() / 160 * 2 + 8);
    int lineLength = 0;
    for (qsizetype pos = 0; pos < source.size(); pos += 4) {
        const int n = int(std::min<qsizetype>(4, source.size() - pos));
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i)
            value = (value << 8) | (i < n ? uchar(source[pos + i]) : 0u);
        if (n == 4 && value == 0) {
            out.append('z');
        } else {
            char digits[5];
            for (int i = 4; i >= 0; --i) {
                digits[i] = char('!' + value % 85);
                value /= 85;
            }
            // A short final group keeps n + 1 of its characters.
            out.append(digits, n + 1);
        }
        // Lines count five characters for every group, "z" included.
        lineLength += 5;
        if (lineLength > 200) {
            out.append("\r\n");
            lineLength = 0;
        }
    }
    out.append("~>");
    return out;
}

} // namespace zelmio
