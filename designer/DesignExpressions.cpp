#include "designer/DesignExpressions.h"

#include "expr/VxEvaluator.h"
#include "model/CustomVexa.h"
#include "storage/ExpressionText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <exception>

namespace zelmio {

namespace {

TVxEvResult Evaluate(const QString &text, TCustomVexa *report)
{
    TVxEvaluator evaluator;
    if (report)
        evaluator.SetDataSets(&report->RunState().AllDataSets);
    try {
        return evaluator.Calculate(text);
    } catch (const std::exception &) {
        return TVxEvResult::Error();
    }
}

} // namespace

bool EvalBoolExpression(const QString &text, TCustomVexa *report)
{
    if (text.isEmpty())
        return true;
    const TVxEvResult result = Evaluate(text, report);
    return result.Kind != TVxEvResultType::resBool || result.booResult;
}

QString EvalStringExpression(const QString &text, TCustomVexa *report)
{
    const TVxEvResult result = Evaluate(text, report);
    if (result.Kind == TVxEvResultType::resString)
        return result.StringVal;
    if (result.Kind == TVxEvResultType::resInt)
        return QString::number(result.intResult);
    return QString();
}

bool IsExprResultNumeric(const QString &text, TCustomVexa *report)
{
    return Evaluate(text, report).Kind != TVxEvResultType::resString;
}

QStringList EvaluateStringList(TCustomVexa *report, const QStringList &lines)
{
    return ExpandExpressionText(lines, [report](const QString &expression) {
        return EvalStringExpression(expression, report);
    });
}

bool ExpandRichText(QTextDocument &document, TCustomVexa *report)
{
    const QString marker = QStringLiteral("%%");
    const QString del = QStringLiteral("%DEL");
    QTextCursor edit(&document);
    bool changed = false;
    edit.beginEditBlock();
    auto remove = [&](int from, int to) {
        edit.setPosition(from);
        edit.setPosition(to, QTextCursor::KeepAnchor);
        edit.removeSelectedText();
        changed = true;
    };

    // Searching goes on after each inserted value, so a value that holds
    // "%%" itself is not expanded again (and cannot expand without end).
    int from = 0;
    for (;;) {
        const QTextCursor open = document.find(marker, from);
        if (open.isNull())
            break;
        const int start = open.selectionStart();
        remove(start, open.selectionEnd());
        const QTextCursor close = document.find(marker, start);
        if (close.isNull())
            break;
        const int end = close.selectionStart();
        remove(end, close.selectionEnd());
        edit.setPosition(start);
        edit.setPosition(qMin(end, start + 255), QTextCursor::KeepAnchor);
        QString expression = edit.selectedText();
        expression.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
        edit.insertText(EvalStringExpression(expression, report));
        from = edit.position();
    }

    // Paragraphs that are "%DEL" alone, from the last to the first.
    for (QTextBlock block = document.lastBlock(); block.isValid();) {
        const QTextBlock previous = block.previous();
        if (block.text().trimmed() == del) {
            // With its paragraph break: the following one, or for the last
            // paragraph the one before it.
            int start = block.position();
            int end = block.position() + block.length() - 1;
            if (block.next().isValid())
                ++end;
            else if (previous.isValid())
                --start;
            remove(start, end);
        }
        block = previous;
    }
    for (QTextCursor found = document.find(del, 0); !found.isNull(); found = document.find(del, found.selectionStart()))
        remove(found.selectionStart(), found.selectionEnd());
    edit.endEditBlock();
    return changed;
}

} // namespace zelmio
