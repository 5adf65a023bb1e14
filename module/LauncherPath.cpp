#include "LauncherPath.h"

#include <QFile>

QString LauncherFolder()
{
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const qsizetype slash = exe.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : exe.left(slash + 1);
}
