#include "KeldrixLibrary.h"

#include "MessageBoxSeam.h"
#include "MuiContext.h"
#include "Run.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <optional>
#include <stdexcept>

namespace {

// A main window that writes down the context it was created under and closes at once.
struct Seen {
    std::optional<MuiContext> context;
};

MainWindowFactory recordingWindow(Seen &seen)
{
    return [&seen] {
        if (const MuiContext *context = GetMuiContext())
            seen.context = *context;
        auto *window = new QWidget;
        QTimer::singleShot(0, window, &QWidget::close);
        return window;
    };
}

QString dataFolderFor(const QString &title)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/sys/soft/") + title + QLatin1Char('/');
}

void writeConfig(const QString &title, const QByteArray &version)
{
    QDir().mkpath(dataFolderFor(title));
    QFile file(dataFolderFor(title) + QStringLiteral("config.xml"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("<config><product><version>" + version + "</version></product></config>");
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override { Platform::MessageBoxSeam::clearRecords(); }
};

} // namespace

TEST_F(Startup, DataFolderFollowsTheTitleAndVersionComesFromConfig)
{
    KeldrixLibrary keldrix;
    ASSERT_NE(keldrix.handle, nullptr);
    writeConfig(QStringLiteral("Startup Title"), "2.1.0");
    Seen seen;
    EXPECT_TRUE(RunApplication(nullptr, "Startup Title", recordingWindow(seen)));
    ASSERT_TRUE(seen.context.has_value());
    EXPECT_EQ(seen.context->DataFolder, dataFolderFor(QStringLiteral("Startup Title")));
    EXPECT_EQ(seen.context->Title, QStringLiteral("Startup Title"));
    EXPECT_EQ(seen.context->StudioName, QStringLiteral("Orvanta Studio"));
    EXPECT_EQ(seen.context->Version, QStringLiteral("2.1.0"));
    EXPECT_EQ(seen.context->SupportLink, seen.context->HomeLink + QStringLiteral("/support.html"));
    EXPECT_FALSE(seen.context->HomeLink.isEmpty());
    EXPECT_FALSE(seen.context->NoticeLine.isEmpty());
    EXPECT_EQ(GetMuiContext(), nullptr) << "the context does not outlive the run";
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
}

TEST_F(Startup, WithoutTheOptionStoreTheVersionIsEmpty)
{
    writeConfig(QStringLiteral("No Store"), "9.9");
    Seen seen;
    EXPECT_TRUE(RunApplication(nullptr, "No Store", recordingWindow(seen)));
    ASSERT_TRUE(seen.context.has_value());
    EXPECT_EQ(seen.context->Version, QString());
}

TEST_F(Startup, ThrowingMainWindowGivesOneMessageAndStillAnswersTrue)
{
    const struct {
        const char *what;
        std::function<void()> raise;
        QString message;
    } cases[] = {
        {"std exception", [] { throw std::runtime_error("window failed to build"); },
         QStringLiteral("window failed to build")},
        {"other exception", [] { throw 42; }, QString()},
    };
    for (const auto &c : cases) {
        Platform::MessageBoxSeam::clearRecords();
        const bool answer = RunApplication(nullptr, "Thrower", [&c]() -> QWidget * {
            c.raise();
            return nullptr;
        });
        EXPECT_TRUE(answer) << c.what;
        const auto records = Platform::MessageBoxSeam::records();
        ASSERT_EQ(records.size(), 1) << c.what;
        EXPECT_EQ(records.front().text, c.message) << c.what;
        EXPECT_EQ(records.front().caption, QStringLiteral("Thrower")) << c.what;
        EXPECT_EQ(GetMuiContext(), nullptr);
        EXPECT_EQ(MainWindow(), nullptr);
    }
}

TEST_F(Startup, ExceptionInAnEventHandlerReachesTheGeneralErrorDisplay)
{
    QObject target;
    class Thrower : public QObject {
    public:
        bool event(QEvent *) override { throw std::runtime_error("handler failed"); }
    } thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.front().text, QStringLiteral("handler failed"));
}
