#pragma once
// Growing a band while its elements print: a text element whose lines do not
// fit asks its band for more height, which the band grants while the grown
// band still fits on the page.

namespace zelmio {

class TCustomVexa;
class TVxCustomBand;

// Space left on the page below the current position, in tenths of a
// millimetre: 0 while no generation runs or before the first page; the whole
// paper length for a streaming export filter; otherwise the paper length
// less the bottom margin, the page footer and the current position.
int AvailableSpace(const TCustomVexa &report);

// Whether the band, grown by value, still fits into the available space.
bool CanExpand(const TVxCustomBand &band, long double value);

// Grants an element value more height. False and nothing changed when the
// band cannot grow; otherwise the band's expansion grows by value when the
// element already expanded or value is at least the expansion granted so
// far (result false), or stays because another element already took this
// much (result true). Either way newExpanded is the band's expansion and
// hasExpanded is set.
bool ExpandBand(TVxCustomBand &band, long double value, long double &newExpanded, bool &hasExpanded);

} // namespace zelmio
