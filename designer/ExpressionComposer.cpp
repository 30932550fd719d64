#include "designer/ExpressionComposer.h"

#include "designer/VexaDesigner.h"
#include "expr/VxEvaluator.h"
#include "expr/VxFunctionLibrary.h"
#include "platform/DataSet.h"
#include "platform/VxError.h"

namespace zelmio {

QString TrimExpr(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            continue;
        }
        if (c == u'\n' || c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            continue;
        result.append(c);
    }
    return result;
}

QStringList ExpressionCategories()
{
    return {QStringLiteral("All"),         QStringLiteral("Date & time"), QStringLiteral("Math & trig"),
            QStringLiteral("Statistical"), QStringLiteral("Database"),    QStringLiteral("Logical"),
            QStringLiteral("Information"), QStringLiteral("Other")};
}

QList<TVxLibraryEntry *> ExpressionFunctions(int category)
{
    QList<TVxLibraryEntry *> entries;
    TVxFunctionLibrary *library = VxFunctionLibrary();
    for (int i = 0; i < library->Count(); ++i) {
        TVxLibraryEntry *entry = library->GetEntry(i);
        const int own = entry->Category();
        if (own > 7 || (category != 0 && own != category))
            continue;
        entries.append(entry);
    }
    return entries;
}

QString ArgumentCaption(QChar letter, int position, const QString &valueText)
{
    QString kind;
    switch (letter.toUpper().unicode()) {
    case u'B':
        kind = QStringLiteral("logical");
        break;
    case u'N':
        kind = QStringLiteral("numeric");
        break;
    case u'S':
        kind = QStringLiteral("text");
        break;
    case u'V':
        kind = valueText;
        break;
    default:
        break;
    }
    return QStringLiteral("Argument %1 - ").arg(position + 1) + kind;
}

QString FunctionCall(const QString &name, const QStringList &arguments)
{
    qsizetype count = arguments.size();
    while (count > 0 && arguments[count - 1].trimmed().isEmpty())
        --count;
    return name + QLatin1Char('(') + arguments.mid(0, count).join(QStringLiteral(", ")) + QLatin1Char(')');
}

QList<TExpressionField> ExpressionFields(TVexaDesigner *designer, TDataSet *dataSet)
{
    QList<TExpressionField> fields;
    if (!dataSet)
        return fields;
    for (TField *field : dataSet->Fields()) {
        const bool shown = designer ? designer->IsFieldShown(field)
                                    : !field->objectName().startsWith(QLatin1String("__"));
        if (!shown)
            continue;
        const QString label = designer ? designer->DisplayLabel(field) : QString();
        TExpressionField entry;
        entry.field = field;
        entry.listText = field->FieldName();
        if (!label.isEmpty() && label != field->FieldName())
            entry.listText += QStringLiteral("  (") + label + QLatin1Char(')');
        entry.insertText = dataSet->objectName() + QLatin1Char('.') + field->FieldName();
        fields.append(entry);
    }
    return fields;
}

QString ValidateExpression(const QString &expression, const TVxDataSetList &dataSets)
{
    TVxDataSetList list = dataSets;
    TVxEvaluator evaluator;
    evaluator.SetDataSets(&list);
    const QString error = QStringLiteral("ERROR: ");
    try {
        const TVxEvResult value = evaluator.Calculate(TrimExpr(expression));
        const QString text = value.IsError() ? QString() : VxEvResultToString(value);
        if (!text.isEmpty())
            return QStringLiteral("There are no errors. The result is : ") + text;
        return error + value.StringVal;
    } catch (const EVxError &e) {
        return error + e.message();
    } catch (const EDatabaseError &e) {
        return error + e.message();
    } catch (const std::exception &e) {
        return error + QString::fromUtf8(e.what());
    }
}

} // namespace zelmio
