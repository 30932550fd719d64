#pragma once
// A named expression of an environment, with its own evaluator.

#include "expr/VxEvElement.h"

#include <QString>
#include <memory>
#include <mutex>

namespace zelmio {

class TVxEvaluator;

class TVxEvEmbeddedFunction : public TVxEvElement {
public:
    explicit TVxEvEmbeddedFunction(const QString &expression);
    ~TVxEvEmbeddedFunction() override;

    // The entry's value; "Recursive calls not allowed" when the entry is
    // already being evaluated (entries that use each other in a cycle).
    TVxEvResult Value(TVxFiFo &fifo) override;
    TVxEvResult Evaluate();

    TVxEvaluator &Evaluator() { return *m_evaluator; }
    const TVxEvaluator &Evaluator() const { return *m_evaluator; }
    const QString &Expression() const { return FExpression; }
    // Changes the expression; a prepared evaluator is prepared again with it.
    // Raises EVxError while the entry is being evaluated.
    void SetExpression(const QString &expression);
    // A lock held while the entry is evaluated (the global environment's, so
    // that runs on two threads take turns with its shared evaluators).
    void SetLock(std::recursive_mutex *lock) { m_lock = lock; }

private:
    std::unique_ptr<TVxEvaluator> m_evaluator;
    QString FExpression;
    bool FInEvaluate = false;
    std::recursive_mutex *m_lock = nullptr;
};

} // namespace zelmio
