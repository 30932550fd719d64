#pragma once
// Writes XML data packets of the shell's 352-field record layout, filled with
// deterministic retail data (invoices, delivery notes, price tags), for the
// tests, the benchmarks and `zelmio-tool make-packet`.
//
// Rows are grouped into documents (one customer, number and date per
// document, the document totals repeated on each of its rows) and into
// product groups (PR_GRUPA). Texts carry Latvian and Russian letters; EAN
// holds valid EAN-13 codes. BILDE holds a small PNG and/or JPEG picture and
// BILDE2 a BMP, so that both decoded and non-decoded pictures occur. The same
// options give the same bytes on every platform.

#include <QByteArray>
#include <QString>

namespace zelmio::testdata {

struct TPacketOptions {
    enum class TImages { Png, Jpeg, Mixed, None };
    enum class TEncoding { Utf8, Windows1257 };

    int rows = 40;
    int seed = 1;
    int docs = 0; // 0: one document per 20 rows
    TImages images = TImages::Mixed;
    // Windows-1257 writes the Russian letters as character references.
    TEncoding encoding = TEncoding::Utf8;
    double nullRate = 0; // share of optional values left out (null)
};

// The packet's bytes. Throws std::invalid_argument for negative rows or
// documents and a null rate outside 0..1.
QByteArray MakeDataPacket(const TPacketOptions &options);

// Writes the packet to `path`; throws std::runtime_error naming the file when
// it cannot be written completely.
void WriteDataPacket(const QString &path, const TPacketOptions &options);

// Number of fields in the layout.
constexpr int kPacketFieldCount = 352;

} // namespace zelmio::testdata
