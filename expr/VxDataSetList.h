#pragma once
// The record sets an expression may read, in lookup order. Evaluators and
// environments either own such a list or use their caller's (the report's
// AllDataSets), which the caller keeps alive while they are prepared.

#include <QList>

namespace zelmio {

class TDataSet;
using TVxDataSetList = QList<TDataSet *>;

} // namespace zelmio
