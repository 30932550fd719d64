#pragma once
// Brings the bytes of a data packet to UTF-8 before parsing: the declared
// encoding (UTF-8, UTF-16, an 8-bit code page), or, without a declaration,
// UTF-8 when the bytes are valid UTF-8 and Windows-1257 otherwise.

#include <QString>
#include <string>

namespace zelmio {

class TCodePage;

struct TPacketText {
    std::string utf8;
    QString encodingName;                  // "UTF-8", "windows-1257" ...
    const TCodePage *textCodePage = nullptr; // the host's 8-bit code page
};

// Converts `bytes` (consumed) into `text`. On failure returns false with the
// problem in words ("the file is empty", "line 3: ... not valid UTF-8 ...").
bool DecodePacketBytes(std::string bytes, TPacketText &text, QString &problem);

} // namespace zelmio
