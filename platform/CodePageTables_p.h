#pragma once
// The generated code page tables behind TCodePage (CodePageTables.cpp).

namespace zelmio::codepage_tables {

struct TTable {
    int number;            // Windows code page number
    const char *name;      // preferred encoding name, lower case
    const char16_t *high;  // characters of the bytes 0x80..0xFF
};

extern const TTable kTables[];
extern const int kTableCount;

} // namespace zelmio::codepage_tables
