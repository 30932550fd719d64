// The shell's print-time hooks: labels named after the scheme get amounts and
// dates in words, BILDE pictures are decoded from PNG or JPEG.
#include "app/PrintTimeHooks.h"

#include "app/LanguageServices.h"

#include "model/VxBand.h"
#include "model/VxDBImage.h"
#include "model/VxLabel.h"
#include "model/VxPicture.h"
#include "model/VxShape.h"
#include "platform/ClientDataSet.h"
#include "platform/FormatSettings.h"
#include "platform/VxError.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QByteArray Encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toBase64();
}

struct HookFixture {
    ScopedFormatSettings settings{TFormatSettings::latvian()};
    TComponent form;
    TVxBand *band = new TVxBand(&form);
    TClientDataSet *data = new TClientDataSet(&form);

    explicit HookFixture(bool withCurrency = true, const QByteArray &picture = QByteArray())
    {
        band->SetName(QStringLiteral("DetailBand1"));
        QByteArray fields = "<FIELD attrname=\"KOPSUMMA\" fieldtype=\"r8\"/>"
                            "<FIELD attrname=\"DATUMS\" fieldtype=\"date\"/>"
                            "<FIELD attrname=\"BILDE\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>"
                            "<FIELD attrname=\"BILDE2\" fieldtype=\"bin.hex\" SUBTYPE=\"Graphics\"/>";
        QByteArray row = "KOPSUMMA=\"1234.5\" DATUMS=\"20261208\"";
        if (withCurrency) {
            fields += "<FIELD attrname=\"VALUTA\" fieldtype=\"string.uni\" WIDTH=\"6\"/>";
            row += " VALUTA=\"LVL\"";
        }
        if (!picture.isEmpty())
            row += " BILDE=\"" + picture + "\" BILDE2=\"" + picture + "\"";
        data->SetXMLData("<?xml version=\"1.0\"?><DATAPACKET><METADATA><FIELDS>" + fields
                         + "</FIELDS></METADATA><ROWDATA><ROW " + row + "/></ROWDATA></DATAPACKET>");
        data->Open();
    }
    TVxLabel *Label(const QString &name, const QString &caption)
    {
        auto *label = new TVxLabel(&form);
        label->SetName(name);
        label->SetParent(band);
        label->SetCaption(caption);
        return label;
    }
    void PrintBand()
    {
        TZelmioPrintHooks hooks(data);
        bool printBand = true;
        hooks.BandBeforePrint(band, printBand);
        EXPECT_TRUE(printBand);
    }
};

} // namespace

TEST(PrintTimeHooks, NamedLabelsGetAmountsAndDatesInWords)
{
    HookFixture f;
    TVxLabel *sum = f.Label(QStringLiteral("SumLat"), QStringLiteral("KOPSUMMA"));
    TVxLabel *euro = f.Label(QStringLiteral("SumEngEurExpr3"), QStringLiteral("21"));
    TVxLabel *date = f.Label(QStringLiteral("DatLatExpr"), QStringLiteral("08.12.2026"));
    TVxLabel *field = f.Label(QStringLiteral("DatEng"), QStringLiteral("DATUMS"));
    TVxLabel *notDate = f.Label(QStringLiteral("DatLatExpr1"), QStringLiteral("tomorrow"));
    TVxLabel *tooFar = f.Label(QStringLiteral("SumLat6"), QStringLiteral("KOPSUMMA"));
    TVxLabel *other = f.Label(QStringLiteral("Cena"), QStringLiteral("KOPSUMMA"));
    f.PrintBand();
    // The record's currency for SumLat, EUR whatever the record says for ...Eur...
    EXPECT_EQ(sum->Caption(), TLanguageServices::SumLat(QStringLiteral("LVL"), QString(), 1234.5));
    EXPECT_EQ(euro->Caption(), QStringLiteral(" Twenty one EUR  00 cents"));
    EXPECT_EQ(date->Caption(), QStringLiteral("2026. gada 08. decembr\u012B"));
    EXPECT_EQ(field->Caption(), QStringLiteral("08 December 2026 year"));
    EXPECT_EQ(notDate->Caption(), QStringLiteral("tomorrow"));
    EXPECT_EQ(tooFar->Caption(), QStringLiteral("KOPSUMMA"));
    EXPECT_EQ(other->Caption(), QStringLiteral("KOPSUMMA"));
}

TEST(PrintTimeHooks, AnUnreadableCaptionStaysAndAnotherClassIsAnError)
{
    HookFixture f(false);
    TVxLabel *sum = f.Label(QStringLiteral("SumLat"), QStringLiteral("KOPSUMMA"));
    TVxLabel *euro = f.Label(QStringLiteral("SumLatEur"), QStringLiteral("KOPSUMMA"));
    f.PrintBand();
    // Without a VALUTA field the record's currency cannot be read.
    EXPECT_EQ(sum->Caption(), QStringLiteral("KOPSUMMA"));
    EXPECT_EQ(euro->Caption(),
              QStringLiteral(" Viens t\u016Bkstotis divi simti tr\u012Bsdesmit \u010Detri EUR piecdesmit centi"));

    auto *shape = new TVxShape(&f.form);
    shape->SetName(QStringLiteral("SumRus"));
    TZelmioPrintHooks hooks(f.data);
    bool printBand = true;
    EXPECT_THROW(hooks.BandBeforePrint(f.band, printBand), EVxError);
}

TEST(PrintTimeHooks, BildePicturesAreDecodedFromPngAndJpeg)
{
    QImage source(6, 4, QImage::Format_RGB32);
    source.fill(QColor(200, 30, 30));
    struct Row {
        const char *format;
        bool decoded;
    };
    for (const Row &row : {Row{"PNG", true}, Row{"JPG", true}, Row{"BMP", false}}) {
        SCOPED_TRACE(row.format);
        HookFixture f(true, Encoded(source, row.format));
        TZelmioPrintHooks hooks(f.data);
        for (const char *fieldName : {"BILDE", "BILDE2"}) {
            auto *element = new TVxDBImage(&f.form);
            element->SetDataSet(f.data);
            element->SetDataField(QLatin1String(fieldName));
            TVxPicture picture;
            hooks.DBImageBeforePrint(element, &picture);
            // Only BILDE is the hook's; a BMP is left to the element.
            const bool expected = row.decoded && QLatin1String(fieldName) == QLatin1String("BILDE");
            EXPECT_EQ(!picture.Image().isNull(), expected) << fieldName;
            if (expected) {
                EXPECT_EQ(picture.Image().size(), QSize(6, 4));
            }
        }
    }
    // A PNG signature on bytes that are no picture fails the print.
    HookFixture broken(true, QByteArray("\x89PNGbroken", 10).toBase64());
    auto *element = new TVxDBImage(&broken.form);
    element->SetDataSet(broken.data);
    element->SetDataField(QStringLiteral("BILDE"));
    TVxPicture picture;
    EXPECT_THROW(TZelmioPrintHooks(broken.data).DBImageBeforePrint(element, &picture), EVxError);
}
