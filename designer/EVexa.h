#pragma once
// The label-capable report: the concrete report with label sheet settings
// and the switch for a counting pass before output (so that the total page
// count is known). Before each output job it sets up the sheet: the label
// loop's count, and zero-height skip bands that move the first label to the
// FirstLabel-th position; afterwards it removes them again.

#include "designer/LabelSettings.h"
#include "model/Vexa.h"

#include <QList>
#include <QPointer>
#include <memory>

namespace zelmio {

class TVxCustomBand;

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

    void PrepareReportPrint() override;
    void DoneReportPrint() override;
    // Pages of the counting pass of the current job; 0 without one.
    int TotalPageCount() const { return m_totalPageCount; }
    // Labels per column of the sheet being printed (0 when none fits).
    int LabelRows() const { return m_labelRows; }

private:
    TVxCustomBand *FindLabelBand() const;
    void AddSkipBands(TVxCustomBand *labelBand);

    std::unique_ptr<TLabelSettings> m_labelSettings;
    bool m_prepareAutomatically = false;
    QList<QPointer<TVxCustomBand>> m_skipBands;
    int m_totalPageCount = 0;
    int m_labelRows = 0;
    int m_prepareDepth = 0;
    bool m_savedHideBands = false;
};

} // namespace zelmio
