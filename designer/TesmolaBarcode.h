#pragma once
// Design-time barcodes, fixed and bound to a field: the engine elements with
// the designer's anchoring switches (move down or grow with the band's
// growth), as pictures have them.

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxBarcode.h"

namespace zelmio {

class TTesmolaBarcode : public TVxBarcode {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
public:
    explicit TTesmolaBarcode(TComponent *owner = nullptr);

    void Print(long double ofsX, long double ofsY) override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
};

class TTesmolaDBBarcode : public TVxDBBarcode {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
public:
    explicit TTesmolaDBBarcode(TComponent *owner = nullptr);

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
