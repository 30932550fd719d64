#pragma once
// Design-time loop band.
// Adds the designer's switch, print condition, page range, background and
// own hooks (TDesignBandSettings) to the engine band.

#include "designer/DesignBandMembers.h"
#include "model/VxLoopBand.h"

namespace zelmio {

class TTesmolaLoopband : public TVxLoopBand {
    Q_OBJECT
    ZELMIO_DESIGN_BAND_PROPERTIES
public:
    explicit TTesmolaLoopband(TComponent *owner = nullptr);

    ZELMIO_DESIGN_BAND_MEMBERS
};

} // namespace zelmio
