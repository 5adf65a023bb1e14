#include "Mockups.h"

#include "SkinApply.h"
#include "Skins.h"
#include "Ssbutton.h"
#include "Ssform.h"
#include "Tskinprocess.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QTemporaryDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const QColor kGreen(0x46, 0x7A, 0x01);

QFont Arial(int px, bool bold = false)
{
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(px);
    f.setBold(bold);
    return f;
}

QLabel *Label(QWidget *parent, const QString &text, int x, int y, int px = 12, bool bold = false,
              QColor colour = kGreen)
{
    auto *label = new QLabel(text, parent);
    label->setFont(Arial(px, bold));
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    label->move(x, y);
    label->adjustSize();
    return label;
}

template <typename W> W *Place(W *w, int x, int y, int width, int height)
{
    w->setGeometry(x, y, width, height);
    w->setFont(Arial(12));
    return w;
}

TssSkinButton *Button(QWidget *parent, const char *skin, int x, int y)
{
    auto *b = new TssSkinButton(parent);
    ApplyButtonSkin(b, skin);
    b->move(x, y);
    return b;
}

void Radio(QWidget *parent, int x, int y, bool checked = false)
{
    auto *rb = new QRadioButton(parent);
    rb->setGeometry(x, y, 13, 13);
    rb->setChecked(checked);
}

} // namespace

QWidget *MainWindowMockup()
{
    auto *form = new QWidget;
    form->setObjectName(QStringLiteral("SplitterForm"));
    ApplyFormSkin(new TssSkinForm(form), "face_main");
    Label(form, QStringLiteral("Orvanta Pagemill"), 14, 6, 13, true, Qt::white);
    Button(form, "btn_min", 489, 6);
    Button(form, "btn_close", 515, 6);
    Button(form, "btn_help", 467, 54);
    Label(form, QStringLiteral("File Name"), 40, 139, 12, true);
    auto *file = Place(new QLineEdit(QStringLiteral("annual-report-2026"), form), 40, 160, 249, 23);
    file->setReadOnly(true);
    Button(form, "btn_browse", 296, 161);
    Label(form, QStringLiteral("Size:"), 420, 145);
    Label(form, QStringLiteral("2048KB"), 452, 145);
    Label(form, QStringLiteral("Total Pages:"), 420, 169);
    Label(form, QStringLiteral("120"), 493, 169);

    auto *panel = new QLabel(form);
    panel->setGeometry(17, 222, 521, 305);
    panel->setPixmap(Res::skin("panel_options"));
    Radio(panel, 46, 42, true);
    Label(panel, QStringLiteral("Cut by every"), 64, 40);
    Place(new QLineEdit(QStringLiteral("1"), panel), 139, 37, 99, 23);
    Label(panel, QStringLiteral("Page(s)"), 259, 41);
    Radio(panel, 46, 76);
    Label(panel, QStringLiteral("Cut by bookmark: Cut to level"), 64, 75);
    auto *level = Place(new QComboBox(panel), 236, 71, 65, 22);
    level->addItems({QStringLiteral("1"), QStringLiteral("2")});
    level->setEnabled(false);
    Button(panel, "btn_setting", 307, 72)->setEnabled(false);
    Radio(panel, 46, 107);
    Label(panel, QStringLiteral("Cut by page range to a PDF file, e.g.[1,3,5,7-10]"), 64, 105);
    Place(new QLineEdit(panel), 86, 130, 241, 23)->setEnabled(false);
    Label(panel, QStringLiteral("Invalid format or out of range!"), 333, 134, 12, false, Qt::red);
    Place(new QCheckBox(panel), 94, 162, 11, 15)->setEnabled(false);
    Label(panel, QStringLiteral("The rest of the pages gererate another PDF file."), 112, 162);
    Radio(panel, 46, 196);
    Label(panel, QStringLiteral("Cut by specific page ranges to multiple PDF files"), 64, 194);
    Button(panel, "btn_setting", 342, 191)->setEnabled(false);
    Radio(panel, 46, 232);
    Label(panel, QStringLiteral("Cut averagely to"), 64, 230);
    Place(new QLineEdit(QStringLiteral("2"), panel), 161, 228, 79, 23)->setEnabled(false);
    Label(panel, QStringLiteral("PDF file(s)"), 262, 230);
    auto *bar = new TSkinProcess(panel);
    bar->setGeometry(4, 283, 512, 9);
    bar->setTrough(Res::skin("progress_trough"));
    QTemporaryDir scratch;
    const QString fillPath = scratch.filePath(QStringLiteral("progress.bmp"));
    Res::skin("progress_fill", 1.0).save(fillPath, "BMP");
    bar->SetImage2(fillPath);
    bar->SetBaseLine(5);
    bar->SetExtRange(2, bar->width() - 4);
    bar->Setprocess(40);

    Label(form, QStringLiteral("Output Setting"), 48, 536, 13, true);
    Radio(form, 45, 566);
    Label(form, QStringLiteral("Save in the same folder as source"), 64, 565);
    Radio(form, 45, 594, true);
    Label(form, QStringLiteral("Customize"), 64, 594);
    Place(new QLineEdit(QStringLiteral("/home/ana/Documents/Orvanta Studio/Orvanta Pagemill"), form), 115, 589, 162,
          23);
    Button(form, "btn_browse_small", 281, 590);
    Button(form, "btn_open_small", 329, 590);
    Button(form, "btn_split", 394, 541);
    return form;
}

static QDialog *Dialog(QWidget *owner, const char *face, const QString &title)
{
    auto *dialog = new QDialog(owner);
    ApplyFormSkin(new TssSkinForm(dialog), face);
    Label(dialog, title, Res::DialogTitleTextLeft, 7, 13, true, Qt::white);
    Button(dialog, "btn_dlg_close", dialog->width() - Res::DialogCloseRightInset, Res::DialogCloseTop);
    return dialog;
}

QWidget *CustomDialogMockup(QWidget *owner)
{
    QDialog *d = Dialog(owner, "face_custom", QStringLiteral("Custom Settings"));
    Label(d, QStringLiteral("File Name:"), 20, 44);
    Label(d, QStringLiteral("annual-report-2026.PDF"), 90, 44);
    Label(d, QStringLiteral("Size:"), 20, 64);
    Label(d, QStringLiteral("2048KB"), 90, 64);
    Label(d, QStringLiteral("Total Pages:"), 240, 64);
    Label(d, QStringLiteral("120"), 320, 64);
    Button(d, "btn_new", 20, 90);
    Button(d, "btn_remove", 94, 90);
    Button(d, "btn_clear", 168, 90);
    auto *list = Place(new QTreeWidget(d), 20, 118, 417, 262);
    list->setHeaderLabels({QStringLiteral("File Name"), QStringLiteral("Range(e.g.1,3,5,7-10)")});
    list->setColumnWidth(0, 200);
    new QTreeWidgetItem(list, {QStringLiteral("annual-report-2026(1).PDF"), QStringLiteral("1-10")});
    new QTreeWidgetItem(list, {QStringLiteral("annual-report-2026(2).PDF"), QStringLiteral("11,13,15-20")});
    Button(d, "btn_ok", 290, d->height() - 32);
    Button(d, "btn_cancel", 369, d->height() - 32);
    return d;
}

QWidget *BookmarkDialogMockup(QWidget *owner)
{
    QDialog *d = Dialog(owner, "face_bookmark", QStringLiteral("Bookmark Settings"));
    Label(d, QStringLiteral("Please select cut level:"), 20, 46);
    auto *level = Place(new QComboBox(d), 160, 42, 60, 22);
    level->setEditable(true);
    level->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    auto *tree = Place(new QTreeWidget(d), Res::BookmarkTreeLeft, Res::BookmarkTreeTop, 503, 321);
    tree->setHeaderHidden(true);
    tree->setFrameShape(QFrame::NoFrame);
    auto *chapter = new QTreeWidgetItem(tree, {QStringLiteral("1 Introduction")});
    new QTreeWidgetItem(chapter, {QStringLiteral("1.1 Scope")});
    new QTreeWidgetItem(chapter, {QStringLiteral("1.2 Terms")});
    new QTreeWidgetItem(tree, {QStringLiteral("2 Results")});
    tree->expandAll();
    Button(d, "btn_ok", 373, d->height() - 32);
    Button(d, "btn_cancel", 452, d->height() - 32);
    return d;
}

QWidget *AboutDialogMockup(QWidget *owner)
{
    auto *d = new QDialog(owner);
    ApplyFormSkin(new TssSkinForm(d), "face_about");
    Label(d, QStringLiteral("Version:"), 313, 186, 12, true, Qt::white);
    Label(d, QStringLiteral("1.0.0"), 363, 186, 12, true, Qt::white);
    Label(d, QStringLiteral("Support:"), 16, 184, 11, false, Qt::white);
    Label(d, QStringLiteral("https://support.example.org"), 59, 184, 11, false, Qt::white);
    Label(d, QStringLiteral("Home Page:"), 16, 200, 11, false, Qt::white);
    Label(d, QStringLiteral("https://www.example.org"), 75, 200, 11, false, Qt::white);
    Label(d, QStringLiteral("Copyright (C) 2026 Orvanta Studio. All rights reserved."), 16, 216, 11, false, Qt::white);
    Button(d, "btn_ok", 330, 206);
    return d;
}
