#include "SkinApply.h"

#include "Skins.h"
#include "Ssbutton.h"
#include "Ssform.h"

bool ApplyButtonSkin(TssSkinButton *button, const char *skinName)
{
    const Res::SkinInfo *info = Res::FindSkin(skinName);
    if (!button || !info)
        return false;
    const QPixmap strip = Res::skin(skinName);
    if (strip.isNull())
        return false;
    button->setDivNum(info->states);
    button->setSkin(strip);
    button->setCaption(QString::fromUtf8(info->caption), info->captionPainted);
    return true;
}

bool ApplyFormSkin(TssSkinForm *skinForm, const char *skinName)
{
    if (!skinForm || !Res::FindSkin(skinName))
        return false;
    const QPixmap face = Res::skin(skinName);
    if (face.isNull())
        return false;
    skinForm->setGlyph(face);
    return true;
}
