#include "Customform_unit1.h"

#include "CustomItemList.h"
#include "Data_unit1.h"
#include "DialogTestSupport.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTreeView>

namespace {

// Real in-place editing: the keys and clicks a user makes, on a shown dialog.
class CustomEdit : public testing::Test {
protected:
    void SetUp() override
    {
        TakeMessages();
        info.baseName = QStringLiteral("report");
        info.pageCount = 12;
        info.customItems = {{"report(1).PDF", "1"}, {"report(2).PDF", "2"}};
        form = std::make_unique<TCustomSettingsForm>(nullptr, &info);
        ShowActive(form.get());
        list = Control<QTreeView>(form.get(), "VstList");
    }
    void TearDown() override { TakeMessages(); }

    QPoint cellCentre(int row, int column) const
    {
        return list->visualRect(list->model()->index(row, column)).center();
    }
    // Makes the cell the focused one without a click, which on a selected row would start the
    // view's delayed single-click edit.
    void focusCell(int row, int column)
    {
        list->setCurrentIndex(list->model()->index(row, column));
        list->setFocus();
    }
    QLineEdit *editor() const
    {
        for (QLineEdit *line : list->findChildren<QLineEdit *>(QStringLiteral("cellEditor")))
            if (line->isVisible())
                return line;
        return nullptr;
    }
    bool editing() const { return editor() != nullptr; }
    void startEditWithF2(int row, int column)
    {
        focusCell(row, column);
        QTest::keyClick(list, Qt::Key_F2);
        ASSERT_TRUE(editing());
        ASSERT_NE(editor(), nullptr);
    }
    void retype(const QString &text)
    {
        QLineEdit *line = editor();
        ASSERT_NE(line, nullptr);
        line->selectAll();
        QTest::keyClicks(line, text);
    }
    // The view commits an Enter once the editor has seen the key, through the event queue.
    void pressEnter()
    {
        QLineEdit *line = editor();
        ASSERT_NE(line, nullptr);
        QTest::keyClick(line, Qt::Key_Return);
        QApplication::processEvents();
    }
    QString cell(int row, int column) const { return list->model()->index(row, column).data().toString(); }

    PDFItemInfo info;
    std::unique_ptr<TCustomSettingsForm> form;
    QTreeView *list = nullptr;
};

TEST_F(CustomEdit, EnterCommitsTheTypedName)
{
    startEditWithF2(0, 0);
    retype(QStringLiteral("  summary "));
    pressEnter();
    EXPECT_EQ(cell(0, 0), QStringLiteral("summary.PDF"));
    EXPECT_FALSE(editing());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(TakeMessages().isEmpty());
}

TEST_F(CustomEdit, EscapeCancelsTheEditAndKeepsTheDialogOpen)
{
    startEditWithF2(1, 1);
    retype(QStringLiteral("5-7"));
    QTest::keyClick(editor(), Qt::Key_Escape);
    EXPECT_EQ(cell(1, 1), QStringLiteral("2"));
    EXPECT_FALSE(editing());
    EXPECT_TRUE(form->isVisible()) << "Escape in the editor must not close the dialog";
    EXPECT_EQ(form->result(), 0);
    EXPECT_TRUE(TakeMessages().isEmpty());
}

TEST_F(CustomEdit, LeavingTheEditorCommits)
{
    startEditWithF2(1, 1);
    retype(QStringLiteral("3 , 9-10"));
    Control<QWidget>(form.get(), "ssSkinButton2")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_EQ(cell(1, 1), QStringLiteral("3,9-10"));
}

TEST_F(CustomEdit, ClickingOkWhileEditingKeepsTheTypedText)
{
    startEditWithF2(0, 0);
    retype(QStringLiteral("final"));
    ClickControl(form.get(), "ssSkinButton1");
    EXPECT_EQ(form->result(), 1);
    ASSERT_EQ(info.customItems.size(), 2u);
    EXPECT_EQ(info.customItems[0].fileName, QStringLiteral("final.PDF"));
}

TEST_F(CustomEdit, ARefusedTextStillInTheEditorWhenOkIsClickedKeepsTheDialogOpen)
{
    startEditWithF2(0, 1);
    retype(QStringLiteral("40"));
    ClickControl(form.get(), "ssSkinButton1");
    const QList<Platform::MessageRecord> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("Invalid format or out of range"));
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->result(), 0);
    EXPECT_EQ(info.customItems[0].rangeText, QStringLiteral("1"));
    ClickControl(form.get(), "ssSkinButton1");
    EXPECT_EQ(form->result(), 1);
}

TEST_F(CustomEdit, AnUntouchedEditChangesAndShowsNothing)
{
    // Were it committed, the row's own name would count as a duplicate and show a box.
    startEditWithF2(0, 0);
    pressEnter();
    startEditWithF2(0, 0);
    QTest::keyClicks(editor(), QStringLiteral("x"));
    QTest::keyClick(editor(), Qt::Key_Backspace);
    pressEnter();
    EXPECT_TRUE(TakeMessages().isEmpty());
    EXPECT_EQ(cell(0, 0), QStringLiteral("report(1).PDF"));
}

TEST_F(CustomEdit, ARefusedEditShowsTheBoxAndKeepsThePreviousValue)
{
    startEditWithF2(1, 0);
    retype(QStringLiteral("REPORT(1).pdf"));
    pressEnter();
    const QList<Platform::MessageRecord> messages = TakeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("File name is already exists."));
    EXPECT_EQ(cell(1, 0), QStringLiteral("report(2).PDF"));
    EXPECT_TRUE(form->isVisible());
}

TEST_F(CustomEdit, DoubleClickEditsTheDoubleClickedColumn)
{
    // The row is selected already: its first click arms the view's own delayed edit.
    focusCell(0, 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(0, 1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, cellCentre(0, 1));
    ASSERT_TRUE(editing());
    EXPECT_EQ(list->currentIndex().column(), 1);
    EXPECT_EQ(list->currentIndex().row(), 0);
    retype(QStringLiteral("4-"));
    pressEnter();
    EXPECT_EQ(cell(0, 1), QStringLiteral("4"));
    EXPECT_EQ(cell(0, 0), QStringLiteral("report(1).PDF"));
}

TEST_F(CustomEdit, AFurtherClickOnTheFocusedCellStartsEditing)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    EXPECT_FALSE(editing()) << "the first click only selects";
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, cellCentre(1, 0));
    EXPECT_TRUE(QTest::qWaitFor([this] { return editing(); }, 2000));
}

} // namespace
