#pragma once
// What a data packet loads into: the field definitions, one value column per
// field and the number of records after the change log has been applied.

#include "platform/PacketColumn.h"
#include "platform/PacketFieldDef.h"

#include <memory>
#include <vector>

namespace zelmio {

class TCodePage;

struct TPacketData {
    std::vector<TPacketFieldDef> fields;
    std::vector<std::unique_ptr<TPacketColumn>> columns;   // one per field, same order
    int recordCount = 0;
    // The 8-bit code page of the host's text: the declared one, or
    // Windows-1257 for Unicode packets. Memo blobs that are not UTF-8 are
    // read with it.
    const TCodePage *textCodePage = nullptr;
    QString encodingName;    // as read: "UTF-8", "windows-1257" ...
};

} // namespace zelmio
