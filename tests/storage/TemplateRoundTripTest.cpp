// Whole templates: saving, loading and saving again gives the same text.
#include "StorageTestSupport.h"

#include "model/Vexa.h"
#include "model/VxBand.h"
#include "model/VxGroup.h"
#include "storage/ComponentFileHeader.h"
#include "storage/PropertyAddons.h"
#include "storage/RuntimeComponentEditor.h"

#include <QBuffer>
#include <memory>
#include <gtest/gtest.h>

using namespace zelmio;

TEST(TemplateRoundTrip, ReportWithBandsSavesLoadsAndSavesTheSameText)
{
    auto sourceWindow = std::make_unique<TTestWindow>();
    TTestWindow &source = *sourceWindow;
    TVexa *report = source.Report();
    report->SetReportTitle(QStringLiteral("Cenu z\u012Bmes"));
    TVxBand *title = report->CreateBand(TVxBandType::rbTitle);
    TVxBand *detail = report->CreateBand(TVxBandType::rbDetail);
    detail->SetHeight(140);
    auto *group = new TVxGroup(report->Owner());
    group->SetName(QStringLiteral("Group1"));
    group->SetParent(report);
    group->SetExpression(QStringLiteral("PRECE"));
    group->SetFooterBand(title);
    source.Loader()->PropertyAddons()->SetBoolProp(detail, QStringLiteral("BlockMove"), true);
    const QByteArray first = source.Loader()->SaveTemplateToBytes();
    // The data module keeps its name only while no other module has it.
    sourceWindow.reset();

    TTestWindow target;
    QByteArray copy = first;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    target.Loader()->LoadCompsAndDatamoduleFromStream(buffer);
    EXPECT_TRUE(target.Loader()->LoadWarnings().isEmpty()) << target.Loader()->LoadWarnings().join('\n').toStdString();
    const QByteArray second = target.Loader()->SaveTemplateToBytes();
    EXPECT_EQ(second.toStdString(), first.toStdString());
}
