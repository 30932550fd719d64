// Test main for core tests: a QGuiApplication on the offscreen platform, so
// that fonts, painting and pictures work without a display.
#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
