#include "output/VxCompress.h"

#include "platform/VxError.h"

namespace zelmio {

namespace {
constexpr uint16_t Root = 0;
constexpr uint16_t FirstLeaf = 256;
}

TVxCompress::TVxCompress(QByteArray *output)
    : CompressFlag(true)
    , Output(output)
{
    Initialize();
    BitPos = 0;
    OutByte = 0;
}

TVxCompress::TVxCompress(const char *input, qint64 size)
    : CompressFlag(false)
    , Input(reinterpret_cast<const uint8_t *>(input))
    , InputEnd(reinterpret_cast<const uint8_t *>(input) + (size > 0 ? size : 0))
{
    Initialize();
    BitPos = 7;
}

TVxCompress::~TVxCompress()
{
    Finish();
}

void TVxCompress::Initialize()
{
    // Every node i > 0 hangs under (i - 1) / 2: a balanced tree whose leaves
    // 256..511 stand for the byte values 0..255.
    for (int i = 1; i <= 512; ++i)
        Up[size_t(i)] = uint8_t((i - 1) / 2);
    for (int i = 0; i <= 255; ++i) {
        Left[size_t(i)] = uint16_t(2 * i + 1);
        Right[size_t(i)] = uint16_t(2 * i + 2);
    }
}

void TVxCompress::Splay(uint8_t byte)
{
    uint16_t a = uint16_t(byte + FirstLeaf);
    do {
        uint16_t c = Up[a];
        if (c != Root) {
            const uint16_t d = Up[c];
            uint16_t e;
            if (Left[d] == c) {
                e = Right[d];
                Right[d] = a;
            } else {
                e = Left[d];
                Left[d] = a;
            }
            if (Left[c] == a)
                Left[c] = e;
            else
                Right[c] = e;
            Up[a] = uint8_t(d);
            Up[e] = uint8_t(c);
            c = d;
        }
        a = c;
    } while (a != Root);
}

void TVxCompress::Compress(uint8_t byte)
{
    // The path is collected from the leaf up and emitted from the root down.
    // A path is at most 256 steps long (one per internal node).
    uint8_t path[256];
    int depth = 0;
    uint16_t a = uint16_t(byte + FirstLeaf);
    do {
        const uint16_t parent = Up[a];
        path[depth++] = Right[parent] == a ? 1 : 0;
        a = parent;
    } while (a != Root);
    // Bits fill each output byte from its lowest bit up; whole bytes leave
    // the accumulator as they complete.
    uint32_t bits = OutByte;
    int used = BitPos;
    while (depth > 0) {
        bits |= uint32_t(path[--depth]) << used;
        if (++used == 8) {
            PutByte(uint8_t(bits));
            bits = 0;
            used = 0;
        }
    }
    OutByte = uint16_t(bits);
    BitPos = uint8_t(used);
    Splay(byte);
}

void TVxCompress::PutByte(uint8_t byte)
{
    if (FPending == sizeof(FBuffer))
        Flush();
    FBuffer[FPending++] = char(byte);
}

void TVxCompress::Flush()
{
    if (FPending > 0)
        Output->append(FBuffer, FPending);
    FPending = 0;
}

void TVxCompress::Compress(const char *data, qint64 count)
{
    for (qint64 i = 0; i < count; ++i)
        Compress(uint8_t(data[i]));
}

uint8_t TVxCompress::Expand()
{
    uint16_t node = Root;
    while (node < FirstLeaf) {
        if (BitPos == 7) {
            if (Input >= InputEnd)
                throw EVxError(QStringLiteral("The compressed page data ends too early"));
            InByte = *Input++;
            BitPos = 0;
        } else {
            ++BitPos;
        }
        node = (InByte & (1u << BitPos)) ? Right[node] : Left[node];
    }
    // Node 512 hangs in the tree but stands for no byte: only damaged data
    // leads there.
    if (node > 511)
        throw EVxError(QStringLiteral("The compressed page data is damaged"));
    const uint8_t byte = uint8_t(node - FirstLeaf);
    Splay(byte);
    return byte;
}

void TVxCompress::Expand(char *out, qint64 count)
{
    for (qint64 i = 0; i < count; ++i)
        out[i] = char(Expand());
}

void TVxCompress::Finish()
{
    if (FFinished || !CompressFlag)
        return;
    FFinished = true;
    if (BitPos != 0)
        PutByte(uint8_t(OutByte));
    Flush();
}

QByteArray TVxCompress::CompressBytes(const char *data, qint64 count)
{
    QByteArray out;
    out.reserve(qsizetype(count / 2 + 16));
    TVxCompress coder(&out);
    coder.Compress(data, count);
    coder.Finish();
    return out;
}

QByteArray TVxCompress::ExpandBytes(const char *input, qint64 size, qint64 count)
{
    QByteArray out(qsizetype(count), Qt::Uninitialized);
    TVxCompress coder(input, size);
    coder.Expand(out.data(), count);
    return out;
}

} // namespace zelmio
