// Loading a document: the file dialog, dropping, the size, the outline levels, failures.
#include "WindowFixture.h"

#include "Actions.h"
#include "FileDialogs.h"
#include "MessageBox.h"
#include "MessageBoxSeam.h"
#include "PdfEngine.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

#include <unistd.h>

namespace {

QString text(TSplitterForm *form, const char *name)
{
    if (auto *label = form->findChild<QLabel *>(QString::fromLatin1(name)))
        return label->text();
    if (auto *edit = form->findChild<QLineEdit *>(QString::fromLatin1(name)))
        return edit->text();
    return QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

void drop(TSplitterForm *form, const QStringList &paths)
{
    auto *data = new QMimeData;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls.append(QUrl::fromLocalFile(p));
    data->setUrls(urls);
    QDragEnterEvent enter(QPoint(100, 100), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent event(QPointF(100, 100), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(form, &event);
    delete data;
}

} // namespace

using LoadingTest = WindowTest;

TEST_F(LoadingTest, ConstructionCreatesTheDefaultOutputFolder)
{
    const QString expected = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                             QStringLiteral("/Orvanta Studio/Orvanta Pagemill");
    EXPECT_EQ(text(form.get(), "edtOutputFolder"), expected);
    EXPECT_TRUE(QDir(expected).exists());
    EXPECT_EQ(form->pdfInfo->docHandle, -1);
    EXPECT_EQ(form->pdfInfo->pageCount, 0);
    EXPECT_FALSE(form->findChild<QLabel *>(QStringLiteral("lblSize"))->isVisible());
    EXPECT_EQ(text(form.get(), "lblTitle"), QStringLiteral("Orvanta Pagemill"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Orvanta Pagemill"));
}

TEST_F(LoadingTest, BrowseAsksForAPdfAndShowsNameSizeAndPages)
{
    const QString path = MakePdf(QStringLiteral("report.pdf"), 7);
    Open(path);
    const auto dialogs = Platform::FileDialogSeam::records();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs.front().title, QStringLiteral("Select PDF File"));
    EXPECT_EQ(text(form.get(), "edtFilename"), QStringLiteral("report"));
    EXPECT_EQ(text(form.get(), "lblPages"), QStringLiteral("7"));
    EXPECT_EQ(text(form.get(), "lblSize"), QString::number(QFileInfo(path).size() / 1024) + QStringLiteral("KB"));
    EXPECT_TRUE(form->findChild<QLabel *>(QStringLiteral("lblPagesTag"))->isVisible());
    EXPECT_EQ(form->pdfInfo->filePath, path);
    EXPECT_EQ(form->pdfInfo->fileFolder, work.path() + QLatin1Char('/'));
    EXPECT_EQ(form->pdfInfo->baseName, QStringLiteral("report"));
}

TEST_F(LoadingTest, DropRules)
{
    const QString one = MakePdf(QStringLiteral("one.pdf"), 3);
    const QString upper = MakePdf(QStringLiteral("UPPER.Pdf"), 4);
    QDir(work.path()).mkpath(QStringLiteral("folder.pdf"));
    const QString inFolder = MakePdf(QStringLiteral("folder.pdf/notes.txt"), 2);
    const QString noDot = MakePdf(QStringLiteral("nodot"), 2);

    drop(form.get(), {one});
    EXPECT_EQ(form->pdfInfo->filePath, one);
    drop(form.get(), {upper});
    EXPECT_EQ(form->pdfInfo->filePath, upper) << "the extension is compared without regard to case";

    for (const QString &ignored : {inFolder, noDot}) {
        drop(form.get(), {ignored});
        EXPECT_EQ(form->pdfInfo->filePath, upper) << qPrintable(ignored);
    }
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());

    drop(form.get(), {one, upper});
    EXPECT_EQ(form->pdfInfo->filePath, upper);
    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.front().text, QStringLiteral("Please drag only one PDF File at a time"));
    EXPECT_EQ(records.front().caption, QStringLiteral("Orvanta Pagemill"));
    EXPECT_EQ(records.front().flags, 0u);
    EXPECT_EQ(records.front().ownerName, form->objectName());
}

TEST_F(LoadingTest, SizeIsWholeKilobytes)
{
    const struct {
        qint64 bytes;
        QString shown;
        bool load; // the engine would read a 5 GiB file of zeros to the end
    } cases[] = {{1023, QStringLiteral("0KB"), true},
                 {1024, QStringLiteral("1KB"), true},
                 {5LL * 1024 * 1024 * 1024 + 1000, QStringLiteral("5242880KB"), false}};
    for (const auto &c : cases) {
        // A small document padded after its end (sparsely) to the size under test.
        const QString path = MakePdf(QStringLiteral("sized.pdf"), 1);
        QFile file(path);
        ASSERT_LT(file.size(), c.bytes);
        ASSERT_TRUE(file.resize(c.bytes));
        EXPECT_EQ(TSplitterForm::GetFileSizeKB(path) , static_cast<uint32_t>(c.bytes / 1024));
        if (c.load) {
            Open(path);
            EXPECT_EQ(text(form.get(), "lblSize"), c.shown);
        } else {
            EXPECT_EQ(QString::number(TSplitterForm::GetFileSizeKB(path)) + QStringLiteral("KB"), c.shown);
        }
        QFile::remove(path);
    }
    EXPECT_EQ(TSplitterForm::GetFileSizeKB(work.filePath(QStringLiteral("missing.pdf"))), 0u);
}

TEST_F(LoadingTest, AverageFieldFollowsThePageCount)
{
    Open(MakePdf(QStringLiteral("single.pdf"), 1));
    EXPECT_EQ(text(form.get(), "edtSplitAverage"), QStringLiteral("1"));
    Open(MakePdf(QStringLiteral("double.pdf"), 2));
    EXPECT_EQ(text(form.get(), "edtSplitAverage"), QStringLiteral("2"));
}

TEST_F(LoadingTest, OutlineLevelsFillTheLevelList)
{
    auto *list = form->findChild<QComboBox *>(QStringLiteral("cmbSplitBookmark"));
    Open(MakePdf(QStringLiteral("plain.pdf"), 3));
    EXPECT_EQ(form->pdfInfo->outlineLevels, 0);
    EXPECT_EQ(list->count(), 0);

    PdfGen::Document deep{6, {{QStringLiteral("A"), 1, {{QStringLiteral("A.1"), 2, {{QStringLiteral("A.1.a"), 3, {}}}}}},
                          {QStringLiteral("B"), 4, {}}}};
    Open(MakePdf(QStringLiteral("deep.pdf"), deep));
    EXPECT_EQ(form->pdfInfo->outlineLevels, 3);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(list->itemText(2), QStringLiteral("3"));
    EXPECT_EQ(list->currentIndex(), 0);
    EXPECT_EQ(form->pdfInfo->bookmarkLevel, 1);
}

TEST_F(LoadingTest, LoadingAgainClosesTheFirstHandleAndEmptiesCustomOutputs)
{
    const QString path = MakePdf(QStringLiteral("twice.pdf"), 5);
    Open(path);
    const int32_t first = form->pdfInfo->docHandle;
    ASSERT_GE(first, 0);
    form->pdfInfo->customItems.push_back({QStringLiteral("twice(1).PDF"), QStringLiteral("1")});
    Open(path);
    EXPECT_GE(form->pdfInfo->docHandle, 0);
    EXPECT_TRUE(form->pdfInfo->customItems.empty());
    if (form->pdfInfo->docHandle != first) {
        EXPECT_LE(GetPageCount(first), 0) << "the first handle is closed";
    }
}

TEST_F(LoadingTest, FailedOpenSaysWhyAndLeavesNoDocument)
{
    Open(MakePdf(QStringLiteral("twelve.pdf"), 12));
    ASSERT_EQ(form->pdfInfo->pageCount, 12);
    const QString broken = work.filePath(QStringLiteral("broken.pdf"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not a PDF document at all");
    file.close();
    Platform::MessageBoxSeam::clearRecords();
    Open(broken);

    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_TRUE(records.front().text.contains(QStringLiteral("not a PDF"))) << qPrintable(records.front().text);
    EXPECT_EQ(records.front().flags, 0x30u);
    EXPECT_TRUE(form->pdfInfo->filePath.isEmpty());
    EXPECT_LT(form->pdfInfo->docHandle, 0);
    EXPECT_EQ(form->pdfInfo->pageCount, 0);
    EXPECT_EQ(form->pdfInfo->outlineLevels, 0);
    EXPECT_FALSE(form->findChild<QLabel *>(QStringLiteral("lblPages"))->isVisible());
    EXPECT_FALSE(form->SplitStartAct->isEnabled());

    Platform::MessageBoxSeam::clearRecords();
    Open(work.filePath(QStringLiteral("gone.pdf")));
    ASSERT_EQ(Platform::MessageBoxSeam::records().size(), 1);
    EXPECT_TRUE(Platform::MessageBoxSeam::records().front().text.contains(QStringLiteral("cannot be read")));
}
