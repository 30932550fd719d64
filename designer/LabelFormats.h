#pragma once
// The label stock table: the label sheets of the label manufacturers with
// their margins, label sizes, grid and paper, from which the report wizard
// fills its label pages.
//
// The table is 8-bit text (Windows-1252), lines separated by CR LF. A line
// without ";" starts a manufacturer; the lines with ";" that follow are its
// sheets: code; top margin; left margin; width; height; columns; rows;
// vertical pitch; horizontal pitch; paper code; and a closing ";". Lengths
// are centimetres with a decimal comma ("1,65").

#include "model/VxTypes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace zelmio {

// One sheet of the table; lengths in centimetres as stored there.
struct LabelFormatRec {
    QString Name;               // the code, underscores shown as blanks
    double TopMargin = 0;
    double LeftMargin = 0;
    double Width = 0;
    double Height = 0;
    int Columns = 0;
    int Rows = 0;
    double VDistance = 0;       // label top to the next label's top
    double HDistance = 0;       // label left to the next label's left
    TVxPaperSize Papersize = TVxPaperSize::Default;
    bool Landscape = false;
    double PageWidth = 0;       // for Custom paper only
    double PageHeight = 0;
};

// The table's bytes, and its lines decoded (line ends removed).
QByteArray LabelFormatsResource();
QStringList LabelFormatLines();

// The manufacturers' heading lines, in table order.
QStringList LabelManufacturers();
// The sheet lines of a manufacturer (compared without regard to case);
// empty for an unknown one.
QStringList LabelFormatLinesOf(const QString &manufacturer);

// Reads one sheet line. False when a field does not convert, a count is
// below 1 or a label size is not positive; an empty pitch is the label's
// own size.
bool GetLabelValues(const QString &line, LabelFormatRec &rec);

// The paper of a paper code (upper-cased and cut to 20 characters first):
// empty is Default, "0" is A4, a trailing "Q" means landscape, "P" and "M"
// are custom sizes. Unknown codes give Default.
void LabelPaperFromCode(const QString &code, LabelFormatRec &rec);

// The list entry of a sheet: code (width x height), sizes to two decimals.
QString LabelFormatCaption(const LabelFormatRec &rec);

} // namespace zelmio
