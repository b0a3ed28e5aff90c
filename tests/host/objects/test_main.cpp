#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // The host measures fonts it has no table for, which needs a GUI application.
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
