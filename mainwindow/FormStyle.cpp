#include "FormStyle.h"

#include "SkinTable.h"
#include "Skins.h"
#include "Ssbutton.h"

#include <QPalette>
#include <QWidget>

namespace FormStyle {

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

void Place(QWidget *w, const char *name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
}

TssSkinButton *SkinButton(QWidget *parent, const char *name, const char *skin, int left, int top)
{
    auto *button = new TssSkinButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    const Res::SkinInfo *info = Res::FindSkin(skin);
    button->setSkin(Res::skin(skin));
    if (info)
        button->setCaption(QString::fromLatin1(info->caption), info->captionPainted);
    button->move(left, top);
    return button;
}

} // namespace FormStyle
