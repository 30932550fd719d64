// Fixed pictures and pictures from fields: placement, clipping, fitting,
// broken data.
#include "ElementTestSupport.h"
#include "ModelTestSupport.h"
#include "model/VxDBImage.h"
#include "model/VxGrDBImage.h"
#include "model/VxImage.h"
#include "platform/ClientDataSet.h"
#include "platform/PictureLoader.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zelmio;
using namespace zelmio::test;

namespace {

// 200 x 200 pixels: red, green / blue, yellow quadrants.
QImage Quadrants()
{
    QImage image(200, 200, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.fillRect(0, 0, 100, 100, Qt::red);
    painter.fillRect(100, 0, 100, 100, Qt::green);
    painter.fillRect(0, 100, 100, 100, Qt::blue);
    painter.fillRect(100, 100, 100, 100, Qt::yellow);
    return image;
}

QRgb At(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

// Stretched pictures are smoothed: colours within a few steps.
bool Near(const QImage &image, int x, int y, QRgb expected)
{
    const QRgb actual = image.pixel(x, y);
    return std::abs(qRed(actual) - qRed(expected)) <= 4 && std::abs(qGreen(actual) - qGreen(expected)) <= 4
        && std::abs(qBlue(actual) - qBlue(expected)) <= 4;
}

TClientDataSet *OpenRecords(QObject *owner)
{
    auto *records = new TClientDataSet(owner);
    records->setObjectName(QStringLiteral("Records"));
    records->SetFileName(QStringLiteral(ZELMIO_TEST_DATA "/records.xml"));
    records->Open();
    return records;
}

const long double kHundredPixels = 100 * 254.0L / 96.0L;

} // namespace

TEST(VxImage, CentredPictureLargerThanTheElementShowsItsMiddleClipped)
{
    for (double dpi : {96.0, 300.0}) {
        SCOPED_TRACE(dpi);
        ElementFixture fixture;
        TVxImage *image = fixture.Add<TVxImage>(QStringLiteral("Image1"), kHundredPixels, kHundredPixels,
                                                kHundredPixels, kHundredPixels);
        image->SetCenter(true);
        image->Picture()->SetImage(Quadrants());
        ImagePageCanvas canvas(dpi);
        fixture.StartRun(canvas);
        image->Prepare();
        image->Print(0, 0);
        const QImage &page = canvas.Finish();
        const int s = int(std::lround(dpi / 96.0 * 100)); // the element's device size
        const int o = s;                                  // and position
        // The picture's middle: a quarter of each quadrant.
        EXPECT_EQ(At(page, o + s / 4, o + s / 4), 0xFF0000u);
        EXPECT_EQ(At(page, o + 3 * s / 4, o + s / 4), 0x00FF00u);
        EXPECT_EQ(At(page, o + s / 4, o + 3 * s / 4), 0x0000FFu);
        EXPECT_EQ(At(page, o + 3 * s / 4, o + 3 * s / 4), 0xFFFF00u);
        // Nothing outside the element.
        EXPECT_EQ(At(page, o - 2, o + s / 2), 0xFFFFFFu);
        EXPECT_EQ(At(page, o + s + 2, o + s / 2), 0xFFFFFFu);
        EXPECT_EQ(At(page, o + s / 2, o + s + 2), 0xFFFFFFu);
    }
}

TEST(VxImage, NaturalSizeAtTheCornerOrStretched)
{
    ElementFixture fixture;
    TVxImage *image = fixture.Add<TVxImage>(QStringLiteral("Image1"), 0, 0, 4 * kHundredPixels, 4 * kHundredPixels);
    image->Picture()->SetImage(Quadrants());
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    image->Prepare();
    image->Print(0, 0);
    const QImage &page = canvas.Finish();
    // At its natural size (200 screen pixels) at the top-left corner.
    EXPECT_EQ(At(page, 199, 199), 0xFFFF00u);
    EXPECT_EQ(At(page, 201, 100), 0xFFFFFFu);

    image->SetStretch(true);
    ImagePageCanvas stretched(96);
    fixture.StartRun(stretched);
    image->Prepare();
    image->Print(0, 0);
    const QImage &full = stretched.Finish();
    EXPECT_EQ(At(full, 390, 390), 0xFFFF00u);
    EXPECT_EQ(At(full, 10, 390), 0x0000FFu);

    // Exporting hands the element itself over at its device position.
    RecordingFilter filter;
    ImagePageCanvas exported(96);
    fixture.StartRun(exported, 0, &filter);
    image->Prepare();
    image->Print(0, 100);
    ASSERT_EQ(filter.Graphics().size(), 1u);
    EXPECT_EQ(filter.Graphics()[0].className, QStringLiteral("TVxImage"));
    EXPECT_EQ(int(filter.Graphics()[0].y), exported.YPos(100));
    EXPECT_EQ(filter.Graphics()[0].picture.size(), QSize(200, 200));
}

TEST(VxImage, StoredPictureDataAndAutoSize)
{
    QFile file(QStringLiteral(ZELMIO_SOURCE_DIR "/tests/platform/data/pictures/rgb4x3.bmp"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bmp = file.readAll();
    ElementFixture fixture;
    TVxImage *image = fixture.Add<TVxImage>(QStringLiteral("Image1"), 0, 0, 500, 500);
    EXPECT_TRUE(image->Picture()->LoadFromStored(TPictureLoader::WrapStoredPicture(bmp)));
    EXPECT_EQ(image->Picture()->Image().size(), QSize(4, 3));
    EXPECT_EQ(image->Picture()->StoredData(), TPictureLoader::WrapStoredPicture(bmp));
    image->SetAutoSize(true);
    EXPECT_EQ(image->BoundsRect().size(), QSize(4, 3));
    // Broken data leaves the picture empty; nothing fails.
    QString error;
    EXPECT_FALSE(image->Picture()->LoadFromStored(QByteArray("\x07TBitmap") + QByteArray("BMbroken"), &error));
    EXPECT_TRUE(image->Picture()->IsEmpty());
    EXPECT_FALSE(error.isEmpty());
    // A metafile without a renderer is kept, so that saving loses nothing.
    QFile emf(QStringLiteral(ZELMIO_SOURCE_DIR "/tests/platform/data/pictures/empty.emf"));
    ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
    const QByteArray metafile = emf.readAll();
    EXPECT_TRUE(image->Picture()->LoadFromBytes(metafile));
    EXPECT_TRUE(image->Picture()->IsEmpty());
    EXPECT_EQ(TPictureLoader::UnwrapStoredPicture(image->Picture()->StoredData()), metafile);
    const CollectingFiler filer = [&] {
        CollectingFiler collected;
        image->Picture()->DefineProperties(collected);
        return collected;
    }();
    ASSERT_NE(filer.Find(QStringLiteral("Data")), nullptr);
    EXPECT_TRUE(filer.Find(QStringLiteral("Data"))->hasData);
}

TEST(VxDBImage, PicturesFromTheRecordSet)
{
    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    TVxDBImage *image = fixture.Add<TVxDBImage>(QStringLiteral("DBImage1"), 0, 0, 4 * kHundredPixels,
                                                3 * kHundredPixels);
    image->SetColor(TColor(0x808080));
    image->SetDataSet(records);
    image->SetDataField(QStringLiteral("BILDE"));
    image->SetStretch(true);
    auto print = [&]() {
        ImagePageCanvas canvas(96);
        fixture.StartRun(canvas);
        image->Prepare();
        image->Print(0, 0);
        return canvas.Finish().copy(0, 0, 500, 400);
    };
    // Record 1: the 4 x 3 PNG stretched over 400 x 300 pixels.
    QImage page = print();
    EXPECT_TRUE(Near(page, 50, 50, qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(page, 350, 50, qRgb(255, 255, 255)));
    EXPECT_TRUE(Near(page, 50, 150, qRgb(0, 0, 0)));
    int height = 0;
    image->GetExpandedHeight(height);
    EXPECT_EQ(height, 3);
    // Record 2: a damaged PNG prints nothing and does not fail.
    records->Next();
    page = print();
    EXPECT_TRUE(InkBounds(page, QRect(), 250).isEmpty());
    EXPECT_TRUE(image->LastError().startsWith(QLatin1String("PNG picture: "))) << image->LastError().toStdString();
    // Record 3: no picture; stretched, the rectangle takes the element's colour.
    records->Next();
    page = print();
    EXPECT_EQ(ColorBounds(page, qRgb(128, 128, 128)), QRect(0, 0, 400, 300));
    // A field that is no blob draws nothing.
    image->SetDataField(QStringLiteral("PRECE"));
    page = print();
    EXPECT_TRUE(InkBounds(page, QRect(), 250).isEmpty());
}

TEST(VxGrDBImage, FitModes)
{
    const QRect target(0, 0, 100, 100);
    struct Row {
        const char *name;
        QSize picture;
        TFitMode mode;
        bool center;
        QRect result;
    };
    const Row rows[] = {
        {"keep width", QSize(200, 100), TFitMode::fmKeepWidth, false, QRect(0, 0, 100, 50)},
        {"keep height", QSize(200, 100), TFitMode::fmKeepHeight, false, QRect(0, 0, 200, 100)},
        {"proportional, wide", QSize(200, 100), TFitMode::fmProportional, false, QRect(0, 0, 200, 100)},
        {"proportional, tall", QSize(100, 200), TFitMode::fmProportional, false, QRect(0, 0, 100, 200)},
        {"proportional, centred", QSize(200, 100), TFitMode::fmProportional, true, QRect(-50, 0, 200, 100)},
        {"inside, wide", QSize(200, 100), TFitMode::fmInsideProp, false, QRect(0, 25, 100, 50)},
        {"inside, tall", QSize(50, 100), TFitMode::fmInsideProp, false, QRect(25, 0, 50, 100)},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(TVxGrDBImage::FittedRect(row.picture, target, row.mode, row.center), row.result);
    }

    ElementFixture fixture;
    TClientDataSet *records = OpenRecords(&fixture.form);
    TVxGrDBImage *image = fixture.Add<TVxGrDBImage>(QStringLiteral("GrDBImage1"), 0, 0, 4 * kHundredPixels,
                                                    4 * kHundredPixels);
    image->SetDataSet(records);
    image->SetDataField(QStringLiteral("BILDE"));
    image->SetFitMode(TFitMode::fmInsideProp);
    ImagePageCanvas canvas(96);
    fixture.StartRun(canvas);
    image->Prepare();
    image->Print(0, 0);
    // The 4 x 3 picture fitted inside 400 x 400: 400 x 300, centred vertically.
    const QImage &page = canvas.Finish();
    EXPECT_EQ(At(page, 50, 40), 0xFFFFFFu);
    EXPECT_TRUE(Near(page, 50, 60, qRgb(255, 0, 0)));
    EXPECT_TRUE(Near(page, 50, 340, qRgb(128, 128, 128)));
}
