#include "Application.h"
#include "MessageBoxSeam.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery at build time runs without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    MuiApplication app(argc, argv);
    Platform::MessageBoxSeam::install();
    return RUN_ALL_TESTS();
}
