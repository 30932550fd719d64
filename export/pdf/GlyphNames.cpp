#include "export/pdf/GlyphNames.h"

#include <unordered_map>

namespace zelmio {

QByteArray GlyphName(char16_t unicode)
{
    // Built once; try_emplace keeps the first pair of each value.
    static const std::unordered_map<char16_t, const char *> byUnicode = [] {
        std::unordered_map<char16_t, const char *> map;
        map.reserve(size_t(kGlyphNameCount));
        for (int i = 0; i < kGlyphNameCount; ++i)
            map.try_emplace(kGlyphNames[i].Unicode, kGlyphNames[i].Name);
        return map;
    }();
    const auto it = byUnicode.find(unicode);
    return it == byUnicode.end() ? QByteArray() : QByteArray(it->second);
}

} // namespace zelmio
