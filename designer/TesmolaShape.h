#pragma once
// Design-time shape and line: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth).

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxShape.h"

namespace zelmio {

class TTesmolaShape : public TVxShape {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
public:
    explicit TTesmolaShape(TComponent *owner = nullptr);

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
