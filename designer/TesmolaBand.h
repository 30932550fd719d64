#pragma once
// Design-time band of a fixed kind (title, page header, detail, page footer, summary, column header, ...).
// Adds the designer's switch, print condition, page range, background and
// own hooks (TDesignBandSettings) to the engine band.

#include "designer/DesignBandMembers.h"
#include "model/VxBand.h"

namespace zelmio {

class TTesmolaBand : public TVxBand {
    Q_OBJECT
    ZELMIO_DESIGN_BAND_PROPERTIES
public:
    explicit TTesmolaBand(TComponent *owner = nullptr);

    ZELMIO_DESIGN_BAND_MEMBERS
};

} // namespace zelmio
