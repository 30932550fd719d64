// Packets of the shell's 352-field layout as the generator writes them (UTF-8
// and Windows-1257, with pictures, with missing values) all load.
#include "FormatTestPrinting.h"
#include "platform/ClientDataSet.h"
#include "platform/Formats.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

class GeneratedPackets : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_dir = new QTemporaryDir();
        ASSERT_TRUE(s_dir->isValid());
    }
    static void TearDownTestSuite()
    {
        delete s_dir;
        s_dir = nullptr;
    }

    // Writes a packet with the generator and returns its path.
    static QString generate(const QString &name, const QStringList &options)
    {
        const QString path = s_dir->filePath(name);
        QProcess p;
        const QString python = QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                                                : QStringLiteral("python3");
        p.start(python, QStringList{QStringLiteral(ZELMIO_SHARED_DIR "/tools/make-data-packet.py"),
                                    QStringLiteral("-o"), path}
                            + options);
        EXPECT_TRUE(p.waitForFinished(120000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        return path;
    }

    static QTemporaryDir *s_dir;
};

QTemporaryDir *GeneratedPackets::s_dir = nullptr;

} // namespace

TEST_F(GeneratedPackets, EveryVariantLoadsWith352Fields)
{
    ScopedFormatSettings locale(TFormatSettings::latvian());
    struct Variant {
        const char *name;
        QStringList options;
        const char *encoding;
    };
    const Variant variants[] = {
        {"utf8.xml", {"--rows", "60", "--images", "none"}, "UTF-8"},
        {"cp1257.xml", {"--rows", "60", "--images", "none", "--encoding", "windows-1257"}, "windows-1257"},
        {"images.xml", {"--rows", "60", "--images", "mixed"}, "UTF-8"},
        {"nulls.xml", {"--rows", "60", "--images", "png", "--null-rate", "0.3"}, "UTF-8"},
        {"nulls1257.xml", {"--rows", "60", "--images", "jpeg", "--null-rate", "0.3", "--encoding", "windows-1257"},
         "windows-1257"},
    };
    QStringList referenceTexts;
    for (const Variant &v : variants) {
        SCOPED_TRACE(v.name);
        TClientDataSet ds;
        ds.SetFileName(generate(QLatin1String(v.name), v.options));
        ASSERT_NO_THROW(ds.Open());
        EXPECT_EQ(ds.FieldCount(), 352);
        EXPECT_EQ(ds.RecordCount(), 60);
        EXPECT_EQ(ds.Encoding(), QLatin1String(v.encoding));

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
            if (!v.options.contains(QStringLiteral("none")) && !picture->IsNull()) {
                const QByteArray head = picture->CreateBlobStream()->read(4);
                EXPECT_TRUE(head == QByteArray("\x89PNG") || head.startsWith("\xFF\xD8")) << head.toHex().toStdString();
            }
        }
        if (v.options.contains(QStringLiteral("--null-rate"))) {
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
