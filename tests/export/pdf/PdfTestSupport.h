#pragma once
// Reading back the PDF files the writer produced: the objects by number, a
// check that every cross-reference offset points at its object, and the
// external checkers (qpdf, pdftotext) where they are installed.

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace zelmio::test {

// The text of object n, from its "n 0 obj" line to its "endobj" line.
inline QByteArray PdfObject(const QByteArray &pdf, int n)
{
    const QByteArray start = "\r\n" + QByteArray::number(n) + " 0 obj\r\n";
    const qsizetype from = pdf.indexOf(start);
    if (from < 0)
        return {};
    const qsizetype to = pdf.indexOf("endobj\r\n", from);
    return pdf.mid(from + 2, to < 0 ? -1 : to - from - 2 + 6);
}

// The problems of the cross-reference table: startxref must point at
// "xref", every offset at its object's "n 0 obj" line.
inline QStringList XrefProblems(const QByteArray &pdf)
{
    QStringList problems;
    const qsizetype sx = pdf.lastIndexOf("startxref\r\n");
    if (sx < 0)
        return {QStringLiteral("no startxref")};
    const qsizetype xref = pdf.mid(sx + 11).split('\r').value(0).toLongLong();
    if (pdf.mid(xref, 6) != "xref\r\n")
        return {QStringLiteral("startxref %1 does not point at xref").arg(xref)};
    const QList<QByteArray> lines = pdf.mid(xref).split('\n');
    const int count = lines.value(1).trimmed().split(' ').value(1).toInt();
    for (int n = 1; n < count; ++n) {
        const QByteArray entry = lines.value(2 + n).trimmed();
        const qsizetype offset = entry.left(10).toLongLong();
        if (entry.size() != 18 || !entry.endsWith(" 00000 n"))
            problems << QStringLiteral("entry %1 malformed: %2").arg(n).arg(QString::fromLatin1(entry));
        const QByteArray expected = QByteArray::number(n) + " 0 obj\r\n";
        if (pdf.mid(offset, expected.size()) != expected)
            problems << QStringLiteral("object %1: offset %2 points elsewhere").arg(n).arg(offset);
    }
    return problems;
}

inline bool HaveProgram(const QString &name)
{
    return !QStandardPaths::findExecutable(name).isEmpty();
}

// Runs a program; its standard output and error together, and its exit code.
inline QString RunProgram(const QString &program, const QStringList &args, int *exitCode = nullptr)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    process.waitForFinished(60000);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAll());
}

// qpdf --check's verdict: empty when the file is fine, else its output.
inline QString QpdfProblems(const QString &file)
{
    int code = 0;
    const QString out = RunProgram(QStringLiteral("qpdf"), {QStringLiteral("--check"), file}, &code);
    return code == 0 && !out.contains(QLatin1String("WARNING")) ? QString() : out;
}

// What mutool reports while rendering every page: empty when it renders
// without warnings or errors (its note that it was built without ICC colour
// management is about mutool, not the file).
inline QString MutoolProblems(const QString &file)
{
    int code = 0;
    const QString out = RunProgram(QStringLiteral("mutool"),
                                   {QStringLiteral("draw"), QStringLiteral("-F"), QStringLiteral("pnm"),
                                    QStringLiteral("-o"), QStringLiteral("/dev/null"), file},
                                   &code);
    QStringList problems;
    for (const QString &line : out.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if ((line.contains(QLatin1String("warning")) || line.contains(QLatin1String("error")))
            && !line.contains(QLatin1String("ICC support is not available")))
            problems << line;
    }
    if (code != 0)
        problems << QStringLiteral("exit code %1").arg(code);
    return problems.join(QLatin1Char('\n'));
}

inline QString PdfToText(const QString &file)
{
    return RunProgram(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), file, QStringLiteral("-")});
}

inline QByteArray ReadAll(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace zelmio::test
