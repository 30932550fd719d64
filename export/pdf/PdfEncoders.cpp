#include "export/pdf/PdfEncoders.h"

#include <algorithm>
#include <cstdint>
#include <unordered_map>

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

} // namespace

QByteArray LZWEncode(QByteArrayView source)
{
    QByteArray out;
    TBitWriter writer(out);
    // A string of the table is its prefix's code and its last byte.
    std::unordered_map<uint32_t, int> table;
    table.reserve(kTableSize);
    int width = 9;
    int nextCode = kFirstFreeCode;
    writer.Write(kClearCode, width);
    if (!source.isEmpty()) {
        int current = uchar(source[0]);
        for (qsizetype i = 1; i < source.size(); ++i) {
            const uchar byte = uchar(source[i]);
            const uint32_t key = (uint32_t(current) << 8) | byte;
            const auto found = table.find(key);
            if (found != table.end()) {
                current = found->second;
                continue;
            }
            writer.Write(current, width);
            const int added = nextCode++;
            table.emplace(key, added);
            // The decoder widens its codes one entry early (early change 1).
            if (added == 511 || added == 1023 || added == 2047)
                ++width;
            if (nextCode == kTableSize) {
                writer.Write(kClearCode, width);
                table.clear();
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
