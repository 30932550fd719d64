#include "platform/PacketScanner.h"

#include <cstring>

namespace zelmio {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool startsAt(std::string_view s, std::size_t pos, std::string_view what)
{
    return s.size() >= pos + what.size() && s.compare(pos, what.size(), what) == 0;
}

// True when s[pos] ends an element name.
bool nameEnds(std::string_view s, std::size_t pos)
{
    return pos < s.size() && (isBlank(s[pos]) || s[pos] == '/' || s[pos] == '>');
}

// The ">" that closes the tag starting at `pos`, skipping quoted attribute
// values (which may hold ">"); npos when the text ends first.
std::size_t tagEnd(std::string_view s, std::size_t pos)
{
    for (std::size_t i = pos; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '"' || c == '\'') {
            const std::size_t q = s.find(c, i + 1);
            if (q == std::string_view::npos)
                return q;
            i = q;
        } else if (c == '>') {
            return i;
        }
    }
    return std::string_view::npos;
}

// Offset just past <ROWDATA ...> directly inside the root element, or npos.
std::size_t findRowDataContent(std::string_view s)
{
    std::size_t i = 0;
    int depth = 0;
    for (;;) {
        const void *lt = std::memchr(s.data() + i, '<', s.size() - i);
        if (!lt)
            return std::string_view::npos;
        i = std::size_t(static_cast<const char *>(lt) - s.data());
        std::size_t end;
        if (startsAt(s, i, "<?")) {
            end = s.find("?>", i + 2);
            if (end == std::string_view::npos)
                return end;
            i = end + 2;
        } else if (startsAt(s, i, "<!--")) {
            end = s.find("-->", i + 4);
            if (end == std::string_view::npos)
                return end;
            i = end + 3;
        } else if (startsAt(s, i, "<![CDATA[")) {
            end = s.find("]]>", i + 9);
            if (end == std::string_view::npos)
                return end;
            i = end + 3;
        } else if (startsAt(s, i, "<!")) {
            // A document type declaration; one with an internal subset is
            // left to the full parser.
            end = s.find('>', i);
            if (end == std::string_view::npos || s.substr(i, end - i).find('[') != std::string_view::npos)
                return std::string_view::npos;
            i = end + 1;
        } else if (startsAt(s, i, "</")) {
            end = s.find('>', i);
            if (end == std::string_view::npos || --depth < 0)
                return std::string_view::npos;
            i = end + 1;
        } else {
            end = tagEnd(s, i + 1);
            if (end == std::string_view::npos)
                return end;
            const bool selfClosing = s[end - 1] == '/';
            if (depth == 1 && startsAt(s, i, "<ROWDATA") && nameEnds(s, i + 8))
                return selfClosing ? std::string_view::npos : end + 1;
            if (!selfClosing)
                ++depth;
            i = end + 1;
        }
    }
}

} // namespace

bool ScanPacketRows(std::string_view s, std::size_t rowsPerChunk, TPacketRowRegion &region)
{
    region = TPacketRowRegion();
    const std::size_t begin = findRowDataContent(s);
    if (begin == std::string_view::npos)
        return false;
    region.contentBegin = begin;
    if (rowsPerChunk == 0)
        rowsPerChunk = 1;
    std::size_t i = begin;
    for (;;) {
        const void *lt = std::memchr(s.data() + i, '<', s.size() - i);
        if (!lt)
            return false;
        i = std::size_t(static_cast<const char *>(lt) - s.data());
        if (startsAt(s, i, "<ROW") && nameEnds(s, i + 4)) {
            if (region.rowCount % rowsPerChunk == 0)
                region.chunkStarts.push_back(i);
            ++region.rowCount;
            i += 4;
        } else if (startsAt(s, i, "</ROW") && nameEnds(s, i + 5)) {
            i += 5;
        } else if (startsAt(s, i, "</ROWDATA") && nameEnds(s, i + 9)) {
            region.contentEnd = i;
            return true;
        } else {
            return false;
        }
    }
}

} // namespace zelmio
