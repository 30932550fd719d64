#include "storage/UniqueComponentName.h"

#include "model/Component.h"

#include <QSet>

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
    if (keepFreeBase && !base.isEmpty() && !(owner && owner->FindOwnedObject(base)))
        return base;
    // The owner's names are folded once: with a thousand elements, searching
    // the owner again for every candidate number made each new name cost a
    // million comparisons.
    QSet<QString> taken;
    if (owner) {
        for (const QObject *child : owner->children()) {
            if (!child->objectName().isEmpty())
                taken.insert(child->objectName().toCaseFolded());
        }
    }
    const QString stem = StripTrailingDigits(base);
    const QString foldedStem = stem.toCaseFolded();
    for (int number = 1;; ++number) {
        if (!taken.contains(foldedStem + QString::number(number)))
            return stem + QString::number(number);
    }
}

} // namespace zelmio
