#pragma once

class QWidget;
class TssSkinButton;
class TssSkinForm;

// Conveniences over the product's picture table (resources/Skins.h): give a button its strip and
// the caption the strip shows; give a form its face. Both answer false for an unknown name.
bool ApplyButtonSkin(TssSkinButton *button, const char *skinName);
bool ApplyFormSkin(TssSkinForm *skinForm, const char *skinName);
