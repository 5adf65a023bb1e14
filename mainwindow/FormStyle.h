// The look shared by the main window's controls: fonts, the green text colour, skin buttons.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class TssSkinButton;

namespace FormStyle {

inline const QColor TextGreen(0x46, 0x7A, 0x01);

// Arial at a character height in pixels.
QFont Arial(int pixelHeight, bool bold = false);

// Gives w the font and the green text colour (or another colour).
void Style(QWidget *w, const QFont &font, const QColor &colour = TextGreen);

// Places a widget at its design bounds and names it.
void Place(QWidget *w, const char *name, int left, int top, int width, int height);

// A skin button at its design position, drawn from the named strip.
TssSkinButton *SkinButton(QWidget *parent, const char *name, const char *skin, int left, int top);

} // namespace FormStyle
