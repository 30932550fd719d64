#pragma once
// The page store's compressor: an adaptive prefix code over a splay tree
// (semi-splaying after every byte), one fresh coder per page. The code is part
// of the prepared-report file format, so it is kept bit for bit.

#include <QByteArray>
#include <array>
#include <cstdint>

namespace zelmio {

class TVxCompress {
public:
    // A compressing coder appending to output; closing (Finish or the
    // destructor) writes the last, partial byte.
    explicit TVxCompress(QByteArray *output);
    // An expanding coder reading the compressed bits in [input, input + size).
    TVxCompress(const char *input, qint64 size);
    ~TVxCompress();

    TVxCompress(const TVxCompress &) = delete;
    TVxCompress &operator=(const TVxCompress &) = delete;

    void Compress(uint8_t byte);
    void Compress(const char *data, qint64 count);
    // Decodes one byte; raises EVxError when the input ends inside a code.
    uint8_t Expand();
    // Decodes count bytes into out.
    void Expand(char *out, qint64 count);
    // Writes the partial byte of a compressing coder (once).
    void Finish();

    // One-shot helpers for a whole buffer.
    static QByteArray CompressBytes(const char *data, qint64 count);
    static QByteArray ExpandBytes(const char *input, qint64 size, qint64 count);

private:
    void Initialize();
    void Splay(uint8_t byte);
    void PutByte(uint8_t byte);
    void Flush();

    uint8_t BitPos = 0;
    bool CompressFlag;
    uint16_t InByte = 0;
    std::array<uint16_t, 256> Left{};
    std::array<uint16_t, 256> Right{};
    uint16_t OutByte = 0;
    QByteArray *Output = nullptr;     // the stream written while compressing (not owned)
    const uint8_t *Input = nullptr;   // the bits read while expanding (not owned)
    const uint8_t *InputEnd = nullptr;
    std::array<uint8_t, 513> Up{};
    bool FFinished = false;
    // Completed bytes wait here and reach Output in blocks.
    char FBuffer[4096];
    qsizetype FPending = 0;
};

} // namespace zelmio
