#include "Aboutform_unit1.h"
#include "Customform_unit1.h"
#include "Data_unit1.h"
#include "DialogTestSupport.h"
#include "Treeform_unit1.h"

#include <QTest>

#include <functional>
#include <memory>

namespace {

struct PlacementCase {
    const char *name;
    QSize face;
    std::function<std::unique_ptr<QDialog>(QWidget *owner, PDFItemInfo *info)> make;
};

class Placement : public testing::TestWithParam<PlacementCase> {};

// Each dialog is frameless, takes its face's size and opens centred over the main window.
TEST_P(Placement, OpensFramelessAndCentredOverItsOwner)
{
    QWidget owner;
    owner.setGeometry(100, 120, 554, 636);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    PDFItemInfo info;
    std::unique_ptr<QDialog> dialog = GetParam().make(&owner, &info);
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(dialog->size(), GetParam().face);
    const QPoint offset = dialog->frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2) << "dialog at " << dialog->x() << "," << dialog->y();
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, Placement,
    testing::Values(
        PlacementCase{"custom", {457, 432},
                      [](QWidget *o, PDFItemInfo *i) { return std::make_unique<TCustomSettingsForm>(o, i); }},
        PlacementCase{"bookmark", {540, 490},
                      [](QWidget *o, PDFItemInfo *i) { return std::make_unique<TTreeForm>(o, i); }},
        PlacementCase{"about", {423, 241},
                      [](QWidget *o, PDFItemInfo *) { return std::make_unique<TAboutForm>(o); }}),
    [](const testing::TestParamInfo<PlacementCase> &param) { return std::string(param.param.name); });

} // namespace
