#pragma once

#include <QImage>

namespace Res {
struct SkinInfo;
}

namespace Art {

// The picture at scale 1 or 2 (pixels = logical size times scale), keyed or opaque as it needs.
QImage RenderSkin(const Res::SkinInfo &info, int scale);
QImage RenderAppIcon(int pixels);

} // namespace Art
