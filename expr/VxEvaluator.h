#pragma once
// Compiles an expression text once (Prepare) into a queue of elements in
// prefix order and evaluates it any number of times (Value) against the
// current records of its record sets.
//
// The compiler is a recursive splitter working on the text itself: at each
// precedence level it takes the leftmost operator of that level that stands
// outside quotes, brackets and parentheses, emits the operator and compiles
// the text on either side. Problems become error elements in the queue;
// compilation never fails as a whole.
//
// Precedence: comparisons (which do not chain), then + - or, then * / and,
// then factors. A "-" swaps the top-level signs of its right part and a "/"
// its "*" and "/", so that a-b+c and a/b*c come out left to right.

#include "expr/VxDataSetList.h"
#include "expr/VxEvResult.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <memory>

namespace zelmio {

class TVxEvElement;
class TVxEvEnvironment;
class TVxFiFo;

class TVxEvaluator {
public:
    TVxEvaluator();
    virtual ~TVxEvaluator();
    TVxEvaluator(const TVxEvaluator &) = delete;
    TVxEvaluator &operator=(const TVxEvaluator &) = delete;

    // Record sets for field names, in lookup order. Reading before a list was
    // set creates an empty one owned by the evaluator; a list set by the
    // caller stays the caller's.
    TVxDataSetList *DataSets();
    void SetDataSets(TVxDataSetList *dataSets);

    // The local environment (the report's Functions); not owned.
    TVxEvEnvironment *Environment() const;
    void SetEnvironment(TVxEvEnvironment *environment);

    void Prepare(const QString &expression);
    void UnPrepare();
    bool Prepared() const { return FPrepared; }

    // The value for the current records. Raises EVxError "Evaluator not
    // prepared" when not prepared and EIntOverflow on integer overflow.
    TVxEvResult Value();
    // One aggregation pass: aggregates take the current values.
    void DoAggregate();
    // Restarts every aggregate of the expression.
    void Reset();
    // The expression holds an aggregate.
    bool IsAggreg() const;
    bool Aggregate() const;
    void SetAggregate(bool aggregate);

    // Prepare, Value and UnPrepare in one call.
    TVxEvResult Calculate(const QString &expression);

    // Typed accessors on Value(); they raise EVxError on a value of the
    // wrong kind ("Not a numeric value", "Error in expression : ...").
    QString AsString();
    qint32 AsInteger();
    double AsFloat();
    bool AsBoolean();
    QVariant AsVariant();

    // The compiled queue while prepared (environment constants), else nullptr.
    TVxFiFo *FiFo() const { return m_fifo.get(); }

    // Nesting deeper than this (about 250 parentheses or a chain of 1000
    // operators) compiles to an error instead of exhausting the stack.
    static constexpr int MaxCompileDepth = 1000;

protected:
    // The two resolution steps a descendant may replace. EvalFunction gets an
    // upper-cased name and the text between the call's parentheses.
    virtual void EvalFunction(const QString &name, const QString &arguments);
    virtual void EvalVariable(const QString &name);
    // Local, then global environment entry, or "Unknown function : <name>".
    void EvalEnvironment(const QString &name);

    void Emit(std::unique_ptr<TVxEvElement> element);
    void EmitError(const QString &message);
    // Compiles text at the comparison level (a whole expression or argument).
    void CompileExpression(const QString &text);

private:
    void compileComparison(const QString &text);
    void compileSum(const QString &text);
    void compileProduct(const QString &text);
    void compileFactor(const QString &text);
    void compileNumber(const QString &factor);
    void compileCall(const QString &factor);
    bool enterLevel();

    std::unique_ptr<TVxDataSetList> OwnDataSets;
    TVxDataSetList *FDataSets = nullptr;
    std::unique_ptr<TVxFiFo> m_fifo;
    bool FPrepared = false;
    QPointer<TVxEvEnvironment> FEnvironment;
    int m_depth = 0;
    bool m_evaluating = false;
};

} // namespace zelmio
