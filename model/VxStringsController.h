#pragma once
// Controller of a strings band: prints its band once per line of Items.

#include "model/VxCustomController.h"

#include <QStringList>

namespace zelmio {

class TVxStringsController : public TVxCustomController {
    Q_OBJECT
public:
    explicit TVxStringsController(TComponent *orgOwner);

    const QStringList &Items() const { return m_items; }
    void SetItems(const QStringList &items) { m_items = items; }
    // Current line, -1 when idle.
    int Index() const { return m_index; }
    void SetIndex(int index) { m_index = index; }

    TVxCustomBand *DetailBand() const;

    // Its before-controllers, its band, its after-controllers.
    void RegisterBands() override;

    // Per line of Items: the local variable, the before-controllers, the band, the
    // after-controllers.
    void Execute() override;
    // The current line.
    TVxEvResult LocalVarValue() const override;

private:
    QStringList m_items;
    int m_index = -1;
};

} // namespace zelmio
