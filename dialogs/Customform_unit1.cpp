#include "Customform_unit1.h"

#include "Actions.h"
#include "CellEditDelegate.h"
#include "CustomItemList.h"
#include "Data_unit1.h"
#include "DialogStyle.h"
#include "MessageBox.h"
#include "PageRange.h"
#include "SkinTable.h"
#include "Ssbutton.h"
#include "VirtualList.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTreeView>

using namespace DialogStyle;

namespace {

constexpr int kFaceWidth = 457;
constexpr int kFaceHeight = 432;
constexpr int kNameColumnMinimum = 110;
const QString kInvalidNameCharacters = QStringLiteral("\\/:*?\"<>|");

// Shows the hourglass for as long as it lives, whatever way the scope is left.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

// Only A-Z are folded; every other character must match exactly.
QString foldAsciiUpper(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return folded;
}

QString upperAsciiLower(const QString &text)
{
    QString upper = text;
    for (QChar &c : upper)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - ('a' - 'A'));
    return upper;
}

// Removes spaces and control characters (codes below 33) at both ends.
QString trimControls(const QString &text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first).unicode() < 33)
        ++first;
    while (last > first && text.at(last - 1).unicode() < 33)
        --last;
    return text.mid(first, last - first);
}

QString invalidNameMessage()
{
    QStringList characters;
    for (const QChar c : kInvalidNameCharacters)
        characters << QString(c);
    return QStringLiteral("The file name can not contain the following characters:\n%1")
        .arg(characters.join(QLatin1Char(' ')));
}

// Built by concatenation: a base name may itself hold "%1".
QString proposedName(const QString &baseName, int n)
{
    return baseName + QLatin1Char('(') + QString::number(n) + QStringLiteral(").PDF");
}

void warn(QWidget *owner, const QString &text, int &refusals)
{
    ++refusals;
    Platform::ShowMessageBox(owner, text, Platform::ApplicationTitle(),
                             Platform::MB_OK | Platform::MB_ICONEXCLAMATION);
}

} // namespace

TCustomSettingsForm::TCustomSettingsForm(QWidget *owner, PDFItemInfo *info) : QDialog(owner), pdfInfo(info)
{
    Q_ASSERT(info);
    setObjectName(QStringLiteral("CustomSettingsForm"));
    setWindowTitle(QStringLiteral("Custom Settings"));
    ssSkinForm1 = SkinForm(this, "face_custom");

    lblTilte = Label(this, QStringLiteral("lblTilte"), QStringLiteral("Custom Settings"),
                     Res::DialogTitleTextLeft, 7, Arial(13, true), TitleWhite);
    sBtnClose = SkinButton(this, "sBtnClose", "btn_dlg_close", kFaceWidth - Res::DialogCloseRightInset,
                           Res::DialogCloseTop, ModalCancel);

    buildFacts();
    buildActions();
    buildList();

    const int buttonTop = kFaceHeight - Res::DialogFooterHeight + 12;
    ssSkinButton1 = SkinButton(this, "ssSkinButton1", "btn_ok", kFaceWidth - 10 - 68 - 8 - 68, buttonTop);
    ssSkinButton2 = SkinButton(this, "ssSkinButton2", "btn_cancel", kFaceWidth - 10 - 68, buttonTop,
                               ModalCancel);
    connect(ssSkinButton1, &QAbstractButton::clicked, this, &TCustomSettingsForm::ssSkinButton1Click);

    fillList();
    RemoveActUpdate();
    ClearActUpdate();
}

TCustomSettingsForm::~TCustomSettingsForm()
{
    // The list and its model outlive this part of the object while QWidget deletes its children.
    disconnect(VstList->selectionModel(), nullptr, this, nullptr);
    disconnect(m_list, nullptr, this, nullptr);
    m_list->setTextFunction({});
    m_list->setNewTextFunction({});
}

void TCustomSettingsForm::buildFacts()
{
    const QFont font = Arial(12);
    Label(this, QStringLiteral("lblFileNameCaption"), QStringLiteral("File Name:"), 14, 44, font, TextGreen);
    Label(this, QStringLiteral("lblSizeCaption"), QStringLiteral("Size:"), 14, 66, font, TextGreen);
    Label(this, QStringLiteral("lblTotalPagesCaption"), QStringLiteral("Total Pages:"), 200, 66, font, TextGreen);

    lblFileName = Label(this, QStringLiteral("lblFileName"), pdfInfo->baseName + QStringLiteral(".PDF"), 84, 44,
                        font, TextGreen);
    // A long name is cut at the face's edge rather than running over it.
    lblFileName->setMaximumWidth(kFaceWidth - 84 - 14);
    lblSize = Label(this, QStringLiteral("lblSize"), QString::number(pdfInfo->fileSizeKB) + QStringLiteral("KB"),
                    84, 66, font, TextGreen);
    lblTotalPages = Label(this, QStringLiteral("lblTotalPages"), QString::number(pdfInfo->pageCount), 274, 66,
                          font, TextGreen);
}

void TCustomSettingsForm::buildActions()
{
    AddAct = new TAction(QStringLiteral("AddAct"), this);
    AddAct->setText(QStringLiteral("Add..."));
    AddAct->setOnExecute([this] { AddActExecute(); });

    RemoveAct = new TAction(QStringLiteral("RemoveAct"), this);
    RemoveAct->setText(QStringLiteral("Remove"));
    RemoveAct->setShortcut(QKeySequence::Delete);
    RemoveAct->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    RemoveAct->setOnExecute([this] { RemoveActExecute(); });
    RemoveAct->setOnUpdate([this] { RemoveActUpdate(); });

    ClearAct = new TAction(QStringLiteral("ClearAct"), this);
    ClearAct->setText(QStringLiteral("Clear"));
    ClearAct->setOnExecute([this] { ClearActExecute(); });
    ClearAct->setOnUpdate([this] { ClearActUpdate(); });

    TntPopupMenu1 = new QMenu(this);
    TntPopupMenu1->setObjectName(QStringLiteral("TntPopupMenu1"));
    TntPopupMenu1->addAction(AddAct);
    TntPopupMenu1->addSeparator();
    TntPopupMenu1->addAction(RemoveAct);
    TntPopupMenu1->addAction(ClearAct);

    sBtnNew = SkinButton(this, "sBtnNew", "btn_new", 10, 92);
    sBtnRemove = SkinButton(this, "sBtnRemove", "btn_remove", 84, 92);
    sBtnClear = SkinButton(this, "sBtnClear", "btn_clear", 158, 92);
    sBtnNew->setAction(AddAct);
    sBtnRemove->setAction(RemoveAct);
    sBtnClear->setAction(ClearAct);
}

void TCustomSettingsForm::buildList()
{
    m_list = new CustomItemList(this);
    m_list->setTextFunction([this](const CustomPDFItemInfo &item, int column) {
        return VstListGetText(item, column);
    });
    m_list->setNewTextFunction([this](int row, int column, const QString &text) {
        VstListNewText(row, column, text);
    });

    VstList = new TVirtualList(this);
    VstList->setObjectName(QStringLiteral("VstList"));
    VstList->setAccessibleName(QStringLiteral("Custom outputs"));
    VstList->setModel(m_list);
    VstList->setItemDelegate(new CellEditDelegate(VstList));
    VstList->setRootIsDecorated(false);
    VstList->setItemsExpandable(false);
    VstList->setUniformRowHeights(true);
    VstList->setSortingEnabled(false);
    VstList->setSelectionBehavior(QAbstractItemView::SelectRows);
    VstList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    VstList->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    VstList->setContextMenuPolicy(Qt::CustomContextMenu);
    Style(VstList, Arial(12), TextGreen);
    VstList->header()->setFont(Arial(12));
    VstList->setGeometry(10, 120, kFaceWidth - 20, kFaceHeight - Res::DialogFooterHeight - 120 - 8);

    QHeaderView *header = VstList->header();
    header->setVisible(true);
    header->setStretchLastSection(false);
    header->setSectionsMovable(false);
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setMinimumSectionSize(10);
    header->resizeSection(0, 200);
    header->resizeSection(1, 233);
    connect(header, &QHeaderView::sectionResized, this, [header](int section, int, int size) {
        if (section == 0 && size < kNameColumnMinimum)
            header->resizeSection(0, kNameColumnMinimum);
    });

    // Besides the idle-time update, follow the list at once so the buttons never lag behind it.
    connect(VstList->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TCustomSettingsForm::RemoveActUpdate);
    connect(m_list, &QAbstractItemModel::rowsInserted, this, &TCustomSettingsForm::ClearActUpdate);
    connect(m_list, &QAbstractItemModel::rowsRemoved, this, &TCustomSettingsForm::ClearActUpdate);
    connect(m_list, &QAbstractItemModel::modelReset, this, &TCustomSettingsForm::ClearActUpdate);

    VstList->addAction(RemoveAct);
    connect(VstList, &TVirtualList::columnDblClick, this, &TCustomSettingsForm::VstListColumnDblClick);
    connect(VstList, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        // Update the actions before the menu shows, not only when the loop next waits.
        RemoveActUpdate();
        ClearActUpdate();
        TntPopupMenu1->popup(VstList->viewport()->mapToGlobal(pos));
    });
}

void TCustomSettingsForm::fillList()
{
    for (const CustomPDFItemInfo &item : pdfInfo->customItems)
        m_list->append(item);
}

bool TCustomSettingsForm::NameExists(const QString &name) const
{
    const QString folded = foldAsciiUpper(name);
    for (int row = 0; row < m_list->count(); ++row)
        if (foldAsciiUpper(m_list->item(row)->fileName) == folded)
            return true;
    return false;
}

void TCustomSettingsForm::EnsurePdfExtension(QString &name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0 && upperAsciiLower(name.mid(dot)) == QLatin1String(".PDF"))
        return;
    name += QStringLiteral(".PDF");
}

void TCustomSettingsForm::AddActExecute()
{
    WaitCursor wait;
    // The same answer as asking NameExists for n = 1, 2, ..., with the names folded only once.
    QSet<QString> taken;
    for (int row = 0; row < m_list->count(); ++row)
        taken.insert(foldAsciiUpper(m_list->item(row)->fileName));
    const int rows = m_list->count();
    int n = rows + 1;
    for (int candidate = 1; candidate <= rows; ++candidate) {
        if (!taken.contains(foldAsciiUpper(proposedName(pdfInfo->baseName, candidate)))) {
            n = candidate;
            break;
        }
    }
    m_list->append({proposedName(pdfInfo->baseName, n), QStringLiteral("1")});

    const QModelIndex added = m_list->index(m_list->count() - 1, 0);
    VstList->scrollTo(added);
    VstList->clearSelection();
    VstList->selectionModel()->setCurrentIndex(
        added, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    VstList->setFocus();
}

void TCustomSettingsForm::RemoveActExecute()
{
    std::vector<int> rows;
    for (const QModelIndex &index : VstList->selectionModel()->selectedRows())
        rows.push_back(index.row());
    m_list->removeRowsAt(std::move(rows));
}

void TCustomSettingsForm::RemoveActUpdate()
{
    RemoveAct->setEnabled(!VstList->selectionModel()->selectedRows().isEmpty());
}

void TCustomSettingsForm::ClearActExecute()
{
    m_list->removeAll();
}

void TCustomSettingsForm::ClearActUpdate()
{
    ClearAct->setEnabled(m_list->count() > 0);
}

QString TCustomSettingsForm::VstListGetText(const CustomPDFItemInfo &item, int column) const
{
    if (column == 0)
        return item.fileName;
    if (column == 1)
        return item.rangeText;
    return QString();
}

void TCustomSettingsForm::VstListColumnDblClick(int column)
{
    const QModelIndex focused = VstList->currentIndex();
    if (!focused.isValid())
        return;
    const QModelIndex cell = m_list->index(focused.row(), column);
    VstList->selectionModel()->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    VstList->edit(cell);
}

void TCustomSettingsForm::VstListNewText(int row, int column, QString text)
{
    CustomPDFItemInfo *item = m_list->item(row);
    if (!item)
        return;
    text = trimControls(text);
    if (text.isEmpty())
        return;

    if (column == 0) {
        for (const QChar c : kInvalidNameCharacters) {
            if (text.contains(c)) {
                warn(nullptr, invalidNameMessage(), m_refusals);
                return;
            }
        }
        EnsurePdfExtension(text);
        if (NameExists(text)) {
            warn(this, QStringLiteral("File name is already exists."), m_refusals);
            return;
        }
        item->fileName = text;
    } else if (column == 1) {
        if (!NormalizePageRange(text, pdfInfo->pageCount)) {
            warn(this, QStringLiteral("Invalid format or out of range"), m_refusals);
            return;
        }
        item->rangeText = text;
    } else {
        return;
    }
    m_list->rowChanged(row);
}

// The skin buttons take no focus on a click, so an edit still open when OK is clicked is ended
// here as leaving the editor would end it.
void TCustomSettingsForm::commitOpenEdit()
{
    QWidget *focused = QApplication::focusWidget();
    if (focused && focused != VstList && VstList->isAncestorOf(focused))
        VstList->setFocus(Qt::OtherFocusReason);
}

void TCustomSettingsForm::ssSkinButton1Click()
{
    // A typed text that was refused while OK was pressed keeps the dialog open, so that the
    // user sees what was not taken.
    const int refusalsBefore = m_refusals;
    commitOpenEdit();
    if (m_refusals != refusalsBefore)
        return;
    // Every cell was checked when it was edited; nothing is left to check here.
    pdfInfo->customItems.clear();
    for (int row = 0; row < m_list->count(); ++row)
        pdfInfo->customItems.push_back(*m_list->item(row));
    done(ModalOk);
}

void TCustomSettingsForm::FormClose()
{
    m_list->removeAll();
}

void TCustomSettingsForm::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TCustomSettingsForm::reject()
{
    done(ModalCancel);
}
