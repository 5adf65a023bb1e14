#include "DialogStyle.h"

#include "SkinApply.h"
#include "Ssbutton.h"
#include "Ssform.h"

#include <QDialog>
#include <QLabel>
#include <QPalette>

namespace DialogStyle {

QFont Arial(int pixelHeight, bool bold)
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    return font;
}

void Style(QWidget *w, const QFont &font, const QColor &colour)
{
    w->setFont(font);
    QPalette palette = w->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    w->setPalette(palette);
}

QLabel *Label(QWidget *parent, const QString &name, const QString &text, int left, int top,
              const QFont &font, const QColor &colour)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    // Document names and context strings are shown as they are, never read as markup.
    label->setTextFormat(Qt::PlainText);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setAutoFillBackground(false);
    Style(label, font, colour);
    label->setText(text);
    label->move(left, top);
    Fit(label);
    return label;
}

void Fit(QLabel *label)
{
    label->adjustSize();
}

TssSkinButton *SkinButton(QWidget *parent, const char *name, const char *skin, int left, int top,
                          int modalResult)
{
    auto *button = new TssSkinButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    ApplyButtonSkin(button, skin);
    button->setModalResult(modalResult);
    button->move(left, top);
    button->resize(button->sizeHint());
    return button;
}

TssSkinForm *SkinForm(QDialog *dialog, const char *face)
{
    auto *skinForm = new TssSkinForm(dialog);
    ApplyFormSkin(skinForm, face);
    return skinForm;
}

} // namespace DialogStyle
