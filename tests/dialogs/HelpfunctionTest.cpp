#include "Helpfunction.h"

#include "FileDialogs.h"

#include <QStandardPaths>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class Helpers : public testing::Test {
protected:
    void SetUp() override { Platform::FileDialogSeam::install(); }
};

TEST_F(Helpers, CancellingTheFolderChooserLeavesThePathAlone)
{
    QWidget owner;
    owner.setObjectName(QStringLiteral("TSplitterForm"));
    QString path = QStringLiteral("/home/user/Documents/Orvanta Studio/Orvanta Pagemill");
    EXPECT_FALSE(SelectFolder(&owner, QStringLiteral("Please Select Output Folder"), path));
    EXPECT_EQ(path, QStringLiteral("/home/user/Documents/Orvanta Studio/Orvanta Pagemill"));
    const QList<Platform::FileDialogRecord> calls = Platform::FileDialogSeam::records();
    ASSERT_EQ(calls.size(), 1);
    EXPECT_EQ(calls[0].title, QStringLiteral("Please Select Output Folder"));
    EXPECT_EQ(calls[0].ownerName, QStringLiteral("TSplitterForm"));
}

TEST_F(Helpers, AChosenFolderIsWrittenToThePath)
{
    Platform::FileDialogSeam::queueAnswer(QStringLiteral("/srv/out put/\u00e9t\u00e9"));
    QString path = QStringLiteral("old");
    EXPECT_TRUE(SelectFolder(nullptr, QStringLiteral("t"), path));
    EXPECT_EQ(path, QStringLiteral("/srv/out put/\u00e9t\u00e9"));
}

TEST_F(Helpers, TheDocumentsFolderIsTheSystemsOne)
{
    QString path = QStringLiteral("untouched");
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    EXPECT_EQ(GetDocumentsFolder(path), !documents.isEmpty());
    EXPECT_EQ(path, documents.isEmpty() ? QStringLiteral("untouched") : documents);
}

} // namespace
