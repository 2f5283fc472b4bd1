#include <gtest/gtest.h>

#include <QApplication>

#include "tests/support/temp_dir.h"

int main(int argc, char** argv)
{
    testing_support::useFreshSettingsFile();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
