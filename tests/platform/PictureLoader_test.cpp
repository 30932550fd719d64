#include "platform/PictureLoader.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace zelmio;

namespace {

QByteArray Fixture(const char *name)
{
    QFile file(QStringLiteral(ZELMIO_TEST_DATA "/pictures/") + QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing fixture " << name;
    return file.readAll();
}

// The 4 x 3 test picture: known colours at known places (the GIF and the
// BMP-based ones have no alpha, the PNG has a half and a fully transparent pixel).
void ExpectTestColours(const QImage &image)
{
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(1, 0), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(2, 0), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(3, 0), QColor(255, 255, 255));
}

} // namespace

TEST(PictureLoader, RecognisesAndDecodesEveryFormat)
{
    struct Row {
        const char *file;
        TPictureFormat format;
    };
    const Row rows[] = {
        {"rgba4x3.png", TPictureFormat::Png},
        {"rgb4x3.bmp", TPictureFormat::Bitmap},
        {"rgb4x3.dib", TPictureFormat::Bitmap},
        {"indexed4x3.gif", TPictureFormat::Gif},
        {"rgb4x3.ico", TPictureFormat::Icon},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const QByteArray bytes = Fixture(row.file);
        EXPECT_EQ(TPictureLoader::DetectFormat(bytes), row.format);
        const TLoadedPicture picture = TPictureLoader::Load(bytes);
        ASSERT_TRUE(picture.Ok()) << picture.error.toStdString();
        EXPECT_EQ(picture.format, row.format);
        ExpectTestColours(picture.image);
    }
}

TEST(PictureLoader, PngKeepsAlphaAndRowOrder)
{
    const QImage image = TPictureLoader::Load(Fixture("rgba4x3.png")).image;
    ASSERT_EQ(image.size(), QSize(4, 3));
    EXPECT_EQ(image.pixelColor(3, 1).alpha(), 128);
    EXPECT_EQ(image.pixelColor(3, 2).alpha(), 0);
    EXPECT_EQ(image.pixelColor(1, 2), QColor(10, 20, 30));
    // BMP rows are stored bottom-up: the same pixel must come out in the same place.
    const QImage bmp = TPictureLoader::Load(Fixture("rgb4x3.bmp")).image;
    EXPECT_EQ(bmp.pixelColor(1, 2), QColor(10, 20, 30));
}

TEST(PictureLoader, JpegColourAndGreyscale)
{
    const TLoadedPicture colour = TPictureLoader::Load(Fixture("redblue16x8.jpg"));
    ASSERT_TRUE(colour.Ok()) << colour.error.toStdString();
    EXPECT_EQ(colour.format, TPictureFormat::Jpeg);
    ASSERT_EQ(colour.image.size(), QSize(16, 8));
    const QColor left = colour.image.pixelColor(2, 4);
    const QColor right = colour.image.pixelColor(13, 4);
    EXPECT_GT(left.red(), 220);
    EXPECT_LT(left.blue(), 40);
    EXPECT_GT(right.blue(), 220);
    EXPECT_LT(right.red(), 40);

    const TLoadedPicture grey = TPictureLoader::LoadJpeg(Fixture("gray16x8.jpg"));
    ASSERT_TRUE(grey.Ok()) << grey.error.toStdString();
    EXPECT_NEAR(grey.image.pixelColor(2, 4).red(), 40, 6);
    EXPECT_NEAR(grey.image.pixelColor(13, 4).red(), 220, 6);
}

TEST(PictureLoader, MetafileIsRecognisedAndLeftEmptyWithoutRenderer)
{
    const QByteArray emf = Fixture("empty.emf");
    EXPECT_EQ(TPictureLoader::DetectFormat(emf), TPictureFormat::EnhancedMetafile);
    const TLoadedPicture plain = TPictureLoader::Load(emf);
    EXPECT_TRUE(plain.Ok());
    EXPECT_TRUE(plain.image.isNull());

    TPictureLoader::SetMetafileRenderer([](QByteArrayView, TPictureFormat) {
        QImage image(5, 5, QImage::Format_RGB32);
        image.fill(Qt::green);
        return image;
    });
    const TLoadedPicture drawn = TPictureLoader::Load(emf);
    TPictureLoader::SetMetafileRenderer({});
    ASSERT_TRUE(drawn.Ok());
    EXPECT_EQ(drawn.image.size(), QSize(5, 5));
}

TEST(PictureLoader, BrokenInputsGiveClearErrors)
{
    struct Row {
        const char *file;
        const char *errorStart;
    };
    const Row rows[] = {
        {"truncated.png", "PNG picture: "},
        {"damaged-idat.png", "PNG picture: "},
        {"jpeg-header-only.jpg", "JPEG picture: "},
        {"huge-header.bmp", "BMP picture: "},
        {"truncated.gif", "GIF picture: "},
        {"garbage.bin", "unknown picture format"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.file);
        const TLoadedPicture picture = TPictureLoader::Load(Fixture(row.file));
        EXPECT_FALSE(picture.Ok());
        EXPECT_TRUE(picture.image.isNull());
        EXPECT_TRUE(picture.error.startsWith(QLatin1String(row.errorStart)))
            << picture.error.toStdString();
    }
    EXPECT_EQ(TPictureLoader::Load(QByteArray()).error, QStringLiteral("empty picture data"));
    // Every prefix of a valid file fails cleanly or decodes; none crashes.
    const QByteArray png = Fixture("rgba4x3.png");
    const QByteArray jpeg = Fixture("redblue16x8.jpg");
    for (qsizetype n = 0; n < png.size(); ++n)
        TPictureLoader::Load(QByteArrayView(png).first(n));
    for (qsizetype n = 0; n < jpeg.size(); n += 7)
        TPictureLoader::Load(QByteArrayView(jpeg).first(n));
}

TEST(PictureLoader, TruncatedJpegStillGivesAPicture)
{
    // libjpeg pads a file cut short; the part that arrived is shown.
    const TLoadedPicture picture = TPictureLoader::Load(Fixture("truncated.jpg"));
    ASSERT_TRUE(picture.Ok()) << picture.error.toStdString();
    EXPECT_EQ(picture.image.size(), QSize(16, 8));
}

TEST(PictureLoader, StoredPictureWrappingRoundTrips)
{
    const QByteArray png = Fixture("rgba4x3.png");
    const QByteArray stored = TPictureLoader::WrapStoredPicture(png);
    EXPECT_EQ(stored.left(10), QByteArray("\x09TPngImage"));
    QString className;
    EXPECT_EQ(TPictureLoader::UnwrapStoredPicture(stored, &className), png);
    EXPECT_EQ(className, QStringLiteral("TPngImage"));
    // Classes that write the file image without a length prefix.
    const QByteArray bare = QByteArray("\x05TIcon") + Fixture("rgb4x3.ico");
    EXPECT_EQ(TPictureLoader::UnwrapStoredPicture(bare), Fixture("rgb4x3.ico"));
    // Data without a class name comes back whole.
    EXPECT_EQ(TPictureLoader::UnwrapStoredPicture(png), png);
}
