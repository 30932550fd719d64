// The record set loaded from hand-written data packets: field classes and
// sizes, typed getters, display texts under two locales, nulls, lookup,
// encodings, change-log rows, blobs, the cursor and broken packets.
#include "FormatTestPrinting.h"
#include "platform/ClientDataSet.h"
#include "platform/Formats.h"
#include "platform/PacketReader.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <functional>
#include <memory>
#include <string>

using namespace zelmio;

namespace {

QString packetPath(const QString &name)
{
    return QStringLiteral(ZELMIO_TEST_DATA "/packets/") + name;
}

std::unique_ptr<TClientDataSet> openPacket(const QString &name)
{
    auto ds = std::make_unique<TClientDataSet>();
    ds->SetFileName(packetPath(name));
    ds->Open();
    return ds;
}

std::unique_ptr<TClientDataSet> openBytes(const QByteArray &packet)
{
    auto ds = std::make_unique<TClientDataSet>();
    ds->SetXMLData(packet);
    ds->Open();
    return ds;
}

QString errorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const EDatabaseError &e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

// A packet with the given field declarations and rows.
QByteArray packet(const char *fields, const char *rows)
{
    return QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<DATAPACKET Version=\"2.0\">"
                      "<METADATA><FIELDS>")
        + fields + "</FIELDS></METADATA><ROWDATA>\n" + rows + "\n</ROWDATA></DATAPACKET>\n";
}

} // namespace

TEST(ClientDataSet, FieldClassesTypesAndSizes)
{
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    struct Row {
        const char *name;
        const char *className;
        TFieldType type;
        int size;
        bool required;
    };
    const Row rows[] = {
        {"ISN", "zelmio::TIntegerField", TFieldType::ftInteger, 0, true},
        {"MAZS", "zelmio::TSmallintField", TFieldType::ftSmallint, 0, false},
        {"BAITS", "zelmio::TSmallintField", TFieldType::ftSmallint, 0, false},
        {"VARDS", "zelmio::TWordField", TFieldType::ftWord, 0, false},
        {"LIELS", "zelmio::TLargeintField", TFieldType::ftLargeint, 0, false},
        {"CENA", "zelmio::TFloatField", TFieldType::ftFloat, 0, false},
        {"NAUDA", "zelmio::TCurrencyField", TFieldType::ftCurrency, 0, false},
        {"NODOKLIS", "zelmio::TBCDField", TFieldType::ftBCD, 2, false},
        {"IR", "zelmio::TBooleanField", TFieldType::ftBoolean, 0, false},
        {"DERLIDZ", "zelmio::TDateField", TFieldType::ftDate, 0, false},
        {"LAIKS", "zelmio::TTimeField", TFieldType::ftTime, 0, false},
        {"DATUMS", "zelmio::TDateTimeField", TFieldType::ftDateTime, 0, false},
        {"EAN", "zelmio::TStringField", TFieldType::ftString, 20, false},
        {"PRECE", "zelmio::TWideStringField", TFieldType::ftWideString, 250, true},
        {"KODS", "zelmio::TWideStringField", TFieldType::ftFixedWideChar, 4, false},
        {"ZIME", "zelmio::TStringField", TFieldType::ftFixedChar, 3, false},
        {"BILDE", "zelmio::TGraphicField", TFieldType::ftGraphic, 8, false},
        {"DATI", "zelmio::TBlobField", TFieldType::ftBlob, 8, false},
        {"PIEZIMES", "zelmio::TMemoField", TFieldType::ftMemo, 0, false},
        {"KOMENTARS", "zelmio::TWideMemoField", TFieldType::ftWideMemo, 0, false},
        {"CITS", "zelmio::TWideStringField", TFieldType::ftWideString, 38, false},   // unknown type
    };
    ASSERT_EQ(ds->FieldCount(), int(std::size(rows)));
    for (int i = 0; i < int(std::size(rows)); ++i) {
        const Row &r = rows[i];
        SCOPED_TRACE(r.name);
        const TField *f = ds->Fields()[std::size_t(i)];
        EXPECT_EQ(f->FieldName(), QLatin1String(r.name));
        EXPECT_EQ(f->Index(), i);
        EXPECT_STREQ(f->metaObject()->className(), r.className);
        EXPECT_EQ(f->DataType(), r.type);
        EXPECT_EQ(f->Size(), r.size);
        EXPECT_EQ(f->Required(), r.required);
        EXPECT_EQ(f->DataSet(), ds.get());
    }
    // The class tests the expression evaluator relies on.
    EXPECT_TRUE(ds->FieldByName("KOMENTARS")->inherits("zelmio::TBlobField"));
    EXPECT_TRUE(ds->FieldByName("LAIKS")->inherits("zelmio::TDateTimeField"));
    EXPECT_TRUE(ds->FieldByName("PRECE")->inherits("zelmio::TStringField"));
    EXPECT_TRUE(ds->DefaultFields());
    EXPECT_EQ(ds->RecordCount(), 3);
}

TEST(ClientDataSet, DisplayTextUnderLatvianAndUsLocales)
{
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    struct Row {
        int record;
        const char *field;
        const char *latvian;
        const char *us;
    };
    const Row rows[] = {
        {1, "ISN", "1", "1"},
        {1, "MAZS", "-12", "-12"},
        {1, "VARDS", "65000", "65000"},
        {1, "LIELS", "9007199254740993", "9007199254740993"},
        {1, "CENA", "1234,5", "1234.5"},
        {3, "CENA", "1,5E-5", "1.5E-5"},
        {1, "NAUDA", "2,50 €", "$2.50"},
        {3, "NAUDA", "-1 234,50 €", "($1,234.50)"},
        {1, "NODOKLIS", "21,5", "21.5"},
        {3, "NODOKLIS", "0,5", "0.5"},
        {1, "IR", "True", "True"},
        {3, "IR", "False", "False"},
        {1, "DERLIDZ", "08.12.2026", "12/8/2026"},
        {3, "DERLIDZ", "01.01.1900", "1/1/1900"},
        {1, "LAIKS", "14:30:05", "2:30:05 PM"},
        {3, "LAIKS", "00:00:00", "12:00:00 AM"},
        {1, "DATUMS", "08.12.2026 14:30:05", "12/8/2026 2:30:05 PM"},
        {3, "DATUMS", "08.12.2026", "12/8/2026"},   // midnight: the date alone
        {1, "EAN", "4751000015838", "4751000015838"},
        {1, "PRECE", "Piens 2,5% & <maize> \"Ērglis\"", "Piens 2,5% & <maize> \"Ērglis\""},
        {3, "PRECE", "  atstarpes  ", "  atstarpes  "},
        {1, "KODS", "AB  ", "AB  "},      // fixed length: padded to 4 characters
        {3, "KODS", "ABCD", "ABCD"},
        {1, "ZIME", "x  ", "x  "},
        {1, "BILDE", "(GRAPHIC)", "(GRAPHIC)"},
        {1, "DATI", "(BLOB)", "(BLOB)"},
        {1, "PIEZIMES", "Uzglabāt vēsā vietā.\nOtrā rinda", "Uzglabāt vēsā vietā.\nOtrā rinda"},
        {1, "KOMENTARS", "Ērglis Ж", "Ērglis Ж"},
        {1, "CITS", "{6F9619FF-8B86-D011-B42D-00C04FC964FF}", "{6F9619FF-8B86-D011-B42D-00C04FC964FF}"},
    };
    for (const bool latvian : {true, false}) {
        ScopedFormatSettings locale(latvian ? TFormatSettings::latvian() : TFormatSettings::usEnglish());
        for (const Row &r : rows) {
            SCOPED_TRACE(QStringLiteral("%1 record %2 %3").arg(QLatin1String(r.field)).arg(r.record)
                             .arg(latvian ? QLatin1String("lv") : QLatin1String("us")).toStdString());
            ds->SetRecNo(r.record);
            EXPECT_EQ(ds->FieldByName(QLatin1String(r.field))->DisplayText(),
                      QString::fromUtf8(latvian ? r.latvian : r.us));
        }
    }
}

TEST(ClientDataSet, TypedGetters)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    ds->First();
    auto f = [&](const char *name) { return ds->FieldByName(QLatin1String(name)); };

    EXPECT_EQ(f("ISN")->AsInteger(), 1);
    EXPECT_EQ(f("MAZS")->AsInteger(), -12);
    EXPECT_EQ(f("MAZS")->AsFloat(), -12.0);
    EXPECT_EQ(f("BAITS")->AsLargeInt(), 200);
    EXPECT_EQ(f("LIELS")->AsLargeInt(), Q_INT64_C(9007199254740993));
    EXPECT_DOUBLE_EQ(f("CENA")->AsFloat(), 1234.5);
    EXPECT_EQ(f("CENA")->AsInteger(), 1234);   // halves to the even neighbour
    EXPECT_EQ(f("CENA")->AsString(), QStringLiteral("1234,5"));
    EXPECT_DOUBLE_EQ(f("NODOKLIS")->AsFloat(), 21.5);
    EXPECT_TRUE(f("IR")->AsBoolean());
    EXPECT_EQ(f("IR")->AsInteger(), 1);
    EXPECT_EQ(f("IR")->AsString(), QStringLiteral("True"));

    // Dates are day numbers from 30 December 1899; the plain text of a date
    // or time is its value by the locale.
    EXPECT_DOUBLE_EQ(f("DERLIDZ")->AsDateTime(), 46364.0);
    EXPECT_DOUBLE_EQ(f("DERLIDZ")->AsFloat(), 46364.0);
    EXPECT_EQ(f("DERLIDZ")->AsString(), QStringLiteral("08.12.2026"));
    EXPECT_NEAR(f("LAIKS")->AsDateTime(), (14 * 3600 + 30 * 60 + 5) / 86400.0, 1e-12);
    EXPECT_EQ(f("LAIKS")->AsString(), QStringLiteral("14:30:05"));
    EXPECT_NEAR(f("DATUMS")->AsDateTime(), 46364.0 + (14 * 3600 + 30 * 60 + 5) / 86400.0, 1e-9);
    EXPECT_EQ(f("DATUMS")->AsString(), QStringLiteral("08.12.2026 14:30:05"));

    EXPECT_EQ(f("EAN")->AsString(), QStringLiteral("4751000015838"));
    EXPECT_EQ(f("EAN")->AsLargeInt(), Q_INT64_C(4751000015838));
    EXPECT_EQ(f("EAN")->AsBytes(), QByteArray("4751000015838"));
    EXPECT_EQ(f("PRECE")->AsWideString(), QStringLiteral("Piens 2,5% & <maize> \"Ērglis\""));
    // 8-bit blob bytes that are not UTF-8 read as text in the host's code page.
    EXPECT_EQ(f("DATI")->AsString(), QStringLiteral("Derīgs līdz"));
    EXPECT_EQ(f("DATI")->AsBytes(), QByteArray("Der\xEEgs l\xEE" "dz"));

    ds->SetRecNo(3);
    EXPECT_DOUBLE_EQ(f("CENA")->AsFloat(), 1.5e-5);
    EXPECT_DOUBLE_EQ(f("DERLIDZ")->AsDateTime(), 2.0);   // 1 January 1900
    EXPECT_FALSE(f("IR")->AsBoolean());
    EXPECT_FALSE(f("EAN")->IsNull());                    // an empty text is a value
    EXPECT_EQ(f("EAN")->AsString(), QString());
}

TEST(ClientDataSet, ConversionErrorsNameTheValueAndField)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    auto ds = openBytes(packet(
        "<FIELD attrname=\"TEKSTS\" fieldtype=\"string.uni\" WIDTH=\"40\"/>"
        "<FIELD attrname=\"LIELS\" fieldtype=\"i8\"/>"
        "<FIELD attrname=\"DIENA\" fieldtype=\"date\"/>"
        "<FIELD attrname=\"BILDE\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>",
        "<ROW TEKSTS=\" 12 \" LIELS=\"5000000000\" DIENA=\"20261208\" BILDE=\"AAEC\"/>"
        "<ROW TEKSTS=\"abc\"/>"
        "<ROW TEKSTS=\"2.5\"/>"
        "<ROW TEKSTS=\"2,5\"/>"
        "<ROW TEKSTS=\"08.12.2026\"/>"));
    TField *text = ds->FieldByName(QStringLiteral("TEKSTS"));
    EXPECT_EQ(text->AsInteger(), 12);
    EXPECT_EQ(errorOf([&] { ds->FieldByName(QStringLiteral("LIELS"))->AsInteger(); }),
              QStringLiteral("Value 5000000000 of field 'LIELS' is out of the integer range"));
    EXPECT_EQ(errorOf([&] { ds->FieldByName(QStringLiteral("DIENA"))->AsInteger(); }),
              QStringLiteral("Field 'DIENA' of type Date cannot be read as an integer"));
    EXPECT_EQ(errorOf([&] { ds->FieldByName(QStringLiteral("BILDE"))->AsFloat(); }),
              QStringLiteral("Field 'BILDE' of type Graphic cannot be read as a float"));
    ds->Next();
    EXPECT_EQ(errorOf([&] { text->AsInteger(); }),
              QStringLiteral("'abc' is not a valid integer value for field 'TEKSTS'"));
    EXPECT_EQ(errorOf([&] { text->AsFloat(); }),
              QStringLiteral("'abc' is not a valid float value for field 'TEKSTS'"));
    EXPECT_EQ(errorOf([&] { text->AsBoolean(); }),
              QStringLiteral("'abc' is not a valid boolean value for field 'TEKSTS'"));
    ds->Next();
    EXPECT_DOUBLE_EQ(text->AsFloat(), 2.5);   // a program's "." ...
    ds->Next();
    EXPECT_DOUBLE_EQ(text->AsFloat(), 2.5);   // ... and the locale's ","
    ds->Next();
    EXPECT_DOUBLE_EQ(text->AsDateTime(), 46364.0);
}

TEST(ClientDataSet, NullValuesReadAsEmpty)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    ds->SetRecNo(2);
    for (TField *f : ds->Fields()) {
        SCOPED_TRACE(f->FieldName().toStdString());
        if (f->FieldName() == QLatin1String("ISN") || f->FieldName() == QLatin1String("PRECE")) {
            EXPECT_FALSE(f->IsNull());
            continue;
        }
        EXPECT_TRUE(f->IsNull());
        EXPECT_EQ(f->AsInteger(), 0);
        EXPECT_EQ(f->AsLargeInt(), 0);
        EXPECT_EQ(f->AsFloat(), 0.0);
        EXPECT_FALSE(f->AsBoolean());
        EXPECT_EQ(f->AsDateTime(), 0.0);
        EXPECT_EQ(f->AsString(), QString());
        EXPECT_EQ(f->DisplayText(), QString());
        EXPECT_TRUE(f->AsBytes().isEmpty());
        EXPECT_EQ(f->BlobSize(), 0);
    }
    EXPECT_EQ(ds->FieldByName(QStringLiteral("PRECE"))->AsString(), QStringLiteral("Tukšs"));
}

TEST(ClientDataSet, FieldLookupIgnoresCase)
{
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    EXPECT_EQ(ds->FindField(QStringLiteral("prece")), ds->Fields()[13]);
    EXPECT_EQ(ds->FindField(QStringLiteral("Derlidz")), ds->Fields()[9]);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("isn")), ds->Fields()[0]);
    EXPECT_EQ(ds->FindField(QStringLiteral("NAV_TADA")), nullptr);
    EXPECT_EQ(errorOf([&] { ds->FieldByName(QStringLiteral("NAV_TADA")); }),
              QStringLiteral("Field 'NAV_TADA' not found"));

    // Row attributes find their field without regard to case too.
    auto lower = openBytes(packet("<FIELD attrname=\"Cena\" fieldtype=\"r8\"/>", "<ROW cena=\"2.5\"/><ROW CENA=\"3\"/>"));
    EXPECT_DOUBLE_EQ(lower->FieldByName(QStringLiteral("CENA"))->AsFloat(), 2.5);
    lower->Next();
    EXPECT_DOUBLE_EQ(lower->FieldByName(QStringLiteral("CENA"))->AsFloat(), 3.0);
}

TEST(ClientDataSet, BlobStreamHoldsTheDecodedBytes)
{
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    const TField *picture = ds->FieldByName(QStringLiteral("BILDE"));
    const QByteArray expected = QByteArray::fromBase64("iVBORw0KGgoAAAAN");
    ASSERT_EQ(expected.size(), 12);
    EXPECT_EQ(picture->BlobSize(), 12);
    EXPECT_EQ(picture->AsBytes(), expected);
    std::unique_ptr<QIODevice> stream = picture->CreateBlobStream();
    ASSERT_TRUE(stream->isOpen());
    EXPECT_EQ(stream->readAll(), expected);

    const TField *wide = ds->FieldByName(QStringLiteral("KOMENTARS"));
    EXPECT_EQ(wide->CreateBlobStream()->readAll(), QByteArray::fromBase64("EgFyAGcAbABpAHMAIAAWBA=="));
}

TEST(ClientDataSet, CursorMovesAndStops)
{
    auto ds = openPacket(QStringLiteral("all_types.xml"));
    const TField *isn = ds->FieldByName(QStringLiteral("ISN"));
    EXPECT_TRUE(ds->Bof());
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(ds->RecNo(), 1);
    QList<int> seen;
    for (ds->First(); !ds->Eof(); ds->Next())
        seen << isn->AsInteger();
    EXPECT_EQ(seen, (QList<int>{1, 2, 3}));
    EXPECT_EQ(ds->RecNo(), 3);   // Eof stays on the last record
    ds->Prior();
    EXPECT_FALSE(ds->Eof());
    EXPECT_EQ(isn->AsInteger(), 2);
    ds->Prior();
    ds->Prior();
    EXPECT_TRUE(ds->Bof());
    EXPECT_EQ(ds->RecNo(), 1);
    ds->Last();
    EXPECT_TRUE(ds->Eof());
    EXPECT_EQ(isn->AsInteger(), 3);
    ds->SetRecNo(2);
    EXPECT_EQ(isn->AsInteger(), 2);
    EXPECT_FALSE(ds->Eof() || ds->Bof());
    EXPECT_EQ(errorOf([&] { ds->SetRecNo(4); }),
              QStringLiteral("Record set: record 4 does not exist (3 records)"));

    // A packet without rows: at the end from the start, fields read as null.
    auto empty = openBytes(packet("<FIELD attrname=\"ISN\" fieldtype=\"i4\"/>", ""));
    EXPECT_TRUE(empty->Eof());
    EXPECT_TRUE(empty->Bof());
    EXPECT_EQ(empty->RecordCount(), 0);
    EXPECT_EQ(empty->RecNo(), 0);
    EXPECT_TRUE(empty->FieldByName(QStringLiteral("ISN"))->IsNull());

    // Closing frees the fields; a closed set refuses to move.
    ds->Close();
    EXPECT_FALSE(ds->Active());
    EXPECT_EQ(ds->FieldCount(), 0);
    EXPECT_EQ(ds->FindField(QStringLiteral("ISN")), nullptr);
    EXPECT_EQ(ds->RecordCount(), 0);
    EXPECT_TRUE(ds->Eof());
    ds->setObjectName(QStringLiteral("RovevarurezDataSet"));
    EXPECT_EQ(errorOf([&] { ds->First(); }), QStringLiteral("Record set 'RovevarurezDataSet' is closed"));
    ds->Open();
    EXPECT_EQ(ds->FieldCount(), 21);
}

TEST(ClientDataSet, ChangeLogRowsGiveTheCurrentState)
{
    auto ds = openPacket(QStringLiteral("change_log.xml"));
    struct Row {
        int isn;
        const char *name;
        double price;
    };
    const Row expected[] = {
        {1, "bez stāvokļa", 1},        // no RowState
        {2, "ievietots", 2},           // inserted
        {7, "viens mainīts", 7},       // a lone modified row
        {3, "mainīts", 3},             // original + modified: PRECE replaced, CENA kept
                                       // (4 is deleted)
        {0, "", 4.5},                  // a modification after a deleted row stands alone
        {6, "otrreiz mainīts", 6.5},   // original + two modifications
        {8, "viens oriģināls", 8},     // a lone original row
        {9, "pēdējais", 9},
    };
    ASSERT_EQ(ds->RecordCount(), int(std::size(expected)));
    int i = 0;
    for (ds->First(); !ds->Eof(); ds->Next(), ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(ds->FieldByName(QStringLiteral("ISN"))->AsInteger(), expected[i].isn);
        EXPECT_EQ(ds->FieldByName(QStringLiteral("PRECE"))->AsString(), QString::fromUtf8(expected[i].name));
        EXPECT_DOUBLE_EQ(ds->FieldByName(QStringLiteral("CENA"))->AsFloat(), expected[i].price);
    }
}

TEST(ClientDataSet, RowsParsedInChunksOrAsOneDocumentAgree)
{
    // Chunks of one and two rows cross every row border; a comment among the
    // rows sends the reader to the whole-document parse.
    QFile file(packetPath(QStringLiteral("change_log.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray original = file.readAll();
    QByteArray withComment = original;
    withComment.replace("<ROW RowState=\"2\" ISN=\"4\"", "<!-- dzēsts --><ROW RowState=\"2\" ISN=\"4\"");

    auto dump = [](const TPacketData &d) {
        QStringList out;
        for (int r = 0; r < d.recordCount; ++r)
            for (std::size_t c = 0; c < d.columns.size(); ++c) {
                const TPacketColumn &col = *d.columns[c];
                if (!col.hasValue(r))
                    out << QStringLiteral("null");
                else if (col.storage() == TPacketStorage::Text)
                    out << QString::fromUtf8(col.bytesAt(r).data(), qsizetype(col.bytesAt(r).size()));
                else if (col.storage() == TPacketStorage::Int32)
                    out << QString::number(col.int32At(r));
                else
                    out << QString::number(col.doubleAt(r));
            }
        return out;
    };
    TPacketReader whole(QStringLiteral("x"));
    const auto reference = whole.readBytes(withComment.toStdString());
    EXPECT_FALSE(whole.usedChunkedParse());
    EXPECT_EQ(reference->recordCount, 8);
    for (std::size_t rowsPerChunk : {1, 2, 3, 2000}) {
        SCOPED_TRACE(rowsPerChunk);
        TPacketReader reader(QStringLiteral("x"));
        reader.setRowsPerChunk(rowsPerChunk);
        const auto data = reader.readBytes(original.toStdString());
        EXPECT_TRUE(reader.usedChunkedParse());
        EXPECT_EQ(dump(*data), dump(*reference));
    }
}

TEST(ClientDataSet, Windows1257PacketWithReferences)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    auto ds = openPacket(QStringLiteral("latvian_1257.xml"));
    EXPECT_EQ(ds->Encoding(), QStringLiteral("windows-1257"));
    EXPECT_EQ(ds->CodePage(), 1257);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("PRECE"))->AsString(),
              QStringLiteral("Ābols, ķirsis, žagata, Ņ Молоко"));
    EXPECT_EQ(ds->FieldByName(QStringLiteral("GNOS_1"))->AsString(), QStringLiteral("Čiekurs"));
    EXPECT_EQ(ds->FieldByName(QStringLiteral("PIEZIMES"))->AsString(), QStringLiteral("Derīgs līdz"));
    ds->Next();
    EXPECT_EQ(ds->FieldByName(QStringLiteral("PRECE"))->AsString(), QStringLiteral("Ūdens €"));

    // Without a declaration, bytes that are not UTF-8 are Windows-1257.
    const QByteArray undeclared = QByteArray("<DATAPACKET><METADATA><FIELDS>"
                                             "<FIELD attrname=\"PRECE\" fieldtype=\"string.uni\" WIDTH=\"40\"/>"
                                             "</FIELDS></METADATA><ROWDATA><ROW PRECE=\"")
        + QByteArray("\xC2\x62ols \xDE\xE2") + "\"/></ROWDATA></DATAPACKET>";
    auto guessed = openBytes(undeclared);
    EXPECT_EQ(guessed->Encoding(), QStringLiteral("windows-1257"));
    EXPECT_EQ(guessed->FieldByName(QStringLiteral("PRECE"))->AsString(), QStringLiteral("Ābols Žā"));

    // ... and valid UTF-8 without a declaration is UTF-8; a byte order mark is allowed.
    auto utf8 = openBytes(QByteArray("\xEF\xBB\xBF") + undeclared.left(undeclared.indexOf("\xC2"))
                          + "\xC4\x80\x62ols\"/></ROWDATA></DATAPACKET>");
    EXPECT_EQ(utf8->Encoding(), QStringLiteral("UTF-8"));
    EXPECT_EQ(utf8->FieldByName(QStringLiteral("PRECE"))->AsString(), QStringLiteral("Ābols"));
}

TEST(ClientDataSet, BrokenPacketsAreRefusedAndTheSetStaysClosed)
{
    struct Row {
        const char *file;
        std::string problem;
    };
    const Row rows[] = {
        {"empty.xml", "the file is empty"},
        {"not_xml.xml", "not an XML file: no document element found"},
        {"binary_garbage.bin", "the file holds NUL bytes: it is not an XML text file"},
        {"not_datapacket.xml", "not a data packet: the root element is <html>, not <DATAPACKET>"},
        {"no_metadata.xml", "no field list (METADATA/FIELDS)"},
        {"no_fields.xml", "no field list (METADATA/FIELDS)"},
        {"field_twice.xml", "the field 'Isn' is declared twice"},
        {"bad_float.xml", "row 3, field CENA: 'abc' is not a valid float value"},
        {"float_too_large.xml", "row 3, field CENA: '" + std::string(60, '9') + "...' is not a valid float value"},
        {"huge_width.xml", "field 'KODS': WIDTH 2147483647 is out of range (0 to 65535)"},
        {"huge_decimals.xml", "field 'NODOKLIS': DECIMALS 99999999999999999999 is out of range (0 to 65535)"},
        {"bad_integer.xml", "row 3, field ISN: '3x' is not a valid integer value"},
        {"integer_out_of_range.xml", "row 3, field MAZS: '70000' is out of range for the type i2 (-32768 to 32767)"},
        {"bad_boolean.xml", "row 3, field IR: 'jā' is not a valid boolean value"},
        {"bad_date.xml", "row 3, field DERLIDZ: '20260231' is not a valid date value (yyyymmdd)"},
        {"bad_datetime.xml",
         "row 3, field DATUMS: '2026-12-08 10:00' is not a valid date-time value (yyyymmddThh:mm:sszzz)"},
        {"bad_base64.xml", "row 3, field BILDE: 'iVBOR*w0KGgo=' is not valid Base64"},
        {"value_twice.xml", "row 3, field CENA: the value is given twice"},
        {"bad_rowstate.xml", "row 3: 'x' is not a valid RowState"},
        {"broken_row_markup.xml", "not well-formed XML: line 13, column 38: Error parsing start element tag"},
        {"truncated.xml",
         "not well-formed XML: line 14, column 1: Error parsing element attribute (the file ends here: is it cut short?)"},
        {"unsupported_encoding.xml", "the declared encoding 'x-unknown-42' is not supported"},
        {"invalid_utf8.xml", "line 3: bytes that are not valid UTF-8, although the file declares the encoding 'UTF-8'"},
        {"does_not_exist.xml", "cannot be opened: No such file or directory"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.file);
        const QString path = packetPath(QStringLiteral("broken/") + QLatin1String(r.file));
        TClientDataSet ds;
        ds.SetFileName(path);
        EXPECT_EQ(errorOf([&] { ds.Open(); }),
                  QStringLiteral("Data packet %1: %2").arg(path, QString::fromStdString(r.problem)));
        EXPECT_FALSE(ds.Active());
        EXPECT_EQ(ds.FieldCount(), 0);
        EXPECT_EQ(ds.RecordCount(), 0);
    }
}

TEST(ClientDataSet, HugeValuesAndOddPacketsLoad)
{
    // A 16 MB text, a field nobody declared (ignored), a required value left
    // out (null: real packets do that), markup variants and a ROWDATA that
    // holds no rows at all.
    const QByteArray big(16 * 1024 * 1024, 'x');
    auto ds = openBytes(packet("<FIELD attrname=\"T\" fieldtype=\"string.uni\" WIDTH=\"2\" required=\"true\"/>"
                               "<FIELD attrname=\"N\" fieldtype=\"i4\" required=\"true\"/>",
                               ("<ROW T=\"" + big + "\" EXTRA=\"1\"/>\n<ROW\tN = '2' ></ROW>").constData()));
    ASSERT_EQ(ds->RecordCount(), 2);
    EXPECT_EQ(ds->FieldByName(QStringLiteral("T"))->AsString().size(), big.size());
    ds->Next();
    EXPECT_TRUE(ds->FieldByName(QStringLiteral("T"))->IsNull());
    EXPECT_EQ(ds->FieldByName(QStringLiteral("N"))->AsInteger(), 2);

    auto noRows = openBytes("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>"
                            "<FIELD attrname=\"N\" fieldtype=\"i4\"/></FIELDS></METADATA><ROWDATA/></DATAPACKET>");
    EXPECT_EQ(noRows->RecordCount(), 0);
    EXPECT_EQ(noRows->FieldCount(), 1);

    // Every prefix of a packet is refused cleanly or loads; none crashes or hangs.
    QFile file(packetPath(QStringLiteral("all_types.xml")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray whole = file.readAll();
    for (qsizetype n = 0; n < whole.size(); n += 7) {
        TClientDataSet cut;
        cut.SetXMLData(whole.left(n).isEmpty() ? QByteArray(" ") : whole.left(n));
        try {
            cut.Open();
        } catch (const EDatabaseError &) {
            EXPECT_FALSE(cut.Active());
        }
    }
}
