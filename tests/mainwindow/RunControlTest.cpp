// Starting, following and stopping jobs from the window, and the help menu.
#include "WindowFixture.h"

#include "Actions.h"
#include "MessageBox.h"
#include "MessageBoxSeam.h"
#include "Shell.h"
#include "Splitthread.h"
#include "Ssbutton.h"
#include "Tskinprocess.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

QStringList pdfsIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf"), QStringLiteral("*.PDF")}, QDir::Files, QDir::Name);
}

std::vector<int> span(int first, int last)
{
    std::vector<int> pages;
    for (int p = first; p <= last; ++p)
        pages.push_back(p);
    return pages;
}

QStringList texts(const QList<Platform::MessageRecord> &records)
{
    QStringList list;
    for (const auto &r : records)
        list.append(r.text);
    return list;
}

const QString successQuestion = QStringLiteral("Cut successfully.Do you want to open output folder");
const QString stopQuestion = QStringLiteral("Are you sure to cancel cutting");
const QString noRange = QStringLiteral("Please choose page range to cut.");

} // namespace

class RunControlTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        source = MakePdf(QStringLiteral("report.pdf"), 10);
        Open(source);
        ASSERT_EQ(form->pdfInfo->pageCount, 10);
        Click("lblSaveAsSourcepath");
        ASSERT_TRUE(form->rbSaveAsSourcepath->isChecked());
        ASSERT_FALSE(form->rbSaveCustomizePath->isChecked());
        Platform::MessageBoxSeam::clearRecords();
        Platform::MessageBoxSeam::setHandler([](const Platform::MessageRecord &) { return Platform::IDNO; });
    }
    void Split()
    {
        Click("SbtnSplitStart");
        WaitForJob();
    }
    QString outFolder() const { return work.filePath(QStringLiteral("report")); }
    std::vector<int> marks(const QString &file) const { return PdfGen::PageMarks(outFolder() + QLatin1Char('/') + file); }

    QString source;
};

TEST_F(RunControlTest, EveryNPagesBesideTheSource)
{
    Type("edtSplitEvery", QStringLiteral("3"));
    Split();
    EXPECT_EQ(pdfsIn(outFolder()), (QStringList{QStringLiteral("report(1).pdf"), QStringLiteral("report(2).pdf"),
                                                QStringLiteral("report(3).pdf"), QStringLiteral("report(4).pdf")}));
    EXPECT_EQ(marks(QStringLiteral("report(1).pdf")), span(1, 3));
    EXPECT_EQ(marks(QStringLiteral("report(4).pdf")), span(10, 10));
    EXPECT_EQ(texts(Platform::MessageBoxSeam::records()), QStringList{successQuestion});
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("SbtnSplitStart"))->isVisible());
    EXPECT_FALSE(form->findChild<QWidget *>(QStringLiteral("SbtnSplitStop"))->isVisible());
    EXPECT_FALSE(form->SkinProcess1->isVisible());
}

TEST_F(RunControlTest, AveragelyIntoACustomFolder)
{
    Click("lblCustomizePath");
    const QString custom = work.filePath(QStringLiteral("chosen"));
    form->findChild<QLineEdit *>(QStringLiteral("edtOutputFolder"))->setText(custom);
    Click("lblSplitAverage");
    Type("edtSplitAverage", QStringLiteral("3"));
    Split();
    const QString folder = custom + QStringLiteral("/report");
    ASSERT_EQ(pdfsIn(folder).size(), 3);
    EXPECT_EQ(PdfGen::PageMarks(folder + QStringLiteral("/report(1).pdf")), span(1, 3));
    EXPECT_EQ(PdfGen::PageMarks(folder + QStringLiteral("/report(3).pdf")), span(7, 10));
}

TEST_F(RunControlTest, RangeIsRewrittenBeforeTheJobAndTheRestGoesToASecondFile)
{
    Click("lblSplitRange");
    form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->setText(QStringLiteral("1,30"));
    Click("lblcbSplitRange");
    Click("SbtnSplitStart");
    EXPECT_EQ(form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->text(), QStringLiteral("1"));
    EXPECT_EQ(form->JobTotalPages(), 10) << "1 page of the range and 9 of the rest";
    WaitForJob();
    EXPECT_EQ(form->pdfInfo->rangeText, QStringLiteral("1"));
    EXPECT_TRUE(form->pdfInfo->saveRest);
    EXPECT_EQ(marks(QStringLiteral("report.pdf")), span(1, 1));
    const QStringList files = pdfsIn(outFolder());
    ASSERT_EQ(files.size(), 2);
    const QString rest = files.at(0) == QStringLiteral("report.pdf") ? files.at(1) : files.at(0);
    EXPECT_EQ(marks(rest), span(2, 10));
}

TEST_F(RunControlTest, EmptyRangeAndEmptyCustomListAreRefused)
{
    Click("lblSplitRange");
    form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->setText(QStringLiteral("abc"));
    Click("SbtnSplitStart");
    EXPECT_EQ(form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->text(), QString());
    Click("lblSplitSpec");
    Click("SbtnSplitStart");
    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 2);
    for (const auto &r : records) {
        EXPECT_EQ(r.text, noRange);
        EXPECT_EQ(r.flags, 0u);
        EXPECT_EQ(r.ownerName, form->objectName());
    }
    EXPECT_EQ(form->splitThread, nullptr);
    EXPECT_FALSE(QDir(outFolder()).exists());
}

TEST_F(RunControlTest, CustomListWritesOneFilePerEntryInOrder)
{
    form->pdfInfo->customItems = {{QStringLiteral("first.PDF"), QStringLiteral("2-3")},
                                  {QStringLiteral("second.PDF"), QStringLiteral("9,1")}};
    Click("lblSplitSpec");
    Click("SbtnSplitStart");
    EXPECT_EQ(form->JobTotalPages(), 4);
    WaitForJob();
    EXPECT_EQ(marks(QStringLiteral("first.PDF")), span(2, 3));
    EXPECT_EQ(marks(QStringLiteral("second.PDF")), (std::vector<int>{9, 1}));
}

TEST_F(RunControlTest, EmptyCustomOutputFolderIsRefused)
{
    Click("lblCustomizePath");
    for (const QString &folder : {QString(), QStringLiteral("   "), QStringLiteral("relative/folder")}) {
        Platform::MessageBoxSeam::clearRecords();
        form->findChild<QLineEdit *>(QStringLiteral("edtOutputFolder"))->setText(folder);
        Click("SbtnSplitStart");
        EXPECT_EQ(texts(Platform::MessageBoxSeam::records()), QStringList{QStringLiteral("Please choose an output folder.")});
        EXPECT_EQ(form->splitThread, nullptr);
    }
}

TEST_F(RunControlTest, YesOpensTheFolderTheJobReallyUsed)
{
    QDir().mkpath(outFolder());
    Platform::MessageBoxSeam::setHandler([](const Platform::MessageRecord &) { return Platform::IDYES; });
    Split();
    const auto opened = Platform::ShellSeam::records();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front().target, work.filePath(QStringLiteral("report(1)")));
    EXPECT_EQ(pdfsIn(work.filePath(QStringLiteral("report(1)"))).size(), 10);
    EXPECT_TRUE(pdfsIn(outFolder()).isEmpty()) << "an existing folder is never written into";
}

TEST_F(RunControlTest, ProgressBarFollowsTheJobsOwnTotal)
{
    Open(MakePdf(QStringLiteral("long.pdf"), 200));
    Click("lblSaveAsSourcepath");
    Type("edtSplitEvery", QStringLiteral("200"));
    Split();
    ASSERT_EQ(form->JobTotalPages(), 200);
    form->SkinProcess1->show();
    form->OnSplitProgress(50);
    EXPECT_EQ(form->SkinProcess1->FillWidth(), 127) << "25 percent of the 508 pixel range";

    Open(MakePdf(QStringLiteral("forty.pdf"), 40));
    Click("lblSaveAsSourcepath");
    Click("lblSplitRange");
    form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->setText(QStringLiteral("1-10"));
    Click("lblcbSplitRange");
    Click("SbtnSplitStart");
    EXPECT_EQ(form->JobTotalPages(), 40);
    // Editing the range while the job runs does not move the bar's total.
    form->findChild<QLineEdit *>(QStringLiteral("edtSplitRange"))->setText(QStringLiteral("1"));
    EXPECT_EQ(form->JobTotalPages(), 40);
    WaitForJob();
}

class StopTest : public RunControlTest {
protected:
    // Starts a one-page-per-file job on a long document and presses Stop as soon as the
    // window handles its first progress step; answer decides the stop question.
    void StopWith(int answer)
    {
        Open(MakePdf(QStringLiteral("report.pdf"), 150));
        Click("lblSaveAsSourcepath");
        Platform::MessageBoxSeam::clearRecords();
        Platform::MessageBoxSeam::setHandler([this, answer](const Platform::MessageRecord &r) -> int {
            if (r.text != stopQuestion)
                return Platform::IDNO;
            // The worker holds still while the question is open.
            const int32_t before = form->splitThread->progressCount;
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 300)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            heldAt = before;
            heldAfter = form->splitThread->progressCount;
            return answer;
        });
        Click("SbtnSplitStart");
        ASSERT_TRUE(form->JobRunning());
        QTimer::singleShot(0, form.get(), [this] { Click("SbtnSplitStop"); });
        WaitForJob();
    }
    int32_t heldAt = -1;
    int32_t heldAfter = -1;
};

TEST_F(StopTest, NoLetsTheJobGoOn)
{
    StopWith(Platform::IDNO);
    EXPECT_GE(heldAt, 0);
    EXPECT_LE(heldAfter - heldAt, 1) << "at most the step under way completes while paused";
    EXPECT_EQ(pdfsIn(outFolder()).size(), 150);
    EXPECT_EQ(texts(Platform::MessageBoxSeam::records()), (QStringList{stopQuestion, successQuestion}));
}

TEST_F(StopTest, YesEndsTheJobWithoutTheSuccessQuestion)
{
    StopWith(Platform::IDYES);
    EXPECT_EQ(texts(Platform::MessageBoxSeam::records()), QStringList{stopQuestion});
    EXPECT_EQ(form->splitThread, nullptr);
    EXPECT_TRUE(form->findChild<QWidget *>(QStringLiteral("SbtnSplitStart"))->isVisible());
    EXPECT_LT(pdfsIn(outFolder()).size(), 150);
    for (const QString &file : pdfsIn(outFolder()))
        EXPECT_EQ(PdfGen::PageMarks(outFolder() + QLatin1Char('/') + file).size(), 1u) << qPrintable(file);
    EXPECT_TRUE(QDir(outFolder()).entryList(QDir::Files | QDir::Hidden).size() == pdfsIn(outFolder()).size())
        << "no temporary file is left";
}

TEST_F(RunControlTest, ASecondJobReplacesTheFirstThread)
{
    Split();
    SplitThread *first = form->splitThread;
    ASSERT_NE(first, nullptr);
    Split();
    EXPECT_NE(form->splitThread, nullptr);
    EXPECT_TRUE(QDir(work.filePath(QStringLiteral("report(1)"))).exists());
}

TEST_F(RunControlTest, DuringAJobLoadsAndSettingsAreRefused)
{
    Open(MakePdf(QStringLiteral("report.pdf"), 150));
    Click("lblSaveAsSourcepath");
    Click("SbtnSplitStart");
    ASSERT_TRUE(form->JobRunning());
    EXPECT_FALSE(form->findChild<QWidget *>(QStringLiteral("sBtnSpecSet"))->isEnabled());
    const QString before = form->pdfInfo->filePath;
    Platform::MessageBoxSeam::clearRecords();
    Open(MakePdf(QStringLiteral("other.pdf"), 2));
    EXPECT_EQ(form->pdfInfo->filePath, before);
    ASSERT_EQ(Platform::MessageBoxSeam::records().size(), 1);
    EXPECT_TRUE(Platform::MessageBoxSeam::records().front().text.contains(QStringLiteral("job is running")));
    WaitForJob();
    EXPECT_EQ(pdfsIn(outFolder()).size(), 150);
}

TEST_F(RunControlTest, ClosingTheWindowStopsTheJobAndWaitsForIt)
{
    Open(MakePdf(QStringLiteral("report.pdf"), 150));
    Click("lblSaveAsSourcepath");
    Click("SbtnSplitStart");
    ASSERT_TRUE(form->JobRunning());
    form.reset();
    EXPECT_FALSE(texts(Platform::MessageBoxSeam::records()).contains(successQuestion));
    for (const QString &file : pdfsIn(outFolder()))
        EXPECT_EQ(PdfGen::PageMarks(outFolder() + QLatin1Char('/') + file).size(), 1u) << qPrintable(file);
}

TEST_F(RunControlTest, HelpMenuListsItsItemsAndOpensThem)
{
    QStringList items;
    for (QAction *a : form->popMenuHelp->actions())
        items.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    EXPECT_EQ(items, (QStringList{QStringLiteral("Help Content"), QStringLiteral("Support"), QStringLiteral("-"),
                                  QStringLiteral("Home Page"), QStringLiteral("-"), QStringLiteral("About")}));
    form->HelpAct->trigger();
    form->SupportAct->trigger();
    form->HomePageAct->trigger();
    const auto opened = Platform::ShellSeam::records();
    ASSERT_EQ(opened.size(), 3);
    EXPECT_EQ(opened.at(0).target, context.DataFolder + QStringLiteral("help.html"));
    EXPECT_EQ(opened.at(1).target, context.SupportLink);
    EXPECT_EQ(opened.at(2).target, context.HomeLink);
    EXPECT_EQ(opened.at(0).show, Platform::ShowCommand::Maximized);

    Click("btnHelp");
    EXPECT_TRUE(form->popMenuHelp->isVisible());
    const QWidget *help = form->btnHelp;
    EXPECT_EQ(form->popMenuHelp->pos(), form->mapToGlobal(QPoint(help->x(), help->y() + help->height())));
    form->popMenuHelp->hide();
}
