#include "designer/TesmolaImage.h"

#include "designer/DesignElementPrint.h"

#include "model/PropertyAccess.h"
#include "model/VxPicture.h"
#include "platform/RegularFileReader.h"
#include "platform/VxError.h"

namespace zelmio {

TTesmolaImage::TTesmolaImage(TComponent *owner)
    : TVxImage(owner)
{
}

void TTesmolaImage::SetFilename(const QString &fileName)
{
    m_filename = fileName;
    if (fileName.isEmpty() || IsLoading())
        return;
    // A picture that cannot be read leaves the current one; a named pipe is
    // not waited for.
    constexpr qint64 maxPictureFileSize = 256 * 1024 * 1024;
    QByteArray bytes;
    try {
        bytes = ReadRegularFile(fileName, maxPictureFileSize);
    } catch (const EVxError &) {
        return;
    }
    if (auto *picture = qobject_cast<TVxPicture *>(GetPointerProperty(this, QStringLiteral("Picture"))))
        picture->LoadFromBytes(bytes);
}

void TTesmolaImage::Loaded()
{
    TVxImage::Loaded();
    if (!m_filename.isEmpty())
        SetFilename(m_filename);
}

void TTesmolaImage::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxImage::Print(x, y); });
}

} // namespace zelmio
