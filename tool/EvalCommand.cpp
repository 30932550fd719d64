// zelmio-tool eval: tries expressions outside a report, against one record of
// a data packet, and prints each result's kind and value (or error text).
#include "tool/ToolCommand.h"

#include "platform/VxError.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "platform/ClientDataSet.h"
#include "platform/FormatSettings.h"
#include "storage/GlobalComponentLookup.h"

#include <memory>
#include <optional>

namespace zelmio::tool {

namespace {

struct EvalOptions {
    QString packet;
    std::optional<int> record;   // from 1
    QString locale;
    bool aggregate = false;
    QList<QPair<QString, QString>> defines;   // NAME=EXPR environment entries
    QStringList expressions;
};

EvalOptions parseOptions(const QStringList &args)
{
    EvalOptions o;
    bool optionsEnded = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (optionsEnded || !a.startsWith(QLatin1String("--"))) {
            o.expressions.append(a);   // "-5+2" is an expression, not an option
            continue;
        }
        auto value = [&]() -> QString {
            if (i + 1 >= args.size())
                throw UsageError{a + QStringLiteral(" needs a value")};
            return args[++i];
        };
        if (a == QLatin1String("--")) {
            optionsEnded = true;
        } else if (a == QLatin1String("--data")) {
            o.packet = value();
        } else if (a == QLatin1String("--record")) {
            bool ok = false;
            const int n = value().toInt(&ok);
            if (!ok || n < 1)
                throw UsageError{QStringLiteral("--record needs a record number from 1")};
            o.record = n;
        } else if (a == QLatin1String("--locale")) {
            o.locale = value();
            if (o.locale != QLatin1String("lv") && o.locale != QLatin1String("en"))
                throw UsageError{QStringLiteral("--locale is lv or en, not '%1'").arg(o.locale)};
        } else if (a == QLatin1String("--aggregate")) {
            o.aggregate = true;
        } else if (a == QLatin1String("--define")) {
            const QString d = value();
            const qsizetype eq = d.indexOf(u'=');
            if (eq <= 0)
                throw UsageError{QStringLiteral("--define needs NAME=EXPRESSION, not '%1'").arg(d)};
            o.defines.append({d.left(eq), d.mid(eq + 1)});
        } else {
            throw UsageError{QStringLiteral("unknown option '%1'").arg(a)};
        }
    }
    if (o.expressions.isEmpty())
        throw UsageError{QStringLiteral("no expression given")};
    if (o.record && o.packet.isEmpty())
        throw UsageError{QStringLiteral("--record needs --data")};
    if (o.aggregate && o.packet.isEmpty())
        throw UsageError{QStringLiteral("--aggregate needs --data")};
    return o;
}

int runEval(const QStringList &args, QTextStream &out, QTextStream &err)
{
    const EvalOptions o = parseOptions(args);

    std::optional<ScopedFormatSettings> locale;
    SelectLocale(locale, o.locale);

    TVxDataSetList dataSets;
    // The packet's record set belongs to a stand-in for the shell's main
    // window and carries the name the shell gives it, so that
    // RovevarurezDataSet.FIELD and RECORDCOUNT('RovevarurezDataSet') work as
    // in a report.
    QObject mainWindow;
    mainWindow.setObjectName(QStringLiteral("ZelmioMain"));
    struct WindowRegistration {
        QObject *window;
        explicit WindowRegistration(QObject *w) : window(w) { RegisterApplicationWindow(window); }
        ~WindowRegistration() { UnregisterApplicationWindow(window); }
    } windowRegistration(&mainWindow);
    TClientDataSet *data = nullptr;
    if (!o.packet.isEmpty()) {
        data = new TClientDataSet(&mainWindow);
        data->setObjectName(QStringLiteral("RovevarurezDataSet"));
        data->SetFileName(o.packet);
        data->Open();   // EDatabaseError naming the file
        const int count = data->RecordCount();
        if (o.record && *o.record > count) {
            err << "zelmio-tool eval: record " << *o.record << " is out of range: "
                << o.packet << " holds " << count << (count == 1 ? " record" : " records") << "\n";
            return 1;
        }
        dataSets.append(data);
    }
    const int recNo = o.record.value_or(1);

    // The entries a new report starts with, and the user's own.
    TVxEvEnvironment environment;
    environment.AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    environment.AddFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    environment.AddFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
    for (const auto &[name, expression] : o.defines) {
        const int index = environment.IndexOf(name);
        if (index >= 0)
            environment.SetExpression(index, expression);
        else
            environment.AddFunction(name, expression);
    }
    environment.SetDataSets(&dataSets);
    environment.Prepare();

    int exitCode = 0;
    for (const QString &expression : o.expressions) {
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&dataSets);
        evaluator.SetEnvironment(&environment);
        try {
            evaluator.Prepare(expression);
            evaluator.Reset();
            if (o.aggregate) {
                for (data->First(); !data->Eof(); data->Next())
                    evaluator.DoAggregate();
            }
            if (data && data->RecordCount() > 0)
                data->SetRecNo(recNo);
            const TVxEvResult r = evaluator.Value();
            out << VxEvResultTypeName(r.Kind) << ' ' << VxEvResultText(r) << '\n';
        } catch (const EVxError &e) {
            // Integer overflow aborts the evaluation rather than giving a value.
            out << "FAILURE " << e.message() << '\n';
            exitCode = 1;
        }
    }
    environment.Unprepare();
    return exitCode;
}

const ToolCommandRegistration registration(
    QStringLiteral("eval"),
    {QStringLiteral("eval [--data PACKET] [--record N] [--locale lv|en] [--aggregate] "
                    "[--define NAME=EXPR] EXPR..."),
     QStringLiteral("evaluates expressions against record N of a data packet (the first by default) "
                    "and prints each result as KIND VALUE (INTEGER, FLOAT, STRING, BOOLEAN, ERROR); the packet's "
                    "record set is named RovevarurezDataSet, as in a report; "
                    "--aggregate runs an aggregation pass over every record first, so SUM(F) is the "
                    "column total; --define adds a named expression"),
     runEval});

} // namespace

} // namespace zelmio::tool
