#include "Skins.h"

#include <QGuiApplication>
#include <QtDebug>

#include <mutex>

static void RegisterSkinResources()
{
    Q_INIT_RESOURCE(skins);
}

namespace Res {

void Init()
{
    static std::once_flag once;
    std::call_once(once, RegisterSkinResources);
}

QPixmap skin(const char *name, qreal devicePixelRatio)
{
    Init();
    const SkinInfo *info = FindSkin(name);
    if (!info) {
        qWarning("Res::skin: no picture named \"%s\"", name ? name : "(null)");
        return {};
    }
    const bool hi = devicePixelRatio > 1.0;
    QPixmap pixmap(QStringLiteral(":/skins/%1%2").arg(QString::fromUtf8(info->name),
                                                       hi ? QStringLiteral("@2x.png") : QStringLiteral(".png")));
    if (pixmap.isNull()) {
        qWarning("Res::skin: picture \"%s\" is missing from the resources", info->name);
        return {};
    }
    pixmap.setDevicePixelRatio(hi ? 2.0 : 1.0);
    return pixmap;
}

QPixmap skin(const char *name)
{
    return skin(name, qGuiApp ? qGuiApp->devicePixelRatio() : 1.0);
}

QStringList names()
{
    std::size_t count = 0;
    const SkinInfo *table = SkinTable(&count);
    QStringList list;
    for (std::size_t i = 0; i < count; ++i)
        list << QString::fromUtf8(table[i].name);
    return list;
}

QString caption(const char *name)
{
    const SkinInfo *info = FindSkin(name);
    return info ? QString::fromUtf8(info->caption) : QString();
}

bool captionPainted(const char *name)
{
    const SkinInfo *info = FindSkin(name);
    return info && info->captionPainted;
}

} // namespace Res
