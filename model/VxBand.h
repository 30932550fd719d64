#pragma once
// A band whose kind is set by its creator and published as BandType.

#include "model/VxCustomBand.h"

namespace zelmio {

class TVxBand : public TVxCustomBand {
    Q_OBJECT
    Q_PROPERTY(zelmio::VxTypes::TVxBandType BandType READ BandType WRITE SetBandType)
public:
    explicit TVxBand(TComponent *owner = nullptr);
};

} // namespace zelmio
