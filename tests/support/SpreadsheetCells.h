#pragma once
// The cells of a .xls, .xlsx or .csv file as other readers see them: Debian's
// xlrd, Python's zipfile and XML parser, Python's csv module (through
// tests/support/spreadsheet_cells.py).

#include <QFile>
#include <algorithm>
#include <cmath>
#include <string>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <ostream>
#include <vector>

namespace zelmio::test {

struct SheetCell {
    int sheet = 0;
    int row = 0;
    int col = 0;
    bool number = false;
    double value = 0;
    QString text;

    bool operator==(const SheetCell &o) const
    {
        return sheet == o.sheet && row == o.row && col == o.col && number == o.number
            && (number ? std::abs(value - o.value) <= 1e-12 * std::max(1.0, std::abs(value)) : text == o.text);
    }
};

inline void PrintTo(const SheetCell &c, std::ostream *os)
{
    *os << "{" << c.sheet << "," << c.row << "," << c.col << ","
        << (c.number ? "n " + std::to_string(c.value) : "s \"" + c.text.toStdString() + "\"") << "}";
}

inline SheetCell Num(int row, int col, double value, int sheet = 0)
{
    return {sheet, row, col, true, value, QString()};
}
inline SheetCell Txt(int row, int col, const QString &text, int sheet = 0)
{
    return {sheet, row, col, false, 0, text};
}

// The Python that has Debian's xlrd.
inline QString SystemPython()
{
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

struct ReadCells {
    bool ok = false;
    QString error;
    std::vector<SheetCell> cells;
    QStringList notes; // the "#..." lines: encoding, sheet names, widths, BOM
};

inline ReadCells ReadSpreadsheet(const QString &file)
{
    ReadCells result;
    QProcess p;
    p.start(SystemPython(), {QStringLiteral(ZELMIO_SOURCE_DIR "/tests/support/spreadsheet_cells.py"), file});
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        result.error = QString::fromUtf8(p.readAllStandardError()) + p.errorString();
        return result;
    }
    for (const QString &line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(u'#')) {
            result.notes << line.mid(1);
            continue;
        }
        const QStringList f = line.split(u'\t');
        if (f.size() != 5) {
            result.error = QStringLiteral("bad line: ") + line;
            return result;
        }
        SheetCell c{f[0].toInt(), f[1].toInt(), f[2].toInt(), f[3] == u'n', 0, QString()};
        if (c.number) {
            c.value = f[4].toDouble();
        } else {
            QString t;
            for (qsizetype i = 0; i < f[4].size(); ++i) {
                if (f[4][i] == u'\\' && i + 1 < f[4].size()) {
                    const QChar e = f[4][++i];
                    t += e == u't' ? QChar(u'\t') : e == u'n' ? QChar(u'\n') : e == u'r' ? QChar(u'\r') : e;
                } else {
                    t += f[4][i];
                }
            }
            c.text = t;
        }
        result.cells.push_back(c);
    }
    result.ok = true;
    return result;
}

} // namespace zelmio::test
