#pragma once
// The HasHeader and HasFooter switches of a sub-detail: setting one creates
// a group header or footer band for the sub-detail through the report, or
// frees the existing one. Not written (the bands are).

#include "model/Persistent.h"

namespace zelmio {

class TVxSubDetail;

class TVxSubDetailGroupBands : public TPersistent {
    Q_OBJECT
    Q_PROPERTY(bool HasHeader READ HasHeader WRITE SetHasHeader STORED false)
    Q_PROPERTY(bool HasFooter READ HasFooter WRITE SetHasFooter STORED false)
public:
    explicit TVxSubDetailGroupBands(TVxSubDetail *subDetail = nullptr);

    TPersistent *GetOwner() const override;
    // Derived from the sub-detail's bands: nothing to copy.
    void Assign(const TPersistent *source) override;

    bool HasHeader() const;
    void SetHasHeader(bool value);
    bool HasFooter() const;
    void SetHasFooter(bool value);

private:
    TVxSubDetail *m_subDetail;
};

} // namespace zelmio
