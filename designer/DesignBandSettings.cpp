#include "designer/DesignBandSettings.h"

namespace zelmio {

TDesignBandSettings::TDesignBandSettings(TPersistent *band)
    : m_background(std::make_unique<TVxPicture>(band))
{
}

TDesignBandSettings::~TDesignBandSettings() = default;

void TDesignBandSettings::SetDesignBackground(TVxPicture *picture)
{
    if (picture)
        m_background->Assign(picture);
    else
        m_background->Clear();
}

void BindDesignBandHooks(TVxCustomBand *band, TDesignBandSettings &settings)
{
    band->SetBeforePrint([&settings](TVxCustomBand *sender, bool &printBand) {
        if (!settings.EditorEnabled())
            printBand = false;
        settings.BeforePrint()(sender, printBand);
    });
    band->SetAfterPrint([&settings](TVxCustomBand *sender, bool bandPrinted) { settings.AfterPrint()(sender, bandPrinted); });
}

} // namespace zelmio
