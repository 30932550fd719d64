#pragma once
// A syntax error in the text form of an object block, with the position
// (1-based line and column of the input) where reading stopped.

#include "platform/VxError.h"

namespace zelmio {

class ETextFormError : public EVxError {
public:
    ETextFormError(int line, int column, const QString &problem)
        : EVxError(QStringLiteral("line %1, column %2: %3").arg(line).arg(column).arg(problem))
        , m_line(line)
        , m_column(column)
        , m_problem(problem)
    {
    }
    int line() const { return m_line; }
    int column() const { return m_column; }
    QString problem() const { return m_problem; }

private:
    int m_line;
    int m_column;
    QString m_problem;
};

} // namespace zelmio
