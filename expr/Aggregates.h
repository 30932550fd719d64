#pragma once
// The aggregates SUM, AVERAGE, MAX, MIN and COUNT. They accumulate only in an
// aggregation pass of their expression (TVxEvaluator::DoAggregate), report
// what they hold on an ordinary evaluation, and start again on Reset.
//
// A value of the other numeric kind than the first (an integer after a
// float, or the reverse) is taken as a number: SUM and AVERAGE then hold a
// float, MAX and MIN compare the two numerically. Other values of a kind
// that differs from the first are ignored by MAX and MIN.

#include "expr/VxEvElementFunction.h"

namespace zelmio {

class TVxEvSumFunction : public TVxEvElementFunction {
public:
    TVxEvSumFunction();
    void Reset() override;
    void Aggregate() override;
    TVxEvResult Calculate() override;

protected:
    TVxEvResult SumResult;      // the running sum
    bool ResAssigned = false;   // a first value has been taken
};

class TVxEvAverageFunction : public TVxEvSumFunction {
public:
    void Reset() override;
    void Aggregate() override;
    TVxEvResult Calculate() override;

protected:
    qint32 Count = 0;           // aggregation steps since Reset
    TVxEvResult aResult;        // the current average
};

class TVxEvMaxFunction : public TVxEvElementFunction {
public:
    TVxEvMaxFunction();
    void Reset() override;
    void Aggregate() override;
    TVxEvResult Calculate() override;

protected:
    TVxEvResult MaxResult;
    bool ResAssigned = false;
};

class TVxEvMinFunction : public TVxEvElementFunction {
public:
    TVxEvMinFunction();
    void Reset() override;
    void Aggregate() override;
    TVxEvResult Calculate() override;

protected:
    TVxEvResult MinResult;
    bool ResAssigned = false;
};

// Counts the aggregation passes; takes no arguments.
class TVxEvCountFunction : public TVxEvElementFunction {
public:
    TVxEvCountFunction();
    TVxEvResult Value(TVxFiFo &fifo) override;
    void Reset() override;

protected:
    qint32 FCount = 0;
};

} // namespace zelmio
