#pragma once
// The text side of the expression builder window: the function list by
// category, argument captions and the composed call, the fields offered for
// a record set, the line breaks removed from a typed expression, and the
// message of a trial evaluation. No widgets here, so it is tested headless.

#include "expr/VxDataSetList.h"

#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

namespace zelmio {

class TDataSet;
class TField;
class TVexaDesigner;
class TVxLibraryEntry;

// Removes the line breaks of a multi-line expression field (CR LF, CR or
// LF), joining the lines with nothing between them.
QString TrimExpr(const QString &text);

// The categories of the function list; a category's number is its position
// (0 "All").
QStringList ExpressionCategories();

// The registry entries offered for a category in registry order: those of
// that category, or for 0 those of every category 1 to 7. Entries above 7
// (the colour constants) are never offered.
QList<TVxLibraryEntry *> ExpressionFunctions(int category);

// "Argument 2 - numeric" for letter "N" at position 1; "V" takes valueText
// ("Value :"), an unknown letter gets nothing after the dash.
QString ArgumentCaption(QChar letter, int position, const QString &valueText);

// name(arguments): the arguments joined with ", ". Empty arguments keep
// their place, so the others are not shifted into the wrong parameter;
// trailing empty ones are left out.
QString FunctionCall(const QString &name, const QStringList &arguments);

// A field offered in the data field list: its list text ("CUSTNO  (Customer
// number)" when the display label differs) and the text to insert
// ("CUSTOMERS.CUSTNO").
struct TExpressionField {
    TField *field = nullptr;
    QString listText;
    QString insertText;
};

// The fields of a record set that the designer offers, in field order.
QList<TExpressionField> ExpressionFields(TVexaDesigner *designer, TDataSet *dataSet);

// Evaluates the expression once against the record sets, without an
// aggregation pass, and gives the message to show: "There are no errors.
// The result is : 3" or "ERROR: " and the problem (also for failures raised
// while evaluating, such as an integer overflow).
QString ValidateExpression(const QString &expression, const TVxDataSetList &dataSets);

} // namespace zelmio
