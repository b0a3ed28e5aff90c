#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The host measures fonts it has no table for, which needs a GUI application; it never
    // needs a screen (test discovery runs without the test environment).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
