#include "Treeform_unit1.h"

#include "Application.h"
#include "Convert.h"
#include "Data_unit1.h"
#include "DialogStyle.h"
#include "OutlineTreeWidget.h"
#include "SkinTable.h"
#include "Ssbutton.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

using namespace DialogStyle;

namespace {
constexpr int kFaceWidth = 540;
constexpr int kFaceHeight = 490;
} // namespace

TTreeForm::TTreeForm(QWidget *owner, PDFItemInfo *info) : QDialog(owner), pdfInfo(info)
{
    Q_ASSERT(info);
    setObjectName(QStringLiteral("TreeForm"));
    setWindowTitle(QStringLiteral("TreeForm"));
    ssSkinForm1 = SkinForm(this, "face_bookmark");

    TntLabel2 = Label(this, QStringLiteral("TntLabel2"), QStringLiteral("Bookmark Settings"),
                      Res::DialogTitleTextLeft, 7, Arial(13, true), TitleWhite);
    ssSkinButton1 = SkinButton(this, "ssSkinButton1", "btn_dlg_close", kFaceWidth - Res::DialogCloseRightInset,
                               Res::DialogCloseTop, ModalCancel);

    TntLabel1 = Label(this, QStringLiteral("TntLabel1"), QStringLiteral("Please select cut level:"), 18, 51,
                      Arial(12), TextGreen);
    cmbLevel = new QComboBox(this);
    cmbLevel->setObjectName(QStringLiteral("cmbLevel"));
    cmbLevel->setEditable(true);
    cmbLevel->setInsertPolicy(QComboBox::NoInsert);
    Style(cmbLevel, Arial(12), TextGreen);
    cmbLevel->setGeometry(TntLabel1->geometry().right() + 8, 46, 80, 22);
    cmbLevel->setAccessibleName(TntLabel1->text());
    TntLabel1->setBuddy(cmbLevel);

    TreeView1 = new QTreeWidget(this);
    TreeView1->setObjectName(QStringLiteral("TreeView1"));
    TreeView1->setHeaderHidden(true);
    TreeView1->setColumnCount(1);
    TreeView1->setIndentation(19);
    TreeView1->setFrameShape(QFrame::NoFrame);
    TreeView1->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeView1->setAccessibleName(QStringLiteral("Bookmarks"));
    Style(TreeView1, Arial(12), TextGreen);
    TreeView1->setGeometry(18, 80, 503, 321);

    const int buttonTop = kFaceHeight - Res::DialogFooterHeight + 12;
    sBtnOk = SkinButton(this, "sBtnOk", "btn_ok", kFaceWidth - 18 - 68 - 8 - 68, buttonTop);
    sBtnCancel = SkinButton(this, "sBtnCancel", "btn_cancel", kFaceWidth - 18 - 68, buttonTop, ModalCancel);
    connect(sBtnOk, &QAbstractButton::clicked, this, &TTreeForm::sBtnOkClick);
    // Enter in the level box confirms, as a default button would.
    connect(cmbLevel->lineEdit(), &QLineEdit::returnPressed, this, &TTreeForm::sBtnOkClick);

    fill();
    cmbLevel->setFocus();
}

void TTreeForm::fill()
{
    if (pdfInfo->outlineLevels == 0)
        return;
    FillOutlineTree(TreeView1, pdfInfo->docHandle);
    TreeView1->expandToDepth(0);
    cmbLevel->clear();
    for (int32_t level = 1; level <= pdfInfo->outlineLevels; ++level)
        cmbLevel->addItem(QString::number(level));
    if (pdfInfo->bookmarkLevel >= 1 && pdfInfo->bookmarkLevel <= pdfInfo->outlineLevels) {
        cmbLevel->setCurrentIndex(pdfInfo->bookmarkLevel - 1);
    } else {
        cmbLevel->setCurrentIndex(-1);
        cmbLevel->setEditText(QString());
    }
}

void TTreeForm::sBtnOkClick()
{
    // The box is editable, so any integer is taken as typed; anything else goes to the general
    // error display and the dialog stays open.
    try {
        pdfInfo->bookmarkLevel = Platform::StrToInt(cmbLevel->currentText());
    } catch (const Platform::EConvertError &error) {
        MuiApplication::ShowException(error.message());
        return;
    }
    done(ModalOk);
}

void TTreeForm::reject()
{
    done(ModalCancel);
}
