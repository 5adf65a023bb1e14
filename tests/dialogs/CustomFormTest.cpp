#include "Customform_unit1.h"

#include "Actions.h"
#include "CustomItemList.h"
#include "Data_unit1.h"
#include "DialogTestSupport.h"
#include "MessageBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTreeView>

#include <memory>

inline bool operator==(const CustomPDFItemInfo &a, const CustomPDFItemInfo &b)
{
    return a.fileName == b.fileName && a.rangeText == b.rangeText;
}

namespace {

using Items = std::vector<CustomPDFItemInfo>;

PDFItemInfo Record(const Items &items = {})
{
    PDFItemInfo info;
    info.baseName = QStringLiteral("report");
    info.fileSizeKB = 1234;
    info.pageCount = 12;
    info.customItems = items;
    return info;
}

QStringList Names(const TCustomSettingsForm &form)
{
    QStringList names;
    for (int row = 0; row < form.list()->count(); ++row)
        names << form.list()->item(row)->fileName;
    return names;
}

class CustomForm : public testing::Test {
protected:
    void SetUp() override { TakeMessages(); }
    void TearDown() override { TakeMessages(); }
};

TEST_F(CustomForm, ShowsTheDocumentFactsAsPlainText)
{
    PDFItemInfo info = Record();
    info.baseName = QStringLiteral("<b>annual</b> report");
    info.fileSizeKB = 4294967295u;
    TCustomSettingsForm form(nullptr, &info);
    EXPECT_EQ(Control<QLabel>(&form, "lblFileName")->text(), QStringLiteral("<b>annual</b> report.PDF"));
    EXPECT_EQ(Control<QLabel>(&form, "lblFileName")->textFormat(), Qt::PlainText);
    EXPECT_EQ(Control<QLabel>(&form, "lblSize")->text(), QStringLiteral("4294967295KB"));
    EXPECT_EQ(Control<QLabel>(&form, "lblTotalPages")->text(), QStringLiteral("12"));
    EXPECT_EQ(Control<QLabel>(&form, "lblTilte")->text(), QStringLiteral("Custom Settings"));
    EXPECT_EQ(form.size(), QSize(457, 432));
}

TEST_F(CustomForm, ListsTheRecordsEntriesInOrderWithTwoResizableColumns)
{
    PDFItemInfo info = Record({{"b.PDF", "2"}, {"a.PDF", "1,3"}});
    TCustomSettingsForm form(nullptr, &info);
    auto *list = Control<QTreeView>(&form, "VstList");
    QAbstractItemModel *model = list->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("b.PDF"));
    EXPECT_EQ(model->index(1, 1).data().toString(), QStringLiteral("1,3"));
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("File Name"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Range(e.g.1,3,5,7-10)"));

    QHeaderView *header = list->header();
    EXPECT_FALSE(header->isHidden());
    EXPECT_EQ(header->sectionSize(0), 200);
    EXPECT_EQ(header->sectionSize(1), 233);
    EXPECT_EQ(header->sectionResizeMode(0), QHeaderView::Interactive);
    header->resizeSection(0, 50);
    EXPECT_EQ(header->sectionSize(0), 110);
    header->resizeSection(1, 60);
    EXPECT_EQ(header->sectionSize(1), 60);
    EXPECT_EQ(list->selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);

    // The rows are the dialog's own copies: the record is not touched by an edit.
    form.VstListNewText(0, 0, QStringLiteral("c"));
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("c.PDF"));
    EXPECT_EQ(info.customItems[0].fileName, QStringLiteral("b.PDF"));
}

struct ProposalCase {
    Items rows;
    QString proposed;
    QString baseName = QStringLiteral("report");
};

class ProposedName : public CustomForm, public testing::WithParamInterface<ProposalCase> {};

TEST_P(ProposedName, IsTheSmallestFreeNumber)
{
    PDFItemInfo info = Record(GetParam().rows);
    info.baseName = GetParam().baseName;
    TCustomSettingsForm form(nullptr, &info);
    TAction::UpdateAll();
    ClickControl(&form, "sBtnNew");
    auto *list = Control<QTreeView>(&form, "VstList");
    const int last = form.list()->count() - 1;
    ASSERT_EQ(last, static_cast<int>(GetParam().rows.size()));
    EXPECT_EQ(form.list()->item(last)->fileName, GetParam().proposed);
    EXPECT_EQ(form.list()->item(last)->rangeText, QStringLiteral("1"));
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), last);
    EXPECT_EQ(list->currentIndex().row(), last);
    EXPECT_EQ(list->findChild<QLineEdit *>(QStringLiteral("cellEditor")), nullptr)
        << "adding must not start an edit";
    EXPECT_FALSE(QApplication::overrideCursor()) << "the hourglass must be restored";
    EXPECT_TRUE(TakeMessages().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProposedName,
    testing::Values(ProposalCase{{}, "report(1).PDF"},
                    ProposalCase{{{"report(1).PDF", "1"}, {"report(3).PDF", "1"}}, "report(2).PDF"},
                    ProposalCase{{{"report(1).PDF", "1"}, {"report(2).PDF", "1"}}, "report(3).PDF"},
                    ProposalCase{{{"report(1).PDF", "1"}, {"REPORT(2).pdf", "1"}}, "report(3).PDF"},
                    ProposalCase{{{"report(2).PDF", "1"}}, "report(1).PDF"},
                    ProposalCase{{{"other.PDF", "1"}, {"report(1).PDF", "1"}}, "report(2).PDF"},
                    ProposalCase{{{"50%1 off(1).PDF", "1"}}, "50%1 off(2).PDF", "50%1 off"}));

TEST_F(CustomForm, EnsurePdfExtensionCompletesOnlyWhatLacksIt)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"summary", "summary.PDF"},         {"summary.pdf", "summary.pdf"},
        {"summary.Pdf", "summary.Pdf"},     {"summary.PDF", "summary.PDF"},
        {"summary.doc", "summary.doc.PDF"}, {".pdf", ".pdf.PDF"},
        {"summary.", "summary..PDF"},       {"a.pdf.txt", "a.pdf.txt.PDF"},
        {"x.pdfx", "x.pdfx.PDF"},
    };
    for (const auto &[typed, expected] : cases) {
        QString name = typed;
        TCustomSettingsForm::EnsurePdfExtension(name);
        EXPECT_EQ(name, expected) << typed.toStdString();
    }
}

struct NameCase {
    QString typed;
    QString stored; // the row's name afterwards
    QString message; // empty: no box
    bool ownedByDialog = true;
};

const QString kInvalid =
    QStringLiteral("The file name can not contain the following characters:\n\\ / : * ? \" < > |");

class NameEdit : public CustomForm, public testing::WithParamInterface<NameCase> {};

TEST_P(NameEdit, IsCheckedCompletedAndStored)
{
    const NameCase &c = GetParam();
    PDFItemInfo info = Record({{"report(1).PDF", "1"}, {"report(2).PDF", "2"}});
    TCustomSettingsForm form(nullptr, &info);
    form.VstListNewText(0, 0, c.typed);
    EXPECT_EQ(form.list()->item(0)->fileName, c.stored);
    EXPECT_EQ(form.list()->item(1)->fileName, QStringLiteral("report(2).PDF"));
    const QList<Platform::MessageRecord> messages = TakeMessages();
    if (c.message.isEmpty()) {
        EXPECT_TRUE(messages.isEmpty()) << messages.value(0).text.toStdString();
        return;
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, c.message);
    EXPECT_EQ(messages[0].caption, QStringLiteral("Orvanta Pagemill"));
    EXPECT_EQ(messages[0].flags, Platform::MB_OK | Platform::MB_ICONEXCLAMATION);
    EXPECT_EQ(messages[0].ownerName, c.ownedByDialog ? QStringLiteral("CustomSettingsForm") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Names, NameEdit,
    testing::Values(
        NameCase{"summary", "summary.PDF", {}}, NameCase{"  summary  ", "summary.PDF", {}},
        NameCase{"\tsummary.pdf\r\n", "summary.pdf", {}}, NameCase{"summary.doc", "summary.doc.PDF", {}},
        NameCase{"   ", "report(1).PDF", {}}, NameCase{"", "report(1).PDF", {}},
        NameCase{"a/b", "report(1).PDF", kInvalid, false}, NameCase{"a\\b", "report(1).PDF", kInvalid, false},
        NameCase{"a:b", "report(1).PDF", kInvalid, false}, NameCase{"a*b", "report(1).PDF", kInvalid, false},
        NameCase{"a?b", "report(1).PDF", kInvalid, false}, NameCase{"a\"b", "report(1).PDF", kInvalid, false},
        NameCase{"a<b", "report(1).PDF", kInvalid, false}, NameCase{"a>b", "report(1).PDF", kInvalid, false},
        NameCase{"a|b", "report(1).PDF", kInvalid, false},
        NameCase{"Report(1).PDF", "report(1).PDF", "File name is already exists."},
        NameCase{" report(2).PDF ", "report(1).PDF", "File name is already exists."},
        NameCase{"REPORT(2)", "report(1).PDF", "File name is already exists."},
        // Only A-Z fold: a differing non-ASCII letter makes another name.
        NameCase{"r\u00c9port(2).PDF", "r\u00c9port(2).PDF", {}}));

struct RangeEditCase {
    QString typed;
    QString stored;
    bool refused;
};

class RangeEdit : public CustomForm, public testing::WithParamInterface<RangeEditCase> {};

TEST_P(RangeEdit, StoresTheNormalisedFormOrRefuses)
{
    const RangeEditCase &c = GetParam();
    PDFItemInfo info = Record({{"report(1).PDF", "1"}});
    TCustomSettingsForm form(nullptr, &info);
    form.VstListNewText(0, 1, c.typed);
    EXPECT_EQ(form.list()->item(0)->rangeText, c.stored);
    const QList<Platform::MessageRecord> messages = TakeMessages();
    if (!c.refused) {
        EXPECT_TRUE(messages.isEmpty());
        return;
    }
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].text, QStringLiteral("Invalid format or out of range"));
    EXPECT_EQ(messages[0].ownerName, QStringLiteral("CustomSettingsForm"));
    EXPECT_EQ(messages[0].flags, Platform::MB_OK | Platform::MB_ICONEXCLAMATION);
}

INSTANTIATE_TEST_SUITE_P(Ranges, RangeEdit,
                         testing::Values(RangeEditCase{"2 , 4-6 ,", "2,4-6", false},
                                         RangeEditCase{" 12 ", "12", false},
                                         RangeEditCase{"13", "1", true}, RangeEditCase{"11-14", "1", true},
                                         RangeEditCase{"1,13", "1", true}, RangeEditCase{"abc", "1", true},
                                         RangeEditCase{" , ", "1", true}, RangeEditCase{"  ", "1", false}));

TEST_F(CustomForm, RemoveDeletesEverySelectedRowAtOnce)
{
    PDFItemInfo info = Record({{"a.PDF", "1"}, {"b.PDF", "2"}, {"c.PDF", "3"}, {"d.PDF", "4"}, {"e.PDF", "5"}});
    TCustomSettingsForm form(nullptr, &info);
    ShowActive(&form);
    auto *list = Control<QTreeView>(&form, "VstList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    for (int row : {2, 4})
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                          list->visualRect(list->model()->index(row, 1)).center());
    ASSERT_EQ(list->selectionModel()->selectedRows().size(), 3);
    TAction::UpdateAll();
    ClickControl(&form, "sBtnRemove");
    EXPECT_EQ(Names(form), (QStringList{"b.PDF", "d.PDF"}));
    EXPECT_TRUE(TakeMessages().isEmpty()) << "no confirmation is asked";
}

TEST_F(CustomForm, RemoveAndClearAreEnabledOnlyWhenThereIsSomethingToDelete)
{
    PDFItemInfo info = Record();
    TCustomSettingsForm form(nullptr, &info);
    auto *remove = Control<QAbstractButton>(&form, "sBtnRemove");
    auto *clear = Control<QAbstractButton>(&form, "sBtnClear");
    TAction::UpdateAll();
    EXPECT_FALSE(form.RemoveAct->isEnabled());
    EXPECT_FALSE(remove->isEnabled());
    EXPECT_FALSE(clear->isEnabled());

    ClickControl(&form, "sBtnNew");
    TAction::UpdateAll();
    EXPECT_TRUE(remove->isEnabled());
    EXPECT_TRUE(clear->isEnabled());

    Control<QTreeView>(&form, "VstList")->clearSelection();
    TAction::UpdateAll();
    EXPECT_FALSE(remove->isEnabled()) << "rows but none selected";
    EXPECT_TRUE(clear->isEnabled());

    ClickControl(&form, "sBtnClear");
    TAction::UpdateAll();
    EXPECT_EQ(form.list()->count(), 0);
    EXPECT_FALSE(clear->isEnabled());
}

TEST_F(CustomForm, RightClickSelectsAndThePopupOffersTheThreeActions)
{
    PDFItemInfo info = Record({{"a.PDF", "1"}, {"b.PDF", "2"}});
    TCustomSettingsForm form(nullptr, &info);
    ShowActive(&form);
    auto *list = Control<QTreeView>(&form, "VstList");
    const QPoint second = list->visualRect(list->model()->index(1, 0)).center();
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, second);
    const QModelIndexList selected = list->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.first().row(), 1);

    // A right click on a row of a multiple selection keeps the selection for the menu.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list->visualRect(list->model()->index(0, 0)).center());
    QTest::mouseClick(list->viewport(), Qt::RightButton, {}, second);
    EXPECT_EQ(list->selectionModel()->selectedRows().size(), 2);

    auto *menu = Control<QMenu>(&form, "TntPopupMenu1");
    QMetaObject::invokeMethod(list, "customContextMenuRequested", Q_ARG(QPoint, second));
    EXPECT_TRUE(menu->isVisible());
    const QList<QAction *> items = menu->actions();
    ASSERT_EQ(items.size(), 4);
    EXPECT_EQ(items[0], form.AddAct);
    EXPECT_EQ(items[0]->text(), QStringLiteral("Add..."));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2]->text(), QStringLiteral("Remove"));
    EXPECT_EQ(items[3]->text(), QStringLiteral("Clear"));
    EXPECT_TRUE(items[2]->isEnabled());
    items[2]->trigger();
    menu->hide();
    EXPECT_TRUE(Names(form).isEmpty());
}

TEST_F(CustomForm, OkStoresUneditedRowsAsTheyAre)
{
    PDFItemInfo info = Record({{"kept.pdf", "2-3"}});
    TCustomSettingsForm form(nullptr, &info);
    ClickControl(&form, "sBtnNew");
    ClickControl(&form, "sBtnNew");
    ClickControl(&form, "ssSkinButton1");
    EXPECT_EQ(form.result(), 1);
    EXPECT_EQ(info.customItems,
              (Items{{"kept.pdf", "2-3"}, {"report(1).PDF", "1"}, {"report(2).PDF", "1"}}));
    EXPECT_EQ(form.list()->count(), 0) << "closing deletes the working copies";
}

TEST_F(CustomForm, OkWithAnEmptyListEmptiesTheRecord)
{
    PDFItemInfo info = Record({{"a.PDF", "1"}, {"b.PDF", "2"}});
    TCustomSettingsForm form(nullptr, &info);
    TAction::UpdateAll();
    ClickControl(&form, "sBtnClear");
    ClickControl(&form, "ssSkinButton1");
    EXPECT_EQ(form.result(), 1);
    EXPECT_TRUE(info.customItems.empty());
}

class CancelPath : public CustomForm, public testing::WithParamInterface<const char *> {};

TEST_P(CancelPath, LeavesTheRecordExactlyAsItWas)
{
    const Items before{{"a.PDF", "1"}, {"b.PDF", "2-4"}, {"c.PDF", "5"}};
    PDFItemInfo info = Record(before);
    TCustomSettingsForm form(nullptr, &info);
    ShowActive(&form);
    ClickControl(&form, "sBtnNew");
    form.VstListNewText(0, 0, QStringLiteral("renamed"));
    form.VstListNewText(1, 1, QStringLiteral("7"));
    auto *list = Control<QTreeView>(&form, "VstList");
    list->selectionModel()->select(list->model()->index(2, 0),
                                   QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    TAction::UpdateAll();
    ClickControl(&form, "sBtnRemove");
    ASSERT_EQ(Names(form), (QStringList{"renamed.PDF", "b.PDF", "report(1).PDF"}));

    const QString path = QString::fromLatin1(GetParam());
    if (path == QLatin1String("escape"))
        QTest::keyClick(&form, Qt::Key_Escape);
    else if (path == QLatin1String("close"))
        form.close();
    else
        ClickControl(&form, GetParam());
    EXPECT_EQ(form.result(), 2);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(info.customItems, before);
}

INSTANTIATE_TEST_SUITE_P(Ways, CancelPath, testing::Values("ssSkinButton2", "sBtnClose", "escape", "close"));

TEST_F(CustomForm, DeleteKeyRemovesTheSelectedRows)
{
    PDFItemInfo info = Record({{"a.PDF", "1"}, {"b.PDF", "2"}});
    TCustomSettingsForm form(nullptr, &info);
    ShowActive(&form);
    auto *list = Control<QTreeView>(&form, "VstList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    TAction::UpdateAll();
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(Names(form), QStringList{"b.PDF"});
}

} // namespace
