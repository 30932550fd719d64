#include "designer/TesmolaDBImage.h"

#include "designer/DesignElementPrint.h"

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

void TTesmolaDBImage::Print(long double ofsX, long double ofsY)
{
    PrintWithBandGrowth(*this, ofsX, ofsY, [this](long double x, long double y) { TVxDBImage::Print(x, y); });
}

} // namespace zelmio
