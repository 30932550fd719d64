#include "designer/VxEChildBand.h"

#include "designer/EVexa.h"
#include "model/CustomVexa.h"
#include "model/VxPage.h"

#include <algorithm>

namespace zelmio {

TVxEChildBand::TVxEChildBand(TComponent *owner)
    : TVxChildBand(owner)
{
    SetBeforePrint([this](TVxCustomBand *sender, bool &printBand) { BandBeforePrint(sender, printBand); });
}

void TVxEChildBand::BandBeforePrint(TVxCustomBand *sender, bool &printBand)
{
    TCustomVexa *report = ParentReport();
    if (report) {
        // Prints are counted per page.
        const int page = report->RunState().Pagecount;
        if (page != m_page) {
            m_page = page;
            m_pagePrints = 0;
        }
        ++m_pagePrints;
    }
    const TVxCustomBand *parent = ParentBand();
    if (report && parent && Name().compare(QLatin1String("RowSpace"), Qt::CaseInsensitive) == 0) {
        const TVxPage *sheet = report->Page();
        const long double own = Size()->InternalValue(TVxBandSize::LengthIndex);
        const long double label = parent->Size()->InternalValue(TVxBandSize::LengthIndex);
        const long double printable = sheet->InternalValue(TVxPage::LengthIndex)
            - sheet->InternalValue(TVxPage::TopMarginIndex) - sheet->InternalValue(TVxPage::BottomMarginIndex);
        const int rows = own + label > 0 ? int((printable + own) / (own + label)) : 0;
        int printed = m_pagePrints;
        if (const auto *labels = qobject_cast<const TEVexa *>(report); labels && m_page == 1)
            printed += std::max(0, labels->LabelSettings()->FirstLabel() - 1);
        // No spacer after the last row of a column (nor, when not even one
        // row fits, ever).
        if (rows <= 0 || printed % rows == 0)
            printBand = false;
    }
    m_ownBeforePrint(sender, printBand);
}

} // namespace zelmio
