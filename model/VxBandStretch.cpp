#include "model/VxBandStretch.h"

#include "model/VxExportTarget.h"
#include "model/CustomVexa.h"
#include "model/VxCustomBand.h"
#include "model/VxPage.h"
#include "model/VxPageCanvas.h"

#include <cmath>

namespace zelmio {

int AvailableSpace(const TCustomVexa &report)
{
    const TVxReportRunState &state = report.RunState();
    if (state.Available || state.CurrentY < 0 || !state.PageCanvas)
        return 0;
    const long double length = state.PageCanvas->PaperLengthValue();
    if (state.Exporting && state.ExportFilter && state.ExportFilter->GetStreaming())
        return int(length);
    const long double bottomMargin = report.Page()->InternalValue(TVxPage::BottomMarginIndex);
    return int(std::lround(length - bottomMargin - state.PageFooterSize - state.CurrentY));
}

bool CanExpand(const TVxCustomBand &band, long double value)
{
    const TCustomVexa *report = band.ParentReport();
    if (!report)
        return false;
    const long double height = band.Size()->InternalValue(TVxBandSize::LengthIndex);
    return std::lround(value + height + band.Expanded()) <= AvailableSpace(*report);
}

bool ExpandBand(TVxCustomBand &band, long double value, long double &newExpanded, bool &hasExpanded)
{
    if (!CanExpand(band, value))
        return false;
    bool result;
    if (hasExpanded || value >= band.Expanded()) {
        band.SetExpanded(band.Expanded() + value);
        result = false;
    } else {
        result = true;
    }
    newExpanded = band.Expanded();
    hasExpanded = true;
    return result;
}

} // namespace zelmio
