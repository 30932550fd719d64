#pragma once
// Design-time strings band.
// Adds the designer's switch, print condition, page range, background and
// own hooks (TDesignBandSettings) to the engine band.

#include "designer/DesignBandMembers.h"
#include "model/VxStringsBand.h"

namespace zelmio {

class TTesmolaStringsband : public TVxStringsBand {
    Q_OBJECT
    ZELMIO_DESIGN_BAND_PROPERTIES
public:
    explicit TTesmolaStringsband(TComponent *owner = nullptr);

    ZELMIO_DESIGN_BAND_MEMBERS
};

} // namespace zelmio
