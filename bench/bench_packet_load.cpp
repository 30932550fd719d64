// Loading XML data packets into the record set: time and peak resident
// memory for 10,000 and 100,000 rows without pictures and 10,000 rows with
// pictures, plus the cost of the field getters the expressions call.
//
// The packets come from the project's generator, written to a temporary folder.
// Each load runs in a child process, so that every peak memory figure is its
// own. Usage: bench_packet_load [--keep] [PACKET...] (with paths: load those).
#include "platform/ClientDataSet.h"
#include "testdata/PacketGenerator.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <exception>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelmio;

namespace {

long statusKiB(const char *key)
{
    FILE *f = std::fopen("/proc/self/status", "r");
    if (!f)
        return -1;
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(key);
    while (std::fgets(line, sizeof line, f))
        if (std::strncmp(line, key, n) == 0 && line[n] == ':')
            value = std::atol(line + n + 1);
    std::fclose(f);
    return value;
}

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs in the child: load, report, read every record through the getters.
int loadAndReport(const QString &path)
{
    const long baseKiB = statusKiB("VmRSS");
    TClientDataSet data;
    data.SetFileName(path);
    const auto start = std::chrono::steady_clock::now();
    try {
        data.Open();
    } catch (const EDatabaseError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    const double loadSeconds = secondsSince(start);
    const long peakKiB = statusKiB("VmHWM");

    // Getter throughput: the evaluator reads fields of the current record.
    const TField *isn = data.FieldByName(QStringLiteral("ISN"));
    const TField *price = data.FieldByName(QStringLiteral("CENA"));
    const TField *name = data.FieldByName(QStringLiteral("PRECE"));
    const TField *date = data.FieldByName(QStringLiteral("DATUMS"));
    long long reads = 0;
    double sum = 0;
    qsizetype chars = 0;
    const auto getters = std::chrono::steady_clock::now();
    for (int pass = 0; pass < 5; ++pass) {
        for (data.First(); !data.Eof(); data.Next()) {
            sum += isn->AsInteger() + price->AsFloat() + date->AsDateTime();
            chars += name->AsString().size();
            reads += 4;
        }
    }
    const double getterSeconds = secondsSince(getters);

    std::printf("%-28s %9.1f MB %8d records  load %7.3f s  peak RSS %7.1f MB (%.1f MB before)  "
                "getters %5.1f ns/read%s\n",
                qPrintable(QFileInfo(path).fileName()), QFileInfo(path).size() / 1e6, data.RecordCount(),
                loadSeconds, peakKiB / 1024.0, baseKiB / 1024.0, getterSeconds * 1e9 / double(reads),
                sum + double(chars) < 0 ? "!" : "");
    std::fflush(stdout);
    return 0;
}

int loadInChild(const QString &path)
{
    std::fflush(stdout);
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("fork");
        return 1;
    }
    if (pid == 0)
        _exit(loadAndReport(path));
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

bool generate(const QString &path, int rows, testdata::TPacketOptions::TImages images)
{
    testdata::TPacketOptions options;
    options.rows = rows;
    options.images = images;
    try {
        testdata::WriteDataPacket(path, options);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "generating %s failed: %s\n", qPrintable(path), e.what());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QStringList paths;
    bool keep = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keep") == 0)
            keep = true;
        else
            paths << QString::fromLocal8Bit(argv[i]);
    }
    int failures = 0;
    if (!paths.isEmpty()) {
        for (const QString &p : paths)
            failures += loadInChild(p) != 0;
        return failures ? 1 : 0;
    }

    QTemporaryDir dir;
    dir.setAutoRemove(!keep);
    const struct {
        const char *name;
        int rows;
        testdata::TPacketOptions::TImages images;
    } packets[] = {
        {"rows10000.xml", 10000, testdata::TPacketOptions::TImages::None},
        {"rows100000.xml", 100000, testdata::TPacketOptions::TImages::None},
        {"rows10000-pictures.xml", 10000, testdata::TPacketOptions::TImages::Mixed},
    };
    std::printf("Targets: 10,000 rows < 0.3 s; 100,000 rows < 3 s and < 400 MB; 10,000 rows with pictures < 1 s\n");
    for (const auto &p : packets) {
        const QString path = dir.filePath(QLatin1String(p.name));
        if (!generate(path, p.rows, p.images))
            return 1;
        failures += loadInChild(path) != 0;
    }
    if (keep)
        std::printf("packets kept in %s\n", qPrintable(dir.path()));
    return failures ? 1 : 0;
}
