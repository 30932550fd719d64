#pragma once
// A problem found while compiling; evaluates to an error value with its text.

#include "expr/VxEvElement.h"

namespace zelmio {

class TVxEvElementError : public TVxEvElement {
public:
    explicit TVxEvElementError(const QString &message) : FErrorMessage(message) {}
    TVxEvResult Value(TVxFiFo &) override { return TVxEvResult::Error(FErrorMessage); }

    const QString &ErrorMessage() const { return FErrorMessage; }

private:
    QString FErrorMessage;
};

} // namespace zelmio
