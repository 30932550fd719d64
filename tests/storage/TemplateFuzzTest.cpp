// Mutated templates never crash or hang the loader: each load ends in a
// loaded report or an error, and a loaded report saves. The mutations are
// deterministic (fixed seed), and inputs that once crashed are kept in
// data/fuzz/.
#include "StorageTestSupport.h"

#include "model/VxBand.h"
#include "model/VxGroup.h"
#include "storage/ComponentFileHeader.h"
#include "storage/PropertyAddons.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace zelmio;

namespace {

QByteArray SeedTemplate()
{
    TTestWindow window(QStringLiteral("FuzzSeed"));
    TVexa *report = window.Report();
    report->SetReportTitle(QStringLiteral("Cenu z\u012Bmes ar gar\u0101ku nosaukumu, kas p\u0101rsniedz sešdesmit \u010Detras z\u012Bmes"));
    TVxBand *detail = report->CreateBand(TVxBandType::rbDetail);
    report->CreateBand(TVxBandType::rbPageFooter);
    auto *group = new TVxGroup(&window);
    group->SetName(QStringLiteral("Group1"));
    group->SetParent(report);
    group->SetExpression(QStringLiteral("PRECE"));
    window.Loader()->PropertyAddons()->SetIntProp(detail, QStringLiteral("GroupID"), 2);
    window.Loader()->Header()->SetUserData(QByteArray(40, '\x7F'));
    return window.SaveText();
}

void LoadSurvives(const QByteArray &text)
{
    TTestWindow window(QStringLiteral("FuzzTarget"));
    try {
        window.LoadText(text);
        window.SaveText();
    } catch (const std::exception &) {
        // A clear error is a fine outcome.
    }
}

QByteArray Mutate(const QByteArray &seed, std::mt19937 &random)
{
    static const QByteArray tokens[] = {"'", "#", "(", ")", "[", "]", "<", ">", "{", "}", "=", "end", "object ",
                                        "item", "+", "-", "$", ".", "\r\n", "#99999999", "1E+9999", "\xEF\xBB\xBF",
                                        QByteArray(1, '\0'), "\xFF", "9999999999999999999999"};
    QByteArray text = seed;
    const int mutations = 1 + int(random() % 4);
    for (int i = 0; i < mutations && !text.isEmpty(); ++i) {
        const qsizetype at = qsizetype(random() % quint32(text.size()));
        switch (random() % 6) {
        case 0: text[at] = char(random() % 256); break;
        case 1: text.truncate(at); break;
        case 2: text.insert(at, tokens[random() % std::size(tokens)]); break;
        case 3: text.remove(at, qsizetype(random() % 40)); break;
        case 4: text.insert(at, text.mid(qsizetype(random() % quint32(text.size())), qsizetype(random() % 200))); break;
        default: text[at] = tokens[random() % std::size(tokens)].isEmpty() ? ' ' : tokens[random() % std::size(tokens)].at(0); break;
        }
    }
    return text;
}

} // namespace

TEST(TemplateFuzz, MutatedTemplatesLoadOrFailCleanly)
{
    const QByteArray seed = SeedTemplate();
    // ZELMIO_FUZZ_ITERATIONS and ZELMIO_FUZZ_SEED allow longer runs by hand.
    const int iterations = qEnvironmentVariableIsSet("ZELMIO_FUZZ_ITERATIONS")
        ? qEnvironmentVariableIntValue("ZELMIO_FUZZ_ITERATIONS") : 3000;
    const unsigned seedValue = qEnvironmentVariableIsSet("ZELMIO_FUZZ_SEED")
        ? unsigned(qEnvironmentVariableIntValue("ZELMIO_FUZZ_SEED")) : 20240611u;
    std::mt19937 random(seedValue);
    for (int i = 0; i < iterations; ++i) {
        const QByteArray text = Mutate(seed, random);
        SCOPED_TRACE(i);
        LoadSurvives(text);
    }
}

TEST(TemplateFuzz, KeptCrashInputsLoadOrFailCleanly)
{
    // Templates that once crashed or overflowed somewhere behind the reader;
    // under the sanitizer build any such fault fails this test.
    const QDir dir(QStringLiteral(ZELMIO_TEST_DATA "/fuzz"));
    const QStringList names = dir.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty()) << "no kept inputs in " << dir.path().toStdString();
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        LoadSurvives(file.readAll());
    }
}
