// The folder chooser and the documents folder, for the main window's output folder.
#pragma once

#include <QString>

class QWidget;

// Lets the user pick a file-system folder. False on cancel, with path left as it was.
bool SelectFolder(QWidget *owner, const QString &title, QString &path);

// The current user's documents folder. False when the system knows none, with path left as it was.
bool GetDocumentsFolder(QString &path);
