#include "SkinTable.h"

#include <cstring>
#include <iterator>

namespace Res {
namespace {

constexpr SkinInfo kSkins[] = {
    {"face_main", 554, 636, 1, SkinKind::Face, "", true},
    {"panel_options", 521, 305, 1, SkinKind::Plain, "", true},
    {"face_custom", 457, 432, 1, SkinKind::Face, "", true},
    {"face_bookmark", 540, 490, 1, SkinKind::Face, "", true},
    {"face_about", 423, 241, 1, SkinKind::Face, "", true},
    {"progress_trough", 515, 9, 1, SkinKind::Plain, "", true},
    {"progress_fill", 8, 6, 1, SkinKind::Plain, "", true},
    {"btn_min", 27 * 3, 17, 3, SkinKind::Strip, "Minimize", false},
    {"btn_close", 27 * 3, 17, 3, SkinKind::Strip, "Close", false},
    {"btn_help", 77 * 3, 26, 3, SkinKind::Strip, "Help", true},
    {"btn_browse", 68 * 3, 20, 3, SkinKind::Strip, "Browse", true},
    {"btn_browse_small", 45 * 3, 20, 3, SkinKind::Strip, "Browse", true},
    {"btn_open_small", 45 * 3, 20, 3, SkinKind::Strip, "Open", true},
    {"btn_setting", 68 * 3, 20, 3, SkinKind::Strip, "Setting", true},
    {"btn_split", 126 * 3, 51, 3, SkinKind::Strip, "Split", true},
    {"btn_stop", 126 * 3, 51, 3, SkinKind::Strip, "Stop", true},
    {"btn_new", 68 * 3, 20, 3, SkinKind::Strip, "New", true},
    {"btn_remove", 68 * 3, 20, 3, SkinKind::Strip, "Remove", true},
    {"btn_clear", 68 * 3, 20, 3, SkinKind::Strip, "Clear", true},
    {"btn_ok", 68 * 3, 20, 3, SkinKind::Strip, "OK", true},
    {"btn_cancel", 68 * 3, 20, 3, SkinKind::Strip, "Cancel", true},
    {"btn_dlg_close", 20 * 3, 20, 3, SkinKind::Strip, "Close", false},
};

} // namespace

const SkinInfo *SkinTable(std::size_t *count)
{
    if (count)
        *count = std::size(kSkins);
    return kSkins;
}

const SkinInfo *FindSkin(const char *name)
{
    if (!name)
        return nullptr;
    for (const SkinInfo &info : kSkins)
        if (std::strcmp(info.name, name) == 0)
            return &info;
    return nullptr;
}

} // namespace Res
