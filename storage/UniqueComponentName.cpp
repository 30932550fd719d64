#include "storage/UniqueComponentName.h"

#include "model/Component.h"

namespace zelmio {

QString StripTrailingDigits(const QString &base)
{
    qsizetype end = base.size();
    while (end > 0 && base.at(end - 1).isDigit() && base.at(end - 1).unicode() < 0x80)
        --end;
    return base.left(end);
}

QString FindUniqueComponentName(const TComponent *owner, const QString &base, bool keepFreeBase)
{
    const auto taken = [owner](const QString &name) { return owner && owner->FindOwnedObject(name) != nullptr; };
    if (keepFreeBase && !base.isEmpty() && !taken(base))
        return base;
    const QString stem = StripTrailingDigits(base);
    for (int number = 1;; ++number) {
        const QString candidate = stem + QString::number(number);
        if (!taken(candidate))
            return candidate;
    }
}

} // namespace zelmio
