#include "Render.h"

#include "ArtKit.h"
#include "Buttons.h"
#include "Faces.h"
#include "SkinTable.h"

#include <QPainter>

#include <cstring>

namespace Art {
namespace {

using FacePainter = void (*)(QPainter &);

struct FaceEntry {
    const char *name;
    FacePainter paint;
};

constexpr FaceEntry kFaces[] = {
    {"face_main", PaintMainFace},         {"panel_options", PaintOptionsPanel},
    {"face_custom", PaintCustomFace},     {"face_bookmark", PaintBookmarkFace},
    {"face_about", PaintAboutFace},       {"progress_trough", PaintProgressTrough},
    {"progress_fill", PaintProgressFill},
};

} // namespace

QImage RenderSkin(const Res::SkinInfo &info, int scale)
{
    QImage image = Canvas(info.width, info.height, scale);
    {
        QPainter p(&image);
        p.scale(scale, scale);
        p.setRenderHint(QPainter::TextAntialiasing);
        if (info.kind == Res::SkinKind::Strip) {
            PaintButtonStrip(p, info);
        } else {
            for (const FaceEntry &face : kFaces)
                if (std::strcmp(face.name, info.name) == 0)
                    face.paint(p);
        }
    }
    if (info.kind == Res::SkinKind::Plain)
        MakeOpaque(image);
    else
        KeyToFuchsia(image);
    return image;
}

QImage RenderAppIcon(int pixels)
{
    QImage image = Canvas(pixels, pixels, 1);
    QPainter p(&image);
    PaintAppIcon(p, pixels);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace Art
