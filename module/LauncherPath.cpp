#include "LauncherPath.h"

#include <QFile>
#include <QUrl>

QString LauncherFolder()
{
    const QString exe = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const qsizetype slash = exe.lastIndexOf(QLatin1Char('/'));
    return slash < 0 ? QString() : exe.left(slash + 1);
}

QStringList CommandLineFiles()
{
    QFile file(QStringLiteral("/proc/self/cmdline"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QList<QByteArray> parts = file.readAll().split('\0');
    QStringList files;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray &arg = parts.at(i);
        if (arg.isEmpty() || arg.startsWith('-'))
            continue;
        if (arg.startsWith("file:"))
            files.append(QUrl::fromEncoded(arg).toLocalFile());
        else
            files.append(QFile::decodeName(arg));
    }
    return files;
}
