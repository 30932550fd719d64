#pragma once
// Design-time picture from a field: the engine element with the designer's anchoring
// switches (move down or grow with the band's growth).

#include "designer/VxDLoader.h"
// TVxPrintable needs the report complete.
#include "model/CustomVexa.h"
#include "model/VxDBImage.h"

namespace zelmio {

class TTesmolaDBImage : public TVxDBImage {
    Q_OBJECT
    Q_PROPERTY(bool FixBottomPosition READ FixBottomPosition WRITE SetFixBottomPosition)
    Q_PROPERTY(bool StretchHeightWithBand READ StretchHeightWithBand WRITE SetStretchHeightWithBand)
    Q_PROPERTY(zelmio::TVxDDBImageBeforePrintEvent BeforePrint READ DesignBeforePrint WRITE SetDesignBeforePrint)
public:
    explicit TTesmolaDBImage(TComponent *owner = nullptr);

    // Moves down or grows with the band's growth (FixBottomPosition,
    // StretchHeightWithBand) while it prints.
    void Print(long double ofsX, long double ofsY) override;

    bool FixBottomPosition() const { return m_fixBottomPosition; }
    void SetFixBottomPosition(bool value) { m_fixBottomPosition = value; }
    bool StretchHeightWithBand() const { return m_stretchHeightWithBand; }
    void SetStretchHeightWithBand(bool value) { m_stretchHeightWithBand = value; }
    // The element's own picture hook, called after the application's.
    TVxDDBImageBeforePrintEvent DesignBeforePrint() const { return m_beforePrint; }
    void SetDesignBeforePrint(const TVxDDBImageBeforePrintEvent &hook) { m_beforePrint = hook; }
    // The application's picture hook the design report hands on for a job.
    void SetApplicationPictureHook(const TVxDDBImageBeforePrintEvent &hook) { m_applicationHook = hook; }

protected:
    // The application's hook, then the element's own.
    void PictureLoaded(TVxPicture &picture) override;
    // A blob field's bytes; any other field names a picture file (".BMP"
    // when it has no extension). A missing file leaves the picture empty.
    bool LoadFieldPicture() override;

private:
    bool m_fixBottomPosition = false;
    bool m_stretchHeightWithBand = false;
    TVxDDBImageBeforePrintEvent m_beforePrint;
    TVxDDBImageBeforePrintEvent m_applicationHook;
};

} // namespace zelmio
