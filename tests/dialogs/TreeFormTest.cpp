#include "Treeform_unit1.h"

#include "Data_unit1.h"
#include "DialogTestSupport.h"
#include "OutlineTreeWidget.h"
#include "PdfEngine.h"
#include "PdfGen.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

// A document with bookmarks three levels deep, opened by the engine for the whole suite.
class TreeForm : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        dir = new QTemporaryDir;
        path = dir->filePath(QStringLiteral("outline.pdf"));
        PdfGen::Document document;
        document.pages = 6;
        document.outline = {
            {QStringLiteral("Chapter One"), 1,
             {{QStringLiteral("Section 1.1"), 2, {{QStringLiteral("\u00dcber \u2211 \u65e5\u672c"), 3, {}}}},
              {QStringLiteral("Section 1.2"), 4, {}}}},
            {QStringLiteral("Chapter Two"), 5, {}},
        };
        PdfGen::Write(path, document);
        handle = OpenPDFW(reinterpret_cast<const char16_t *>(path.utf16()), 0);
    }
    static void TearDownTestSuite()
    {
        if (handle >= 0)
            ClosePDF(handle);
        delete dir;
        dir = nullptr;
    }
    void SetUp() override
    {
        ASSERT_GE(handle, 0) << "the engine did not open the generated document";
        TakeMessages();
        info.docHandle = handle;
        info.pageCount = 6;
        info.outlineLevels = 3;
        info.bookmarkLevel = 2;
    }
    void TearDown() override { TakeMessages(); }

    static inline QTemporaryDir *dir = nullptr;
    static inline QString path;
    static inline int32_t handle = -1;
    PDFItemInfo info;
};

QStringList Texts(const QTreeWidgetItem *parent)
{
    QStringList texts;
    for (int i = 0; i < parent->childCount(); ++i)
        texts << parent->child(i)->text(0);
    return texts;
}

TEST_F(TreeForm, ShowsTheOutlineAndTheLevelsWithTheChosenOneSelected)
{
    TTreeForm form(nullptr, &info);
    auto *tree = Control<QTreeWidget>(&form, "TreeView1");
    const QTreeWidgetItem *root = tree->invisibleRootItem();
    ASSERT_EQ(Texts(root), (QStringList{"Chapter One", "Chapter Two"}));
    const QTreeWidgetItem *one = root->child(0);
    EXPECT_EQ(Texts(one), (QStringList{"Section 1.1", "Section 1.2"}));
    ASSERT_EQ(one->child(0)->childCount(), 1);
    EXPECT_EQ(one->child(0)->child(0)->text(0), QStringLiteral("\u00dcber \u2211 \u65e5\u672c"));
    EXPECT_EQ(one->child(1)->data(0, Qt::UserRole).toInt(), 4);

    auto *level = Control<QComboBox>(&form, "cmbLevel");
    ASSERT_EQ(level->count(), 3);
    EXPECT_EQ(level->itemText(0), QStringLiteral("1"));
    EXPECT_EQ(level->itemText(2), QStringLiteral("3"));
    EXPECT_EQ(level->currentIndex(), 1);
    EXPECT_EQ(level->currentText(), QStringLiteral("2"));
    EXPECT_TRUE(level->isEditable());

    EXPECT_TRUE(tree->isHeaderHidden());
    EXPECT_EQ(tree->indentation(), 19);
    EXPECT_EQ(tree->size(), QSize(503, 321));
    EXPECT_EQ(tree->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(Control<QLabel>(&form, "TntLabel2")->text(), QStringLiteral("Bookmark Settings"));
    EXPECT_EQ(Control<QLabel>(&form, "TntLabel1")->text(), QStringLiteral("Please select cut level:"));
    EXPECT_EQ(form.size(), QSize(540, 490));
}

TEST_F(TreeForm, ALevelOutsideTheListSelectsNothing)
{
    for (int32_t stored : {0, 4, -1}) {
        info.bookmarkLevel = stored;
        TTreeForm form(nullptr, &info);
        auto *level = Control<QComboBox>(&form, "cmbLevel");
        EXPECT_EQ(level->count(), 3);
        EXPECT_EQ(level->currentIndex(), -1) << stored;
        EXPECT_EQ(level->currentText(), QString()) << stored;
    }
}

TEST_F(TreeForm, WithoutLevelsTheTreeAndTheBoxStayEmpty)
{
    info.outlineLevels = 0;
    TTreeForm form(nullptr, &info);
    EXPECT_EQ(Control<QTreeWidget>(&form, "TreeView1")->topLevelItemCount(), 0);
    EXPECT_EQ(Control<QComboBox>(&form, "cmbLevel")->count(), 0);
    EXPECT_EQ(Control<QComboBox>(&form, "cmbLevel")->currentText(), QString());
}

struct LevelCase {
    QString typed;
    int32_t stored; // kept when the text is refused
    bool refused;
};

class TypedLevel : public TreeForm, public testing::WithParamInterface<LevelCase> {};

TEST_P(TypedLevel, IsStoredAsTypedOrRefusedWithTheConversionError)
{
    const LevelCase &c = GetParam();
    TTreeForm form(nullptr, &info);
    ShowActive(&form);
    auto *level = Control<QComboBox>(&form, "cmbLevel");
    level->lineEdit()->selectAll();
    if (c.typed.isEmpty())
        QTest::keyClick(level->lineEdit(), Qt::Key_Delete);
    else
        QTest::keyClicks(level->lineEdit(), c.typed);
    ASSERT_EQ(level->currentText(), c.typed);
    ClickControl(&form, "sBtnOk");
    EXPECT_EQ(info.bookmarkLevel, c.stored);
    const QList<Platform::MessageRecord> messages = TakeMessages();
    if (!c.refused) {
        EXPECT_EQ(form.result(), 1);
        EXPECT_TRUE(messages.isEmpty());
        return;
    }
    EXPECT_TRUE(form.isVisible()) << "the dialog stays open";
    EXPECT_EQ(form.result(), 0);
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("'%1' is not a valid integer value").arg(c.typed));
    EXPECT_EQ(messages[0].caption, QStringLiteral("Orvanta Pagemill"));
}

INSTANTIATE_TEST_SUITE_P(Texts, TypedLevel,
                         testing::Values(LevelCase{"5", 5, false}, LevelCase{"3", 3, false},
                                         LevelCase{"  7", 7, false}, LevelCase{"-2", -2, false},
                                         LevelCase{"0x10", 16, false}, LevelCase{"$A", 10, false},
                                         LevelCase{"abc", 2, true}, LevelCase{"", 2, true},
                                         LevelCase{"3 ", 2, true}, LevelCase{"1.5", 2, true},
                                         LevelCase{"99999999999", 2, true}));

TEST_F(TreeForm, EnterInTheLevelBoxConfirms)
{
    TTreeForm form(nullptr, &info);
    ShowActive(&form);
    auto *level = Control<QComboBox>(&form, "cmbLevel");
    level->lineEdit()->selectAll();
    QTest::keyClicks(level->lineEdit(), QStringLiteral("3"));
    QTest::keyClick(level->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(form.result(), 1);
    EXPECT_EQ(info.bookmarkLevel, 3);
}

class TreeCancel : public TreeForm, public testing::WithParamInterface<const char *> {};

TEST_P(TreeCancel, LeavesTheLevelAsItWas)
{
    TTreeForm form(nullptr, &info);
    ShowActive(&form);
    auto *level = Control<QComboBox>(&form, "cmbLevel");
    level->setCurrentIndex(2);
    const QString way = QString::fromLatin1(GetParam());
    if (way == QLatin1String("close"))
        form.close();
    else
        ClickControl(&form, GetParam());
    EXPECT_EQ(form.result(), 2);
    EXPECT_EQ(info.bookmarkLevel, 2);
}

INSTANTIATE_TEST_SUITE_P(Ways, TreeCancel, testing::Values("sBtnCancel", "ssSkinButton1", "close"));

TEST_F(TreeForm, FillOutlineTreeReplacesWhatTheTreeHeldAndAnswersTheEnginesResult)
{
    QTreeWidget tree;
    new QTreeWidgetItem(&tree, QStringList{QStringLiteral("stale")});
    const int32_t answer = FillOutlineTree(&tree, handle);
    EXPECT_EQ(answer, GetOutline(handle, nullptr, 0));
    EXPECT_GT(answer, 0);
    ASSERT_EQ(tree.topLevelItemCount(), 2);
    EXPECT_EQ(tree.topLevelItem(0)->text(0), QStringLiteral("Chapter One"));

    const int32_t closed = FillOutlineTree(&tree, 9999);
    EXPECT_EQ(closed, GetOutline(9999, nullptr, 0));
    EXPECT_EQ(tree.topLevelItemCount(), 0);
}

} // namespace
