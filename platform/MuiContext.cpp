#include "MuiContext.h"

#include <QCoreApplication>
#include <QVariant>

namespace {
constexpr const char *TagProperty = "Tag";
}

void SetMuiContext(MuiContext *context)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->setProperty(TagProperty, QVariant::fromValue(reinterpret_cast<quintptr>(context)));
}

MuiContext *GetMuiContext()
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app)
        return nullptr;
    return reinterpret_cast<MuiContext *>(app->property(TagProperty).value<quintptr>());
}
