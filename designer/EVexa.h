#pragma once
// The label-capable report: the concrete report with label sheet settings
// and the switch for a counting pass before output (so that the total page
// count is known). Its print-time preparation of label sheets comes with the
// generation engine.

#include "designer/LabelSettings.h"
#include "model/Vexa.h"

#include <memory>

namespace zelmio {

class TEVexa : public TVexa {
    Q_OBJECT
    Q_PROPERTY(zelmio::TLabelSettings *LabelSettings READ LabelSettings WRITE SetLabelSettings)
    Q_PROPERTY(bool PrepareAutomatically READ PrepareAutomatically WRITE SetPrepareAutomatically)
    Q_CLASSINFO("default:PrepareAutomatically", "False")
public:
    explicit TEVexa(TComponent *owner = nullptr);
    ~TEVexa() override;

    TLabelSettings *LabelSettings() const { return m_labelSettings.get(); }
    void SetLabelSettings(TLabelSettings *settings);
    bool PrepareAutomatically() const { return m_prepareAutomatically; }
    void SetPrepareAutomatically(bool value) { m_prepareAutomatically = value; }

private:
    std::unique_ptr<TLabelSettings> m_labelSettings;
    bool m_prepareAutomatically = false;
};

} // namespace zelmio
