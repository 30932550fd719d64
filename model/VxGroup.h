#pragma once
// A group header band: its Expression is evaluated for every record, and a
// new group starts when the value changes. The group belongs to the data
// loop named by Master (a report or a controller band; the report when
// unset); its FooterBand prints when the group ends.

#include "expr/VxEvResult.h"
#include "model/VxBand.h"
#include "model/VxCustomBand.h"

#include <memory>

namespace zelmio {

class TVxEvaluator;

class TVxGroup : public TVxCustomBand {
    Q_OBJECT
    Q_PROPERTY(QString Expression READ Expression WRITE SetExpression)
    Q_PROPERTY(zelmio::TVxBand *FooterBand READ FooterBand WRITE SetFooterBand)
    Q_PROPERTY(zelmio::TComponent *Master READ Master WRITE SetMaster)
    Q_PROPERTY(bool ReprintOnNewPage READ ReprintOnNewPage WRITE SetReprintOnNewPage)
    Q_CLASSINFO("default:Expression", "")
public:
    explicit TVxGroup(TComponent *owner = nullptr);
    ~TVxGroup() override;

    QString Expression() const { return m_expression; }
    void SetExpression(const QString &expression) { m_expression = expression; }
    // Assigning a footer makes it a group footer band.
    TVxBand *FooterBand() const { return static_cast<TVxBand *>(m_footerBand.data()); }
    void SetFooterBand(TVxBand *band);
    // Only a report or a controller band is accepted.
    TComponent *Master() const { return m_master; }
    void SetMaster(TComponent *master);
    bool ReprintOnNewPage() const { return m_reprintOnNewPage; }
    void SetReprintOnNewPage(bool value) { m_reprintOnNewPage = value; }

    // Run-time state of the group check.
    const TVxEvResult &GroupValue() const { return m_groupValue; }
    void SetGroupValue(const TVxEvResult &value) { m_groupValue = value; }
    bool HasResult() const { return m_hasResult; }
    void SetHasResult(bool value) { m_hasResult = value; }
    bool Reprint() const { return m_reprint; }
    void SetReprint(bool value) { m_reprint = value; }
    bool InGroup() const { return m_inGroup; }
    void SetInGroup(bool value) { m_inGroup = value; }
    int GroupIndex() const { return m_groupIndex; }
    void SetGroupIndex(int index) { m_groupIndex = index; }

    // Between Prepare and Unprepare the expression is compiled against the
    // report's record sets and environment; Prepare also forgets the stored
    // value, so the first record of a run opens the group.
    void Prepare();
    void Unprepare();
    // Evaluates the expression for the current record: true when the group
    // changes (always on the first record, or when the value's kind or value
    // differs from the stored one), storing the new value.
    bool Check();
    // Evaluates and stores the value without comparing (an outer group
    // changed): the group changes.
    void Restart();

    // A group placed on a report without a master takes the report.
    void SetParentReport(TCustomVexa *report) override;
    void Notification(TComponent *component, TOperation operation) override;

private:
    QString m_expression;
    // Held as the band base class: the reference is compared while the band
    // is part-way through destruction, when it is no longer a TVxBand.
    QPointer<TVxCustomBand> m_footerBand;
    QPointer<TComponent> m_master;
    bool m_reprintOnNewPage = false;
    TVxEvResult m_groupValue;
    bool m_hasResult = false;
    bool m_reprint = false;
    bool m_inGroup = false;
    int m_groupIndex = 0;
    std::unique_ptr<TVxEvaluator> m_evaluator;
};

} // namespace zelmio
