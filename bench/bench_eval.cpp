// Expression evaluation speed: compile once, evaluate per record.
// Prints evaluations per second for a typical field expression, a string
// expression with two function calls, and an aggregation pass over a
// 100,000-row data packet generated at run time.
#include "expr/VxEvaluator.h"
#include "platform/ClientDataSet.h"
#include "platform/FormatSettings.h"
#include "testdata/PacketGenerator.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <exception>

using namespace zelmio;

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Evaluates the expression on the current record until about a second has
// passed; returns evaluations per second.
double evaluationsPerSecond(TVxEvaluator &evaluator, TVxEvResult &last)
{
    long long count = 0;
    const auto start = Clock::now();
    double elapsed = 0;
    do {
        for (int i = 0; i < 100000; ++i)
            last = evaluator.Value();
        count += 100000;
        elapsed = secondsSince(start);
    } while (elapsed < 1.0);
    return double(count) / elapsed;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ScopedFormatSettings locale(TFormatSettings::latvian());
    const int rows = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir dir;
    const QString packet = dir.filePath(QStringLiteral("bench.xml"));
    auto start = Clock::now();
    try {
        testdata::TPacketOptions options;
        options.rows = rows;
        options.images = testdata::TPacketOptions::TImages::None;
        testdata::WriteDataPacket(packet, options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "bench_eval: generating the packet failed: %s\n", e.what());
        return 1;
    }
    std::printf("packet: %d rows generated in %.2f s\n", rows, secondsSince(start));

    TClientDataSet data;
    data.setObjectName(QStringLiteral("Data"));
    data.SetFileName(packet);
    start = Clock::now();
    data.Open();
    std::printf("packet: loaded in %.2f s\n", secondsSince(start));
    TVxDataSetList dataSets{&data};

    struct Case {
        const char *title;
        const char *expression;
    } cases[] = {
        {"field expression", "SUMARPVN * (1 + NODOKLIS / 100)"},
        {"string expression, two calls", "UPPER(PRECE) + ' ' + COPY(ARTIKULS, 1, 4)"},
    };
    for (const Case &c : cases) {
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&dataSets);
        evaluator.Prepare(QString::fromLatin1(c.expression));
        data.First();
        TVxEvResult last;
        const double rate = evaluationsPerSecond(evaluator, last);
        std::printf("%-30s %12.0f evaluations/s   %s = %s\n", c.title, rate, c.expression,
                    qPrintable(VxEvResultText(last)));
    }

    // One evaluation per record, moving the cursor as a report does.
    {
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&dataSets);
        evaluator.Prepare(QStringLiteral("SUMARPVN * (1 + NODOKLIS / 100)"));
        start = Clock::now();
        double total = 0;
        for (data.First(); !data.Eof(); data.Next())
            total += evaluator.Value().dblResult;
        const double s = secondsSince(start);
        std::printf("%-30s %12.0f records/s      (total %.2f)\n", "field expression per record",
                    rows / s, total);
    }

    // The aggregation pass of a summary total.
    {
        TVxEvaluator evaluator;
        evaluator.SetDataSets(&dataSets);
        evaluator.Prepare(QStringLiteral("SUM(SUMARPVN)"));
        evaluator.Reset();
        start = Clock::now();
        for (data.First(); !data.Eof(); data.Next())
            evaluator.DoAggregate();
        const double s = secondsSince(start);
        std::printf("%-30s %12.0f records/s      %.3f s for %d rows, SUM = %s\n", "aggregate pass",
                    rows / s, s, rows, qPrintable(VxEvResultText(evaluator.Value())));
    }
    return 0;
}
