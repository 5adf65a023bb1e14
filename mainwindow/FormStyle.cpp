#include "FormStyle.h"

#include <QWidget>

namespace FormStyle {

void Place(QWidget *w, const char *name, int left, int top, int width, int height)
{
    w->setObjectName(QString::fromLatin1(name));
    w->setGeometry(left, top, width, height);
}

} // namespace FormStyle
