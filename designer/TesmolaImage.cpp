#include "designer/TesmolaImage.h"

#include "model/PropertyAccess.h"
#include "model/VxPicture.h"

#include <QFile>

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
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return;
    if (auto *picture = qobject_cast<TVxPicture *>(GetPointerProperty(this, QStringLiteral("Picture"))))
        picture->LoadFromBytes(file.readAll());
}

void TTesmolaImage::Loaded()
{
    TVxImage::Loaded();
    if (!m_filename.isEmpty())
        SetFilename(m_filename);
}

} // namespace zelmio
