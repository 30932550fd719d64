#pragma once
// A use of a named environment entry: evaluates to the entry's value. Reset
// is not forwarded (the entry's own aggregates are not the user's).

#include "expr/VxEvElement.h"

#include <QString>
#include <memory>

namespace zelmio {

class TVxEvEmbeddedFunction;

class TVxEvElementWrapper : public TVxEvElement {
public:
    // The entry is not owned: when it is deleted from its environment the
    // wrapper reports "Unknown function : <name>" instead of using it.
    TVxEvElementWrapper(std::weak_ptr<TVxEvEmbeddedFunction> function, const QString &name);
    TVxEvResult Value(TVxFiFo &fifo) override;

    std::shared_ptr<TVxEvEmbeddedFunction> EmbeddedFunction() const { return FEmbeddedFunction.lock(); }

private:
    std::weak_ptr<TVxEvEmbeddedFunction> FEmbeddedFunction;
    QString m_name;
};

} // namespace zelmio
