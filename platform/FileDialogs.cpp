#include "FileDialogs.h"

#include <QFileDialog>
#include <QWidget>

namespace Platform {
namespace {

struct SeamState {
    bool installed = false;
    QList<QString> answers;
    QList<FileDialogRecord> records;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

QString answerFromSeam(QWidget *owner, const QString &title, const QString &filter)
{
    seam().records.append({owner ? owner->objectName() : QString(), title, filter});
    return seam().answers.isEmpty() ? QString() : seam().answers.takeFirst();
}

} // namespace

QString GetOpenFileName(QWidget *owner, const QString &title, const QString &filter)
{
    if (seam().installed)
        return answerFromSeam(owner, title, filter);
    QFileDialog dialog(owner, title, QString(), filter);
    dialog.setObjectName(QStringLiteral("openFileDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Qt's own dialog matches name filters without regard to case (report.pdf, REPORT.PDF and
    // Report.Pdf all show); a desktop's native dialog may not.
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString GetExistingDirectory(QWidget *owner, const QString &title)
{
    if (seam().installed)
        return answerFromSeam(owner, title, QString());
    return QFileDialog::getExistingDirectory(owner, title, QString(),
                                             QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
}

void FileDialogSeam::install()
{
    seam() = SeamState{};
    seam().installed = true;
}

void FileDialogSeam::uninstall()
{
    seam() = SeamState{};
}

void FileDialogSeam::queueAnswer(const QString &answer)
{
    seam().answers.append(answer);
}

QList<FileDialogRecord> FileDialogSeam::records()
{
    return seam().records;
}

} // namespace Platform
