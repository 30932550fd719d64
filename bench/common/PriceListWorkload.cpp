#include "PriceListWorkload.h"

#include "model/VxBand.h"
#include "model/VxDBText.h"
#include "model/VxExpr.h"
#include "model/VxGroup.h"
#include "model/VxLabel.h"
#include "model/VxPage.h"
#include "model/VxUnits.h"
#include "testdata/PacketGenerator.h"

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace zelmio::bench {

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

long CurrentRssKb()
{
    long pages = 0;
    if (FILE *statm = std::fopen("/proc/self/statm", "r")) {
        long size = 0;
        if (std::fscanf(statm, "%ld %ld", &size, &pages) != 2)
            pages = 0;
        std::fclose(statm);
    }
    return pages * (sysconf(_SC_PAGESIZE) / 1024);
}

long PeakRssKb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

namespace {

template <class Element>
Element *Add(TComponent &form, TVxCustomBand *band, long double left, long double width)
{
    auto *element = new Element(&form);
    element->SetAutoSize(false);
    element->SetParent(band);
    element->Size()->SetUnits(TVxUnit::Native);
    element->Size()->SetLeft(left);
    element->Size()->SetTop(5);
    element->Size()->SetWidth(width);
    element->Size()->SetHeight(40);
    return element;
}

TVxBand *AddBand(TComponent &form, TVexa *report, TVxBandType kind, long double height)
{
    auto *band = new TVxBand(&form);
    band->SetParent(report);
    band->SetBandType(kind);
    band->Size()->SetInternalValue(TVxBandSize::LengthIndex, height);
    return band;
}

} // namespace

TPriceListWorkload::TPriceListWorkload(int rows)
{
    const auto start = Clock::now();
    data = new TClientDataSet(&form);
    data->setObjectName(QStringLiteral("Data"));
    testdata::TPacketOptions options;
    options.rows = rows;
    options.images = testdata::TPacketOptions::TImages::None;
    options.docs = std::max(1, rows / 200);
    const QString packet = dir.filePath(QStringLiteral("bench.xml"));
    testdata::WriteDataPacket(packet, options);
    data->SetFileName(packet);
    data->Open();
    loadedKb = CurrentRssKb();
    std::printf("%d rows: packet made and loaded in %.2f s, RSS %.1f MB\n", rows, SecondsSince(start),
                loadedKb / 1024.0);

    report = new TVexa(&form);
    report->Page()->SetPaperSize(TVxPaperSize::A4);
    report->SetDataSet(data);
    TVxBand *header = AddBand(form, report, TVxBandType::rbPageHeader, 100);
    Add<TVxLabel>(form, header, 0, 800)->SetCaption(QStringLiteral("Cenu saraksts"));
    Add<TVxExpr>(form, header, 1200, 300)->SetExpression(QStringLiteral("DATE"));
    Add<TVxExpr>(form, header, 1600, 300)->SetExpression(QStringLiteral("'Lapa ' + STR(PAGENUMBER)"));
    TVxBand *columns = AddBand(form, report, TVxBandType::rbColumnHeader, 50);
    const char *captions[] = {"Artikuls", "Prece", "Mērv.", "Daudz.", "Cena", "Summa"};
    const char *fields[] = {"ARTIKULS", "PRECE", "MERVIENIBA", "DAUDZUMS", "CENA", "SUMARPVN"};
    const long double lefts[] = {0, 250, 1000, 1200, 1450, 1700};
    const long double widths[] = {240, 740, 190, 240, 240, 240};
    for (int i = 0; i < 6; ++i)
        Add<TVxLabel>(form, columns, lefts[i], widths[i])->SetCaption(QString::fromUtf8(captions[i]));
    auto *group = new TVxGroup(&form);
    group->SetParent(report);
    group->SetExpression(QStringLiteral("NR_PAVADZ"));
    group->Size()->SetInternalValue(TVxBandSize::LengthIndex, 60);
    auto *groupName = Add<TVxDBText>(form, group, 0, 1000);
    groupName->SetDataSet(data);
    groupName->SetDataField(QStringLiteral("KLIENTS"));
    TVxBand *footer = AddBand(form, report, TVxBandType::rbGroupFooter, 60);
    group->SetFooterBand(footer);
    auto *groupSum = Add<TVxExpr>(form, footer, 1700, 240);
    groupSum->SetExpression(QStringLiteral("SUM(SUMARPVN)"));
    groupSum->SetMask(QStringLiteral("#,##0.00"));
    groupSum->SetResetAfterPrint(true);
    TVxBand *detail = AddBand(form, report, TVxBandType::rbDetail, 50);
    for (int i = 0; i < 6; ++i) {
        auto *text = Add<TVxDBText>(form, detail, lefts[i], widths[i]);
        text->SetDataSet(data);
        text->SetDataField(QLatin1String(fields[i]));
        if (i >= 3)
            text->SetMask(QStringLiteral("#,##0.00"));
    }
    TVxBand *summary = AddBand(form, report, TVxBandType::rbSummary, 60);
    auto *total = Add<TVxExpr>(form, summary, 1700, 240);
    total->SetExpression(QStringLiteral("SUM(SUMARPVN)"));
    total->SetMask(QStringLiteral("#,##0.00"));
}

} // namespace zelmio::bench
