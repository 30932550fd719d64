#include "designer/TesmolaDBImage.h"

namespace zelmio {

TTesmolaDBImage::TTesmolaDBImage(TComponent *owner)
    : TVxDBImage(owner)
{
}

void TTesmolaDBImage::PictureLoaded(TVxPicture &picture)
{
    m_applicationHook(this, &picture);
    m_beforePrint(this, &picture);
}

} // namespace zelmio
