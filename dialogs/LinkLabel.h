// A click label drawn as a link.
#pragma once

#include "ClickLabel.h"

class TLinkLabel : public TClickLabel {
    Q_OBJECT
public:
    explicit TLinkLabel(QWidget *parent = nullptr);
};
