// The options panel: the five ways of cutting and their parameters.
#include "SplitterForm_Unit1.h"

#include "Actions.h"
#include "Application.h"
#include "ClickLabel.h"
#include "Convert.h"
#include "Customform_unit1.h"
#include "FormStyle.h"
#include "PageRange.h"
#include "Skins.h"
#include "Ssbutton.h"
#include "Tskinprocess.h"
#include "Treeform_unit1.h"
#include "UpDown.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

using namespace FormStyle;

namespace {

QRadioButton *modeButton(QWidget *panel, const char *name, int top)
{
    auto *button = new QRadioButton(panel);
    Place(button, name, 46, top, 13, 13);
    button->setAccessibleName(QString::fromLatin1(name));
    return button;
}

TClickLabel *clickLabel(QWidget *parent, const char *name, const QString &text, int left, int top, int width,
                        int height)
{
    auto *label = new TClickLabel(text, parent);
    Place(label, name, left, top, width, height);
    Style(label, Arial(12));
    return label;
}

QLabel *plainLabel(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    auto *label = new QLabel(text, parent);
    Place(label, name, left, top, width, height);
    Style(label, Arial(12));
    return label;
}

QLineEdit *edit(QWidget *parent, const char *name, const QString &text, int left, int top, int width, int height)
{
    auto *field = new QLineEdit(text, parent);
    Place(field, name, left, top, width, height);
    Style(field, Arial(12));
    return field;
}

// The up-down arrows beside a count field: never below 1, starting at position.
TUpDown *countArrows(QWidget *panel, QLineEdit *field, const char *name, int left, int top, int position)
{
    auto *arrows = new TUpDown(field, panel);
    Place(arrows, name, left, top, 16, 23);
    arrows->setMinimum(1);
    arrows->setPosition(position);
    return arrows;
}

} // namespace

void TSplitterForm::BuildOptionsPanel()
{
    TntPanel1 = new QWidget(this);
    Place(TntPanel1, "TntPanel1", 17, 222, 521, 305);
    TntPanel1->setAutoFillBackground(true);
    QPalette panelPalette = TntPanel1->palette();
    panelPalette.setColor(QPalette::Window, QColor(0xEA, 0xEA, 0xEA));
    TntPanel1->setPalette(panelPalette);
    TntImage1 = new QLabel(TntPanel1);
    Place(TntImage1, "TntImage1", 0, 0, 521, 305);
    TntImage1->setPixmap(Res::skin("panel_options"));

    QWidget *panel = TntPanel1;
    rbSplitEvery = modeButton(panel, "rbSplitEvery", 42);
    lblSplitEvery = clickLabel(panel, "lblSplitEvery", QStringLiteral("Cut by every"), 64, 40, 72, 15);
    edtSplitEvery = edit(panel, "edtSplitEvery", QStringLiteral("1"), 139, 37, 99, 23);
    UpDownSplitEvery = countArrows(panel, edtSplitEvery, "UpDownSplitEvery", 238, 37, 1);
    TntLabel2 = plainLabel(panel, "TntLabel2", QStringLiteral("Page(s)"), 259, 41, 50, 15);

    rbSplitBookmark = modeButton(panel, "rbSplitBookmark", 76);
    lblSplitBookmark = clickLabel(panel, "lblSplitBookmark", QStringLiteral("Cut by bookmark: Cut to level"), 64, 75,
                                  168, 15);
    cmbSplitBookmark = new QComboBox(panel);
    Place(cmbSplitBookmark, "cmbSplitBookmark", 236, 71, 65, 22);
    Style(cmbSplitBookmark, Arial(11));
    cmbSplitBookmark->addItems({QStringLiteral("1"), QStringLiteral("2")});
    sBtnBookmarkSet = SkinButton(panel, "sBtnBookmarkSet", "btn_setting", 307, 72);

    rbSplitRange = modeButton(panel, "rbSplitRange", 107);
    lblSplitRange = clickLabel(panel, "lblSplitRange",
                               QStringLiteral("Cut by page range to a PDF file, e.g.[1,3,5,7-10]"), 64, 105, 290, 15);
    edtSplitRange = edit(panel, "edtSplitRange", QString(), 86, 130, 241, 23);
    lblInvalid = plainLabel(panel, "lblInvalid", QStringLiteral("Invalid format or out of range!"), 333, 134, 180, 15);
    Style(lblInvalid, Arial(12), Qt::red);
    lblInvalid->hide();
    cbSplitRange = new QCheckBox(panel);
    Place(cbSplitRange, "cbSplitRange", 94, 162, 14, 15);
    cbSplitRange->setAccessibleName(QStringLiteral("The rest of the pages gererate another PDF file."));
    lblcbSplitRange = clickLabel(panel, "lblcbSplitRange",
                                 QStringLiteral("The rest of the pages gererate another PDF file."), 112, 162, 290, 15);

    rbSplitSpec = modeButton(panel, "rbSplitSpec", 196);
    lblSplitSpec = clickLabel(panel, "lblSplitSpec",
                              QStringLiteral("Cut by specific page ranges to multiple PDF files"), 64, 194, 275, 15);
    sBtnSpecSet = SkinButton(panel, "sBtnSpecSet", "btn_setting", 342, 191);

    rbSplitAverage = modeButton(panel, "rbSplitAverage", 232);
    lblSplitAverage = clickLabel(panel, "lblSplitAverage", QStringLiteral("Cut averagely to"), 64, 230, 95, 15);
    edtSplitAverage = edit(panel, "edtSplitAverage", QStringLiteral("2"), 161, 228, 79, 23);
    UpDownSplitAverage = countArrows(panel, edtSplitAverage, "UpDownSplitAverage", 240, 228, 2);
    UpDownSplitAverage->setMaximum(100);
    TntLabel10 = plainLabel(panel, "TntLabel10", QStringLiteral("PDF file(s)"), 262, 230, 70, 15);

    SkinProcess1 = new TSkinProcess(panel);
    Place(SkinProcess1, "SkinProcess1", 4, 283, 512, 9);
    SkinProcess1->setTrough(Res::skin("progress_trough"));

    // Digits only: typed letters never arrive; an over-long number still can.
    auto *digits = new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    edtSplitEvery->setValidator(digits);
    edtSplitAverage->setValidator(digits);

    for (QRadioButton *button : {rbSplitEvery, rbSplitRange, rbSplitSpec, rbSplitAverage})
        connect(button, &QRadioButton::clicked, this, &TSplitterForm::rbSplitEveryClick);

    rbSpliBookmarkClickAct = new TAction(QStringLiteral("rbSpliBookmarkClickAct"), this);
    rbSpliBookmarkClickAct->setOnExecute([this] { UpdateSplitOptions(); });
    rbSpliBookmarkClickAct->setOnUpdate([this] { rbSpliBookmarkClickActUpdate(); });
    connect(rbSpliBookmarkClickAct, &QAction::enabledChanged, rbSplitBookmark, &QWidget::setEnabled);
    connect(rbSplitBookmark, &QRadioButton::clicked, rbSpliBookmarkClickAct, &QAction::trigger);
    rbSpliBookmarkClickAct->setEnabled(false);
    rbSplitBookmark->setEnabled(false);

    connect(lblSplitEvery, &TClickLabel::clicked, this, [this] { CheckAndUpdate(rbSplitEvery); });
    connect(lblSplitBookmark, &TClickLabel::clicked, this, [this] {
        // The bookmark mode needs outline levels; its label does not bypass that.
        if (rbSplitBookmark->isEnabled())
            CheckAndUpdate(rbSplitBookmark);
    });
    connect(lblSplitRange, &TClickLabel::clicked, this, [this] { CheckAndUpdate(rbSplitRange); });
    connect(lblSplitSpec, &TClickLabel::clicked, this, [this] { CheckAndUpdate(rbSplitSpec); });
    connect(lblSplitAverage, &TClickLabel::clicked, this, [this] { CheckAndUpdate(rbSplitAverage); });
    connect(lblcbSplitRange, &TClickLabel::clicked, cbSplitRange, &QCheckBox::toggle);

    connect(edtSplitEvery, &QLineEdit::textChanged, this, [this] { CountFieldChange(edtSplitEvery); });
    connect(edtSplitAverage, &QLineEdit::textChanged, this, [this] { CountFieldChange(edtSplitAverage); });
    connect(edtSplitRange, &QLineEdit::textChanged, this, &TSplitterForm::edtSplitRangeChange);
    connect(cmbSplitBookmark, &QComboBox::activated, this, &TSplitterForm::cmbSplitBookmarkSelect);
    connect(sBtnBookmarkSet, &TssSkinButton::clicked, this, &TSplitterForm::sBtnBookmarkSetClick);
    connect(sBtnSpecSet, &TssSkinButton::clicked, this, &TSplitterForm::sBtnSpecSetClick);
}

void TSplitterForm::ResetSplitOptions()
{
    rbSplitEvery->setChecked(true);
    const bool loaded = !pdfInfo->filePath.isEmpty();
    rbSplitEvery->setEnabled(loaded);
    lblSplitEvery->setEnabled(loaded);
    edtSplitEvery->setText(QStringLiteral("1"));
    UpdateSplitOptions();
    for (QWidget *w : std::initializer_list<QWidget *>{lblSplitBookmark, rbSplitRange, lblSplitRange, rbSplitSpec,
                                                       lblSplitSpec, rbSplitAverage, lblSplitAverage})
        w->setEnabled(loaded);
    rbSpliBookmarkClickAct->Update();
}

void TSplitterForm::UpdateSplitOptions()
{
    auto chosen = [](const QRadioButton *button) { return button->isEnabled() && button->isChecked(); };
    // While a job runs neither dialog may change the record it was started from.
    const bool idle = !m_jobRunning;

    edtSplitEvery->setEnabled(chosen(rbSplitEvery));
    UpDownSplitEvery->setEnabled(edtSplitEvery->isEnabled());
    UpDownSplitEvery->setMaximum(pdfInfo->pageCount);

    cmbSplitBookmark->setEnabled(chosen(rbSplitBookmark));
    sBtnBookmarkSet->setEnabled(cmbSplitBookmark->isEnabled() && idle);

    edtSplitRange->setEnabled(chosen(rbSplitRange));
    cbSplitRange->setEnabled(edtSplitRange->isEnabled());
    lblcbSplitRange->setEnabled(edtSplitRange->isEnabled());

    sBtnSpecSet->setEnabled(chosen(rbSplitSpec) && idle);

    edtSplitAverage->setEnabled(chosen(rbSplitAverage));
    UpDownSplitAverage->setEnabled(edtSplitAverage->isEnabled());

    NormalizeRangeField();
}

bool TSplitterForm::NormalizeRangeField()
{
    QString text = edtSplitRange->text();
    if (text.isEmpty())
        return false;
    NormalizePageRange(text, pdfInfo->pageCount);
    edtSplitRange->setText(text);
    lblInvalid->hide();
    return true;
}

void TSplitterForm::rbSplitEveryClick()
{
    UpdateSplitOptions();
}

void TSplitterForm::CheckAndUpdate(QRadioButton *button)
{
    button->setChecked(true);
    UpdateSplitOptions();
}

void TSplitterForm::rbSpliBookmarkClickActUpdate()
{
    rbSpliBookmarkClickAct->setEnabled(pdfInfo && !pdfInfo->filePath.isEmpty() && pdfInfo->outlineLevels != 0);
}

void TSplitterForm::CountFieldChange(QLineEdit *field)
{
    const QString text = field->text();
    if (text.isEmpty())
        return;
    int n = 0;
    try {
        n = Platform::StrToInt(text);
    } catch (const Platform::EConvertError &error) {
        MuiApplication::ShowException(error.message());
        return;
    }
    if (pdfInfo->filePath.isEmpty())
        return;
    // A document without pages still needs a count the two rewrites agree on.
    const int top = pdfInfo->pageCount >= 1 ? pdfInfo->pageCount : 1;
    if (n > top)
        field->setText(QString::number(top));
    else if (n < 1)
        field->setText(QStringLiteral("1"));
}

void TSplitterForm::edtSplitRangeChange()
{
    QString copy = edtSplitRange->text();
    if (copy.isEmpty())
        return;
    lblInvalid->setVisible(!NormalizePageRange(copy, pdfInfo->pageCount));
}

void TSplitterForm::cmbSplitBookmarkSelect()
{
    if (!pdfInfo)
        return;
    try {
        pdfInfo->bookmarkLevel = Platform::StrToInt(cmbSplitBookmark->currentText());
    } catch (const Platform::EConvertError &error) {
        MuiApplication::ShowException(error.message());
    }
}

void TSplitterForm::sBtnBookmarkSetClick()
{
    if (m_jobRunning)
        return;
    TTreeForm dialog(this, pdfInfo.get());
    if (dialog.exec() == 1) {
        cmbSplitBookmark->setCurrentIndex(pdfInfo->bookmarkLevel - 1);
        cmbSplitBookmarkSelect();
    }
}

void TSplitterForm::sBtnSpecSetClick()
{
    if (m_jobRunning)
        return;
    TCustomSettingsForm dialog(this, pdfInfo.get());
    dialog.exec();
}
