#pragma once
// Unique component names among an owner's components.

#include <QString>

namespace zelmio {

class TComponent;

// With keepFreeBase true and no component of the owner named like base, the
// result is base. Otherwise trailing decimal digits are removed from base and
// the first number 1, 2, 3, ... is appended for which the owner has no
// component of that name (names compare without regard to case). Without an
// owner every name is free.
QString FindUniqueComponentName(const TComponent *owner, const QString &base, bool keepFreeBase);

// base with trailing decimal digits removed.
QString StripTrailingDigits(const QString &base);

} // namespace zelmio
