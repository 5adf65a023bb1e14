#include "PdfEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

const char16_t *Wide(const QString &text) { return reinterpret_cast<const char16_t *>(text.utf16()); }

struct Answers {
    int32_t open = 0;
    int32_t split = 0;
    int32_t outline = 0;
};

class SourceKinds : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }

    // The three calls on path, on a worker so that a call stuck in open() can be freed: a
    // writer opened on a named pipe lets its reader go.
    Answers Run(const QString &path)
    {
        const QString out = dir.path() + QStringLiteral("/out");
        QDir().mkpath(out);
        auto work = std::async(std::launch::async, [&] {
            Answers a;
            a.open = OpenPDFW(Wide(path), 0);
            if (a.open >= 0)
                ClosePDF(a.open);
            a.split = SplitPDFW(Wide(path), "1", Wide(out + QStringLiteral("/part.pdf")), 1, nullptr);
            a.outline = SplitWithOutlineW(Wide(path), Wide(out), 1, 0, nullptr);
            return a;
        });
        if (work.wait_for(20s) != std::future_status::ready) {
            ADD_FAILURE() << "the engine waited on " << path.toStdString();
            for (int i = 0; i < 3 && work.wait_for(1s) != std::future_status::ready; ++i) {
                const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        }
        Answers answers = work.get();
        EXPECT_EQ(QDir(out).entryList(QDir::Files | QDir::Hidden), QStringList()) << "nothing written";
        return answers;
    }

    QTemporaryDir dir;
};

TEST_F(SourceKinds, ANamedPipeIsUnreadableAndNeverWaitedOn)
{
    const QString path = dir.path() + QStringLiteral("/pipe.pdf");
    ASSERT_EQ(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    const Answers a = Run(path);
    EXPECT_EQ(a.open, PDFENGINE_E_UNREADABLE);
    EXPECT_EQ(a.split, 0);
    EXPECT_EQ(a.outline, 0);
}

TEST_F(SourceKinds, FoldersAndBrokenLinksAreUnreadable)
{
    const QString folder = dir.path() + QStringLiteral("/folder.pdf");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString dangling = dir.path() + QStringLiteral("/dangling.pdf");
    ASSERT_TRUE(QFile::link(dir.path() + QStringLiteral("/nowhere.pdf"), dangling));
    const QString loop = dir.path() + QStringLiteral("/loop.pdf");
    ASSERT_TRUE(QFile::link(loop, loop));
    for (const QString &path : {folder, dangling, loop, QStringLiteral("/dev/null"), QStringLiteral("/dev/zero")}) {
        SCOPED_TRACE(path.toStdString());
        const Answers a = Run(path);
        EXPECT_EQ(a.open, PDFENGINE_E_UNREADABLE);
        EXPECT_EQ(a.split, 0);
        EXPECT_EQ(a.outline, 0);
    }
}

} // namespace
