// The options panel: count fields, the range field, mode choice, the bookmark level list.
#include "WindowFixture.h"

#include "MessageBox.h"
#include "MessageBoxSeam.h"
#include "UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

template <typename T> T *child(TSplitterForm *form, const char *name)
{
    T *w = form->findChild<T *>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

} // namespace

class OptionsPanelTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Open(MakePdf(QStringLiteral("ten.pdf"), 10));
        ASSERT_EQ(form->pdfInfo->pageCount, 10);
        Platform::MessageBoxSeam::clearRecords();
    }
    QString text(const char *name) { return child<QLineEdit>(form.get(), name)->text(); }
};

TEST_F(OptionsPanelTest, CountFieldsStayWithinThePageCount)
{
    const struct {
        const char *field;
        QString typed;
        QString shown;
    } cases[] = {
        {"edtSplitEvery", QStringLiteral("25"), QStringLiteral("10")},
        {"edtSplitEvery", QStringLiteral("0"), QStringLiteral("1")},
        {"edtSplitEvery", QStringLiteral("7"), QStringLiteral("7")},
        {"edtSplitEvery", QString(), QString()},
        {"edtSplitAverage", QStringLiteral("11"), QStringLiteral("10")},
        {"edtSplitAverage", QStringLiteral("3"), QStringLiteral("3")},
    };
    for (const auto &c : cases) {
        const bool average = QByteArray(c.field) == "edtSplitAverage";
        Click(average ? "lblSplitAverage" : "lblSplitEvery");
        auto *edit = child<QLineEdit>(form.get(), c.field);
        ASSERT_TRUE(edit->isEnabled());
        Type(c.field, c.typed);
        EXPECT_EQ(edit->text(), c.shown) << c.field << " " << qPrintable(c.typed);
    }
    Click("lblSplitEvery");
    Type("edtSplitEvery", QStringLiteral("a1b"));
    EXPECT_EQ(text("edtSplitEvery"), QStringLiteral("1")) << "letters are not accepted";
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
}

TEST_F(OptionsPanelTest, ArrowsStopAtTheirLimits)
{
    auto *every = child<TUpDown>(form.get(), "UpDownSplitEvery");
    for (int i = 0; i < 15; ++i)
        every->step(1);
    EXPECT_EQ(text("edtSplitEvery"), QStringLiteral("10"));
    for (int i = 0; i < 15; ++i)
        every->step(-1);
    EXPECT_EQ(text("edtSplitEvery"), QStringLiteral("1"));

    Click("lblSplitAverage");
    auto *average = child<TUpDown>(form.get(), "UpDownSplitAverage");
    EXPECT_EQ(average->maximum(), 100);
    for (int i = 0; i < 20; ++i)
        average->step(1);
    EXPECT_EQ(text("edtSplitAverage"), QStringLiteral("10")) << "every value above the page count becomes 10";
}

TEST_F(OptionsPanelTest, OverLongNumberReachesTheGeneralErrorDisplay)
{
    auto *edit = child<QLineEdit>(form.get(), "edtSplitEvery");
    edit->setText(QStringLiteral("99999999999"));
    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.front().text, QStringLiteral("'99999999999' is not a valid integer value"));
    EXPECT_EQ(edit->text(), QStringLiteral("99999999999")) << "the field keeps its text";
}

TEST_F(OptionsPanelTest, RangeFieldMarksBadExpressionsAndModeChangesRewriteIt)
{
    Click("lblSplitRange");
    auto *invalid = child<QLabel>(form.get(), "lblInvalid");
    Type("edtSplitRange", QStringLiteral("1,3,5,7-10"));
    EXPECT_FALSE(invalid->isVisible());
    Type("edtSplitRange", QStringLiteral("1,30"));
    EXPECT_TRUE(invalid->isVisible());
    Type("edtSplitRange", QString());
    EXPECT_TRUE(invalid->isVisible()) << "clearing the field leaves the label as it was";

    for (const char *target : {"rbSplitRange", "lblSplitEvery", "rbSplitAverage", "lblSplitRange"}) {
        child<QLineEdit>(form.get(), "edtSplitRange")->setText(QStringLiteral("1,30"));
        ASSERT_TRUE(invalid->isVisible());
        Click(target);
        EXPECT_EQ(text("edtSplitRange"), QStringLiteral("1")) << target;
        EXPECT_FALSE(invalid->isVisible()) << target;
    }
}

TEST_F(OptionsPanelTest, ChoosingAModeEnablesOnlyItsControls)
{
    auto enabled = [this](const char *name) { return child<QWidget>(form.get(), name)->isEnabled(); };
    EXPECT_TRUE(child<QRadioButton>(form.get(), "rbSplitEvery")->isChecked());
    EXPECT_TRUE(enabled("edtSplitEvery"));
    EXPECT_FALSE(enabled("edtSplitRange"));
    Click("lblSplitRange");
    EXPECT_TRUE(child<QRadioButton>(form.get(), "rbSplitRange")->isChecked());
    EXPECT_TRUE(enabled("edtSplitRange"));
    EXPECT_TRUE(enabled("cbSplitRange"));
    EXPECT_FALSE(enabled("edtSplitEvery"));
    EXPECT_FALSE(enabled("UpDownSplitEvery"));

    auto *box = child<QCheckBox>(form.get(), "cbSplitRange");
    Click("lblcbSplitRange");
    EXPECT_TRUE(box->isChecked());
    Click("lblSplitSpec");
    EXPECT_TRUE(enabled("sBtnSpecSet"));
    Click("lblcbSplitRange");
    EXPECT_TRUE(box->isChecked()) << "the label toggles the box only while the range field is enabled";
}

TEST_F(OptionsPanelTest, WithoutOutlineTheBookmarkModeIsUnavailable)
{
    auto enabled = [this](const char *name) { return child<QWidget>(form.get(), name)->isEnabled(); };
    EXPECT_FALSE(enabled("rbSplitBookmark"));
    EXPECT_FALSE(enabled("cmbSplitBookmark"));
    EXPECT_FALSE(enabled("sBtnBookmarkSet"));
    EXPECT_EQ(child<QComboBox>(form.get(), "cmbSplitBookmark")->count(), 0);
    Click("lblSplitBookmark");
    EXPECT_FALSE(child<QRadioButton>(form.get(), "rbSplitBookmark")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(form.get(), "rbSplitEvery")->isChecked());
}

class BookmarkLevelTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        PdfGen::Document levels{8, {{QStringLiteral("One"), 1, {{QStringLiteral("One.a"), 2, {{QStringLiteral("One.a.i"), 3, {}}}}}},
                              {QStringLiteral("Two"), 5, {}}}};
        Open(MakePdf(QStringLiteral("levels.pdf"), levels));
        ASSERT_EQ(form->pdfInfo->outlineLevels, 3);
        Platform::MessageBoxSeam::clearRecords();
    }

    // Answers the bookmark level dialog with a typed level and OK once it is open.
    void AnswerLevelDialog(const QString &level)
    {
        QTimer::singleShot(0, [level] {
            QWidget *dialog = QApplication::activeModalWidget();
            ASSERT_NE(dialog, nullptr);
            auto *box = dialog->findChild<QComboBox *>(QStringLiteral("cmbLevel"));
            ASSERT_NE(box, nullptr);
            box->setEditText(level);
            auto *ok = dialog->findChild<QWidget *>(QStringLiteral("sBtnOk"));
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, ok->rect().center());
        });
    }
};

TEST_F(BookmarkLevelTest, ListSelectionAndDialogSetTheLevel)
{
    Click("lblSplitBookmark");
    ASSERT_TRUE(child<QRadioButton>(form.get(), "rbSplitBookmark")->isChecked());
    auto *list = child<QComboBox>(form.get(), "cmbSplitBookmark");
    ASSERT_TRUE(list->isEnabled());
    list->setCurrentIndex(1);
    emit list->activated(1);
    EXPECT_EQ(form->pdfInfo->bookmarkLevel, 2);

    AnswerLevelDialog(QStringLiteral("3"));
    Click("sBtnBookmarkSet");
    EXPECT_EQ(list->currentText(), QStringLiteral("3"));
    EXPECT_EQ(form->pdfInfo->bookmarkLevel, 3);
    EXPECT_TRUE(Platform::MessageBoxSeam::records().isEmpty());
}

TEST_F(BookmarkLevelTest, LevelWithoutListItemKeepsTheDialogsValue)
{
    Click("lblSplitBookmark");
    AnswerLevelDialog(QStringLiteral("5"));
    Click("sBtnBookmarkSet");
    auto *list = child<QComboBox>(form.get(), "cmbSplitBookmark");
    EXPECT_EQ(list->currentIndex(), -1);
    EXPECT_EQ(form->pdfInfo->bookmarkLevel, 5);
    const auto records = Platform::MessageBoxSeam::records();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records.front().text, QStringLiteral("'' is not a valid integer value"));
}
