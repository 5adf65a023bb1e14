// The file-open dialog and the folder chooser.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace Platform {

// Answers the chosen file's full path, or an empty text when the user cancels.
QString GetOpenFileName(QWidget *owner, const QString &title, const QString &filter);
// Answers the chosen folder, or an empty text when the user cancels. Folders only.
QString GetExistingDirectory(QWidget *owner, const QString &title);

struct FileDialogRecord {
    QString ownerName;
    QString title;
    QString filter; // empty for the folder chooser
};

// Test seam: while installed, the dialogs show nothing, record the call and answer the next
// queued answer (an empty text, meaning cancel, when none is queued).
class FileDialogSeam {
public:
    static void install();
    static void uninstall();
    static void queueAnswer(const QString &answer);
    static QList<FileDialogRecord> records();
};

} // namespace Platform
