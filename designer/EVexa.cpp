#include "designer/EVexa.h"

namespace zelmio {

TEVexa::TEVexa(TComponent *owner)
    : TVexa(owner)
    , m_labelSettings(std::make_unique<TLabelSettings>(this))
{
}

TEVexa::~TEVexa() = default;

void TEVexa::SetLabelSettings(TLabelSettings *settings)
{
    if (settings)
        m_labelSettings->Assign(settings);
}

} // namespace zelmio
