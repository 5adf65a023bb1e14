#pragma once

#include "SkinTable.h"

#include <QPixmap>
#include <QStringList>

// The product's pictures, compiled into the `resources` library. Names are those of SkinTable.cpp
// ("face_main", "btn_ok", ...); every picture exists at 1x and 2x.
//
// Consumers need no set-up: the first call of skin() registers the compiled-in resource data. Code
// that reads ":/skins/..." paths itself must call Res::Init() first (static libraries drop unused
// resource objects otherwise).
namespace Res {

void Init();

// The picture for the screen: the 2x file when the application's device pixel ratio exceeds 1,
// with its devicePixelRatio set, so its logical size is always the size in the table. An unknown
// name gives a null pixmap and a warning.
QPixmap skin(const char *name);
QPixmap skin(const char *name, qreal devicePixelRatio);

QStringList names();

// What a button picture says, for its accessible name; empty for an unknown name.
QString caption(const char *name);
bool captionPainted(const char *name);

} // namespace Res
