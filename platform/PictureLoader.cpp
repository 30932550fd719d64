#include "platform/PictureLoader.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace zelmio {

namespace {

quint32 ReadLE32(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset + 4 > bytes.size())
        return 0;
    return qFromLittleEndian<quint32>(bytes.data() + offset);
}

quint16 ReadLE16(QByteArrayView bytes, qsizetype offset)
{
    if (offset < 0 || offset + 2 > bytes.size())
        return 0;
    return qFromLittleEndian<quint16>(bytes.data() + offset);
}

bool StartsWith(QByteArrayView bytes, const char *signature, qsizetype length)
{
    return bytes.size() >= length && std::memcmp(bytes.data(), signature, size_t(length)) == 0;
}

// A device-independent bitmap without its file header, as some databases
// keep pictures: the header size field is one of the known header sizes.
bool IsBareDib(QByteArrayView bytes)
{
    const quint32 headerSize = ReadLE32(bytes, 0);
    if (headerSize != 40 && headerSize != 52 && headerSize != 56 && headerSize != 108
        && headerSize != 124)
        return false;
    if (bytes.size() < qsizetype(headerSize))
        return false;
    const quint16 planes = ReadLE16(bytes, 12);
    const quint16 bitCount = ReadLE16(bytes, 14);
    return planes == 1
        && (bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24
            || bitCount == 32);
}

TLoadedPicture Failure(TPictureFormat format, const QString &problem)
{
    TLoadedPicture result;
    result.format = format;
    result.error = TPictureLoader::FormatName(format) + QStringLiteral(" picture: ") + problem;
    return result;
}

QString TooLarge(qint64 width, qint64 height)
{
    return QStringLiteral("%1 x %2 pixels is too large").arg(width).arg(height);
}

bool SizeAcceptable(qint64 width, qint64 height)
{
    return width > 0 && height > 0 && width * height <= TPictureLoader::MaxPixels;
}

// Formats Qt reads: BMP, GIF, icons.
TLoadedPicture LoadWithQt(QByteArrayView bytes, TPictureFormat format, const char *qtFormat)
{
    QByteArray data = bytes.toByteArray();
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, qtFormat);
    reader.setDecideFormatFromContent(false);
    if (!reader.canRead())
        return Failure(format, QStringLiteral("the data cannot be read (%1)").arg(reader.errorString()));
    const QSize size = reader.size();
    if (size.isValid() && !SizeAcceptable(size.width(), size.height()))
        return Failure(format, TooLarge(size.width(), size.height()));
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return Failure(format, QStringLiteral("the data is damaged (%1)").arg(reader.errorString()));
    TLoadedPicture result;
    result.image = image;
    result.format = format;
    return result;
}

TLoadedPicture LoadBareDib(QByteArrayView bytes)
{
    const quint32 headerSize = ReadLE32(bytes, 0);
    const quint16 bitCount = ReadLE16(bytes, 14);
    const quint32 compression = ReadLE32(bytes, 16);
    quint32 colorsUsed = ReadLE32(bytes, 32);
    if (colorsUsed == 0 && bitCount <= 8)
        colorsUsed = 1u << bitCount;
    if (colorsUsed > 256)
        return Failure(TPictureFormat::Bitmap, QStringLiteral("the colour table is damaged"));
    quint32 masks = 0;
    // BI_BITFIELDS with the short header keeps its three masks after it.
    if (headerSize == 40 && compression == 3)
        masks = 12;
    const quint32 offset = 14 + headerSize + masks + colorsUsed * 4;
    QByteArray file;
    file.reserve(14 + bytes.size());
    file.append("BM", 2);
    char field[4];
    qToLittleEndian<quint32>(quint32(14 + bytes.size()), field);
    file.append(field, 4);
    qToLittleEndian<quint32>(0, field);
    file.append(field, 4);
    qToLittleEndian<quint32>(offset, field);
    file.append(field, 4);
    file.append(bytes.data(), bytes.size());
    return LoadWithQt(file, TPictureFormat::Bitmap, "BMP");
}

TPictureLoader::TMetafileRenderer &MetafileRenderer()
{
    static TPictureLoader::TMetafileRenderer renderer;
    return renderer;
}

// --- JPEG --------------------------------------------------------------------

struct JpegErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void JpegErrorExit(j_common_ptr info)
{
    auto *manager = reinterpret_cast<JpegErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Warnings (a file cut short is padded with grey) are not failures.
extern "C" void JpegOutputMessage(j_common_ptr) {}

// Decodes into rows; kept free of C++ objects with destructors between
// setjmp and the calls that may jump back to it.
bool DecodeJpeg(const unsigned char *data, unsigned long size, std::vector<unsigned char> &pixels,
                int &width, int &height, int &components, bool &adobeCmyk, char *message,
                size_t messageSize, bool &tooLarge)
{
    jpeg_decompress_struct info;
    JpegErrorManager error;
    info.err = jpeg_std_error(&error.base);
    error.base.error_exit = JpegErrorExit;
    error.base.output_message = JpegOutputMessage;
    error.message[0] = 0;
    tooLarge = false;
    if (setjmp(error.jump)) {
        std::snprintf(message, messageSize, "%s", error.message);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (!SizeAcceptable(info.image_width, info.image_height)) {
        width = int(info.image_width);
        height = int(info.image_height);
        tooLarge = true;
        jpeg_destroy_decompress(&info);
        return false;
    }
    switch (info.jpeg_color_space) {
    case JCS_GRAYSCALE:
        info.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        info.out_color_space = JCS_CMYK;
        break;
    default:
        info.out_color_space = JCS_RGB;
        break;
    }
    jpeg_start_decompress(&info);
    width = int(info.output_width);
    height = int(info.output_height);
    components = info.output_components;
    adobeCmyk = info.saw_Adobe_marker;
    const size_t stride = size_t(width) * size_t(components);
    pixels.assign(stride * size_t(height), 0);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels.data() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

TPictureFormat TPictureLoader::DetectFormat(QByteArrayView bytes)
{
    if (StartsWith(bytes, "\x89PNG\r\n\x1a\n", 8))
        return TPictureFormat::Png;
    if (StartsWith(bytes, "\xFF\xD8\xFF", 3))
        return TPictureFormat::Jpeg;
    if (StartsWith(bytes, "GIF87a", 6) || StartsWith(bytes, "GIF89a", 6))
        return TPictureFormat::Gif;
    if (StartsWith(bytes, "BM", 2) && bytes.size() >= 26)
        return TPictureFormat::Bitmap;
    // Icon directory: reserved 0, type 1 (icon) or 2 (cursor), at least one image.
    if (bytes.size() >= 22 && ReadLE16(bytes, 0) == 0
        && (ReadLE16(bytes, 2) == 1 || ReadLE16(bytes, 2) == 2) && ReadLE16(bytes, 4) > 0)
        return TPictureFormat::Icon;
    // Enhanced metafile: the header record (type 1) with " EMF" at offset 40.
    if (bytes.size() >= 88 && ReadLE32(bytes, 0) == 1 && ReadLE32(bytes, 40) == 0x464D4520)
        return TPictureFormat::EnhancedMetafile;
    // Placeable Windows metafile, or a plain one (type 1 or 2, header of 9 words).
    if (ReadLE32(bytes, 0) == 0x9AC6CDD7)
        return TPictureFormat::WindowsMetafile;
    if (bytes.size() >= 18 && (ReadLE16(bytes, 0) == 1 || ReadLE16(bytes, 0) == 2)
        && ReadLE16(bytes, 2) == 9 && (ReadLE16(bytes, 4) == 0x0100 || ReadLE16(bytes, 4) == 0x0300))
        return TPictureFormat::WindowsMetafile;
    if (IsBareDib(bytes))
        return TPictureFormat::Bitmap;
    return TPictureFormat::Unknown;
}

QString TPictureLoader::FormatName(TPictureFormat format)
{
    switch (format) {
    case TPictureFormat::Unknown:
        return QStringLiteral("Unknown");
    case TPictureFormat::Bitmap:
        return QStringLiteral("BMP");
    case TPictureFormat::Png:
        return QStringLiteral("PNG");
    case TPictureFormat::Jpeg:
        return QStringLiteral("JPEG");
    case TPictureFormat::Gif:
        return QStringLiteral("GIF");
    case TPictureFormat::Icon:
        return QStringLiteral("Icon");
    case TPictureFormat::EnhancedMetafile:
        return QStringLiteral("Enhanced metafile");
    case TPictureFormat::WindowsMetafile:
        return QStringLiteral("Windows metafile");
    }
    return QString();
}

TLoadedPicture TPictureLoader::Load(QByteArrayView bytes)
{
    if (bytes.isEmpty()) {
        TLoadedPicture result;
        result.error = QStringLiteral("empty picture data");
        return result;
    }
    const TPictureFormat format = DetectFormat(bytes);
    switch (format) {
    case TPictureFormat::Unknown: {
        TLoadedPicture result;
        result.error = QStringLiteral("unknown picture format");
        return result;
    }
    case TPictureFormat::Png:
        return LoadPng(bytes);
    case TPictureFormat::Jpeg:
        return LoadJpeg(bytes);
    case TPictureFormat::Bitmap:
        if (StartsWith(bytes, "BM", 2))
            return LoadWithQt(bytes, format, "BMP");
        return LoadBareDib(bytes);
    case TPictureFormat::Gif:
        return LoadWithQt(bytes, format, "GIF");
    case TPictureFormat::Icon:
        return LoadWithQt(bytes, format, "ICO");
    case TPictureFormat::EnhancedMetafile:
    case TPictureFormat::WindowsMetafile: {
        TLoadedPicture result;
        result.format = format;
        if (const TMetafileRenderer &renderer = MetafileRenderer()) {
            result.image = renderer(bytes, format);
            if (result.image.isNull())
                return Failure(format, QStringLiteral("the data cannot be drawn"));
        }
        return result;
    }
    }
    return TLoadedPicture();
}

TLoadedPicture TPictureLoader::LoadPng(QByteArrayView bytes)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), size_t(bytes.size()))) {
        const QString problem = QString::fromLatin1(png.message);
        png_image_free(&png);
        return Failure(TPictureFormat::Png, problem);
    }
    if (!SizeAcceptable(png.width, png.height)) {
        const QString problem = TooLarge(png.width, png.height);
        png_image_free(&png);
        return Failure(TPictureFormat::Png, problem);
    }
    // BGRA in memory is QImage's ARGB32 on little-endian machines; RGBA the
    // byte-order format on either.
    png.format = PNG_FORMAT_RGBA;
    QImage image(int(png.width), int(png.height), QImage::Format_RGBA8888);
    if (image.isNull()) {
        png_image_free(&png);
        return Failure(TPictureFormat::Png, TooLarge(png.width, png.height));
    }
    if (!png_image_finish_read(&png, nullptr, image.bits(), image.bytesPerLine(), nullptr)) {
        const QString problem = QString::fromLatin1(png.message);
        png_image_free(&png);
        return Failure(TPictureFormat::Png, problem);
    }
    png_image_free(&png);
    TLoadedPicture result;
    result.image = image.convertToFormat(QImage::Format_ARGB32);
    result.format = TPictureFormat::Png;
    return result;
}

TLoadedPicture TPictureLoader::LoadJpeg(QByteArrayView bytes)
{
    std::vector<unsigned char> pixels;
    int width = 0;
    int height = 0;
    int components = 0;
    bool adobeCmyk = false;
    bool tooLarge = false;
    char message[JMSG_LENGTH_MAX + 1] = {0};
    if (!DecodeJpeg(reinterpret_cast<const unsigned char *>(bytes.data()), (unsigned long)bytes.size(),
                    pixels, width, height, components, adobeCmyk, message, sizeof message, tooLarge)) {
        if (tooLarge)
            return Failure(TPictureFormat::Jpeg, TooLarge(width, height));
        return Failure(TPictureFormat::Jpeg, QString::fromLatin1(message));
    }
    QImage image;
    switch (components) {
    case 1: {
        image = QImage(width, height, QImage::Format_Grayscale8);
        for (int y = 0; y < height && !image.isNull(); ++y)
            std::memcpy(image.scanLine(y), pixels.data() + size_t(y) * size_t(width), size_t(width));
        break;
    }
    case 3: {
        image = QImage(width, height, QImage::Format_RGB888);
        for (int y = 0; y < height && !image.isNull(); ++y)
            std::memcpy(image.scanLine(y), pixels.data() + size_t(y) * size_t(width) * 3,
                        size_t(width) * 3);
        break;
    }
    case 4: {
        // CMYK; files with an Adobe marker store the inks inverted.
        image = QImage(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height && !image.isNull(); ++y) {
            const unsigned char *in = pixels.data() + size_t(y) * size_t(width) * 4;
            auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < width; ++x, in += 4) {
                int c = in[0], m = in[1], yy = in[2], k = in[3];
                if (!adobeCmyk) {
                    c = 255 - c;
                    m = 255 - m;
                    yy = 255 - yy;
                    k = 255 - k;
                }
                out[x] = qRgb(c * k / 255, m * k / 255, yy * k / 255);
            }
        }
        break;
    }
    default:
        return Failure(TPictureFormat::Jpeg,
                       QStringLiteral("%1 colour components are not supported").arg(components));
    }
    if (image.isNull())
        return Failure(TPictureFormat::Jpeg, TooLarge(width, height));
    TLoadedPicture result;
    result.image = image;
    result.format = TPictureFormat::Jpeg;
    return result;
}

QByteArray TPictureLoader::UnwrapStoredPicture(QByteArrayView stored, QString *className)
{
    if (className)
        className->clear();
    if (stored.isEmpty())
        return QByteArray();
    const int nameLength = static_cast<unsigned char>(stored[0]);
    bool plausible = nameLength >= 2 && nameLength <= 63 && stored.size() > nameLength;
    for (int i = 1; plausible && i <= nameLength; ++i) {
        const char c = stored[i];
        plausible = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'
            || (i > 1 && c >= '0' && c <= '9');
    }
    if (!plausible)
        return stored.toByteArray();
    if (className)
        *className = QString::fromLatin1(stored.data() + 1, nameLength);
    QByteArrayView data = stored.sliced(nameLength + 1);
    if (data.size() >= 4 && qint64(ReadLE32(data, 0)) == qint64(data.size()) - 4)
        data = data.sliced(4);
    return data.toByteArray();
}

QByteArray TPictureLoader::WrapStoredPicture(QByteArrayView data)
{
    QByteArray className;
    switch (DetectFormat(data)) {
    case TPictureFormat::Png:
        className = "TPngImage";
        break;
    case TPictureFormat::Jpeg:
        className = "TJPEGImage";
        break;
    case TPictureFormat::Gif:
        className = "TGIFImage";
        break;
    case TPictureFormat::Icon:
        className = "TIcon";
        break;
    case TPictureFormat::EnhancedMetafile:
    case TPictureFormat::WindowsMetafile:
        className = "TMetafile";
        break;
    case TPictureFormat::Bitmap:
    case TPictureFormat::Unknown:
        className = "TBitmap";
        break;
    }
    QByteArray result;
    result.reserve(1 + className.size() + 4 + data.size());
    result.append(char(className.size()));
    result.append(className);
    char length[4];
    qToLittleEndian<quint32>(quint32(data.size()), length);
    result.append(length, 4);
    result.append(data.data(), data.size());
    return result;
}

void TPictureLoader::SetMetafileRenderer(TMetafileRenderer renderer)
{
    MetafileRenderer() = std::move(renderer);
}

} // namespace zelmio
