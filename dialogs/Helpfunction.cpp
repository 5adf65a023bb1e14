#include "Helpfunction.h"

#include "FileDialogs.h"

#include <QStandardPaths>

bool SelectFolder(QWidget *owner, const QString &title, QString &path)
{
    const QString chosen = Platform::GetExistingDirectory(owner, title);
    if (chosen.isEmpty())
        return false;
    path = chosen;
    return true;
}

bool GetDocumentsFolder(QString &path)
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        return false;
    path = documents;
    return true;
}
