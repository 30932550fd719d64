// Packets of the shell's 352-field layout as the generator writes them (UTF-8
// and Windows-1257, with pictures, with missing values) all load.
#include "FormatTestPrinting.h"
#include "platform/ClientDataSet.h"
#include "platform/Formats.h"
#include "testdata/PacketGenerator.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;
using testdata::TPacketOptions;
using Images = TPacketOptions::TImages;
using Encoding = TPacketOptions::TEncoding;

TEST(GeneratedPackets, EveryVariantLoadsWith352Fields)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Variant {
        const char *name;
        Images images;
        Encoding encoding;
        double nullRate;
        const char *encodingName;
    };
    const Variant variants[] = {
        {"utf8.xml", Images::None, Encoding::Utf8, 0, "UTF-8"},
        {"cp1257.xml", Images::None, Encoding::Windows1257, 0, "windows-1257"},
        {"images.xml", Images::Mixed, Encoding::Utf8, 0, "UTF-8"},
        {"nulls.xml", Images::Png, Encoding::Utf8, 0.3, "UTF-8"},
        {"nulls1257.xml", Images::Jpeg, Encoding::Windows1257, 0.3, "windows-1257"},
    };
    QStringList referenceTexts;
    for (const Variant &v : variants) {
        SCOPED_TRACE(v.name);
        TPacketOptions options;
        options.rows = 60;
        options.images = v.images;
        options.encoding = v.encoding;
        options.nullRate = v.nullRate;
        const QString path = dir.filePath(QLatin1String(v.name));
        ASSERT_NO_THROW(testdata::WriteDataPacket(path, options));
        TClientDataSet ds;
        ds.SetFileName(path);
        ASSERT_NO_THROW(ds.Open());
        EXPECT_EQ(ds.FieldCount(), 352);
        EXPECT_EQ(ds.RecordCount(), 60);
        EXPECT_EQ(ds.Encoding(), QLatin1String(v.encodingName));

        // The layout's own fields, spot-checked.
        EXPECT_STREQ(ds.FieldByName(QStringLiteral("ISN"))->metaObject()->className(), "zelmio::TIntegerField");
        EXPECT_EQ(ds.FieldByName(QStringLiteral("PRECE"))->Size(), 250);
        EXPECT_EQ(ds.FieldByName(QStringLiteral("SUMMAS_D"))->DataType(), TFieldType::ftFixedWideChar);
        EXPECT_EQ(ds.FieldByName(QStringLiteral("CITAS1_PROC"))->Size(), 2);
        EXPECT_EQ(ds.FieldByName(QStringLiteral("AKCIJALDZ16"))->DataType(), TFieldType::ftDate);
        EXPECT_EQ(ds.Fields().back()->FieldName(), QStringLiteral("AKCIJALDZ16"));

        QStringList texts;
        int nulls = 0;
        for (ds.First(); !ds.Eof(); ds.Next()) {
            EXPECT_EQ(ds.FieldByName(QStringLiteral("ISN"))->AsInteger(), ds.RecNo());
            texts << ds.FieldByName(QStringLiteral("PRECE"))->AsString()
                  << ds.FieldByName(QStringLiteral("KLIENTS"))->AsString();
            nulls += ds.FieldByName(QStringLiteral("CENA"))->IsNull() ? 1 : 0;
            const TField *fixed = ds.FieldByName(QStringLiteral("SUMMAS_D"));
            if (!fixed->IsNull()) {
                EXPECT_EQ(fixed->AsString().size(), 4);
            }
            const TField *picture = ds.FieldByName(QStringLiteral("BILDE"));
            if (v.images != Images::None && !picture->IsNull()) {
                const QByteArray head = picture->CreateBlobStream()->read(4);
                EXPECT_TRUE(head == QByteArray("\x89PNG") || head.startsWith("\xFF\xD8")) << head.toHex().toStdString();
            }
        }
        if (v.nullRate > 0) {
            EXPECT_GT(nulls, 0);
        } else {
            EXPECT_EQ(nulls, 0);
        }
        // The same texts whatever the encoding (the Russian names arrive as
        // character references in Windows-1257).
        if (QLatin1String(v.name) == QLatin1String("utf8.xml"))
            referenceTexts = texts;
        if (QLatin1String(v.name) == QLatin1String("cp1257.xml")) {
            EXPECT_EQ(texts, referenceTexts);
        }
    }
}
