#pragma once
// A field as the data packet's metadata declares it, and what the record set
// makes of it: field class, data type, size and how the values are read.

#include "platform/DataSet.h"
#include "platform/PacketColumn.h"

#include <QString>
#include <string>

namespace zelmio {

// The record-set field class a packet field becomes.
enum class TPacketFieldClass {
    String, WideString, Smallint, Word, Integer, Largeint, Float, Currency, BCD,
    Boolean, Date, Time, DateTime, Blob, Memo, WideMemo, Graphic
};

// How the value texts of a field are read.
enum class TPacketValueSyntax {
    Int8, UInt8, Int16, UInt16, Int32, UInt32, Int64, Float, Boolean,
    Date, Time, DateTime, Text, Base64
};

struct TPacketFieldDef {
    QString name;              // attrname
    std::string nameUtf8;      // the same, as the row attributes spell it
    QString packetType;        // fieldtype as written ("i4", "string.uni" ...)
    QString subtype;           // SUBTYPE as written
    TPacketFieldClass fieldClass = TPacketFieldClass::WideString;
    TFieldType dataType = TFieldType::ftWideString;
    TPacketValueSyntax syntax = TPacketValueSyntax::Text;
    TPacketStorage storage = TPacketStorage::Text;
    int size = 0;              // characters, decimals (BCD) or the declared width
    int fixedLength = 0;       // fixed-length text: characters to pad to
    bool required = false;

    // Fills the type-dependent members from fieldtype, SUBTYPE, WIDTH and
    // DECIMALS. Unknown types become text fields holding the attribute text.
    static TPacketFieldDef fromMetadata(const QString &name, const QString &fieldType,
                                        const QString &subtype, int width, int decimals,
                                        bool required);
};

} // namespace zelmio
