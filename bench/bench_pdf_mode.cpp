// PDF mode from start to finish, as a host runs it: the zelmio program on a
// template and a data packet made by the project's generator, with no
// display. For each workload it prints wall and CPU time, peak memory, pages
// per second and the share of each stage (packet load, generation, element
// drawing, PDF writing, as the program's stage clock reports them), and
// checks the PDF: page count, the texts of the first and last records and
// the report's total, the number of pictures.
//   bench_pdf_mode [--million] [--keep DIR]
// --million adds the price list of 1,000,000 rows (about a minute).
#include "testdata/PacketGenerator.h"
#include "platform/ClientDataSet.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace zelmio;

namespace {

const QString kSource = QStringLiteral(ZELMIO_SOURCE_DIR);

struct Workload {
    const char *name;
    QString templ;
    testdata::TPacketOptions options;
    bool pictures;   // every record carries a picture
};

struct Run {
    bool ok = false;
    double wall = 0;
    double cpu = 0;
    long peakKb = 0;
    QString stages;
    QString err;
};

// Runs zelmio as a host does (the marker characters in front of the
// arguments), with the C locale's number formats and the stage clock on.
Run RunZelmio(const QString &exe, const QString &templ, const QString &pdf, const QString &packet)
{
    Run run;
    int errPipe[2];
    if (pipe(errPipe) != 0)
        return run;
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(errPipe[1], 2);
        close(errPipe[0]);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        unsetenv("QT_QPA_PLATFORM");
        setenv("LC_ALL", "C.UTF-8", 1);
        setenv("ZELMIO_STAGE_TIMES", "1", 1);
        const QByteArray a0 = exe.toLocal8Bit(), a1 = ("-" + templ).toLocal8Bit(), a2 = ("-" + pdf).toLocal8Bit(),
                         a3 = ("-" + packet).toLocal8Bit();
        execl(a0.constData(), a0.constData(), a1.constData(), a2.constData(), a3.constData(), nullptr);
        _exit(127);
    }
    close(errPipe[1]);
    QByteArray err;
    char buffer[4096];
    for (ssize_t n; (n = read(errPipe[0], buffer, sizeof buffer)) > 0;)
        err.append(buffer, n);
    close(errPipe[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu = usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    run.peakKb = usage.ru_maxrss;
    run.err = QString::fromUtf8(err);
    const QRegularExpressionMatch stages = QRegularExpression(QStringLiteral("stage times: (.*)")).match(run.err);
    run.stages = stages.hasMatch() ? stages.captured(1) : QString();
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
}

QString Output(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The share of each stage of the wall time, from "load 0.1 s, generate ...".
QString Shares(const QString &stages, double wall)
{
    QString text;
    static const QRegularExpression item(QStringLiteral("(\\w+) ([0-9.]+) s"));
    for (auto it = item.globalMatch(stages); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        text += QStringLiteral("%1 %2 %, ").arg(m.captured(1)).arg(100 * m.captured(2).toDouble() / wall, 0, 'f', 0);
    }
    text.chop(2);
    return text;
}

// What the PDF must show: the report's total of SUMARPVN as the C locale
// writes "#,##0.00", the first and last record's product, the page count.
struct Expected {
    QString total;
    QString first;
    QString last;
    int pictures = 0;
};

Expected ReadExpected(const QString &packet)
{
    Expected e;
    TClientDataSet data;
    data.SetFileName(packet);
    data.Open();
    double total = 0;
    for (data.First(); !data.Eof(); data.Next()) {
        const QString product = data.FieldByName(QStringLiteral("PRECE"))->AsString();
        if (e.first.isEmpty())
            e.first = product;
        e.last = product;
        total += data.FieldByName(QStringLiteral("SUMARPVN"))->AsFloat();
        const QByteArray picture = data.FieldByName(QStringLiteral("BILDE"))->AsBytes();
        if (picture.startsWith("\x89PNG") || picture.startsWith("\xFF\xD8"))
            ++e.pictures;
    }
    e.total = QLocale(QLocale::English).toString(total, 'f', 2);
    return e;
}

QString Check(const QString &pdf, const Workload &w, const Expected &e, int &pages)
{
    const QString info = Output(QStringLiteral("pdfinfo"), {pdf});
    pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info).captured(1).toInt();
    if (pages <= 0)
        return QStringLiteral("no pages (pdfinfo from poppler-utils is needed)");
    const QString text = Output(QStringLiteral("pdftotext"), {QStringLiteral("-q"), pdf, QStringLiteral("-")});
    QStringList problems;
    if (!text.contains(e.first))
        problems << QStringLiteral("first record missing");
    if (!text.contains(e.last))
        problems << QStringLiteral("last record missing");
    if (!w.pictures && !text.contains(e.total))
        problems << QStringLiteral("total %1 missing").arg(e.total);
    if (w.pictures) {
        const QString list = Output(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf});
        const int images = std::max(0, int(list.count(QLatin1Char('\n'))) - 2);
        if (images != e.pictures)
            problems << QStringLiteral("%1 pictures, %2 expected").arg(images).arg(e.pictures);
    }
    return problems.isEmpty() ? QStringLiteral("checked") : problems.join(QStringLiteral("; "));
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString exe = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../app/zelmio"));
    QTemporaryDir temp;
    const QString dir = args.contains(QStringLiteral("--keep")) ? args.value(args.indexOf("--keep") + 1) : temp.path();
    QDir().mkpath(dir);

    auto priceList = [](int rows) {
        testdata::TPacketOptions o;
        o.rows = rows;
        o.docs = std::max(1, rows / 200);
        o.images = testdata::TPacketOptions::TImages::None;
        return o;
    };
    testdata::TPacketOptions tags;
    tags.rows = 10000;
    tags.images = testdata::TPacketOptions::TImages::Mixed;
    testdata::TPacketOptions invoice;
    invoice.rows = 500;
    invoice.docs = 1;
    invoice.images = testdata::TPacketOptions::TImages::None;
    std::vector<Workload> workloads = {
        {"price list 10,000 rows", kSource + "/bench/data/price-list.vx2", priceList(10000), false},
        {"price list 100,000 rows", kSource + "/bench/data/price-list.vx2", priceList(100000), false},
        {"price tags 10,000 with pictures", kSource + "/samples/price-tags.vx2", tags, true},
        {"invoice 500 lines", kSource + "/samples/invoice.vx2", invoice, false},
    };
    if (args.contains(QStringLiteral("--million")))
        workloads.insert(workloads.begin() + 2,
                         {"price list 1,000,000 rows", kSource + "/bench/data/price-list.vx2", priceList(1000000), false});

    std::printf("%-34s %8s %8s %9s %7s %8s  %s\n", "workload", "wall s", "CPU s", "peak MB", "pages", "pages/s",
                "stages (share of wall time) / check");
    int failures = 0;
    for (size_t i = 0; i < workloads.size(); ++i) {
        const Workload &w = workloads[i];
        const QString packet = QStringLiteral("%1/packet%2.xml").arg(dir).arg(i);
        const QString pdf = QStringLiteral("%1/out%2.pdf").arg(dir).arg(i);
        testdata::WriteDataPacket(packet, w.options);
        const Expected expected = ReadExpected(packet);
        const Run run = RunZelmio(exe, w.templ, pdf, packet);
        if (!run.ok) {
            std::printf("%-34s failed: %s\n", w.name, qPrintable(run.err.trimmed()));
            ++failures;
            continue;
        }
        int pages = 0;
        const QString check = Check(pdf, w, expected, pages);
        if (check != QLatin1String("checked"))
            ++failures;
        std::printf("%-34s %8.2f %8.2f %9.1f %7d %8.0f  %s / %s\n", w.name, run.wall, run.cpu, run.peakKb / 1024.0,
                    pages, pages / run.wall, qPrintable(Shares(run.stages, run.wall)), qPrintable(check));
        std::fflush(stdout);
        QFile::remove(packet);
        if (!args.contains(QStringLiteral("--keep")))
            QFile::remove(pdf);
    }
    return failures == 0 ? 0 : 1;
}
