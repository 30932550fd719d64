#pragma once
// Design-time rich text: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth).

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxRichText.h"

namespace zelmio {

class TTesmolaRichtext : public TVxRichText {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
public:
    explicit TTesmolaRichtext(TComponent *owner = nullptr);

    // Moves down or grows with the band's growth (FixBottomPosition,
    // StretchHeightWithBand) while it prints.
    void Print(long double ofsX, long double ofsY) override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }
    // The designer's on/off switch; the engine's Enabled is false except
    // while an output job is prepared.
    bool EditorEnabled() const { return m_editorEnabled; }
    void SetEditorEnabled(bool value) { m_editorEnabled = value; }
    // "RichtextLines": the formatted content as one binary block, always
    // written, read back into the lines.
    void DefineProperties(TPropertyFiler &filer) override;

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
    bool m_editorEnabled = true;
};

} // namespace zelmio
