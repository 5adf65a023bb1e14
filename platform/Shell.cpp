#include "Shell.h"

#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

namespace Platform {
namespace {

struct SeamState {
    bool installed = false;
    QList<ShellRecord> records;
};

SeamState &seam()
{
    static SeamState state;
    return state;
}

// A web address is handed over as it is; anything else names a local file or folder.
QUrl urlFor(const QString &target)
{
    const QUrl url(target, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (url.isValid() && (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
                          scheme == QLatin1String("mailto") || scheme == QLatin1String("file")))
        return url;
    if (target.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("https://") + target);
    return QUrl::fromLocalFile(target);
}

} // namespace

void ShellOpen(QWidget *owner, const QString &target, ShowCommand show)
{
    if (seam().installed) {
        seam().records.append({owner ? owner->objectName() : QString(), target, show});
        return;
    }
    if (target.isEmpty())
        return;
    // Desktop handlers choose their own window state; the show command has no portable meaning.
    QDesktopServices::openUrl(urlFor(target));
}

void ShellSeam::install()
{
    seam() = SeamState{};
    seam().installed = true;
}

void ShellSeam::uninstall()
{
    seam() = SeamState{};
}

QList<ShellRecord> ShellSeam::records()
{
    return seam().records;
}

} // namespace Platform
