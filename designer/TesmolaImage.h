#pragma once
// Design-time fixed picture: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth).

// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxImage.h"

namespace zelmio {

class TTesmolaImage : public TVxImage {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(QString Filename READ Filename WRITE SetFilename)
    Q_CLASSINFO("default:Filename", "")
public:
    explicit TTesmolaImage(TComponent *owner = nullptr);

    // Moves down or grows with the band's growth (FixBottomPosition,
    // StretchHeightWithBand) while it prints.
    void Print(long double ofsX, long double ofsY) override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }
    // A picture file; setting it loads the file into the picture at once
    // (a file that cannot be read or decoded leaves the picture as it was).
    QString Filename() const { return m_filename; }
    void SetFilename(const QString &fileName);
    void Loaded() override;

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
    QString m_filename;
};

} // namespace zelmio
