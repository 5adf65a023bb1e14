// The look the dialogs share: Arial texts placed over a painted face, skin buttons by strip name.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QDialog;
class QLabel;
class QWidget;
class TssSkinButton;
class TssSkinForm;

namespace DialogStyle {

// The dialogs' modal results: OK 1, Cancel 2. Every way of closing other than OK gives Cancel,
// never QDialog's own 0.
enum ModalResult : int { ModalOk = 1, ModalCancel = 2 };

inline const QColor TextGreen(0x46, 0x7A, 0x01);
inline const QColor TitleWhite(0xFF, 0xFF, 0xFF);

QFont Arial(int pixelHeight, bool bold = false);

// Gives w the font and the text colour.
void Style(QWidget *w, const QFont &font, const QColor &colour);

// A transparent plain-text label at (left, top) that sizes itself to its text.
QLabel *Label(QWidget *parent, const QString &name, const QString &text, int left, int top,
              const QFont &font, const QColor &colour);
// Sizes a label made by Label() again after its text changed.
void Fit(QLabel *label);

// A skin button at (left, top) drawn from the named strip, with the strip's caption.
TssSkinButton *SkinButton(QWidget *parent, const char *name, const char *skin, int left, int top,
                          int modalResult = 0);

// Makes dialog frameless with the named face as its whole picture.
TssSkinForm *SkinForm(QDialog *dialog, const char *face);

} // namespace DialogStyle
