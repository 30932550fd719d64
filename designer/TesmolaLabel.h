#pragma once
// Design-time fixed text: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth), rotation.

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxLabel.h"

namespace zelmio {

class TTesmolaLabel : public TVxLabel {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(quint16 Degree READ Degree WRITE SetDegree)
    Q_CLASSINFO("default:Degree", "0")
public:
    explicit TTesmolaLabel(TComponent *owner = nullptr);

    // Moves down or grows with the band's growth (FixBottomPosition,
    // StretchHeightWithBand) while it prints.
    void Print(long double ofsX, long double ofsY) override;
    void FormatLines() override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }
    // Text rotation in tenths of a degree, counter-clockwise. A non-zero value
    // switches AutoSize off; values above 3600 are reduced by 3600.
    quint16 Degree() const { return m_degree; }
    void SetDegree(quint16 value);

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
    quint16 m_degree = 0;
};

} // namespace zelmio
