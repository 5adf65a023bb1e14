#include "Application.h"
#include "FileDialogs.h"
#include "MessageBoxSeam.h"
#include "Shell.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

int main(int argc, char **argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    // Test discovery at build time runs without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window creates its default output folder below the documents folder: keep it here.
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qunsetenv("XDG_DOCUMENTS_DIR");
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toUtf8());
    MuiApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Orvanta Pagemill"));
    Platform::MessageBoxSeam::install();
    Platform::ShellSeam::install();
    Platform::FileDialogSeam::install();
    return RUN_ALL_TESTS();
}
