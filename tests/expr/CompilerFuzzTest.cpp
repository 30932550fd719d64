// No text, however broken, crashes or hangs the compiler or the evaluator.
// Deterministic: a fixed seed and a bounded number of inputs built from the
// language's own tokens and stray characters. Inputs that once failed are
// kept in data/fuzz-*.txt, one per line.
#include "MemoryDataSet.h"

#include "platform/VxError.h"
#include "expr/VxEvEnvironment.h"
#include "expr/VxEvaluator.h"
#include "platform/FormatSettings.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace zelmio;
using zelmio::test::MemoryDataSet;

namespace {

const char *const tokens[] = {
    "(", ")", "'", "[", "]", "+", "-", "*", "/", "<", ">", "=", "<>", "<=", ">=", " ", " or ",
    " and ", "not ", "NOT", ",", "1", "0", "2147483647", "65536", "1.5", "1E5", "E", ".", "'txt'",
    "IF(", "SUM(", "COUNT", "MAX(", "MIN(", "AVERAGE(", "COPY(", "DIV(", "INT(", "SQRT(", "STR(",
    "UPPER(", "PRETTY(", "TYPEOF(", "FORMATNUMERIC(", "FRAC(", "TRUE", "FALSE", "DATE", "TIME",
    "N", "S", "[N]", "Goods.N", "ENTRY", "LOOP", "X", "@", "#", "\t", "%s", "''", "\"",
};

class CompilerFuzzTest : public ::testing::Test {
protected:
    CompilerFuzzTest()
    {
        data.addField<TIntegerField>(QStringLiteral("N"), TFieldType::ftInteger);
        data.addField<TStringField>(QStringLiteral("S"), TFieldType::ftString);
        data.addRow({7, QStringLiteral("seven")});
        list.append(&data);
        environment.AddFunction(QStringLiteral("ENTRY"), QStringLiteral("N * 2"));
        environment.AddFunction(QStringLiteral("LOOP"), QStringLiteral("LOOP + 1"));
        environment.SetDataSets(&list);
        environment.Prepare();
    }
    ~CompilerFuzzTest() override { environment.Unprepare(); }

    // Compiles and evaluates; only the failures the evaluator names may
    // escape (integer overflow).
    void run(const QString &text)
    {
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&list);
        evaluator.SetEnvironment(&environment);
        evaluator.Prepare(text);
        ASSERT_TRUE(evaluator.Prepared());
        try {
            evaluator.Reset();
            evaluator.DoAggregate();
            const TVxEvResult r = evaluator.Value();
            (void)VxEvResultText(r);
            (void)evaluator.IsAggreg();
        } catch (const EVxError &) {
        }
    }

    ScopedFormatSettings locale{TFormatSettings::latvian()};
    MemoryDataSet data{QStringLiteral("Goods")};
    TVxDataSetList list;
    TVxEvEnvironment environment;
};

} // namespace

TEST_F(CompilerFuzzTest, RandomTokenSequences)
{
    std::mt19937 random(20240611u);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> pick(0, int(std::size(tokens)) - 1);
    std::uniform_int_distribution<int> stray(0, 0xFFFF);
    std::uniform_int_distribution<int> percent(0, 99);
    for (int i = 0; i < 20000; ++i) {
        QString text;
        const int n = length(random);
        for (int k = 0; k < n; ++k) {
            if (percent(random) < 5)
                text += QChar(char16_t(stray(random)));   // lone surrogates included
            else
                text += QString::fromUtf8(tokens[pick(random)]);
        }
        SCOPED_TRACE(text.toStdString());
        run(text);
        if (HasFatalFailure())
            return;
    }
}

TEST_F(CompilerFuzzTest, LargeAndDeepInputs)
{
    const QStringList inputs = {
        QString(200000, u'('),
        QString(200000, u')'),
        QString(100000, u'-') + u'1',
        QString(100000, u'+'),
        QString(50000, u'\''),
        QStringLiteral("not ").repeated(20000),
        QStringLiteral("IF(").repeated(10000),
        QStringLiteral("1+").repeated(50000) + u'1',
        QStringLiteral("1-").repeated(50000) + u'1',
        QStringLiteral("2/").repeated(50000) + u'2',
        QStringLiteral("SUM(").repeated(5000) + u'1' + QString(5000, u')'),
        QStringLiteral("[") + QString(100000, u'x') + u']',
        u'\'' + QString(200000, u'a') + u'\'',
        QStringLiteral("1 or ").repeated(20000) + u'1',
    };
    for (const QString &text : inputs) {
        SCOPED_TRACE(text.left(20).toStdString());
        run(text);
    }
}

TEST_F(CompilerFuzzTest, KeptInputs)
{
    const QStringList files = QDir(QStringLiteral(ZELMIO_TEST_DATA))
                                  .entryList({QStringLiteral("fuzz-*.txt")}, QDir::Files);
    for (const QString &name : files) {
        QFile file(QStringLiteral(ZELMIO_TEST_DATA) + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        for (const QString &line : lines) {
            SCOPED_TRACE((name + u':' + line).toStdString());
            run(line);
        }
    }
}
