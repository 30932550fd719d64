#pragma once
// Table-driven expression tests: each row an expression, the kind of its
// result and the result's text (or the error message).

#include "expr/VxEvaluator.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace zelmio::test {

struct Case {
    const char *expression;
    TVxEvResultType kind;
    const char *text;   // the value's text, or the error message
};

inline TVxEvResult calculate(const QString &expression)
{
    TVxEvaluator evaluator;
    return evaluator.Calculate(expression);
}

inline void checkCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases) {
        SCOPED_TRACE(c.expression);
        const TVxEvResult r = calculate(QString::fromUtf8(c.expression));
        EXPECT_EQ(VxEvResultTypeName(r.Kind).toStdString(), VxEvResultTypeName(c.kind).toStdString());
        EXPECT_EQ(VxEvResultText(r).toStdString(), std::string(c.text));
    }
}

} // namespace zelmio::test
