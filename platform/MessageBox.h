// Modal message boxes with the system's own texts, caption and buttons.
#pragma once

#include <QString>

class QWidget;

namespace Platform {

enum : unsigned {
    MB_OK = 0,
    MB_YESNO = 4,
    MB_ICONERROR = 0x10,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONWARNING = 0x30,
    MB_ICONINFORMATION = 0x40
};
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };

// Shows the box modally (owned by owner, or application-modal without one) and answers the
// button pressed. Must run on the UI thread.
int ShowMessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned flags);

// The application title, used as the caption of every message box.
QString ApplicationTitle();

} // namespace Platform
