#pragma once
// Encoders for the streams of inline images, as PDF viewers decode them with
// the LZWDecode (default early change) and ASCII85Decode filters.

#include <QByteArray>
#include <QByteArrayView>

namespace zelmio {

// LZW with 9- to 12-bit codes packed most significant bit first: a clear code
// (256) first and whenever the table is full, the end-of-data code (257) last.
QByteArray LZWEncode(QByteArrayView source);

// Base-85 groups of five characters ("z" for four zero bytes), a CR LF after
// every line of more than 200 characters, "~>" at the end.
QByteArray Ascii85EncodeFilter(QByteArrayView source);

} // namespace zelmio
