#pragma once
// A strings band prints once per line of Items per pass of its master; its
// name is a report variable holding the current line.

#include "model/VxControllerBand.h"

#include <QStringList>

namespace zelmio {

class TVxStringsController;

class TVxStringsBand : public TVxControllerBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::TComponent *Master READ Master WRITE SetMaster)
    Q_PROPERTY(QStringList Items READ Items WRITE SetItems)
    Q_PROPERTY(bool PrintBefore READ PrintBefore WRITE SetPrintBefore)
    Q_CLASSINFO("default:Items", "")
public:
    explicit TVxStringsBand(TComponent *owner = nullptr);

    TVxStringsController *StringsController() const;
    QStringList Items() const;
    void SetItems(const QStringList &items);

    QString BandTypeName() const override { return QStringLiteral("StringsBand"); }
    QString BandComponentName() const override { return QStringLiteral("Strings Band"); }

protected:
    std::unique_ptr<TVxCustomController> CreateController() override;
    // An empty string literal.
    QString LocalVarExpression() const override;
};

} // namespace zelmio
