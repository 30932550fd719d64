#pragma once
// Finds the rows of a data packet without parsing it, so that the reader can
// parse the metadata as a small document and the rows in chunks of a few
// thousand, instead of building one tree of the whole file (one node per
// attribute: over ten times the file size).
//
// The scan relies on "<" never standing unescaped inside attribute values.
// It gives up (and the reader parses the whole file) when the ROWDATA
// element holds anything but ROW elements and text: comments, CDATA,
// processing instructions, other elements; also when ROWDATA is not found or
// does not end (a truncated file: the full parse names the error).

#include <cstddef>
#include <string_view>
#include <vector>

namespace zelmio {

struct TPacketRowRegion {
    std::size_t contentBegin = 0;   // just after <ROWDATA ...>
    std::size_t contentEnd = 0;     // at </ROWDATA>
    std::vector<std::size_t> chunkStarts;   // offsets of the "<ROW" that start each chunk
    std::size_t rowCount = 0;       // ROW elements
};

bool ScanPacketRows(std::string_view text, std::size_t rowsPerChunk, TPacketRowRegion &region);

} // namespace zelmio
