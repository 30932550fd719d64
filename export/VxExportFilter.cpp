#include "export/VxExportFilter.h"

namespace zelmio {

void TVxExportFilter::Start(int, int, const TVxFont *)
{
    m_active = true;
}

void TVxExportFilter::Finish()
{
    m_active = false;
}

void TVxExportFilter::AcceptGraphic(TDevicePos, TVxControl *) {}

void TVxExportFilter::AcceptTextControl(TVxControl *) {}

void TVxExportFilter::AcceptBand(TVxControl *) {}

void TVxExportFilter::TextOut(TPaperPos, const TVxFont *, TColor, TAlignment, const QString &) {}

void TVxExportFilter::TextOutRec(const TExportInfoRec &) {}

} // namespace zelmio
