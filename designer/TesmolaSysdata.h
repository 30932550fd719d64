#pragma once
// Design-time system data (date, page number, ...): the engine element with the designer's anchoring
// switches (move down or grow with the band's growth).

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxSysData.h"

namespace zelmio {

class TTesmolaSysdata : public TVxSysData {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
public:
    explicit TTesmolaSysdata(TComponent *owner = nullptr);

    // Moves down or grows with the band's growth (FixBottomPosition,
    // StretchHeightWithBand) while it prints.
    void Print(long double ofsX, long double ofsY) override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
};

} // namespace zelmio
