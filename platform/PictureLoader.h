#pragma once
// Pictures from bytes: the format is recognised by its signature, not by a
// name or a declared type, because blob fields and stored pictures carry no
// reliable type. PNG is decoded with libpng, JPEG with libjpeg, BMP (also a
// bare device-independent bitmap without file header), GIF and icons with
// Qt's readers. Metafiles (enhanced and Windows) are recognised and drawn
// through a renderer when one is installed; without one they load as an
// empty picture, which is not an error.

#include <QByteArray>
#include <QByteArrayView>
#include <QImage>
#include <QString>
#include <functional>

namespace zelmio {

enum class TPictureFormat {
    Unknown,
    Bitmap,            // "BM" file, or a bare BITMAPINFOHEADER
    Png,
    Jpeg,
    Gif,
    Icon,              // icons and cursors
    EnhancedMetafile,
    WindowsMetafile    // placeable or plain
};

// The outcome of loading: an image, or an error text. A metafile without a
// renderer gives a null image and no error.
struct TLoadedPicture {
    QImage image;
    TPictureFormat format = TPictureFormat::Unknown;
    QString error;

    bool Ok() const { return error.isEmpty(); }
};

class TPictureLoader {
public:
    // Pictures larger than this many pixels are refused instead of decoded
    // (a damaged header must not make the program allocate gigabytes).
    static constexpr qint64 MaxPixels = qint64(16384) * 16384;

    static TPictureFormat DetectFormat(QByteArrayView bytes);
    static QString FormatName(TPictureFormat format);

    // Recognises and decodes. Error texts name the format and the problem
    // ("PNG picture: ..."), "empty picture data", or "unknown picture
    // format" for bytes that are no picture this program reads.
    static TLoadedPicture Load(QByteArrayView bytes);

    // Decoders for a known format, as the data's image hooks use them.
    static TLoadedPicture LoadPng(QByteArrayView bytes);
    static TLoadedPicture LoadJpeg(QByteArrayView bytes);

    // A stored picture property holds a class name (one length byte, then
    // ASCII) and the picture's own data, for most classes behind a 32-bit
    // little-endian length. Returns the picture's data and the class name;
    // bytes that do not start with a plausible class name come back whole.
    static QByteArray UnwrapStoredPicture(QByteArrayView stored, QString *className = nullptr);
    // The stored form the writers use: the class name that fits the format
    // ("TPngImage", "TJPEGImage", "TBitmap", ...) and a length prefix.
    static QByteArray WrapStoredPicture(QByteArrayView data);

    // Draws metafiles (enhanced or Windows) into an image. Installed by a
    // layer that has such a renderer; an empty function removes it.
    using TMetafileRenderer = std::function<QImage(QByteArrayView bytes, TPictureFormat format)>;
    static void SetMetafileRenderer(TMetafileRenderer renderer);
};

} // namespace zelmio
