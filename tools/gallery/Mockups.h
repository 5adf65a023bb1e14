#pragma once

#include <QWidget>

// Windows assembled from the artwork and ordinary controls at the positions the windows use, so
// the pictures can be judged as a user will see them.
QWidget *MainWindowMockup();
QWidget *CustomDialogMockup(QWidget *owner);
QWidget *BookmarkDialogMockup(QWidget *owner);
QWidget *AboutDialogMockup(QWidget *owner);
