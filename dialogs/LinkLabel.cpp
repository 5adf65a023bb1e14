#include "LinkLabel.h"

TLinkLabel::TLinkLabel(QWidget *parent) : TClickLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
}
