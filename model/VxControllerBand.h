#pragma once
// A band that owns a controller repeating it under a master (the report or
// another controller band): sub-detail, loop band, strings band. When it
// joins a report, its name becomes a variable of the report's expression
// environment when the band has an initial expression for it (the loop
// index, the current string item).

#include "model/VxCustomBand.h"

#include <memory>

namespace zelmio {

class TVxCustomController;

class TVxControllerBand : public TVxCustomBand {
    Q_OBJECT
public:
    ~TVxControllerBand() override;

    TVxCustomController *Controller() const { return m_controller.get(); }

    // A report or a controller band whose master chain does not lead back
    // to this band; anything else is refused.
    TComponent *Master() const;
    virtual void SetMaster(TComponent *master);

    // Kept by the controller.
    bool PrintIfEmpty() const;
    void SetPrintIfEmpty(bool value);
    bool PrintBefore() const;
    void SetPrintBefore(bool value);

    // Appends the band's bands to the report's print order.
    virtual void RegisterBands();

    void SetParentReport(TCustomVexa *report) override;
    void SetName(const QString &name) override;

protected:
    explicit TVxControllerBand(TComponent *owner);

    // Creates the controller; concrete bands call it from their constructors.
    void InstallController(std::unique_ptr<TVxCustomController> controller);
    virtual std::unique_ptr<TVxCustomController> CreateController() = 0;

    // The report variable named after the band.
    virtual void CreateLocalVar();
    virtual void RemoveLocalVar();
    // Initial expression of that variable; empty: no variable.
    virtual QString LocalVarExpression() const;

private:
    std::unique_ptr<TVxCustomController> m_controller;
    QString m_localVarName;
};

} // namespace zelmio
