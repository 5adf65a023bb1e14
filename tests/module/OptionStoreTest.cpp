#include "KeldrixLibrary.h"

#include "OptionStore.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QString text(const char16_t *value)
{
    return value ? QString::fromUtf16(value) : QStringLiteral("<null>");
}

const char16_t *wide(const QString &s)
{
    return reinterpret_cast<const char16_t *>(s.utf16());
}

class OptionStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(library.handle, nullptr) << dlerror();
        store = static_cast<I_OptionStore *>(CreatePlugModule("Keldrix"));
        ASSERT_NE(store, nullptr);
    }
    void TearDown() override
    {
        if (store)
            store->Release();
    }
    QString write(const QByteArray &content)
    {
        const QString path = dir.filePath(QStringLiteral("config.xml"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        return path;
    }

    KeldrixLibrary library;
    I_OptionStore *store = nullptr;
    QTemporaryDir dir;
};

} // namespace

TEST_F(OptionStore, ReadsNestedKeysBelowTheRoot)
{
    const QString path = write("<?xml version=\"1.0\"?><config><product><version> 2.1.0 </version>"
                               "<name>Pagemill</name></product><a><b><c>deep</c></b></a></config>");
    EXPECT_TRUE(store->LoadOptions(wide(path)));
    EXPECT_EQ(text(store->GetOptionText(u"product\\version")), QStringLiteral("2.1.0"));
    EXPECT_EQ(text(store->GetOptionText(u"a\\b\\c")), QStringLiteral("deep"));
    EXPECT_TRUE(store->HasOption(u"product\\name"));
    EXPECT_FALSE(store->HasOption(u"config\\product\\name")) << "keys start below the root element";
    EXPECT_EQ(text(store->GetOptionText(u"product\\missing")), QString());
}

TEST_F(OptionStore, BrokenOrMissingFilesGiveEmptyTexts)
{
    const struct {
        const char *what;
        QByteArray content;
        bool exists;
    } cases[] = {
        {"missing file", QByteArray(), false},
        {"malformed XML", "<config><product><version>1.0</product></config>", true},
        {"empty file", "", true},
        {"not XML", "\x00\x01binary", true},
    };
    for (const auto &c : cases) {
        const QString path = c.exists ? write(c.content) : dir.filePath(QStringLiteral("none.xml"));
        EXPECT_FALSE(store->LoadOptions(wide(path))) << c.what;
        const char16_t *value = store->GetOptionText(u"product\\version");
        ASSERT_NE(value, nullptr) << c.what;
        EXPECT_EQ(text(value), QString()) << c.what;
    }
    EXPECT_EQ(text(store->GetOptionText(nullptr)), QString());
}
