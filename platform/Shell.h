// Opening a file, folder or web address with the desktop's default handler.
#pragma once

#include <QList>
#include <QString>

class QWidget;

namespace Platform {

enum class ShowCommand { Normal, Maximized };

// The result is not reported: like the desktop shell, a target that cannot be opened is
// simply not opened.
void ShellOpen(QWidget *owner, const QString &target, ShowCommand show);

struct ShellRecord {
    QString ownerName;
    QString target;
    ShowCommand show = ShowCommand::Normal;
};

// Test seam: while installed, ShellOpen records the call and opens nothing.
class ShellSeam {
public:
    static void install();
    static void uninstall();
    static QList<ShellRecord> records();
};

} // namespace Platform
