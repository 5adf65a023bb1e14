// The look of the main window's controls: the dialogs' fonts, colours and skin buttons, and
// placing a control at its design bounds.
#pragma once

#include "DialogStyle.h"

class QWidget;

namespace FormStyle {

using DialogStyle::Arial;
using DialogStyle::SkinButton;
using DialogStyle::TextGreen;

// Gives w the font and the green text colour (or another colour).
inline void Style(QWidget *w, const QFont &font, const QColor &colour = TextGreen)
{
    DialogStyle::Style(w, font, colour);
}

// Places a widget at its design bounds and names it.
void Place(QWidget *w, const char *name, int left, int top, int width, int height);

} // namespace FormStyle
