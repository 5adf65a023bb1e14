#include "Application.h"
#include "FileDialogs.h"
#include "MessageBoxSeam.h"
#include "Shell.h"

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    // Test discovery runs the program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    MuiApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Pagemill"));
    Platform::MessageBoxSeam::install();
    Platform::ShellSeam::install();
    Platform::FileDialogSeam::install();
    return RUN_ALL_TESTS();
}
