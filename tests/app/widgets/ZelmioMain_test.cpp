// The main window: a 10 x 10 window at the top right corner of the screen,
// captioned "ZelmioMain", owning the facade and the record set.
#include "app/widgets/ZelmioMain.h"

#include "designer/ReportDesignerDialog.h"
#include "platform/ClientDataSet.h"

#include <QGuiApplication>
#include <QScreen>
#include <gtest/gtest.h>

using namespace zelmio;

TEST(ZelmioMain, IsATenPixelWindowAtTheTopRightCorner)
{
    TZelmioMain window(ShellArguments{});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("ZelmioMain"));
    EXPECT_EQ(window.size(), QSize(10, 10));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    const int screenWidth = QGuiApplication::primaryScreen()->geometry().width();
    EXPECT_EQ(window.pos(), QPoint(screenWidth - 10, 1));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST(ZelmioMain, OwnsTheFacadeAndTheRecordSetUnderTheirNames)
{
    TZelmioMain window(ShellArguments{});
    ASSERT_NE(window.ReportDesignerDialog1(), nullptr);
    ASSERT_NE(window.RovevarurezDataSet(), nullptr);
    EXPECT_EQ(window.ReportDesignerDialog1()->objectName(), QStringLiteral("ReportDesignerDialog1"));
    EXPECT_EQ(window.RovevarurezDataSet()->objectName(), QStringLiteral("RovevarurezDataSet"));
    EXPECT_EQ(window.ReportDesignerDialog1()->DataSet(), window.RovevarurezDataSet());
    EXPECT_EQ(window.findChild<TClientDataSet *>(QStringLiteral("RovevarurezDataSet")),
              window.RovevarurezDataSet());
}
