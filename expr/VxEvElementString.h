#pragma once
// A string literal, the characters between its quotes verbatim.

#include "expr/VxEvElement.h"

namespace zelmio {

class TVxEvElementString : public TVxEvElement {
public:
    // Code page tag of literals: they are UTF-16 text.
    static constexpr quint16 LiteralCodePage = 1200;

    explicit TVxEvElementString(const QString &text) : FValue(text) {}
    TVxEvResult Value(TVxFiFo &) override
    {
        TVxEvResult r = TVxEvResult::String(FValue);
        r.CodePage = LiteralCodePage;
        return r;
    }

    const QString &Text() const { return FValue; }
    void SetText(const QString &text) { FValue = text; }

private:
    QString FValue;
};

} // namespace zelmio
